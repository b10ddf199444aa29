#pragma once
// The emulated bench in one object: TX and RX controllers, the four receiver channels with
// their sensors, and the test-site controller, all on one injected clock. Its port provider
// opens them by COM number like real ports; bytes a device sends become readable when the
// clock reaches their arrival time. Nothing runs by itself: every port call first brings the
// bench up to the clock (sync() does it explicitly).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/result.h"
#include "hw/serial_port.h"
#include "scenario.h"
#include "sensor.h"

namespace vornlfrf::sim {

class TxController;
class RxController;
class TestSite;
struct BenchState;

class Bench {
  public:
    using Clock = std::function<std::int64_t()>;  // microseconds, never going back
    using Trace = std::function<void(std::int64_t, const std::string&)>;

    // seed drives every draw. A sensor of a hand-built scenario whose frame cannot be built is
    // left out and named by problems(); ParseScenario refuses such sensors up front.
    Bench(const Scenario& scenario, Clock clock, std::uint64_t seed);
    ~Bench();
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;

    // Ports stay safe to use after the bench is gone: they then read nothing and fail writes.
    hw::PortProvider& ports();

    // Runs everything due up to the clock and returns the clock.
    std::int64_t sync();
    // Earliest time at which a device will have something new (a reply, a stream byte, an
    // emission event); Timeline::kNever when idle.
    std::int64_t nextActivity() const;

    TxController& tx();
    RxController& rx();
    TestSite* testSite();  // null without a test-site port
    // Injects a line from the test site (sent at once, at the port's pace); false without a
    // test-site port.
    bool siteSend(const std::string& text);
    const std::vector<std::string>& problems() const;

    const Scenario& scenario() const;
    const std::vector<TransmissionRecord>& transmissions() const;
    void setTrace(Trace trace);

  private:
    std::shared_ptr<BenchState> state_;
};

}  // namespace vornlfrf::sim
