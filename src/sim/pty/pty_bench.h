#pragma once
// The emulated bench behind pseudo-terminals: one PTY per port of the scenario, published as
// COM<n> links (and VCP0 / VCP1 for the TX and RX controllers) in a ports folder. A PTY has no
// baud rate of its own and no modem lines: the host's speed setting is read from the terminal
// settings, and RTS changes cannot be seen.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bench.h"
#include "common/result.h"
#include "hw/serial_port.h"
#include "scenario.h"

namespace vornlfrf::sim {

struct PublishedLink {
    std::string path;    // DIR/COM5
    std::string device;  // /dev/pts/3
    std::string role;    // "TX controller"
};

class PtyBench {
  public:
    PtyBench(const Scenario& scenario, std::uint64_t seed);
    ~PtyBench();

    // Creates the terminals and publishes the links in dir.
    Status publish(const std::string& dir);
    const std::vector<PublishedLink>& links() const { return links_; }
    // Removes the links that still point to this bench's terminals.
    void unpublish();

    // Waits at most maxWaitMs for host activity, then moves bytes both ways.
    void step(int maxWaitMs, int extraFd = -1, bool* extraReadable = nullptr);

    Bench& bench() { return *bench_; }

  private:
    struct Terminal;

    std::int64_t nowUs() const;
    void pump(Terminal& t);

    std::chrono::steady_clock::time_point origin_;
    std::unique_ptr<Bench> bench_;
    std::vector<std::unique_ptr<Terminal>> terminals_;
    std::vector<PublishedLink> links_;
};

}  // namespace vornlfrf::sim
