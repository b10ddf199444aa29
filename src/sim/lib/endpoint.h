#pragma once
// The device end of an emulated serial port: the bench's port object forwards the host's calls
// here, each stamped with the bench time at which it happens.

#include <cstddef>
#include <cstdint>

#include "output_line.h"
#include "timeline.h"

namespace vornlfrf::sim {

class Endpoint {
  public:
    virtual ~Endpoint() = default;

    // The host opened the port (its input queue starts empty) or closed it.
    virtual void attach(std::int64_t /*t*/, int /*baudRate*/) { line_.clear(); }
    virtual void detach(std::int64_t /*t*/) {}
    // Bytes written by the host.
    virtual void receive(std::int64_t t, const std::uint8_t* data, std::size_t n) = 0;
    // The host changed its port speed; false refuses the rate.
    virtual bool baudChanged(std::int64_t /*t*/, int /*rate*/) { return true; }
    virtual void rtsChanged(std::int64_t /*t*/, bool /*on*/) {}
    // Produces output that flows by itself (the sample stream) up to t.
    virtual void advance(std::int64_t /*t*/) {}
    // Earliest time at which something new happens on this endpoint without host action.
    virtual std::int64_t nextActivity() const { return line_.nextArrival(); }

    std::size_t deliver(std::int64_t now, std::uint8_t* buffer, std::size_t max) {
        return line_.read(now, buffer, max);
    }
    void purge(std::int64_t now) { line_.dropArrived(now); }
    const OutputLine& line() const { return line_; }

  protected:
    OutputLine line_;
};

// A port that exists and opens but where nothing answers.
class SilentEndpoint : public Endpoint {
  public:
    void receive(std::int64_t, const std::uint8_t*, std::size_t) override {}
};

}  // namespace vornlfrf::sim
