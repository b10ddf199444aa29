#include "mm_timer.h"

#include <algorithm>
#include <chrono>

namespace vornlfrf::platform {

TMMTimer::TMMTimer() {
    start();
}

TMMTimer::~TMMTimer() {
    enabled_.store(false);
    stop();
}

void TMMTimer::setInterval(int ms) {
    stop();
    interval_ = std::max(0, ms);
    start();
}

void TMMTimer::setResolution(int ms) {
    stop();
    resolution_ = std::max(0, ms);
    start();
}

void TMMTimer::setType(TimerEventType type) {
    stop();
    type_ = type;
    start();
}

void TMMTimer::setOnMMTimer(std::function<void()> handler) {
    std::lock_guard<std::mutex> lock(handlerMutex_);
    handler_ = std::move(handler);
}

void TMMTimer::start() {
    // Every (re)start runs periodically.
    type_ = TimerEventType::etPeriodic;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = false;
    }
    thread_ = std::thread([this] { run(); });
}

void TMMTimer::stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void TMMTimer::run() {
    using clock = std::chrono::steady_clock;
    const auto period = std::chrono::milliseconds(std::max(1, interval_));
    auto next = clock::now() + period;
    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_) {
        if (wake_.wait_until(lock, next, [this] { return quit_; })) break;
        // Fixed-rate schedule; after a long handler, skip the periods it overran.
        next += period;
        const auto now = clock::now();
        if (next < now) next = now + period;
        lock.unlock();
        if (enabled_.load()) {
            std::lock_guard<std::mutex> h(handlerMutex_);
            if (handler_) handler_();
        }
        lock.lock();
    }
}

}  // namespace vornlfrf::platform
