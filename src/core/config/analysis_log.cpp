#include "config/analysis_log.h"

namespace vornlfrf::config {

void AnalysisLog::LogLine(const std::string& text) {
    lines_.push_back(text);
    if (listener_) listener_();
}

void AnalysisLog::ClearLog() {
    lines_.clear();
    if (listener_) listener_();
}

std::string AnalysisLog::text() const {
    std::string out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i) out += "\r\n";
        out += lines_[i];
    }
    return out;
}

}  // namespace vornlfrf::config
