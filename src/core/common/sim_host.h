#pragma once
// Deterministic host on a virtual clock: advancing time fires due timers in order. Message boxes
// and file dialogs take their answers from queues that tests fill; each question is recorded.

#include <deque>
#include <map>
#include <vector>

#include "common/host.h"

namespace vornlfrf {

class SimHost : public Host {
  public:
    struct Question {
        std::string text;
        std::string caption;
        MsgIcon icon;
        MsgButtons buttons;
    };

    SimHost();
    ~SimHost() override;

    std::int64_t nowMs() const override { return now_; }
    std::int64_t wallClockMs() const override { return wallOrigin_ + now_; }
    std::unique_ptr<HostTimer> createTimer(int intervalMs, std::function<void()> tick) override;
    void processEvents() override;
    void sleepProcessing(int ms) override;
    MsgAnswer messageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                         MsgButtons buttons) override;
    std::string openFileDialog(const FileDialogOptions& options) override;
    std::string saveFileDialog(const FileDialogOptions& options) override;

    // Move the clock forward, firing every due timer in time order.
    void advance(std::int64_t ms);
    void setWallClockOrigin(std::int64_t ms) { wallOrigin_ = ms; }

    // Scripted answers; an empty queue answers Ok/Yes-less defaults (Ok, or Cancel for questions).
    std::deque<MsgAnswer> answers;
    std::deque<std::string> fileAnswers;
    std::vector<Question> questions;
    std::vector<FileDialogOptions> dialogs;

  private:
    class Timer;
    friend class Timer;
    void schedule(Timer* t);
    void fireDue(std::int64_t until);

    std::int64_t now_ = 0;
    std::int64_t wallOrigin_ = 0;
    std::uint64_t nextTimerId_ = 0;
    std::map<Timer*, std::int64_t> due_;
};

}  // namespace vornlfrf
