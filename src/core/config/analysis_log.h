#pragma once
// The AnalysisLog collects the lines of configuration analyses and hardware procedures; the log
// window shows them. Listeners let a window follow new lines without polling.

#include <functional>
#include <string>
#include <vector>

namespace vornlfrf::config {

class AnalysisLog {
  public:
    void LogLine(const std::string& text);
    void ClearLog();
    const std::vector<std::string>& lines() const { return lines_; }
    // Lines joined by "\r\n", as the log window shows them.
    std::string text() const;

    // Called after every change (a new line or a clear).
    void setListener(std::function<void()> listener) { listener_ = std::move(listener); }

  private:
    std::vector<std::string> lines_;
    std::function<void()> listener_;
};

}  // namespace vornlfrf::config
