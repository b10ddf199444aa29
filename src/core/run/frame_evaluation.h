#pragma once
// Frame evaluation: cuts a decoded frame into the fields of its description, formats them
// (scaling, value tables, computed fields), verifies the frame check, applies the content and
// ID filters and the alert thresholds, and builds the frame's result row and display text.
//
// The fields are read from the bit text in order, field j taking FieldSizes[j] bits from where
// field j-1 ended; bits 1..n of a field form its value most significant first, in groups of four
// from the right ("000111" reads as 07).

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/host.h"
#include "config/checksum.h"
#include "config/formula.h"
#include "config/rf_description.h"
#include "run/acquisition.h"
#include "run/chip_decoder.h"
#include "run/lse.h"
#include "run/result_log.h"

namespace vornlfrf::config {
class RunConf;
}

namespace vornlfrf::run {

inline constexpr char kContentFrameName[] = "ContentFrame";
inline constexpr char kNoDescriptionError[] = "(No corresponding description)";

// Alert thresholds of a run. Level 0 is the warning, level 1 the alert.
struct AlertSettings {
    bool active = false;                    // chkAlertActive
    std::array<std::string, 2> fieldNames;  // txtAlertField1, txtAlertField2
    std::array<bool, 2> above{};            // chkAlertSup1, chkAlertSup2
    std::array<bool, 2> below{};            // chkAlertInf1, chkAlertInf2
    std::array<double, 2> threshold{};      // txtAlertThreshold1, txtAlertThreshold2
    // A threshold that is no number leaves its level untested.
    std::array<bool, 2> thresholdValid{};
};

// Alert state of the run, set by accepted frames and read by the alert window.
struct AlertRunState {
    bool warningSeen = false;
    bool alertSeen = false;
    bool alertFieldSeen = false;  // the time-out watch runs from the first such frame
    int alertSilence = 0;         // 100 ms ticks since
    std::string alertValueText;
    std::string lastAlertId;
};

// Run settings the evaluation reads, copied at run start.
struct EvaluationSettings {
    int iIdFilterMode = 0;  // 0 all IDs, 1 listed IDs, other: none
    std::vector<std::string> idFilterList;
    bool chkReject = true;
    int displayedDigits = 4;  // digits after the decimal point of scaled values
    // Receiver type of each channel ("RF 433.92MHz"), for the Channel attribute.
    std::array<std::string, 4> channelTypeTexts;
    bool lseReceiver = false;  // an LSE sensor is on channel 1
    char lseKind = 'O';        // 'O' optical, 'M' magnetic
    AlertSettings alerts;
};

// txtID with every space removed, cut at commas; empty pieces are dropped.
std::vector<std::string> ParseIdFilterList(const std::string& txtID);

// The settings of a run configuration; the channel texts and the LSE come from the hardware.
EvaluationSettings EvaluationSettingsFromRunConf(const config::RunConf& conf,
                                                 const std::array<std::string, 4>& channelTypes,
                                                 bool lseReceiver, char lseKind);

// What an evaluation leaves beside the description's own results (rowText, rowHexEnd,
// dataText, fieldValues, lastId, frameAccepted in TRXREC::state).
struct FrameEvaluation {
    std::vector<RowSpan> spans;  // attribute layout of state.rowText
    TFrameGraphic graphic;
    bool rowComplete = false;  // the row was finished: no content filter dropped the frame
    bool accepted = false;     // the ID filter let it through (EvaluateFrame's result)
    bool level1 = false;       // warning threshold crossed
    bool level2 = false;       // alert threshold crossed
};

class FrameEvaluator {
  public:
    // clock: wall time of the row heads and the "ContentFrame" interval; sampleCounter: the
    // acquisition's sample count; tables: the value tables of the compiled descriptions.
    FrameEvaluator(const Host& clock, std::function<std::int64_t()> sampleCounter,
                   const config::TableStore& tables);

    void start(const EvaluationSettings& settings) { settings_ = settings; }
    const EvaluationSettings& settings() const { return settings_; }

