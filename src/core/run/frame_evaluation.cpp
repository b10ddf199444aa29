#include "run/frame_evaluation.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "config/run_conf.h"

namespace vornlfrf::run {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::int64_t kNoSample = std::numeric_limits<std::int64_t>::min();
// Compiled sizes are 1..64; a record from elsewhere cannot make a field longer than this.
constexpr std::int32_t kMaxFieldBits = 4096;

std::size_t fieldBits(const config::TRXREC& d, std::size_t j) {
    return static_cast<std::size_t>(std::clamp(d.FieldSizes[j], 0, kMaxFieldBits));
}

bool isCheckField(const std::string& name) {
    return name == "CKS" || name == "CRC";
}

void appendInt(std::string& out, std::int64_t v) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

}  // namespace

std::vector<std::string> ParseIdFilterList(const std::string& txtID) {
    std::vector<std::string> ids;
    std::string piece;
    for (char c : txtID + ",") {
        if (c == ' ') continue;
        if (c != ',') {
            piece += c;
            continue;
        }
        if (!piece.empty()) ids.push_back(piece);
        piece.clear();
    }
    return ids;
}

EvaluationSettings EvaluationSettingsFromRunConf(const config::RunConf& conf,
                                                 const std::array<std::string, 4>& channelTypes,
                                                 bool lseReceiver, char lseKind) {
    EvaluationSettings s;
    s.iIdFilterMode = conf.IdFilterMode();
    s.idFilterList = ParseIdFilterList(conf.txtID);
    s.chkReject = conf.chkReject;
    const auto& digits = config::runconf::DisplayedDigitItems();
    int n = 4;
    if (conf.cboDisplayedDigits >= 0 &&
        static_cast<std::size_t>(conf.cboDisplayedDigits) < digits.size())
        config::parseTypedInteger(digits[static_cast<std::size_t>(conf.cboDisplayedDigits)], n);
    s.displayedDigits = n;
    s.channelTypeTexts = channelTypes;
    s.lseReceiver = lseReceiver;
    s.lseKind = lseKind;
    AlertSettings& a = s.alerts;
    a.active = conf.chkAlertActive;
    for (std::size_t i = 0; i < 2; ++i) {
        a.fieldNames[i] = conf.txtAlertField[i];
        a.above[i] = conf.chkAlertSup[i];
        a.below[i] = conf.chkAlertInf[i];
        a.thresholdValid[i] = config::parseTypedDecimal(conf.txtAlertThreshold[i], a.threshold[i]);
    }
    return s;
}

FrameEvaluator::FrameEvaluator(const Host& clock, std::function<std::int64_t()> sampleCounter,
                               const config::TableStore& tables)
    : clock_(clock), sampleCounter_(std::move(sampleCounter)), tables_(tables) {}

