#pragma once
// Bytes travelling from an emulated device to the host: each byte occupies the line for one
// character time (10 bits at the device's rate) and becomes readable when it has arrived.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <utility>

namespace vornlfrf::sim {

class OutputLine {
  public:
    // Bytes beyond the host's input queue (131072 bytes) are lost, as on a real port.
    static constexpr std::size_t kHostQueueBytes = 0x20000;

    void setBaudRate(int rate);
    // Queues bytes that leave the device no earlier than t, one after the other.
    void send(std::int64_t t, const std::uint8_t* data, std::size_t n);
    void send(std::int64_t t, std::uint8_t byte) { send(t, &byte, 1); }
    // Queues one byte that arrives exactly at t (the sample stream paces itself).
    void arrive(std::int64_t t, std::uint8_t byte);
    // Copies up to max bytes that arrived by now.
    std::size_t read(std::int64_t now, std::uint8_t* buffer, std::size_t max);
    // Drops what already arrived (a purge of the host's input queue).
    void dropArrived(std::int64_t now);
    // Drops what has not arrived yet (the device was reset mid-transmission).
    void dropInFlight(std::int64_t now);
    void clear();

    std::size_t queued() const { return bytes_.size(); }
    std::size_t lost() const { return lost_; }
    std::int64_t nextArrival() const;

  private:
    std::deque<std::pair<std::int64_t, std::uint8_t>> bytes_;
    double charUs_ = 10.0 * 1e6 / 115200.0;
    double lineFreeUs_ = 0;
    std::size_t lost_ = 0;
};

}  // namespace vornlfrf::sim
