#pragma once
// LF emission commands of the TX controller, built from a compiled LF frame.
//
// Frame command (at most 256 bytes, one write):
//   03 f1 f2 f3 f4 b1 rr ii b2 np p1 .. pn
//     f1..f4  carrier frequency bytes (absent when the frame's frequency is not in the list)
//     b1, b2  bit-time bytes            rr, ii  repetitions (0 = continuous), interframe ms
//     np      number of run-length pairs; each pair = count << 4 | nibble, count 1..15, 0 = 16
//   The bits are padded with 0 to whole nibbles, most significant bit first.
//   -> FC accepted, FE per frame emitted, FF at the end.
// CW command:     12 05 09 05 00 v3 v2 v1 v0, v = duration ms * 500 + 0x01010100
//   -> ED accepted, FF at the end.
// Level command:  11 code  -> one byte, not checked.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/result.h"
#include "config/lf_frames.h"

namespace vornlfrf::hw {

struct LfLevel {
    int percent;
    std::uint8_t code;
};

inline constexpr int kLfLevelCount = 19;
inline constexpr int kMaxLfLevel = kLfLevelCount - 1;
extern const std::array<LfLevel, kLfLevelCount> LfLevels;

inline constexpr int kLfFrequencyCount = 5;
extern const std::array<std::array<std::uint8_t, 4>, kLfFrequencyCount> LfFrequencyBytes;
// The carrier is always emitted at 125.0 kHz.
inline constexpr int kCwFrequencyIndex = 2;

struct BitTimeBytes {
    std::uint8_t first;
    std::uint8_t second;
};
BitTimeBytes BitTimeBytesOf(std::uint8_t bitTimeCode);

inline constexpr std::size_t kMaxFrameCommandBytes = 256;

namespace text {
inline constexpr char kParameterError[] = "Error with parameter in LF description";
inline constexpr char kFrameTooLong[] =
    "Error, LF frame too long : the TX controller command exceeds 256 bytes";
inline constexpr char kFrameNotBinary[] = "Error, LF frame content holds a parameter without value";
}  // namespace text

// Shows a message to the operator.
using MessageSink = std::function<void(const std::string&)>;

// EmittedContent from the values of the frame's parameters (0 done, 1 a value failed to
// convert: its text is shown and EmittedContent emptied).
int SubstituteFrameParams(config::TLFEMI& frame, const std::string& value1,
                          const std::string& value2, const std::string& value3,
                          const MessageSink& show);

// Value of a SET variable of the running script; empty when there is none.
using ScriptVariableLookup = std::function<std::string(const std::string& name)>;

// EmittedContent from the running script's SET variables. False when a conversion failed (its
// text is shown and EmittedContent emptied).
bool SubstituteScriptVars(config::TLFEMI& frame, const ScriptVariableLookup& variable,
                          const MessageSink& show);

// An ID as the first parameter value: trimmed, cut at the first comma or space, hexadecimal.
std::string NormaliseId(const std::string& id);

// The frame command as hexadecimal digit pairs (ControllerMessage), from EmittedContent.
// Refused when the content is not all bits or the command would exceed 256 bytes.
Status BuildFrameCommand(const config::TLFEMI& frame, std::string& command);

// Hexadecimal digit pairs to bytes; false on an odd length or a non-hexadecimal digit.
bool HexToBytes(const std::string& hex, std::vector<std::uint8_t>& bytes);
// Bytes as space-separated upper-case hexadecimal pairs ("03 05 09").
std::string BytesToText(const std::vector<std::uint8_t>& bytes);

std::vector<std::uint8_t> BuildCwCommand(std::uint32_t durationMs);

// Index whose percentage is nearest to percent, the lower one on a tie.
int NearestLevelIndex(int percent);

}  // namespace vornlfrf::hw