const std::string& FrameEvaluator::FieldValue(const config::TRXREC& d, int j, std::int64_t start) {
    const std::size_t jj = static_cast<std::size_t>(j);
    const std::string& frameBits = d.state.frameBits;
    const std::size_t size = fieldBits(d, jj);
    const std::size_t from = static_cast<std::size_t>(std::max<std::int64_t>(1, start) - 1);
    const std::size_t avail = from < frameBits.size() ? frameBits.size() - from : 0;
    const std::string_view bits =
        std::string_view(frameBits).substr(std::min(from, frameBits.size()), std::min(size, avail));
    const std::string& unit = d.FieldUnits[jj];
    contentReject_ = false;
    usable_ = true;
    value_.clear();

    if (bits.size() < size) {
        // The frame ended inside the field.
        value_ += '[';
        value_ += bits;
        value_.append(size - bits.size(), '?');
        value_ += ']';
        usable_ = false;
    } else {
        std::uint32_t raw = 0;  // wraps like a signed 32-bit accumulation
        const bool anyBit = bits.find_first_of("01") != std::string_view::npos;
        bool invalid = false;
        if (anyBit) {
            const std::size_t pad = (4 - bits.size() % 4) % 4;
            const std::size_t total = bits.size() + pad;
            for (std::size_t g = 0; g < total; g += 4) {
                char group[4];
                unsigned digit = 0;
                bool good = true;
                for (std::size_t i = 0; i < 4; ++i) {
                    const std::size_t at = g + i;
                    group[i] = at < pad ? '0' : bits[at - pad];
                    good = good && (group[i] == '0' || group[i] == '1');
                    digit = digit * 2 + (group[i] == '1');
                }
                if (good) {
                    value_ += kHexDigits[digit];
                    raw = raw * 16 + digit;
                } else {
                    value_ += '[';
                    value_.append(group, 4);
                    value_ += ']';
                    raw = 0;
                    invalid = true;
                }
            }
        } else {
            value_.assign(bits);
            invalid = !bits.empty();
        }
        const std::int32_t rawS = static_cast<std::int32_t>(raw);
        numeric_ = rawS;
        if (invalid) {
            // Bits that are no bits give no number: the value keeps its bracketed text.
            usable_ = false;
        } else if (d.FieldTables[jj] < 0) {
            if (!unit.empty()) {
                numeric_ = rawS * d.FieldResolutions[jj] + d.FieldOffsets[jj];
                value_.clear();
                appendFixed(value_, numeric_, std::clamp(settings_.displayedDigits, 0, 8));
            }
        } else {
            const std::int32_t slot = d.FieldTables[jj];
            const std::vector<std::string>* lines =
                slot < tables_.count && slot < config::kMaxValueTables
                    ? &tables_.lists[static_cast<std::size_t>(slot)]
                    : nullptr;
            if (lines && rawS >= 0 && static_cast<std::size_t>(rawS) < lines->size()) {
                value_ = (*lines)[static_cast<std::size_t>(rawS)];
            } else {
                hex_.assign(value_);
                value_.assign("{");
                value_ += hex_;
                value_ += '}';
            }
        }
    }
    const std::string& must = d.FieldContents[jj];
    if (settings_.chkReject && d.HasContentFilter && !must.empty() && must != value_)
        contentReject_ = true;
    return value_;
}

const std::string& FrameEvaluator::ComputedValue(const config::TRXREC& d, int k) {
    const std::size_t kk = static_cast<std::size_t>(k);
    computed_.assign(d.ComputedFormulas[kk]);
    config::EvaluateFormula(computed_, variables_, formulaState_);
    if (computed_.empty() || (computed_.size() > 1 && computed_.compare(0, 2, "ER") == 0))
        computed_.assign("ERROR");
    const std::string& must = d.ComputedContents[kk];
    if (computed_ != "ERROR" && d.HasComputedContentFilter && !must.empty() && must != computed_)
        computed_.clear();
    return computed_;
}

void FrameEvaluator::display(std::uint8_t mode, const std::string& name, const std::string& value,
                             const std::string& unit, config::TRXREC& d, FrameEvaluation& out) {
    if (mode != 'P' && mode != 'Y') return;
    std::string& data = d.state.dataText;
    data += name;
    data += "=\"";
    data += value;
    data += unit;
    data += "\" ";
    TFrameGraphic& g = out.graphic;
    if (mode == 'P') {
        g.names[0] = name;
        g.primaryValue = value;
        g.values[0] = value;
        g.values[0] += unit;
        g.primaryPresent = 1;
    } else if (g.secondaryCount < 3) {
        const std::size_t i = static_cast<std::size_t>(g.secondaryCount);
        g.names[i + 1] = name;
        g.values[i + 1] = value;
        g.values[i + 1] += unit;
        g.secondaryPresent[i] = 1;
        ++g.secondaryCount;
    }
}

