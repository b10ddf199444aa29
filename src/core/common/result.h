#pragma once
// Failures cross module boundaries as values carrying the exact operator-facing text.

#include <string>
#include <utility>

namespace vornlfrf {

struct Status {
    bool ok = true;
    std::string message;

    static Status success() { return {}; }
    static Status failure(std::string text) { return {false, std::move(text)}; }
    explicit operator bool() const { return ok; }
};

}  // namespace vornlfrf
