#pragma once
// The receiver reader: one tick every 50 ms on its own thread drains the RX port into the ring.
// Only the tick touches the port during a run. Link loss is detected by counting empty reads and
// handed to the user-interface thread through the post function.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "hw/serial_port.h"
#include "run/rx_ring.h"

namespace vornlfrf::run {

class RxReader {
  public:
    static constexpr int kBlock = 1024;
    static constexpr int kMaxReads = 128;
    static constexpr int kSilentReads = 50;

    // post runs a function on the user-interface thread; linkLost is what it runs there once.
    RxReader(RxRing& ring, std::function<void(std::function<void()>)> post,
             std::function<void()> linkLost);

    // Called by the run start (port open, ring reset) and by the run stop (before the port
    // closes). rxEnabled is the hardware window's chkRx.
    void StartRxReader(hw::SerialPort* rxPort, bool rxEnabled);
    void StopRxReader();

    // One reader period; safe to call from the timer thread.
    void RxReaderTick();

    int readsLastTick() const { return readsLastTick_.load(); }
    int readsMax() const { return readsMax_.load(); }
    int noReceptCount() const { return noRecept_.load(); }
    void resetCounters();

  private:
    RxRing& ring_;
    std::function<void(std::function<void()>)> post_;
    std::function<void()> linkLost_;
    hw::SerialPort* port_ = nullptr;
    bool rxEnabled_ = false;
    std::atomic<bool> active_{false};
    int silence_ = 0;  // reader thread only
    std::atomic<int> readsLastTick_{0};
    std::atomic<int> readsMax_{0};
    std::atomic<int> noRecept_{0};
};

// "dd-mmmm-yyyy hh:mm : BROKEN DIALOG !..." for the given local time.
std::string brokenDialogMessage(std::int64_t wallClockMs);

}  // namespace vornlfrf::run
