#include "run/rx_ring.h"

#include <algorithm>
#include <fstream>

namespace vornlfrf::run {

RxRing::RxRing() : buffer_(kSize) {}

void RxRing::reset() {
    std::lock_guard<std::mutex> lock(mutex_);
    read_ = write_ = total_ = 0;
}

void RxRing::append(const std::uint8_t* data, std::size_t n) {
    std::lock_guard<std::mutex> lock(mutex_);
    total_ = static_cast<std::uint32_t>((total_ + n) % kSize);
    for (std::size_t done = 0; done < n;) {
        const std::size_t chunk = std::min<std::size_t>(n - done, kSize - write_);
        std::copy(data + done, data + done + chunk, buffer_.begin() + write_);
        // Bytes of the consumer that this chunk passes over are lost, oldest first.
        const std::uint32_t used = (write_ - read_ + kSize) % kSize;
        const std::uint32_t freeSlots = kSize - 1 - used;
        if (chunk > freeSlots)
            read_ = static_cast<std::uint32_t>((read_ + chunk - freeSlots) % kSize);
        write_ = static_cast<std::uint32_t>((write_ + chunk) % kSize);
        done += chunk;
    }
}

int RxRing::ReadRxByte() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (read_ == write_) return -1;
    const int b = buffer_[read_];
    read_ = (read_ + 1) % kSize;
    return b;
}

std::size_t RxRing::readBlock(std::uint8_t* out, std::size_t max) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::size_t n = 0;
    while (n < max && read_ != write_) {
        const std::uint32_t end = write_ > read_ ? write_ : kSize;
        const std::size_t chunk = std::min<std::size_t>(max - n, end - read_);
        std::copy(buffer_.begin() + read_, buffer_.begin() + read_ + chunk, out + n);
        n += chunk;
        read_ = static_cast<std::uint32_t>((read_ + chunk) % kSize);
    }
    return n;
}

std::uint32_t RxRing::receivedTotal() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return total_;
}

std::size_t RxRing::pending() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return (write_ - read_ + kSize) % kSize;
}

std::vector<std::uint8_t> RxRing::lastReceived() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::uint8_t> out(total_);
    std::uint32_t at = (write_ + kSize - total_) % kSize;
    for (std::uint32_t i = 0; i < total_; ++i, at = (at + 1) % kSize) out[i] = buffer_[at];
    return out;
}

std::vector<std::uint8_t> encodeLastAcquisitions(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> out;
    out.reserve(bytes.size() * 4);
    for (std::uint8_t b : bytes) {
        const std::uint8_t lo = b & 0x0F, hi = b >> 4;
        out.insert(out.end(), {lo, lo, hi, hi});
    }
    return out;
}

bool SaveLastAcquisitions(const RxRing& ring, const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const std::vector<std::uint8_t> data = encodeLastAcquisitions(ring.lastReceived());
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(out);
}

}  // namespace vornlfrf::run
