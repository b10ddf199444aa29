// The Linux serial adapter and COM numbering against real pseudo-terminal pairs.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "config/analysis_log.h"
#include "hw/hardware.h"
#include "port_provider_linux.h"
#include "realtime_host.h"
#include "serial_port_linux.h"

namespace vornlfrf::platform {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct Pty {
    int master = -1;
    int slave = -1;
    std::string path;
    Pty() {
        char name[128];
        EXPECT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
        path = name;
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    }
    ~Pty() {
        close(slave);
        close(master);
    }
};

// Reads n bytes from fd, waiting at most timeoutMs for each chunk.
Bytes readSome(int fd, std::size_t n, int timeoutMs = 2000) {
    Bytes out;
    while (out.size() < n) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0) break;
        std::uint8_t buf[512];
        const ssize_t r = read(fd, buf, std::min(sizeof buf, n - out.size()));
        if (r <= 0) break;
        out.insert(out.end(), buf, buf + r);
    }
    return out;
}

bool waitReadable(int fd, int timeoutMs = 2000) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, timeoutMs) > 0;
}

class PlatformTest : public ::testing::Test {
  protected:
    PlatformTest() {
        char tmpl[] = "/tmp/vornlfrf-ports-XXXXXX";
        root = mkdtemp(tmpl);
        fs::create_directories(root / "ports");
        fs::create_directories(root / "dev");
        fs::create_directories(root / "sys");
    }
    ~PlatformTest() override { fs::remove_all(root); }
    void link(const std::string& name, const std::string& target, const char* dir = "ports") {
        fs::create_symlink(target, root / dir / name);
    }
    LinuxPortProvider provider() const {
        return LinuxPortProvider((root / "ports").string(), (root / "sys").string(),
                                 (root / "dev").string());
    }

    fs::path root;
};

TEST_F(PlatformTest, LinkedPortOpensOnceAtATime) {
    Pty pty;
    link("COM7", pty.path);
    LinuxPortProvider ports = provider();
    auto first = ports.OpenPort(7, 115200, hw::LineMode::Disabled, hw::LineMode::Disabled);
    ASSERT_TRUE(first);
    EXPECT_FALSE(ports.OpenPort(7, 115200, hw::LineMode::Disabled, hw::LineMode::Disabled));
    first.reset();
    EXPECT_TRUE(ports.OpenPort(7, 115200, hw::LineMode::Keep, hw::LineMode::Keep));
    EXPECT_FALSE(ports.OpenPort(8, 115200, hw::LineMode::Keep, hw::LineMode::Keep));
}

TEST_F(PlatformTest, RawLineCarriesEveryByteValueBothWays) {
    Pty pty;
    auto port =
        LinuxSerialPort::open(pty.path, 115200, hw::LineMode::Disabled, hw::LineMode::Disabled);
    ASSERT_TRUE(port);

    termios t{};
    ASSERT_EQ(tcgetattr(port->fd(), &t), 0);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), static_cast<tcflag_t>(CS8));
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B115200));

    Bytes all(256);
    for (int i = 0; i < 256; ++i) all[i] = static_cast<std::uint8_t>(i);
    ASSERT_TRUE(port->write(all.data(), all.size()));
    EXPECT_EQ(readSome(pty.master, all.size()), all);

    std::uint8_t none[4];
    EXPECT_EQ(port->read(none, sizeof none), 0u);  // never blocks
    ASSERT_EQ(write(pty.master, all.data(), all.size()), 256);
    Bytes got;
    while (got.size() < all.size() && waitReadable(port->fd())) {
        std::uint8_t buf[64];
        const std::size_t n = port->read(buf, sizeof buf);
        got.insert(got.end(), buf, buf + n);
    }
    EXPECT_EQ(got, all);
}

TEST_F(PlatformTest, BaudRatesIncludingTheStreamRate) {
    Pty pty;
    auto port = LinuxSerialPort::open(pty.path, 115200, hw::LineMode::Keep, hw::LineMode::Keep);
    ASSERT_TRUE(port);
    termios t{};
    ASSERT_TRUE(port->setBaudRate(1000000));
    tcgetattr(port->fd(), &t);
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B1000000));
    EXPECT_TRUE(port->setBaudRate(250000));  // no Bxxx constant: termios2
    ASSERT_TRUE(port->setBaudRate(9600));
    tcgetattr(port->fd(), &t);
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B9600));
    EXPECT_EQ(t.c_lflag & ICANON, 0u);  // only the rate changed
    EXPECT_FALSE(port->setBaudRate(0));
}

TEST_F(PlatformTest, PurgeDropsWhatWasReceived) {
    Pty pty;
    auto port = LinuxSerialPort::open(pty.path, 115200, hw::LineMode::Keep, hw::LineMode::Keep);
    ASSERT_TRUE(port);
    const std::uint8_t junk[] = {1, 2, 3};
    ASSERT_EQ(write(pty.master, junk, sizeof junk), 3);
    ASSERT_TRUE(waitReadable(port->fd()));
    port->purge();
    std::uint8_t b;
    EXPECT_EQ(port->read(&b, 1), 0u);
}

TEST_F(PlatformTest, WriteGivesUpAfterItsTimeOut) {
    Pty pty;
    auto port = LinuxSerialPort::open(pty.path, 115200, hw::LineMode::Keep, hw::LineMode::Keep);
    ASSERT_TRUE(port);
    // Nobody reads the other end: fill the line until the kernel stays full.
    std::uint8_t block[4096] = {};
    for (;;) {
        while (write(port->fd(), block, sizeof block) > 0) {
        }
        pollfd p{port->fd(), POLLOUT, 0};
        if (poll(&p, 1, 100) == 0) break;
    }
    const auto start = std::chrono::steady_clock::now();
    const std::uint8_t b = 0x55;
    EXPECT_FALSE(port->write(&b, 1));
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    EXPECT_GE(ms, 55);
    EXPECT_LT(ms, 1000);
}

