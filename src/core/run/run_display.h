#pragma once
// Rules behind the run window's displays, kept out of the widgets: time difference of two
// clicked rows, the bar graph of the per-ID table, the graphic frames' meter, the channel LEDs,
// row tints and the attribute runs of a row drawn in colour.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vornlfrf::run {

// --- time difference ---

// _RTime of a row in tenths of a millisecond: its digits up to the first decimal ("1803.712"
// gives 18037). False when the row has no _RTime attribute or its value is no time.
bool rowTimeTenths(std::string_view row, std::int64_t& tenths);

// |a - b| tenths as "12.3ms" ("0.5ms" for 5).
std::string deltaTimeText(std::int64_t a, std::int64_t b);

// The reference row of one list. A row without a time shows "-" and becomes no reference.
class TimeDelta {
  public:
    // The label text after a click on row; "-" for the first click.
    std::string click(std::string_view row);
    void reset() { has_ = false; }

  private:
    bool has_ = false;
    std::int64_t last_ = 0;
};

// --- bar graph ---

constexpr int kBarWidth = 100;
constexpr int kBarScaleStep = 100;

// Green part of an ID's bar, 1..kBarWidth pixels.
int barLength(int count, int scale);

class BarScale {
  public:
    int value() const { return scale_; }
    // Grows the scale past count; true when it grew (every bar must be redrawn).
    bool update(int count);
    void reset() { scale_ = kBarScaleStep; }

  private:
    int scale_ = kBarScaleStep;
};

// --- graphic frame meter ---

struct MeterPosition {
    int p = 0;             // 0..100
    bool clipped = false;  // drawn red
};

// p = trunc((v - min) * factor), clipped to 0..100. A value that is no number counts as 0; a
// position that is no finite number (a degenerate scale) is clipped to 0.
MeterPosition meterPosition(double value, double min, double factor);
// Primary value text as a number: 0 when it is not one.
double meterValue(const std::string& text);
// Gauge needle angle, degrees (counter-clockwise positive).
double needleAngle(int p);
// Scale label k (0..10): min + k * step as "%1.1f".
std::string meterScaleLabel(double min, double step, int k);

// --- channel LEDs ---

class ChannelLeds {
  public:
    static constexpr int kActivity = 100;
    static constexpr int kHoldTicks = 4;

    void activity(int channel);
    // One LED timer tick; returns the lit state of each channel afterwards.
    const std::array<bool, 4>& tick();
    const std::array<bool, 4>& lit() const { return lit_; }
    void reset();

  private:
    std::array<int, 4> counter_{};
    std::array<bool, 4> lit_{};
};

// --- rows ---

// Background of a list row: its channel 0..3, 4 the plain colours, or a failed frame check.
enum class RowTint { Channel0, Channel1, Channel2, Channel3, Plain, BadCheck };
RowTint rowTint(std::string_view row, int channel);

// Pieces of a row drawn with attribute colouring: names, values (between the quotes) and the
// rest. Offsets are byte offsets into the row.
struct RowRun {
    enum Kind { Text, Name, Value };
    std::size_t start = 0;
    std::size_t length = 0;
    Kind kind = Text;
};
std::vector<RowRun> rowRuns(std::string_view row);

// Elapsed time of the mode panels: "%02dh %02dmn %02dsec".
std::string elapsedText(std::int64_t ms);

}  // namespace vornlfrf::run
