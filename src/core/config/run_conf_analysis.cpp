#include "config/run_conf_analysis.h"

#include <climits>
#include <cmath>

#include "config/item_text.h"

namespace vornlfrf::config {

namespace {

namespace msg = runconf::msg;

int findFrame(const std::vector<LfFrameInfo>& frames, const std::string& name) {
    for (std::size_t i = 0; i < frames.size(); ++i)
        if (frames[i].name == name) return static_cast<int>(i);
    return -1;
}

// Whole seconds to ms; negative or overflowing values count as undefined.
bool secondsToMs(const std::string& text, int& ms) {
    int s = 0;
    if (!parseTypedInteger(text, s) || s < 0 || s > INT_MAX / 1000) return false;
    ms = s * 1000;
    return true;
}

// ON, OFF and interframe, common to both cyclic modes (the messages name the broadcast mode).
bool cyclicTimes(const RunConf& conf, AnalysisLog& log, TCYCLIC& cyclic) {
    if (!secondsToMs(conf.txtON, cyclic.On)) {
        log.LogLine(msg::kOn);
        return false;
    }
    if (!secondsToMs(conf.txtOFF, cyclic.Off)) {
        log.LogLine(msg::kOff);
        return false;
    }
    // The controller takes the interframe as one byte.
    int inter = 0;
    if (!parseTypedInteger(conf.cboInterFrame, inter) || inter < 0 || inter > 255) {
        log.LogLine(msg::kInterframe);
        return false;
    }
    cyclic.InterFrame = inter;
    return true;
}

}  // namespace

bool AnalyseRunConfiguration(const RunConf& conf, const std::vector<LfFrameInfo>& lfFrames,
                             AnalysisLog& log, TCYCLIC& cyclic, RunConfDerived& derived) {
    log.LogLine(msg::kHeading);

    if (conf.rdbLFBrodcast) {
        const int index = findFrame(lfFrames, conf.cboBrodcast);
        if (index < 0) {
            log.LogLine(msg::kBroadcastFrame);
            return false;
        }
        cyclic.FrameName = conf.cboBrodcast;
        cyclic.FrameIndex = index;
        if (!lfFrames[static_cast<std::size_t>(index)].paramNames.empty()) {
            log.LogLine(msg::kBroadcastParam);
            return false;
        }
        if (!cyclicTimes(conf, log, cyclic)) return false;
    }

    if (conf.rdbLFIndividual) {
        const int index = findFrame(lfFrames, conf.cboIndividual);
        if (index < 0) {
            log.LogLine(msg::kIndividualFrame);
            return false;
        }
        cyclic.FrameName = conf.cboIndividual;
        cyclic.FrameIndex = index;
        const auto& params = lfFrames[static_cast<std::size_t>(index)].paramNames;
        if (params.size() != 1 || params[0] != "ID") {
            log.LogLine(msg::kIndividualParam);
            return false;
        }
        if (!cyclicTimes(conf, log, cyclic)) return false;
        const std::vector<std::string> pieces = SplitList(conf.txtID, ',');
        if (pieces.size() > static_cast<std::size_t>(kMaxIndividualIds)) {
            log.LogLine(msg::kTooManyIds);
            return false;
        }
        cyclic.IdCount = 0;
        for (const std::string& piece : pieces) {
            std::string id = TrimControl(piece);
            if (!id.empty()) cyclic.Ids[static_cast<std::size_t>(cyclic.IdCount++)] = std::move(id);
        }
        if (cyclic.IdCount == 0) {
            log.LogLine(msg::kNoId);
            return false;
        }
    }

    int rows = 0;
    if (!parseTypedInteger(conf.txtCSVLines, rows) || rows < 1000 || rows > 100000) {
        derived.xmlRowLimit = -1;
        log.LogLine(msg::kXmlLines);
        return false;
    }
    derived.xmlRowLimit = rows;

    // Equal or inverted bounds would give no usable scale.
    double lo = 0, hi = 0;
    if (!parseTypedDecimal(conf.txtMeterMin, lo) || !parseTypedDecimal(conf.txtMeterMax, hi) ||
        hi <= lo || !std::isfinite(hi - lo)) {
        log.LogLine(msg::kMeter);
        return false;
    }
    derived.meterMin = lo;
    derived.meterMax = hi;
    derived.meterScale = 100.0 / (hi - lo);
    derived.meterStep = (hi - lo) * 0.1;

    derived.lseOffset = 0;
    if (conf.chkLSEOffset) {
        int v = 0;
        const bool isInt = parseTypedInteger(conf.txtLSEOffset, v);
        if (isInt) derived.lseOffset = v / 10;
        if (!isInt || v < 0 || v > 20000) {
            log.LogLine(msg::kLseOffset);
            return false;
        }
    }
    return true;
}

}  // namespace vornlfrf::config
