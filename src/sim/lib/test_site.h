#pragma once
// Emulated test-site controller: ASCII lines ended by a carriage return (a line feed is
// ignored). It records the lines the host sends, answers "RFOFF" with "RFOFF:OK" and "RFON"
// with "RFON:OK" when asked to, and sends the lines a test or the scenario gives it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "endpoint.h"

namespace vornlfrf::sim {

class TestSite : public Endpoint {
  public:
    explicit TestSite(bool autoAnswer) : autoAnswer_(autoAnswer) {}

    void attach(std::int64_t t, int baudRate) override;
    void receive(std::int64_t t, const std::uint8_t* data, std::size_t n) override;
    bool baudChanged(std::int64_t t, int rate) override;

    // Sends text followed by a carriage return, starting at t.
    void sendLine(std::int64_t t, const std::string& text);
    const std::vector<std::string>& linesReceived() const { return lines_; }
    void onLine(std::function<void(const std::string&)> callback) { onLine_ = std::move(callback); }

  private:
    bool autoAnswer_;
    std::string partial_;
    std::vector<std::string> lines_;
    std::function<void(const std::string&)> onLine_;
};

}  // namespace vornlfrf::sim
