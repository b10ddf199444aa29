#pragma once
// Rotation measurement of an LSE sensor on channel 1: marks in the sample stream give the angle
// and the speed of the wheel. 'O' optical (index and step marks), 'M' magnetic (one mark a turn).

#include <array>
#include <cstdint>

namespace vornlfrf::run {

struct LseSample {
    double angle = 0, speed = 0, avgSpeed = 0;
    int direction = 1;
};

class LseMeter {
  public:
    static constexpr int kHistory = 2048;

    explicit LseMeter(char kind = 'O') : kind_(kind) {}
    void reset(char kind);
    // One sample of channel 1; returns true when it was a mark (the channel LED lights).
    bool measure(int b);

    const LseSample& current() const { return now_; }
    // The state offsetBack samples before the latest one.
    const LseSample& lookBack(std::int64_t offsetBack) const;
    char kind() const { return kind_; }
    int markType() const { return markType_; }

  private:
    char kind_;
    unsigned shift_ = 0;
    std::int64_t sinceMark_ = 0, period_ = 100000, revSamples_ = 0;
    int markCount_ = 0, markType_ = 0;
    double baseAngle_ = 0;
    LseSample now_;
    std::array<LseSample, kHistory> history_{};
    int write_ = 0;
};

}  // namespace vornlfrf::run
