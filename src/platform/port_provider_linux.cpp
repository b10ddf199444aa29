#include "port_provider_linux.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "serial_port_linux.h"

namespace vornlfrf::platform {

namespace fs = std::filesystem;

namespace {

constexpr int kHighestPort = 127;

struct DefaultRange {
    int first;
    const char* prefix;
};
constexpr DefaultRange kDefaultRanges[] = {{1, "ttyS"}, {33, "ttyUSB"}, {65, "ttyACM"}};
constexpr int kRangeSize = 32;

// "<prefix><digits>" -> the number; -1 otherwise.
int suffixNumber(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return -1;
    if (name.size() - prefix.size() > 3) return -1;
    int n = 0;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return -1;
        n = n * 10 + (name[i] - '0');
    }
    return n;
}

// Present, or present and held by another program.
bool deviceOpens(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    return errno == EBUSY;
}

std::string canonicalOrEmpty(const fs::path& p) {
    std::error_code ec;
    const fs::path c = fs::canonical(p, ec);
    return ec ? std::string() : c.string();
}

std::string readTrimmed(const fs::path& p) {
    std::ifstream in(p);
    std::string s;
    std::getline(in, s);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r' || s.back() == '\n')) s.pop_back();
    return s;
}

}  // namespace

std::string defaultPortsFolder() {
    if (const char* env = std::getenv("VORNLFRF_PORTS"); env && *env) return env;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config/vornlfrf/ports";
}

std::string defaultDevicePath(int number) {
    for (const DefaultRange& r : kDefaultRanges)
        if (number >= r.first && number < r.first + kRangeSize)
            return std::string("/dev/") + r.prefix + std::to_string(number - r.first);
    return {};
}

LinuxPortProvider::LinuxPortProvider(std::string portsFolder, std::string sysfsRoot,
                                     std::string devRoot)
    : folder_(std::move(portsFolder)), sysfs_(std::move(sysfsRoot)), dev_(std::move(devRoot)) {}

std::string LinuxPortProvider::defaultDevice(int number) const {
    const std::string path = defaultDevicePath(number);
    if (path.empty()) return {};
    return (fs::path(dev_) / fs::path(path).filename()).string();
}

std::vector<int> LinuxPortProvider::linkedNumbers() const {
    std::vector<int> out;
    std::error_code ec;
    if (folder_.empty()) return out;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        const int n = suffixNumber(it->path().filename().string(), "COM");
        if (n >= 1 && n <= kHighestPort) out.push_back(n);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

std::string LinuxPortProvider::devicePath(int number) const {
    if (number < 1 || number > kHighestPort) return {};
    if (!folder_.empty()) {
        const fs::path link = fs::path(folder_) / ("COM" + std::to_string(number));
        std::error_code ec;
        if (fs::exists(fs::symlink_status(link, ec))) return link.string();
    }
    return defaultDevice(number);
}

std::unique_ptr<hw::SerialPort> LinuxPortProvider::OpenPort(int number, int baudRate,
                                                            hw::LineMode rts, hw::LineMode dtr) {
    const std::string path = devicePath(number);
    if (path.empty()) return nullptr;
    return LinuxSerialPort::open(path, baudRate, rts, dtr);
}

std::vector<int> LinuxPortProvider::EnumeratePorts() {
    std::vector<int> out;
    const std::vector<int> linked = linkedNumbers();
    for (int n : linked)
        if (deviceOpens(devicePath(n))) out.push_back(n);
    for (const DefaultRange& r : kDefaultRanges) {
        for (int n = r.first; n < r.first + kRangeSize; ++n) {
            if (std::binary_search(linked.begin(), linked.end(), n)) continue;
            const std::string dev = defaultDevice(n);
            std::error_code ec;
            if (fs::exists(dev, ec) && deviceOpens(dev)) out.push_back(n);
        }
    }
    return out;
}

int LinuxPortProvider::numberOfDevice(const std::string& device) const {
    const std::string target = canonicalOrEmpty(device);
    if (target.empty()) return 0;
    for (int n = 1; n <= kHighestPort; ++n) {
        const std::string path = devicePath(n);
        if (!path.empty() && canonicalOrEmpty(path) == target) return n;
    }
    return 0;
}

int LinuxPortProvider::adapterChannelPort(int channel) {
    if (channel != 0 && channel != 1) return 0;
    if (!folder_.empty()) {
        const fs::path link = fs::path(folder_) / ("VCP" + std::to_string(channel));
        std::error_code ec;
        if (fs::exists(fs::symlink_status(link, ec))) return numberOfDevice(link.string());
    }

    // USB-serial ports of the adapter's driver, by USB interface number.
    const std::string wanted = channel == 0 ? "00" : "01";
    int best = -1;
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(sysfs_) / "class" / "tty", ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const int index = suffixNumber(name, "ttyUSB");
        if (index < 0 || (best >= 0 && index >= best)) continue;
        const fs::path device = it->path() / "device";
        std::error_code e2;
        const fs::path driver = fs::read_symlink(device / "driver", e2);
        if (e2 || driver.filename() != "ftdi_sio") continue;
        const std::string port = canonicalOrEmpty(device);
        if (port.empty()) continue;
        if (readTrimmed(fs::path(port).parent_path() / "bInterfaceNumber") != wanted) continue;
        best = index;
    }
    if (best < 0) return 0;
    return numberOfDevice((fs::path(dev_) / ("ttyUSB" + std::to_string(best))).string());
}

}  // namespace vornlfrf::platform