void FrameEvaluator::alertTest(const std::string& name, const std::string& value,
                               const std::string& unit, FrameEvaluation& out) {
    const AlertSettings& a = settings_.alerts;
    if (!a.active || (name != a.fieldNames[0] && name != a.fieldNames[1])) return;
    alertFieldSeen_ = true;
    double x = 0;
    // Missing bits and values that are no number test nothing.
    if (value.empty() || value[0] == '[' || !config::parseTypedDecimal(value, x)) return;
    for (std::size_t level = 0; level < 2; ++level) {
        if (!a.thresholdValid[level]) continue;
        const double t = a.threshold[level];
        if ((a.above[level] && x > t) || (a.below[level] && x < t)) {
            (level == 0 ? out.level1 : out.level2) = true;
            alertValue_ = value;
            alertValue_ += unit;
        }
    }
}

bool FrameEvaluator::idAccepted() const {
    switch (settings_.iIdFilterMode) {
        case 0:
            return true;
        case 1:
            return !idText_.empty() &&
                   std::find(settings_.idFilterList.begin(), settings_.idFilterList.end(),
                             idText_) != settings_.idFilterList.end();
        default:
            return false;
    }
}

bool FrameEvaluator::EvaluateFrame(config::TRXREC& d, int channel, FrameEvaluation& out) {
    config::RxDecoderState& st = d.state;
    out.rowComplete = false;
    out.accepted = false;
    out.level1 = out.level2 = false;
    out.graphic.clearFlags();
    st.frameAccepted = 0;
    st.lastId.clear();
    st.dataText.clear();
    idText_.clear();
    receivedCheck_.clear();
    alertValue_.clear();
    alertFieldSeen_ = false;

    RowWriter row(st.rowText, out.spans);
    row.clear();
    const PrefixTiming timing{st.matchSample, d.ChipTime, d.PreambleLength};
    BuildRowPrefix(row, sampleCounter_ ? sampleCounter_() : 0, clock_.wallClockMs(), &timing);
    if (channel < 0 || channel > 3) return false;

    text_.clear();
    if (channel == 0)
        text_ += 'E';
    else
        appendInt(text_, channel);
    text_ += '-';
    text_ += settings_.channelTypeTexts[static_cast<std::size_t>(channel)];
    row.attr("Channel", text_);
    row.attr("Desc", d.Name);
    if (d.Name == kContentFrameName) {
        const std::int64_t now = clock_.nowMs();
        text_.assign(" <");
        appendInt(text_, now - lastContentFrameMs_);
        text_ += "> ";
        lastContentFrameMs_ = now;
        row.text(text_);
    }
    row.attr("Hex", st.frameHex);
    st.rowHexEnd = static_cast<std::int32_t>(row.size());

    const bool checkEnabled = d.check.CheckEnabled;
    const std::int32_t check = checkEnabled ? checks_.ComputeFrameCheck(d.check, st.frameHex) : 0;
    bool checkSeen = false;
    int checkWidth = 0;

    const bool computed = d.HasComputed && d.ComputedCount > 0;
    if (computed) variables_.count = 0;
    const int fieldCount = std::clamp<std::int32_t>(d.FieldCount, 0, config::kMaxRfFields);
    std::int64_t start = 1;
    for (int j = 0; j < fieldCount; ++j) {
        const std::size_t jj = static_cast<std::size_t>(j);
        const std::string& name = d.FieldNames[jj];
        const std::string& unit = d.FieldUnits[jj];
        const std::string& v = FieldValue(d, j, start);
        if (contentReject_) return false;
        if (computed && j < config::VariableTable::kMaxVariables) {
            // A field that gives no number cannot be used: a formula naming it fails.
            if (usable_)
                variables_.names[jj + 1] = name;
            else
                variables_.names[jj + 1].clear();
            variables_.values[jj + 1] = numeric_;
            variables_.count = j + 1;
        }
        row.attr(name, v);
        if (!unit.empty()) row.attr(name, "U", unit);
        st.fieldValues[jj] = v;
        if (isCheckField(name)) {
            receivedCheck_ = v;
            checkWidth = d.FieldSizes[jj];
            checkSeen = true;
        }
        display(d.FieldDisplays[jj], name, v, unit, d, out);
        if (name == "ID") {
            idText_ = v;
            st.lastId = v;
        }
        alertTest(name, v, unit, out);
        start += static_cast<std::int64_t>(fieldBits(d, jj));
    }

    if (computed) {
        const int n = std::clamp<std::int32_t>(d.ComputedCount, 0, config::kMaxComputedFields);
        for (int k = 0; k < n; ++k) {
            const std::size_t kk = static_cast<std::size_t>(k);
            const std::string& v = ComputedValue(d, k);
            if (v.empty()) return false;
            const std::string& name = d.ComputedNames[kk];
            const std::string& unit = d.ComputedUnits[kk];
            row.attr(name, v);
            if (!unit.empty()) row.attr(name, "U", unit);
            display(d.ComputedDisplays[kk], name, v, unit, d, out);
            alertTest(name, v, unit, out);
        }
    }

    st.frameAccepted = 1;
    if (checkEnabled) {
        // The width of this frame's own check field; without one the value stays whole.
        std::uint32_t c = static_cast<std::uint32_t>(check);
        if (checkWidth > 0 && checkWidth < 32) c &= (std::uint32_t{1} << checkWidth) - 1;
        const int digits = checkWidth > 0 ? std::min(8, (checkWidth + 3) / 4) : 1;
        text_.clear();
        int shown = 8;
        while (shown > digits && ((c >> ((shown - 1) * 4)) & 15) == 0) --shown;
        for (int i = shown - 1; i >= 0; --i) text_ += kHexDigits[(c >> (i * 4)) & 15];
        row.attr("CKSCalc", text_);
        if (checkSeen) {
            const bool good = text_ == receivedCheck_;
            row.attr("CKSGood", good ? "1" : "0");
            st.frameAccepted = good ? 1 : 0;
        }
    }

    if (settings_.lseReceiver) {
        const auto& snap = st.lseSnapshot;
        text_.clear();
        appendFixed(text_, snap.angle, 1);
        row.attr("CAngle", text_);
        row.attr("CAngleU", "deg");
        if (settings_.lseKind != 'M') {
            text_.clear();
            appendFixed(text_, snap.speed, 1);
            row.attr("CSpeed", text_);
            row.attr("CSpeedU", "rpm");
        }
        text_.clear();
        appendFixed(text_, snap.avgSpeed, 1);
        row.attr("ASpeed", text_);
        row.attr("ASpeedU", "rpm");
        if (settings_.lseKind != 'M') row.attr("Rotation", snap.direction ? "+" : "-");
    }

    const bool accepted = idAccepted();
    if (settings_.alerts.active && accepted && st.frameAccepted) {
        if (alertFieldSeen_) {
            alerts.alertFieldSeen = true;
            alerts.alertSilence = 0;
            alerts.lastAlertId = idText_;
        }
        // Only an accepted frame may show its value in the alert window.
        if (out.level1 || out.level2) alerts.alertValueText = alertValue_;
        if (out.level1) alerts.warningSeen = true;
        if (out.level2) alerts.alertSeen = true;
        if (out.level1) row.attr("Alert", out.level2 ? "A" : "W");
    }
    out.rowComplete = true;
    out.accepted = accepted;
    return accepted;
}

