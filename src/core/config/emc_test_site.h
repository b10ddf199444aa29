#pragma once
// The serial port to the EMC/TSTLF test-site controller: opened at run start (or by a panel's
// "Test" button) with the configured baud rate, lines left as they are, and closed at stop.
// The receive side's line buffer lives here so that every open starts from an empty line.

#include <memory>
#include <string>

#include "common/host.h"
#include "hw/serial_port.h"

namespace vornlfrf::config {

namespace testsite {
inline constexpr char kOpenFailed[] = "COM port can not be opened.";
inline constexpr char kPortValid[] = "Yes, COM Port is valid.";
inline constexpr char kTestHint[] = "Test the COM port presence";
}  // namespace testsite

class TestSitePort {
  public:
    TestSitePort(hw::PortProvider& ports, Host& host) : ports_(ports), host_(host) {}
    ~TestSitePort() { CloseTestSitePort(); }
    TestSitePort(const TestSitePort&) = delete;
    TestSitePort& operator=(const TestSitePort&) = delete;

    // Empties the line buffer and opens the port; on failure shows the message and returns
    // false.
    bool OpenTestSitePort(int baudRate, int portNumber);
    // Purges, drops DTR and RTS, closes. Nothing happens when the port is closed.
    void CloseTestSitePort();

    // "Test" of the EMC and TSTLF panels, with the texts of the baud-rate and port boxes.
    void TestPort(const std::string& baudRateText, const std::string& portText);

    bool isOpen() const { return port_ != nullptr; }
    hw::SerialPort* port() { return port_.get(); }

    std::string lineBuffer;  // partial line received from the site
    std::string lastLine;    // last complete line

  private:
    void showOpenFailed();

    hw::PortProvider& ports_;
    Host& host_;
    std::unique_ptr<hw::SerialPort> port_;
};

}  // namespace vornlfrf::config
