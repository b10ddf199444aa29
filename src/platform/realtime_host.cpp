#include "realtime_host.h"

#include <algorithm>
#include <cstdio>
#include <thread>

namespace vornlfrf::platform {

namespace {
constexpr int kSleepStepMs = 1;
}

class RealTimeHost::Timer : public HostTimer {
  public:
    Timer(RealTimeHost& host, int interval, std::function<void()> tick)
        : host_(host), interval_(std::max(1, interval)), tick_(std::move(tick)) {
        host_.timers_.push_back(this);
    }
    ~Timer() override {
        auto& v = host_.timers_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    void setInterval(int ms) override {
        interval_ = std::max(1, ms);
        due_ = host_.nowMs() + interval_;
    }
    int interval() const override { return interval_; }
    void setEnabled(bool on) override {
        if (running_) {
            enabledAfterTick_ = on;
            return;
        }
        if (on && !enabled_) due_ = host_.nowMs() + interval_;
        enabled_ = on;
    }
    bool enabled() const override { return running_ ? enabledAfterTick_ : enabled_; }

    // Runs the tick when due; never re-enters.
    void fireIfDue(std::int64_t now) {
        if (!enabled_ || running_ || now < due_) return;
        running_ = true;
        enabledAfterTick_ = true;
        tick_();
        running_ = false;
        enabled_ = enabledAfterTick_;
        due_ = host_.nowMs() + interval_;
    }

  private:
    RealTimeHost& host_;
    int interval_;
    std::function<void()> tick_;
    std::int64_t due_ = 0;
    bool enabled_ = false;
    bool running_ = false;
    bool enabledAfterTick_ = true;
};

RealTimeHost::RealTimeHost() : origin_(std::chrono::steady_clock::now()) {}
RealTimeHost::~RealTimeHost() = default;

std::int64_t RealTimeHost::nowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 origin_)
        .count();
}

std::int64_t RealTimeHost::wallClockMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::unique_ptr<HostTimer> RealTimeHost::createTimer(int intervalMs, std::function<void()> tick) {
    return std::make_unique<Timer>(*this, intervalMs, std::move(tick));
}

void RealTimeHost::processEvents() {
    // A tick may create or destroy timers: walk a copy and skip the ones gone meanwhile.
    const std::vector<Timer*> snapshot = timers_;
    for (Timer* t : snapshot)
        if (std::find(timers_.begin(), timers_.end(), t) != timers_.end()) t->fireIfDue(nowMs());
}

void RealTimeHost::sleepProcessing(int ms) {
    const std::int64_t until = nowMs() + std::max(0, ms);
    processEvents();
    while (nowMs() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kSleepStepMs));
        processEvents();
    }
}

MsgAnswer RealTimeHost::messageBox(const std::string& text, const std::string& caption, MsgIcon,
                                   MsgButtons buttons) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    switch (buttons) {
        case MsgButtons::Ok:
        case MsgButtons::OkCancel:
            return MsgAnswer::Ok;
        case MsgButtons::YesNo:
            return MsgAnswer::No;
        case MsgButtons::YesNoCancel:
            return MsgAnswer::Cancel;
    }
    return MsgAnswer::Ok;
}

std::string RealTimeHost::openFileDialog(const FileDialogOptions&) {
    return {};
}

std::string RealTimeHost::saveFileDialog(const FileDialogOptions&) {
    return {};
}

}  // namespace vornlfrf::platform
