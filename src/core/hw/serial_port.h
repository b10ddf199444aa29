#pragma once
// Serial link to a controller or a test-site port as core sees it. The Linux adapter (termios),
// the in-process emulated bench and test doubles implement it; core never touches a device.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vornlfrf::hw {

// Line-control modes of RTS and DTR at open time; Keep leaves the line as it is.
enum class LineMode : int { Keep = -1, Disabled = 0, Enabled = 1, Handshake = 2, Toggle = 3 };

class SerialPort {
  public:
    virtual ~SerialPort() = default;

    // Never blocks: copies up to max buffered bytes, returns how many (0 when none).
    virtual std::size_t read(std::uint8_t* buffer, std::size_t max) = 0;
    // Writes all bytes then flushes; false when the write failed or timed out.
    virtual bool write(const std::uint8_t* data, std::size_t n) = 0;
    // Changes only the baud rate; false when the new setting could not be applied.
    virtual bool setBaudRate(int rate) = 0;
    virtual void setRts(bool on) = 0;
    virtual void setDtr(bool on) = 0;
    // Drops pending output and input, clears line errors and a break condition.
    virtual void purge() = 0;
};

// Opens ports by their COM number and lists the numbers that exist.
class PortProvider {
  public:
    virtual ~PortProvider() = default;
    // Exclusive access, 8N1, no flow control, non-blocking reads; null when any step fails.
    virtual std::unique_ptr<SerialPort> OpenPort(int number, int baudRate, LineMode rts,
                                                 LineMode dtr) = 0;
    // Port numbers 1..127 in the order the system lists them.
    virtual std::vector<int> EnumeratePorts() = 0;
    // Numbers of the dual USB-serial adapter's channels A and B, 0 when unknown.
    virtual int adapterChannelPort(int channel) = 0;
};

}  // namespace vornlfrf::hw