RunFrameSink::RunFrameSink(FrameEvaluator& evaluator, ResultLog& log,
                           std::function<std::int64_t()> sampleCounter)
    : evaluator_(evaluator), log_(log), sampleCounter_(std::move(sampleCounter)) {
    lastSample_.fill(kNoSample);
}

void RunFrameSink::setChannel(int channel, std::vector<Slot> slots) {
    if (channel < 0 || channel > 3) return;
    const std::size_t c = static_cast<std::size_t>(channel);
    channels_[c].clear();
    for (const Slot& s : slots) channels_[c].push_back({s, {}});
    lastSample_[c] = kNoSample;
}

RunFrameSink::Entry* RunFrameSink::entry(int channel, std::size_t slot) {
    if (channel < 0 || channel > 3) return nullptr;
    auto& list = channels_[static_cast<std::size_t>(channel)];
    if (slot >= list.size() || !list[slot].slot.description) return nullptr;
    return &list[slot];
}

const FrameEvaluation* RunFrameSink::evaluation(int channel, std::size_t slot) const {
    if (channel < 0 || channel > 3) return nullptr;
    const auto& list = channels_[static_cast<std::size_t>(channel)];
    return slot < list.size() ? &list[slot].evaluation : nullptr;
}

bool RunFrameSink::EvaluateFrame(int channel, std::size_t slot) {
    Entry* e = entry(channel, slot);
    if (!e) return false;
    config::TRXREC& d = *e->slot.description;
    if (e->slot.decoded) {
        d.state.frameBits = e->slot.decoded->frameBits;
        d.state.frameHex = e->slot.decoded->frameHex;
        d.state.matchSample = e->slot.decoded->matchSample;
    }
    evaluator_.EvaluateFrame(d, channel, e->evaluation);
    const std::size_t c = static_cast<std::size_t>(channel);
    lastSlot_[c] = slot;
    lastSample_[c] = sampleCounter_ ? sampleCounter_() : 0;
    // Frames the ID filter or the check refuses still compete and reach the full log; only the
    // content filters drop a frame here.
    return e->evaluation.rowComplete;
}

