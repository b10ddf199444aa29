#pragma once
// Run configuration analysis: checks the cyclic emission settings, the XML row limit, the meter
// scale and the LSE offset before a run, filling the records the run engine reads.

#include <array>
#include <string>
#include <vector>

#include "config/analysis_log.h"
#include "config/run_conf.h"

namespace vornlfrf::config {

constexpr int kMaxIndividualIds = 100;

// Broadcast and Individual emission settings read by the LF sequencer.
struct TCYCLIC {
    std::string FrameName;
    int FrameIndex = -1;  // in the LF frame table
    int On = 0;           // ms
    int Off = 0;          // ms
    int InterFrame = 0;   // ms
    int IdCount = 0;
    std::array<std::string, kMaxIndividualIds> Ids{};
};

// Values derived for the run.
struct RunConfDerived {
    int xmlRowLimit = -1;  // -1 when "Max XML lines" is invalid
    double meterMin = 0.0;
    double meterMax = 100.0;
    double meterScale = 1.0;  // 100 / (max - min)
    double meterStep = 10.0;  // (max - min) * 0.1
    int lseOffset = 0;        // units of 10 us; 0 while the offset is off
};

namespace runconf::msg {
inline constexpr char kHeading[] = "----- Run configuration -----";
inline constexpr char kBroadcastFrame[] = "Error, the LF frame in broadcast mode is undefined";
inline constexpr char kBroadcastParam[] = "Error, the broadcast frame can not have parameter";
inline constexpr char kOn[] = "Error, the ON duration in broadcast mode is undefined";
inline constexpr char kOff[] = "Error, the OFF duration in broadcast mode is undefined";
inline constexpr char kInterframe[] =
    "Error, the Interframe duration in broadcast mode is undefined";
inline constexpr char kIndividualFrame[] = "Error, the LF frame in individual mode is undefined";
inline constexpr char kIndividualParam[] =
    "Error, the individual frame must have only '@ID' parameter";
inline constexpr char kTooManyIds[] = "Error, only 100 ID max are allowed";
inline constexpr char kNoId[] = "Error, the ID list is empty";
inline constexpr char kXmlLines[] = "Error, with \"Max XML lines\" value [1000 .. 100000]";
inline constexpr char kMeter[] = "Error, with \"Min/Max Meter value\"";
inline constexpr char kLseOffset[] = "Error, with \"LSE Offset value\"";
}  // namespace runconf::msg

// lfFrames: the LF frames in table order, with the parameters the LF analysis found.
// Writes its heading and at most one error line; false on the first error.
bool AnalyseRunConfiguration(const RunConf& conf, const std::vector<LfFrameInfo>& lfFrames,
                             AnalysisLog& log, TCYCLIC& cyclic, RunConfDerived& derived);

}  // namespace vornlfrf::config