TEST_F(PlatformTest, EnumerationListsLinksFirstThenTheUsualNumbering) {
    Pty a, b, c;
    link("COM12", a.path);
    link("COM3", b.path);
    link("COM40", (root / "gone").string());  // dangling: not listed
    link("COMx", a.path);                     // not a port name
    link("COM200", a.path);                   // beyond 127
    link("ttyUSB1", c.path, "dev");           // COM34 by default numbering
    link("ttyS0", (root / "gone").string(), "dev");
    LinuxPortProvider ports = provider();
    EXPECT_EQ(ports.EnumeratePorts(), (std::vector<int>{3, 12, 34}));

    auto held = ports.OpenPort(12, 115200, hw::LineMode::Keep, hw::LineMode::Keep);
    ASSERT_TRUE(held);
    EXPECT_EQ(ports.EnumeratePorts(), (std::vector<int>{3, 12, 34}));  // busy is still there
    EXPECT_EQ(ports.devicePath(34), (root / "dev" / "ttyUSB1").string());
}

TEST_F(PlatformTest, AdapterChannelsFromLinksOrFromSysfs) {
    Pty a, b;
    link("COM5", a.path);
    link("VCP0", a.path);
    link("ttyUSB1", b.path, "dev");
    // Channel B: an ftdi_sio port on USB interface 01; a cp210x port on 01 does not count.
    const fs::path sys = root / "sys";
    for (const auto& [tty, driver] : {std::pair{"ttyUSB1", "ftdi_sio"}, {"ttyUSB0", "cp210x"}}) {
        const fs::path port = sys / "devices" / (std::string("1-1:1.") + tty[6]) / tty;
        fs::create_directories(port);
        fs::create_directories(sys / "bus" / driver);
        fs::create_symlink(sys / "bus" / driver, port / "driver");
        std::ofstream(port.parent_path() / "bInterfaceNumber") << "01\n";
        fs::create_directories(sys / "class" / "tty" / tty);
        fs::create_symlink(port, sys / "class" / "tty" / tty / "device");
    }
    LinuxPortProvider ports = provider();
    EXPECT_EQ(ports.adapterChannelPort(0), 5);
    EXPECT_EQ(ports.adapterChannelPort(1), 34);
    EXPECT_EQ(ports.adapterChannelPort(2), 0);
}

TEST(PortNumbering, DefaultDevicesAndPortsFolder) {
    const std::pair<int, const char*> cases[] = {
        {0, ""},
        {1, "/dev/ttyS0"},
        {32, "/dev/ttyS31"},
        {33, "/dev/ttyUSB0"},
        {64, "/dev/ttyUSB31"},
        {65, "/dev/ttyACM0"},
        {96, "/dev/ttyACM31"},
        {97, ""},
    };
    for (const auto& [n, path] : cases) EXPECT_EQ(defaultDevicePath(n), path) << n;

    setenv("VORNLFRF_PORTS", "/tmp/some/ports", 1);
    EXPECT_EQ(defaultPortsFolder(), "/tmp/some/ports");
    unsetenv("VORNLFRF_PORTS");
    setenv("HOME", "/home/op", 1);
    EXPECT_EQ(defaultPortsFolder(), "/home/op/.config/vornlfrf/ports");
}

// The find procedure of core over a real pseudo-terminal, with a controller answering from a
// host timer while the procedure waits.
TEST_F(PlatformTest, FindControllerOverAPseudoTerminal) {
    Pty pty;
    link("COM5", pty.path);
    LinuxPortProvider ports = provider();
    RealTimeHost host;
    Bytes inbox;
    auto controller = host.createTimer(1, [&] {
        std::uint8_t buf[64];
        const ssize_t n = read(pty.master, buf, sizeof buf);
        if (n > 0) inbox.insert(inbox.end(), buf, buf + n);
        Bytes out;
        while (!inbox.empty()) {
            if (inbox[0] == 0xF5 && inbox.size() >= 7) {
                out.push_back(inbox[1] == 0xB2 ? 4 : 105);
                inbox.erase(inbox.begin(), inbox.begin() + 7);
            } else if (inbox[0] == 0x07 && inbox.size() >= 2) {
                out.insert(out.end(), {0xF8, 1, 2});
                inbox.erase(inbox.begin(), inbox.begin() + 2);
            } else {
                break;
            }
        }
        if (!out.empty()) {
            EXPECT_EQ(write(pty.master, out.data(), out.size()), ssize_t(out.size()));
        }
    });
    controller->setEnabled(true);

    config::AnalysisLog log;
    hw::Hardware hardware(host, ports, log);
    hardware.txtAutomaticTx = "COM5";
    EXPECT_EQ(hardware.FindController(true), "OK v4.1.2");
    EXPECT_EQ(log.lines().back(), "  Found : OK v4.1.2");
    EXPECT_TRUE(hardware.txPort);
}

TEST(RealTimeHost, TimersRunDuringWaitsAndStayStoppedWhenTheyStopThemselves) {
    RealTimeHost host;
    int ticks = 0;
    std::unique_ptr<HostTimer> once;
    once = host.createTimer(1, [&] {
        ++ticks;
        once->setEnabled(false);
    });
    once->setEnabled(true);
    const std::int64_t start = host.nowMs();
    host.sleepProcessing(20);
    EXPECT_GE(host.nowMs() - start, 20);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(once->enabled());
}

}  // namespace
}  // namespace vornlfrf::platform
