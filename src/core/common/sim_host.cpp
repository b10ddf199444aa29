#include "common/sim_host.h"

#include <algorithm>
#include <limits>

namespace vornlfrf {

class SimHost::Timer : public HostTimer {
  public:
    Timer(SimHost& host, int interval, std::function<void()> tick)
        : host_(host),
          id_(host.nextTimerId_++),
          interval_(std::max(1, interval)),
          tick_(std::move(tick)) {}
    ~Timer() override { host_.due_.erase(this); }

    void setInterval(int ms) override {
        interval_ = std::max(1, ms);
        if (enabled_ && !running_) host_.schedule(this);
    }
    int interval() const override { return interval_; }
    void setEnabled(bool on) override {
        if (running_) {
            // Decided when the tick ends; the timer never re-enters meanwhile.
            enabledAfterTick_ = on;
            return;
        }
        if (on == enabled_) return;
        enabled_ = on;
        if (on)
            host_.schedule(this);
        else
            host_.due_.erase(this);
    }
    bool enabled() const override { return running_ ? enabledAfterTick_ : enabled_; }

    void fire() {
        host_.due_.erase(this);
        running_ = true;
        enabledAfterTick_ = true;
        tick_();
        running_ = false;
        enabled_ = enabledAfterTick_;
        if (enabled_) host_.schedule(this);
    }

    SimHost& host_;
    const std::uint64_t id_;
    int interval_;
    std::function<void()> tick_;
    bool enabled_ = false;
    bool running_ = false;
    bool enabledAfterTick_ = true;
};

SimHost::SimHost() = default;
SimHost::~SimHost() = default;

std::unique_ptr<HostTimer> SimHost::createTimer(int intervalMs, std::function<void()> tick) {
    return std::make_unique<Timer>(*this, intervalMs, std::move(tick));
}

void SimHost::schedule(Timer* t) {
    due_[t] = now_ + t->interval_;
}

void SimHost::fireDue(std::int64_t until) {
    for (;;) {
        Timer* next = nullptr;
        std::int64_t when = std::numeric_limits<std::int64_t>::max();
        for (const auto& [timer, due] : due_) {
            if (timer->running_) continue;
            // Equal times fire in creation order.
            if (due < when || (due == when && next && timer->id_ < next->id_)) {
                when = due;
                next = timer;
            }
        }
        if (!next || when > until) return;
        now_ = std::max(now_, when);
        next->fire();
    }
}

void SimHost::advance(std::int64_t ms) {
    const std::int64_t until = now_ + ms;
    fireDue(until);
    // A tick near the end may have waited past it; the clock never goes back.
    now_ = std::max(now_, until);
}

void SimHost::processEvents() {
    fireDue(now_);
}

void SimHost::sleepProcessing(int ms) {
    advance(ms);
}

MsgAnswer SimHost::messageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                              MsgButtons buttons) {
    questions.push_back({text, caption, icon, buttons});
    if (!answers.empty()) {
        MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

std::string SimHost::openFileDialog(const FileDialogOptions& options) {
    dialogs.push_back(options);
    if (fileAnswers.empty()) return {};
    std::string a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

std::string SimHost::saveFileDialog(const FileDialogOptions& options) {
    return openFileDialog(options);
}

}  // namespace vornlfrf
