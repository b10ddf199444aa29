#include "hw/lf_command.h"

#include <algorithm>
#include <cstdlib>

#include "config/content_parser.h"

namespace vornlfrf::hw {

const std::array<LfLevel, kLfLevelCount> LfLevels = {{
    {0, 0x00},  {1, 0x15},  {2, 0x1B},  {4, 0x24},  {8, 0x29},   {10, 0x2C}, {15, 0x2E},
    {20, 0x31}, {25, 0x33}, {30, 0x35}, {35, 0x36}, {40, 0x37},  {45, 0x38}, {50, 0x39},
    {60, 0x3A}, {70, 0x3C}, {80, 0x3D}, {90, 0x3E}, {100, 0x3F},
}};

// 119.0, 121.9, 125.0, 128.2, 131.6 kHz.
const std::array<std::array<std::uint8_t, 4>, kLfFrequencyCount> LfFrequencyBytes = {{
    {0x04, 0x29, 0x15, 0x00},
    {0x04, 0x28, 0x14, 0x02},
    {0x05, 0x09, 0x05, 0x00},
    {0x04, 0x26, 0x13, 0x02},
    {0x04, 0x25, 0x13, 0x00},
}};

namespace {

constexpr std::uint32_t kCwDurationBase = 0x01010100;
constexpr std::uint32_t kCwTicksPerMs = 500;

config::CodingType codingOf(const config::TLFEMI& frame) {
    return frame.Inverted ? config::CodingType::ManchesterInverted
                          : config::CodingType::ManchesterStandard;
}

bool allBits(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == '0' || c == '1'; });
}

// The last 2 × size characters: each bit of a parameter is two Manchester chips.
void keepLast(std::string& chips, int size) {
    if (size < 0) return;
    const std::size_t keep = 2 * static_cast<std::size_t>(size);
    if (chips.size() > keep) chips.erase(0, chips.size() - keep);
}

// The chips of one parameter value; false (message shown) when it does not convert to bits.
bool convertValue(const std::string& value, config::CodingType coding, std::string& chips,
                  const MessageSink& show) {
    chips = config::ParseContent(value, coding);
    // The parser's errors begin with a letter; bit strings with '0' or '1'.
    if (chips.compare("@") > 0) {
        if (show) show(chips);
        return false;
    }
    // A value may not bring parameter tokens of its own into the frame.
    if (!allBits(chips)) {
        if (show) show("Error with " + value);
        return false;
    }
    return true;
}

std::string trimmed(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

void appendHex(std::string& out, std::uint8_t b) {
    static const char digits[] = "0123456789ABCDEF";
    out += digits[b >> 4];
    out += digits[b & 0x0F];
}

}  // namespace

BitTimeBytes BitTimeBytesOf(std::uint8_t code) {
    switch (code) {
        case 1:
            return {0xE1, 0x04};
        case 2:
            return {0x81, 0x14};
        case 3:
            return {0x09, 0x28};
        case 4:
            return {0x49, 0xC4};
        default:
            return {code, 0x01};
    }
}

int SubstituteFrameParams(config::TLFEMI& frame, const std::string& value1,
                          const std::string& value2, const std::string& value3,
                          const MessageSink& show) {
    if (frame.ParamCount <= 0) {
        frame.EmittedContent = frame.CodedContent;
        return 0;
    }
    const std::string* values[] = {&value1, &value2, &value3};
    const int count = std::min<int>(frame.ParamCount, config::kMaxLfParams);
    std::string work = frame.CodedContent;
    for (int i = 0; i < count; ++i) {
        std::string chips;
        if (!convertValue(*values[i], codingOf(frame), chips, show)) {
            frame.EmittedContent.clear();
            return 1;
        }
        keepLast(chips, frame.ParamSizes[static_cast<std::size_t>(i)]);
        const std::string token = "@" + frame.ParamTokens[static_cast<std::size_t>(i)];
        const std::size_t at = work.find(token);
        if (at != std::string::npos) work.replace(at, token.size(), chips);
    }
    work.erase(std::remove(work.begin(), work.end(), ' '), work.end());
    frame.EmittedContent = work;
    return 0;
}

