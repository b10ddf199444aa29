#pragma once
// Which RF descriptions each receiver channel decodes: every ticked receiver slot claims the
// first free channel whose receiver has the slot's type and brings its descriptions along.

#include <array>
#include <string>
#include <vector>

#include "config/analysis_log.h"

namespace vornlfrf::run {

struct ReceiverSlot {
    bool used = false;                      // chk<i>
    std::string type;                       // cbo<i>
    std::string modulation;                 // "ASK" or "FSK"
    std::vector<std::string> descriptions;  // lstFrames<i>
};

struct ChannelEntry {
    std::vector<int> descriptions;  // indices into the run's working table, at most 16
    bool fsk = false;
    int activity = 0;
};

struct Attribution {
    std::array<ChannelEntry, 4> channels;
    // Working table: for each slot, the index of the RF description it copies.
    std::vector<int> working;
};

constexpr int kMaxDescriptionsPerChannel = 16;

// channelTypes: the four channel type texts ("EXT", antennas 1..3); descriptionNames: the names
// of the compiled RF descriptions in table order.
bool AttributeDescriptions(const std::array<ReceiverSlot, 4>& slots,
                           const std::array<std::string, 4>& channelTypes,
                           const std::vector<std::string>& descriptionNames,
                           config::AnalysisLog& log, Attribution& out);

// Register values for the antenna port: outputs (bit k-1 for antenna k with descriptions) and
// direction (0xF8 with the FSK bits of antennas 1..3 cleared). The EXT entry never takes a bit.
unsigned char antennaOutputs(const Attribution& a);
unsigned char antennaDirection(const Attribution& a);

}  // namespace vornlfrf::run
