#pragma once
// COM numbers on Linux. A ports folder holds symbolic links "COM<n>" to device paths, like a
// DOS-device folder; a number without a link uses the usual numbering COM1-32 = /dev/ttyS0-31,
// COM33-64 = /dev/ttyUSB0-31, COM65-96 = /dev/ttyACM0-31. The dual USB-serial adapter's
// channels A and B are links "VCP0"/"VCP1" in the folder or, failing those, the ftdi_sio
// ports whose USB interface is 00 / 01.

#include <string>
#include <vector>

#include "hw/serial_port.h"

namespace vornlfrf::platform {

// VORNLFRF_PORTS, else ~/.config/vornlfrf/ports.
std::string defaultPortsFolder();
// The device of the usual numbering, empty outside 1..96.
std::string defaultDevicePath(int number);

class LinuxPortProvider : public hw::PortProvider {
  public:
    explicit LinuxPortProvider(std::string portsFolder = defaultPortsFolder(),
                               std::string sysfsRoot = "/sys", std::string devRoot = "/dev");

    // The link's target when the folder has "COM<n>", else the usual device; empty for none.
    std::string devicePath(int number) const;

    std::unique_ptr<hw::SerialPort> OpenPort(int number, int baudRate, hw::LineMode rts,
                                             hw::LineMode dtr) override;
    // Linked numbers first (ascending), then the usual devices (ascending); a number is listed
    // when its device opens or is held by another program.
    std::vector<int> EnumeratePorts() override;
    // channel 0 = A, 1 = B.
    int adapterChannelPort(int channel) override;

    const std::string& portsFolder() const { return folder_; }

  private:
    std::vector<int> linkedNumbers() const;
    std::string defaultDevice(int number) const;
    int numberOfDevice(const std::string& device) const;

    std::string folder_;
    std::string sysfs_;
    std::string dev_;
};

}  // namespace vornlfrf::platform
