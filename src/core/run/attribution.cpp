#include "run/attribution.h"

#include "config/item_text.h"

namespace vornlfrf::run {

namespace {
const char* const kChannelLabels[4] = {"EXT", "1", "2", "3"};
}

bool AttributeDescriptions(const std::array<ReceiverSlot, 4>& slots,
                           const std::array<std::string, 4>& channelTypes,
                           const std::vector<std::string>& descriptionNames,
                           config::AnalysisLog& log, Attribution& out) {
    out = Attribution{};
    std::array<bool, 4> taken{};
    std::vector<std::string> trimmedNames;
    trimmedNames.reserve(descriptionNames.size());
    for (const std::string& n : descriptionNames) trimmedNames.push_back(config::TrimControl(n));

    for (const ReceiverSlot& slot : slots) {
        if (!slot.used) continue;
        log.LogLine("----- Attribution for '" + slot.type + "' (" + slot.modulation + ")-----");
        int k = -1;
        for (int c = 0; c < 4; ++c) {
            const std::string& t = channelTypes[static_cast<std::size_t>(c)];
            // Types such as "not connected" start in lower case and never match a slot.
            if (!taken[static_cast<std::size_t>(c)] && !t.empty() && t[0] <= 'Z' &&
                t == slot.type) {
                k = c;
                break;
            }
        }
        if (k < 0) {
            log.LogLine("ERROR : the corresponding receiver is missing.");
            return false;
        }
        log.LogLine(std::string("Receiver found on channel ") + kChannelLabels[k]);
        ChannelEntry& ch = out.channels[static_cast<std::size_t>(k)];
        ch.fsk = slot.modulation == "FSK";
        for (const std::string& listed : slot.descriptions) {
            const std::string name = config::TrimControl(listed);
            int found = -1;
            for (std::size_t d = 0; d < trimmedNames.size(); ++d) {
                if (trimmedNames[d] == name) {
                    found = static_cast<int>(d);
                    break;
                }
            }
            if (found < 0) {
                log.LogLine("ERROR : '" + listed + " ' description not found !");
                return false;
            }
            bool already = false;
            for (int w : ch.descriptions)
                if (trimmedNames[static_cast<std::size_t>(
                        out.working[static_cast<std::size_t>(w)])] == name)
                    already = true;
            if (already) continue;
            if (static_cast<int>(ch.descriptions.size()) >= kMaxDescriptionsPerChannel) {
                log.LogLine("ERROR : the maximum of Frame Descriptions is 16");
                return false;
            }
            log.LogLine(listed);
            ch.descriptions.push_back(static_cast<int>(out.working.size()));
            out.working.push_back(found);
        }
        taken[static_cast<std::size_t>(k)] = true;
    }
    return true;
}

unsigned char antennaOutputs(const Attribution& a) {
    unsigned char m = 0;
    for (int k = 1; k < 4; ++k)
        if (!a.channels[static_cast<std::size_t>(k)].descriptions.empty())
            m |= static_cast<unsigned char>(1 << (k - 1));
    return m;
}

unsigned char antennaDirection(const Attribution& a) {
    unsigned char d = 0xF8;
    for (int k = 1; k < 4; ++k)
        if (a.channels[static_cast<std::size_t>(k)].fsk)
            d &= static_cast<unsigned char>(~(1 << (k + 2)));
    return d;
}

}  // namespace vornlfrf::run
