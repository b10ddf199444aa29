#include "config/lf_frames.h"

#include "config/content_parser.h"
#include "config/ini_document.h"
#include "config/item_text.h"

namespace vornlfrf::config {

namespace {

constexpr int kBitTimeDividend = 500000;
constexpr int kSlowestDivisor = 255;
constexpr int kFastestDivisor = 50;

// The fixed bit times and their codes, in list order.
struct FixedBitTime {
    const char* text;
    std::uint8_t code;
};
constexpr FixedBitTime kFixedBitTimes[] = {
    {"* 1ms/bit", 1},
    {"* 5ms/bit", 2},
    {"* 10ms/bit", 3},
    {"* 50ms/bit", 4},
};

std::vector<std::string> buildBaudrates() {
    std::vector<std::string> list;
    for (int n = kSlowestDivisor; n >= kFastestDivisor; --n)
        list.push_back(std::to_string(kBitTimeDividend / n));
    for (const FixedBitTime& f : kFixedBitTimes) list.emplace_back(f.text);
    return list;
}

}  // namespace

const std::vector<std::string>& BaudrateList() {
    static const std::vector<std::string> list = buildBaudrates();
    return list;
}

const std::vector<std::string>& FrequencyList() {
    static const std::vector<std::string> list = {"119.0", "121.9", "125.0", "128.2", "131.6"};
    return list;
}

int IndexOf(const std::vector<std::string>& list, const std::string& text) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] == text) return static_cast<int>(i);
    return -1;
}

bool BitTimeCodeOf(const std::string& baudrate, std::uint8_t& code) {
    for (const FixedBitTime& f : kFixedBitTimes) {
        if (baudrate == f.text) {
            code = f.code;
            return true;
        }
    }
    int rate = 0;
    if (!parseInt(baudrate, rate) || rate <= 0) return false;
    const int divisor = kBitTimeDividend / rate;
    if (divisor < kFastestDivisor || divisor > kSlowestDivisor) return false;
    code = static_cast<std::uint8_t>(divisor);
    return true;
}

bool ExtractFrameParameters(TLFEMI& frame) {
    bool ok = true;
    frame.ParamCount = 0;
    for (const std::string& piece : SplitList(frame.CodedContent, ' ')) {
        if (frame.ParamCount >= kMaxLfParams) break;
        const std::string t = TrimControl(piece);
        if (t.empty() || t.front() != '@') continue;
        const std::size_t i = static_cast<std::size_t>(frame.ParamCount);
        const std::string token = t.substr(1);
        frame.ParamTokens[i] = token;
        const std::size_t open = token.find('(');
        const std::size_t close = token.find(')');
        if (open != std::string::npos && close != std::string::npos) {
            int size = -1;
            const bool valid = close > open &&
                               parseInt(token.substr(open + 1, close - open - 1), size) &&
                               size >= 1 && size <= static_cast<int>(kMaxLfCodedLength / 2);
            if (!valid) {
                size = -1;
                ok = false;
            }
            frame.ParamSizes[i] = size;
            frame.ParamNames[i] = token.substr(0, open);
        } else {
            frame.ParamSizes[i] = -1;
            frame.ParamNames[i] = token;
        }
        ++frame.ParamCount;
    }
    return ok;
}

bool AnalyseLfFrames(const std::vector<std::string>& items, LfFrameTable& table, AnalysisLog& log) {
    log.LogLine(lftext::kHeader);
    if (items.size() > static_cast<std::size_t>(kMaxLfFrames)) {
        log.LogLine(lftext::kTooManyFrames + std::to_string(kMaxLfFrames));
        return false;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string& item = items[i];
        const std::string name = ItemGetValue(item, lfkey::kName);
        const std::string content = ItemGetValue(item, lfkey::kContent);
        const std::string baudrate = ItemGetValue(item, lfkey::kBaudrate);
        const std::string freq = ItemGetValue(item, lfkey::kFreq);
        const std::string coding = ItemGetValue(item, lfkey::kCoding);
        const std::string data = ItemGetValue(item, lfkey::kData);
        auto fail = [&](const char* message) {
            log.LogLine("Error in LFConfig, frame '" + name + "' : " + message);
            return false;
        };

        if (name.empty()) return fail(lftext::kNameNull);
        TLFEMI& rec = table.frames[i];
        rec.Name = name;
        const int freqIndex = IndexOf(FrequencyList(), freq);

        if (data == "1") {
            if (content.empty()) return fail(lftext::kContentNull);
            rec.Inverted = coding == "1" ? 1 : 0;
            const std::string coded =
                ParseContent(content, rec.Inverted ? CodingType::ManchesterInverted
                                                   : CodingType::ManchesterStandard);
            // Blank content codes as nothing: there would be no frame to emit.
            if (coded.empty()) return fail(lftext::kContentNull);
            if (static_cast<unsigned char>(coded.front()) > '@') return fail(lftext::kSyntax);
            if (coded.size() > kMaxLfCodedLength) return fail(lftext::kTooLong);
            rec.CodedContent = coded;
            if (!ExtractFrameParameters(rec)) return fail(lftext::kBadParamSize);
            if (!BitTimeCodeOf(baudrate, rec.BitTimeCode)) return fail(lftext::kBadBaudrate);
            // A data command without its frequency bytes would shift the repetition and
            // interframe bytes into the content.
            if (freqIndex < 0) return fail(lftext::kBadFreq);
            rec.IsData = 1;
        } else {
            rec.IsData = 0;
            rec.ParamCount = 0;
        }
        rec.FreqIndex = freqIndex < 0 ? kFreqNotInList : static_cast<std::uint8_t>(freqIndex);
    }
    table.count = static_cast<std::int32_t>(items.size());
    log.LogLine(lftext::kScriptHeader);
    return true;
}

}  // namespace vornlfrf::config