void RunFrameSink::AppendResultRow(int channel, std::size_t slot, bool accepted) {
    Entry* e = entry(channel, slot);
    if (!e) return;
    const config::RxDecoderState& st = e->slot.description->state;
    ResultRow r;
    r.rowText = st.rowText;
    r.spans = &e->evaluation.spans;
    r.lastId = st.lastId;
    r.dataText = st.dataText;
    r.frameHex = st.frameHex;
    r.graphic = &e->evaluation.graphic;
    log_.AppendResultRow(channel, r, accepted && e->evaluation.accepted && st.frameAccepted != 0);
}

void RunFrameSink::logUnrecognised(int channel, std::size_t slot) {
    if (channel < 0 || channel > 3) return;
    const std::size_t c = static_cast<std::size_t>(channel);
    // The row of the last description that decoded this very frame, not an older one.
    const std::int64_t now = sampleCounter_ ? sampleCounter_() : 0;
    if (lastSample_[c] != now) return;
    slot = lastSlot_[c];
    Entry* e = entry(channel, slot);
    if (!e) return;
    config::RxDecoderState& st = e->slot.description->state;
    RowWriter row(st.rowText, e->evaluation.spans);
    row.truncate(static_cast<std::size_t>(std::max(0, st.rowHexEnd)));
    row.attr("Error", kNoDescriptionError);
    ResultRow r;
    r.rowText = st.rowText;
    r.spans = &e->evaluation.spans;
    r.lastId = st.lastId;
    r.dataText = st.dataText;
    r.frameHex = st.frameHex;
    log_.AppendResultRow(channel, r, false);
}

void RunFrameSink::takeLseSnapshot(int channel, std::size_t slot, const LseMeter& lse,
                                   std::int64_t offsetSamples) {
    Entry* e = entry(channel, slot);
    if (!e) return;
    config::TRXREC& d = *e->slot.description;
    const std::int64_t back =
        std::int64_t{d.ChipTime} * d.PreambleLength / 10 + std::max<std::int64_t>(0, offsetSamples);
    const LseSample& s = lse.lookBack(back);
    d.state.lseSnapshot.angle = s.angle;
    d.state.lseSnapshot.speed = s.speed;
    d.state.lseSnapshot.avgSpeed = s.avgSpeed;
    d.state.lseSnapshot.direction = static_cast<std::uint8_t>(s.direction);
}

}  // namespace vornlfrf::run
