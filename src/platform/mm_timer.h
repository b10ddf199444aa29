#pragma once
// Periodic timer whose handler runs on its own thread (the receiver reader's clock). Setting
// Enabled only gates the handler; changing Interval or Resolution restarts the thread.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace vornlfrf::platform {

class TMMTimer {
  public:
    enum class TimerEventType { etOneShot, etPeriodic };

    TMMTimer();
    ~TMMTimer();
    TMMTimer(const TMMTimer&) = delete;
    TMMTimer& operator=(const TMMTimer&) = delete;

    void setInterval(int ms);
    void setResolution(int ms);
    void setType(TimerEventType type);
    void setEnabled(bool on) { enabled_.store(on); }
    void setOnMMTimer(std::function<void()> handler);

    int interval() const { return interval_; }
    int resolution() const { return resolution_; }
    bool enabled() const { return enabled_.load(); }
    TimerEventType type() const { return type_; }

  private:
    void start();
    void stop();
    void run();

    int interval_ = 10;
    int resolution_ = 0;
    TimerEventType type_ = TimerEventType::etPeriodic;
    std::atomic<bool> enabled_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool quit_ = false;
    std::function<void()> handler_;  // guarded by handlerMutex_
    std::mutex handlerMutex_;
    std::thread thread_;
};

}  // namespace vornlfrf::platform
