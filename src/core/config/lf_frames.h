#pragma once
// LF frames: the keys of a frame item, the baud-rate and frequency choices, and the compiled
// table that the emission code reads by index.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "config/analysis_log.h"

namespace vornlfrf::config {

// Keys of an LF frame item.
namespace lfkey {
inline constexpr char kName[] = "Name";
inline constexpr char kComment[] = "Comment";
inline constexpr char kContent[] = "Content";
inline constexpr char kBaudrate[] = "Baudrate";
inline constexpr char kFreq[] = "Freq";
inline constexpr char kCoding[] = "Coding";
inline constexpr char kData[] = "Data";
}  // namespace lfkey

constexpr int kMaxLfFrames = 300;
constexpr int kMaxLfParams = 3;
// Longest coded content (parameter tokens included) that a frame may carry.
constexpr std::size_t kMaxLfCodedLength = 4800;

// "1960" ... "10000" (500000 / n for n = 255 down to 50), then the four fixed bit times.
const std::vector<std::string>& BaudrateList();
// kHz texts; kDefaultFreqIndex is "125.0".
const std::vector<std::string>& FrequencyList();
constexpr int kDefaultFreqIndex = 2;
constexpr std::uint8_t kFreqNotInList = 255;

// Position of text in the list, -1 when absent.
int IndexOf(const std::vector<std::string>& list, const std::string& text);

struct TLFEMI {
    std::string Name;
    std::uint8_t BitTimeCode = 0;
    std::uint8_t Inverted = 0;
    std::uint8_t FreqIndex = 0;
    std::uint8_t IsData = 0;
    std::int32_t ParamCount = 0;
    std::array<std::string, kMaxLfParams> ParamNames;
    std::array<std::string, kMaxLfParams> ParamTokens;
    std::array<std::int32_t, kMaxLfParams> ParamSizes{};
    std::string CodedContent;
    std::string EmittedContent;                             // written by the emission code
    std::string ControllerMessage;                          // written by the emission code
    std::array<std::string, kMaxLfParams> LastParamValues;  // written by the emission page
};

struct LfFrameTable {
    std::array<TLFEMI, kMaxLfFrames> frames;
    std::int32_t count = 0;
};

// Bit-time code of a Baudrate value: 1..4 for the fixed bit times, otherwise 500000 / rate.
// False for a value that is not one of those texts or whose quotient leaves 50..255, the range
// the controller's bit-time byte is given by the list (anything else would be truncated into a
// different rate or collide with the fixed codes).
bool BitTimeCodeOf(const std::string& baudrate, std::uint8_t& code);

// Fills ParamCount, ParamNames, ParamTokens and ParamSizes from CodedContent (first three
// '@' tokens). False when a "(size)" is not an integer from 1 to kMaxLfCodedLength / 2; that
// parameter then gets the size -1.
bool ExtractFrameParameters(TLFEMI& frame);

// Messages of the LF frames analysis.
namespace lftext {
inline constexpr char kHeader[] = "----- LF Frames analysis -----";
inline constexpr char kScriptHeader[] = "----- Script analysis -----";
inline constexpr char kNameNull[] = "Name field is NULL";
inline constexpr char kContentNull[] = "Content field is NULL";
inline constexpr char kSyntax[] = "Syntax error in content field";
inline constexpr char kTooLong[] = "Error, Field too long";
inline constexpr char kBadBaudrate[] = "Baudrate field is not valid";
inline constexpr char kBadFreq[] = "Freq field is not valid";
inline constexpr char kBadParamSize[] = "Parameter size error in content field";
inline constexpr char kTooManyFrames[] = "Error in LFConfig : Number of LF frames must be <=";
}  // namespace lftext

// Compiles the frame items into table, logging the heading and the first error. On failure the
// table's count is unchanged; records keep every field a compile does not write.
bool AnalyseLfFrames(const std::vector<std::string>& items, LfFrameTable& table, AnalysisLog& log);

}  // namespace vornlfrf::config
