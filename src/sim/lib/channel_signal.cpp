#include "channel_signal.h"

#include <algorithm>
#include <cmath>

#include "random.h"

namespace vornlfrf::sim {

namespace {

// Optical LSE marks, as pulses on the step grid (200 marks per revolution): index mark, forward
// step, backward step.
constexpr double kIndexMarkUs = 70;
constexpr double kForwardMarkUs = 50;
constexpr double kBackwardMarkUs = 30;
constexpr int kMarksPerRevolution = 200;

}  // namespace

std::int64_t Transmission::endUs() const {
    return startUs + static_cast<std::int64_t>(std::ceil(chipUs * chips.size()));
}

ChannelSignal::ChannelSignal(const ChannelConfig& config, int index, std::uint64_t seed)
    : config_(config), index_(index), seed_(seed) {}

void ChannelSignal::add(Transmission transmission) {
    active_.push_back(std::move(transmission));
}

int ChannelSignal::lseLevel(std::int64_t tUs) const {
    double rpm = std::max(config_.lseRpm, 1.0);
    double t = static_cast<double>(tUs);
    if (config_.lse == LseKind::Magnetic) {
        double revolutionUs = 60e6 / rpm;
        return std::fmod(t, revolutionUs) < revolutionUs / 2 ? 1 : 0;
    }
    double stepUs = 60e6 / (rpm * kMarksPerRevolution);
    auto step = static_cast<std::int64_t>(std::floor(t / stepUs));
    double phase = t - static_cast<double>(step) * stepUs;
    double width = step % kMarksPerRevolution == 0 ? kIndexMarkUs
                   : config_.lseForward            ? kForwardMarkUs
                                                   : kBackwardMarkUs;
    return phase < width ? 1 : 0;
}

int ChannelSignal::cleanLevel(std::int64_t tUs) {
    if (config_.lse != LseKind::None) return lseLevel(tUs);
    active_.erase(std::remove_if(active_.begin(), active_.end(),
                                 [tUs](const Transmission& x) { return x.endUs() <= tUs; }),
                  active_.end());
    // Overlapping frames collide: any frame at its high level pulls the line high.
    bool any = false;
    int high = 0;
    for (const Transmission& x : active_) {
        if (tUs < x.startUs) continue;
        auto chip = static_cast<std::size_t>(static_cast<double>(tUs - x.startUs) / x.chipUs);
        if (chip >= x.chips.size()) continue;
        any = true;
        if (x.chips[chip] == '1') high = 1;
    }
    return any ? high : config_.idleLevel;
}

int ChannelSignal::level(std::int64_t tUs) {
    int level = cleanLevel(tUs);
    auto t = static_cast<std::uint64_t>(tUs);
    if (config_.glitchRate > 0) {
        std::int64_t glitchUs = std::max(config_.glitchUs, 10);
        std::uint64_t block = t / static_cast<std::uint64_t>(glitchUs);
        double chance = config_.glitchRate * static_cast<double>(glitchUs) * 1e-6;
        if (Uniform(seed_, kGlitchStream + index_, block) < chance) level ^= 1;
    }
    if (config_.noise > 0 && Uniform(seed_, kNoiseStream + index_, t) < config_.noise) level ^= 1;
    return level;
}

}  // namespace vornlfrf::sim
