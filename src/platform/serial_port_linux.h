#pragma once
// Serial ports on Linux: termios devices (USB-serial adapters, on-board UARTs, pseudo-terminals
// of the emulated bench) opened exclusively in raw 8N1 mode.

#include <memory>
#include <string>

#include "hw/serial_port.h"

namespace vornlfrf::platform {

class LinuxSerialPort : public hw::SerialPort {
  public:
    // Null when the device cannot be opened, is in use (TIOCEXCL or another holder of the
    // advisory lock), or refuses the line settings. errnoOut receives the failing errno.
    static std::unique_ptr<LinuxSerialPort> open(const std::string& device, int baudRate,
                                                 hw::LineMode rts, hw::LineMode dtr,
                                                 int* errnoOut = nullptr);
    ~LinuxSerialPort() override;

    std::size_t read(std::uint8_t* buffer, std::size_t max) override;
    bool write(const std::uint8_t* data, std::size_t n) override;
    bool setBaudRate(int rate) override;
    void setRts(bool on) override;
    void setDtr(bool on) override;
    void purge() override;

    int fd() const { return fd_; }

  private:
    explicit LinuxSerialPort(int fd) : fd_(fd) {}
    void setModemLine(int bit, bool on);

    int fd_;
};

// True when rate is applied to fd: a standard Bxxx rate through termios, any other through
// termios2/BOTHER.
bool applyBaudRate(int fd, int rate);
// termios2 path for rates without a Bxxx constant (serial_baud_other.cpp).
bool applyOtherBaudRate(int fd, int rate);

}  // namespace vornlfrf::platform
