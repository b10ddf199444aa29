#pragma once
// A Host on the real clock for headless tools: waits sleep in small steps and fire due timers
// between them; there is no event loop beyond that. Message boxes go to standard error and
// take the default answer (Ok, else Cancel/No); file dialogs are cancelled.

#include <chrono>
#include <vector>

#include "common/host.h"

namespace vornlfrf::platform {

class RealTimeHost : public Host {
  public:
    RealTimeHost();
    ~RealTimeHost() override;

    std::int64_t nowMs() const override;
    std::int64_t wallClockMs() const override;
    std::unique_ptr<HostTimer> createTimer(int intervalMs, std::function<void()> tick) override;
    void processEvents() override;
    void sleepProcessing(int ms) override;
    MsgAnswer messageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                         MsgButtons buttons) override;
    std::string openFileDialog(const FileDialogOptions& options) override;
    std::string saveFileDialog(const FileDialogOptions& options) override;

  private:
    class Timer;
    std::chrono::steady_clock::time_point origin_;
    std::vector<Timer*> timers_;
};

}  // namespace vornlfrf::platform
