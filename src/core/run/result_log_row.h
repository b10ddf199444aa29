#pragma once
// Result rows. A row is a head followed by attributes, each written name="value" and one space:
//
//   _RTime="1803.710" _ATime="10/2/2013 10:51:58 PM" _PTime="1803.190" Channel="2-RF 433.92MHz"
//   Desc="TPMS" Hex="A0150B3" ID="A01" ...
//
// Values go into the row text as they are, so the lists show them unchanged. The writer also
// records where each attribute lies; the result files use that to escape values exactly, since a
// value may itself hold '"' followed by a space.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vornlfrf::run {

// One attribute (name at [name, value - 2), value at [value, end)) or, when isText, text that
// is no attribute at [value, end).
struct RowSpan {
    std::uint32_t name = 0;
    std::uint32_t value = 0;
    std::uint32_t end = 0;
    bool isText = false;
};

// Appends to a row text and its spans; both are the caller's, so their capacity is reused.
class RowWriter {
  public:
    RowWriter(std::string& text, std::vector<RowSpan>& spans) : text_(text), spans_(spans) {}

    void clear() {
        text_.clear();
        spans_.clear();
    }
    // name="value" and a space.
    void attr(std::string_view name, std::string_view value) { attr(name, {}, value); }
    // (name + nameSuffix)="value" and a space, for unit attributes.
    void attr(std::string_view name, std::string_view nameSuffix, std::string_view value);
    // name="value" with no space after it, for rows whose last attribute ends the text.
    void lastAttr(std::string_view name, std::string_view value);
    // An attribute whose value the caller appends to the returned text before endAttr().
    std::string& beginAttr(std::string_view name);
    void endAttr();
    // Text between attributes that is not an attribute itself.
    void text(std::string_view t);
    // Cuts the row back to its first length bytes, with the spans that lie inside.
    void truncate(std::size_t length);

    std::size_t size() const { return text_.size(); }

  private:
    void open(std::string_view name, std::string_view nameSuffix);
    void close(std::string_view value);

    std::string& text_;
    std::vector<RowSpan>& spans_;
};

// A row with its own storage, for the rows of the plugin channel and other events.
struct RowText {
    std::string text;
    std::vector<RowSpan> spans;
    RowWriter writer() { return RowWriter(text, spans); }
};

// Microseconds written as milliseconds with three decimals: 0 "0.000", 50 "0.050",
// 1803712 "1803.712", -50 "-0.050".
std::string formatMilliseconds(std::int64_t us);
void appendMilliseconds(std::string& out, std::int64_t us);

// value with `decimals` digits after the point, as printf "%1.<decimals>f" in the C locale.
void appendFixed(std::string& out, double value, int decimals);

// Local wall-clock milliseconds since the epoch as the short date and long time of the
// en-US desktop: "M/D/YYYY h:mm:ss AM" (month, day and hour without leading zero; 12-hour
// clock, 12 for midnight and noon), for example "10/2/2013 10:51:58 PM".
std::string formatRowDateTime(std::int64_t localMs);
void appendRowDateTime(std::string& out, std::int64_t localMs);

// Preamble timing of a description, for _PTime.
struct PrefixTiming {
    std::uint64_t matchSample = 0;  // sample at which the preamble was recognised
    std::int32_t chipTimeUs = 0;
    std::int32_t preambleLength = 0;  // chips
};

// The head _RTime, _ATime, _PTime. sampleCounter counts 10 us samples (negative before the
// acquisition starts); without timing _PTime equals _RTime.
void BuildRowPrefix(RowWriter& row, std::int64_t sampleCounter, std::int64_t localMs,
                    const PrefixTiming* timing = nullptr);

}  // namespace vornlfrf::run