    // Evaluates d.state.frameBits / frameHex (matchSample and lseSnapshot for the head and the
    // LSE attributes) received on channel 0..3. Returns whether the ID filter accepts it; out
    // tells whether the row is complete (a content filter returns false with an unfinished row).
    bool EvaluateFrame(config::TRXREC& d, int channel, FrameEvaluation& out);

    // Value text of field j whose first bit is start (1-based). Also sets fieldNumeric(),
    // fieldUsable() and contentReject().
    const std::string& FieldValue(const config::TRXREC& d, int j, std::int64_t start);
    double fieldNumeric() const { return numeric_; }
    // False when the field's bits were missing or not all 0/1: its value is no number.
    bool fieldUsable() const { return usable_; }
    bool contentReject() const { return contentReject_; }

    // Value text of computed field k with the current variables: "ERROR" for a formula error,
    // empty when its content filter drops the frame.
    const std::string& ComputedValue(const config::TRXREC& d, int k);

    AlertRunState alerts;
    const config::VariableTable& variables() const { return variables_; }

  private:
    void display(std::uint8_t mode, const std::string& name, const std::string& value,
                 const std::string& unit, config::TRXREC& d, FrameEvaluation& out);
    void alertTest(const std::string& name, const std::string& value, const std::string& unit,
                   FrameEvaluation& out);
    bool idAccepted() const;

    const Host& clock_;
    std::function<std::int64_t()> sampleCounter_;
    const config::TableStore& tables_;
    EvaluationSettings settings_;
    config::CheckEngine checks_;
    config::VariableTable variables_;
    config::FormulaState formulaState_;
    std::int64_t lastContentFrameMs_ = 0;

    // Per-frame scratch, kept for its capacity.
    std::string value_, hex_, computed_, text_, idText_, receivedCheck_, alertValue_;
    double numeric_ = 0;
    bool usable_ = true;
    bool contentReject_ = false;
    bool alertFieldSeen_ = false;
};

// The run's frame sink: evaluates the frames the acquisition completes and logs the winners.
// Each slot of a channel is one working description and the decoder state it is decoded in.
class RunFrameSink : public FrameSink {
  public:
    struct Slot {
        config::TRXREC* description;
        const DecoderState* decoded;
    };

    RunFrameSink(FrameEvaluator& evaluator, ResultLog& log,
                 std::function<std::int64_t()> sampleCounter);

    void setChannel(int channel, std::vector<Slot> slots);

    bool EvaluateFrame(int channel, std::size_t slot) override;
    void AppendResultRow(int channel, std::size_t slot, bool accepted) override;
    void logUnrecognised(int channel, std::size_t slot) override;
    void onSampleMark() override {
        if (sampleMark) sampleMark();
    }
    void onChannelActivity(int channel) override {
        if (channelActivity) channelActivity(channel);
    }

    // The LSE state at the start of the preamble, for the slot whose preamble just matched:
    // ChipTime x PreambleLength / 10 samples back, and offsetSamples more.
    void takeLseSnapshot(int channel, std::size_t slot, const LseMeter& lse,
                         std::int64_t offsetSamples);

    // The last evaluation of a slot (its graphic record, alert flags); null for no such slot.
    const FrameEvaluation* evaluation(int channel, std::size_t slot) const;

    std::function<void()> sampleMark;
    std::function<void(int channel)> channelActivity;

  private:
    struct Entry {
        Slot slot;
        FrameEvaluation evaluation;
    };
    Entry* entry(int channel, std::size_t slot);

    FrameEvaluator& evaluator_;
    ResultLog& log_;
    std::function<std::int64_t()> sampleCounter_;
    std::array<std::vector<Entry>, 4> channels_;
    // Last slot of each channel evaluated, and the sample it was evaluated at.
    std::array<std::size_t, 4> lastSlot_{};
    std::array<std::int64_t, 4> lastSample_{{-1, -1, -1, -1}};
};

}  // namespace vornlfrf::run
