#pragma once
// The receiver reader's period on its own thread, as the run engine asks for it.

#include <memory>

#include "mm_timer.h"
#include "run/reader_clock.h"

namespace vornlfrf::platform {

class ThreadReaderClock : public run::ReaderClock {
  public:
    void start(int intervalMs, std::function<void()> tick) override {
        stop();
        timer_ = std::make_unique<TMMTimer>();
        timer_->setOnMMTimer(std::move(tick));
        timer_->setResolution(2);
        timer_->setInterval(intervalMs);
        timer_->setEnabled(true);
    }
    void stop() override {
        if (!timer_) return;
        // Enabled off first: no handler call starts once the timer is being destroyed.
        timer_->setEnabled(false);
        timer_.reset();
    }

  private:
    std::unique_ptr<TMMTimer> timer_;
};

}  // namespace vornlfrf::platform
