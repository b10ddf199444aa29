#pragma once
// The 4 MiB ring between the receiver reader thread (producer) and the acquisition tick on the
// user-interface thread (consumer). The producer also moves the read index when the ring is
// full, so both sides touch it: a mutex guards the indices, and both sides move whole blocks per
// lock so the lock costs nothing next to the decoding.

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace vornlfrf::run {

class RxRing {
  public:
    static constexpr std::uint32_t kSize = 4194304;

    RxRing();

    void reset();
    // Producer: appends bytes, dropping the oldest unread ones when the ring is full.
    void append(const std::uint8_t* data, std::size_t n);
    // Consumer: next byte, or -1 when empty.
    int ReadRxByte();
    // Consumer: up to max bytes in arrival order; returns how many.
    std::size_t readBlock(std::uint8_t* out, std::size_t max);

    std::uint32_t receivedTotal() const;
    std::size_t pending() const;
    // The bytes received since the start that the ring still holds, oldest first.
    std::vector<std::uint8_t> lastReceived() const;

  private:
    mutable std::mutex mutex_;
    std::vector<std::uint8_t> buffer_;
    std::uint32_t read_ = 0;
    std::uint32_t write_ = 0;
    std::uint32_t total_ = 0;
};

// Four bytes per received byte: low nibble twice, then high nibble twice.
std::vector<std::uint8_t> encodeLastAcquisitions(const std::vector<std::uint8_t>& bytes);
// Writes the file, replacing it; false when it cannot be created.
bool SaveLastAcquisitions(const RxRing& ring, const std::string& path);

}  // namespace vornlfrf::run