bool SubstituteScriptVars(config::TLFEMI& frame, const ScriptVariableLookup& variable,
                          const MessageSink& show) {
    if (frame.CodedContent.find('@') == std::string::npos) {
        frame.EmittedContent = frame.CodedContent;
        return true;
    }
    std::string out;
    std::size_t pos = 0;
    const std::string& coded = frame.CodedContent;
    while (pos <= coded.size()) {
        std::size_t end = coded.find(' ', pos);
        if (end == std::string::npos) end = coded.size();
        const std::string token = coded.substr(pos, end - pos);
        pos = end + 1;
        if (token.empty()) continue;
        if (token[0] != '@') {
            out += token;
            continue;
        }
        std::string name = token.substr(1);
        int size = -1;
        const std::size_t open = name.find('(');
        if (open != std::string::npos) {
            const std::size_t close = name.find(')', open);
            char* tail = nullptr;
            const std::string inside = close == std::string::npos
                                           ? std::string()
                                           : name.substr(open + 1, close - open - 1);
            const long n = inside.empty() ? -1 : std::strtol(inside.c_str(), &tail, 10);
            if (close == std::string::npos || n < 0 || (tail && *tail)) {
                // Used without a size.
                if (show) show(text::kParameterError);
            } else {
                size = static_cast<int>(n);
            }
            name.erase(open);
        }
        std::string chips;
        if (!convertValue(variable ? variable(name) : std::string(), codingOf(frame), chips,
                          show)) {
            frame.EmittedContent.clear();
            return false;
        }
        keepLast(chips, size);
        out += chips;
    }
    frame.EmittedContent = out;
    return true;
}

std::string NormaliseId(const std::string& id) {
    std::string s = trimmed(id);
    const std::size_t cut = s.find_first_of(", ");
    if (cut != std::string::npos) s.erase(cut);
    if (s.empty() || s.back() != 'h') s += 'h';
    return s;
}

Status BuildFrameCommand(const config::TLFEMI& frame, std::string& command) {
    std::string bits = frame.EmittedContent;
    if (!allBits(bits)) return Status::failure(text::kFrameNotBinary);

    std::vector<std::uint8_t> bytes{0x03};
    if (frame.FreqIndex < kLfFrequencyCount) {
        const auto& f = LfFrequencyBytes[frame.FreqIndex];
        bytes.insert(bytes.end(), f.begin(), f.end());
    }
    const BitTimeBytes bt = BitTimeBytesOf(frame.BitTimeCode);
    bytes.push_back(bt.first);
    bytes.push_back(0x01);  // repetitions, set when sending
    bytes.push_back(0x00);  // interframe, set when sending
    bytes.push_back(bt.second);

    bits.append((4 - bits.size() % 4) % 4, '0');
    std::vector<std::uint8_t> pairs;
    int count = 0;
    int last = -1;
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        int nibble = 0;
        for (std::size_t k = 0; k < 4; ++k) nibble = nibble * 2 + (bits[i + k] - '0');
        if (nibble == last && count < 16) {
            ++count;
        } else {
            count = 1;
            last = nibble;
            pairs.push_back(0);
        }
        pairs.back() = static_cast<std::uint8_t>(((count & 0x0F) << 4) | nibble);
    }
    if (bytes.size() + 1 + pairs.size() > kMaxFrameCommandBytes)
        return Status::failure(text::kFrameTooLong);
    bytes.push_back(static_cast<std::uint8_t>(pairs.size()));
    bytes.insert(bytes.end(), pairs.begin(), pairs.end());

    command.clear();
    for (std::uint8_t b : bytes) appendHex(command, b);
    return Status::success();
}

bool HexToBytes(const std::string& hex, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    if (hex.size() % 2) return false;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int hi = hexValue(hex[i]);
        const int lo = hexValue(hex[i + 1]);
        if (hi < 0 || lo < 0) return false;
        bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    }
    return true;
}

std::string BytesToText(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i) out += ' ';
        appendHex(out, bytes[i]);
    }
    return out;
}

std::vector<std::uint8_t> BuildCwCommand(std::uint32_t durationMs) {
    const std::uint32_t v =
        durationMs * kCwTicksPerMs + kCwDurationBase;  // wraps like the firmware
    const auto& f = LfFrequencyBytes[kCwFrequencyIndex];
    return {0x12,
            f[0],
            f[1],
            f[2],
            f[3],
            static_cast<std::uint8_t>(v >> 24),
            static_cast<std::uint8_t>(v >> 16),
            static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v)};
}

int NearestLevelIndex(int percent) {
    int best = 0;
    for (int i = 1; i < kLfLevelCount; ++i)
        if (std::abs(LfLevels[i].percent - percent) < std::abs(LfLevels[best].percent - percent))
            best = i;
    return best;
}

}  // namespace vornlfrf::hw
