#include "output_line.h"

#include <algorithm>
#include <cmath>

#include "timeline.h"

namespace vornlfrf::sim {

void OutputLine::setBaudRate(int rate) {
    charUs_ = 10.0 * 1e6 / std::max(rate, 1);
}

void OutputLine::send(std::int64_t t, const std::uint8_t* data, std::size_t n) {
    double start = std::max(lineFreeUs_, static_cast<double>(t));
    for (std::size_t i = 0; i < n; ++i) {
        start += charUs_;
        arrive(static_cast<std::int64_t>(std::ceil(start)), data[i]);
    }
    lineFreeUs_ = start;
}

void OutputLine::arrive(std::int64_t t, std::uint8_t byte) {
    if (bytes_.size() >= kHostQueueBytes) {
        ++lost_;
        return;
    }
    bytes_.emplace_back(t, byte);
}

std::size_t OutputLine::read(std::int64_t now, std::uint8_t* buffer, std::size_t max) {
    std::size_t n = 0;
    while (n < max && !bytes_.empty() && bytes_.front().first <= now) {
        buffer[n++] = bytes_.front().second;
        bytes_.pop_front();
    }
    return n;
}

void OutputLine::dropArrived(std::int64_t now) {
    while (!bytes_.empty() && bytes_.front().first <= now) bytes_.pop_front();
}

void OutputLine::dropInFlight(std::int64_t now) {
    while (!bytes_.empty() && bytes_.back().first > now) bytes_.pop_back();
    lineFreeUs_ = std::min(lineFreeUs_, static_cast<double>(now));
}

void OutputLine::clear() {
    bytes_.clear();
    lineFreeUs_ = 0;
}

std::int64_t OutputLine::nextArrival() const {
    return bytes_.empty() ? Timeline::kNever : bytes_.front().first;
}

}  // namespace vornlfrf::sim
