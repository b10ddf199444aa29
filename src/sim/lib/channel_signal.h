#pragma once
// Demodulated data level of one receiver channel over time: the idle level, the RF frames of
// the sensors on the channel, an LSE rotation sensor, and injected glitches and noise.

#include <cstdint>
#include <string>
#include <vector>

#include "scenario.h"

namespace vornlfrf::sim {

struct Transmission {
    std::int64_t startUs = 0;
    double chipUs = 1;
    std::string chips;  // '1' is the high level

    std::int64_t endUs() const;
};

class ChannelSignal {
  public:
    ChannelSignal(const ChannelConfig& config, int index, std::uint64_t seed);

    void add(Transmission transmission);
    // Level at time t; successive calls must not go back in time.
    int level(std::int64_t tUs);

  private:
    int cleanLevel(std::int64_t tUs);
    int lseLevel(std::int64_t tUs) const;

    ChannelConfig config_;
    int index_;
    std::uint64_t seed_;
    std::vector<Transmission> active_;
};

}  // namespace vornlfrf::sim
