#include "run/rx_reader.h"

#include <cstdio>
#include <ctime>

namespace vornlfrf::run {

RxReader::RxReader(RxRing& ring, std::function<void(std::function<void()>)> post,
                   std::function<void()> linkLost)
    : ring_(ring), post_(std::move(post)), linkLost_(std::move(linkLost)) {}

void RxReader::StartRxReader(hw::SerialPort* rxPort, bool rxEnabled) {
    ring_.reset();
    port_ = rxPort;
    rxEnabled_ = rxEnabled;
    silence_ = 0;
    active_.store(true);
}

void RxReader::StopRxReader() {
    // The caller stops the timer thread after this, so no tick starts on a closed port.
    active_.store(false);
}

void RxReader::resetCounters() {
    readsLastTick_.store(0);
    readsMax_.store(0);
    noRecept_.store(0);
}

void RxReader::RxReaderTick() {
    if (!active_.load() || !rxEnabled_) return;
    std::uint8_t block[kBlock];
    int reads = 0;
    while (reads < kMaxReads) {
        ++reads;
        const std::size_t n = port_ ? port_->read(block, kBlock) : 0;
        if (n > 0) {
            ring_.append(block, n);
            silence_ = 0;
        } else {
            // A Linux port keeps no error state to clear; purging here could drop bytes that
            // arrived since the read.
            if (++silence_ > kSilentReads && noRecept_.fetch_add(1) + 1 == 2 && post_)
                post_(linkLost_);
        }
        if (n < static_cast<std::size_t>(kBlock)) break;
    }
    readsLastTick_.store(reads);
    if (reads > readsMax_.load()) readsMax_.store(reads);
}

std::string brokenDialogMessage(std::int64_t wallClockMs) {
    static const char* const kMonths[] = {"January",   "February", "March",    "April",
                                          "May",       "June",     "July",     "August",
                                          "September", "October",  "November", "December"};
    const std::time_t t = static_cast<std::time_t>(wallClockMs / 1000);
    const std::tm tm = *std::localtime(&t);  // user-interface thread only
    char head[64];
    std::snprintf(head, sizeof head, "%02d-%s-%04d %02d:%02d", tm.tm_mday, kMonths[tm.tm_mon],
                  tm.tm_year + 1900, tm.tm_hour, tm.tm_min);
    return std::string(head) +
           " : BROKEN DIALOG !\nYou must disconnect USB cable,\nreconnect it,\nand restart the "
           "test.";
}

}  // namespace vornlfrf::run
