#pragma once
// What drives the receiver reader's 50 ms period: a thread in the program, the host's virtual
// clock in tests.

#include <functional>
#include <memory>

#include "common/host.h"

namespace vornlfrf::run {

class ReaderClock {
  public:
    virtual ~ReaderClock() = default;
    virtual void start(int intervalMs, std::function<void()> tick) = 0;
    // No tick starts after this returns.
    virtual void stop() = 0;
};

// Ticks on the host's timers, on the user-interface thread.
class HostReaderClock : public ReaderClock {
  public:
    explicit HostReaderClock(Host& host) : host_(host) {}
    void start(int intervalMs, std::function<void()> tick) override {
        timer_ = host_.createTimer(intervalMs, std::move(tick));
        timer_->setEnabled(true);
    }
    void stop() override { timer_.reset(); }

  private:
    Host& host_;
    std::unique_ptr<HostTimer> timer_;
};

}  // namespace vornlfrf::run
