#include "test_site.h"

namespace vornlfrf::sim {

void TestSite::attach(std::int64_t t, int baudRate) {
    Endpoint::attach(t, baudRate);
    line_.setBaudRate(baudRate);
    partial_.clear();
}

bool TestSite::baudChanged(std::int64_t, int rate) {
    line_.setBaudRate(rate);
    return true;
}

void TestSite::receive(std::int64_t t, const std::uint8_t* data, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        char c = static_cast<char>(data[i]);
        if (c == '\n') continue;
        if (c != '\r') {
            partial_ += c;
            continue;
        }
        std::string text = partial_;
        partial_.clear();
        lines_.push_back(text);
        if (onLine_) onLine_(text);
        if (autoAnswer_ && (text == "RFOFF" || text == "RFON")) sendLine(t, text + ":OK");
    }
}

void TestSite::sendLine(std::int64_t t, const std::string& text) {
    std::string out = text + "\r";
    line_.send(t, reinterpret_cast<const std::uint8_t*>(out.data()), out.size());
}

}  // namespace vornlfrf::sim
