#include "serial_port_linux.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace vornlfrf::platform {

namespace {

// A write ends after 50 ms plus 10 ms per byte, drained or not.
constexpr int kWriteTimeoutBaseMs = 50;
constexpr int kWriteTimeoutPerByteMs = 10;

speed_t standardSpeed(int rate) {
    switch (rate) {
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        case 230400:
            return B230400;
        case 460800:
            return B460800;
        case 500000:
            return B500000;
        case 921600:
            return B921600;
        case 1000000:
            return B1000000;
        case 2000000:
            return B2000000;
        default:
            return B0;
    }
}

void makeRaw(termios& t) {
    cfmakeraw(&t);  // 8 bits, no parity, no echo, no signals, no XON/XOFF
    t.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | CRTSCTS | PARENB);
    t.c_cflag |= CLOCAL | CREAD | CS8;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
}

}  // namespace

bool applyBaudRate(int fd, int rate) {
    if (rate <= 0) return false;
    const speed_t s = standardSpeed(rate);
    if (s == B0) return applyOtherBaudRate(fd, rate);
    termios t{};
    if (tcgetattr(fd, &t) != 0) return false;
    if (cfsetispeed(&t, s) != 0 || cfsetospeed(&t, s) != 0) return false;
    return tcsetattr(fd, TCSANOW, &t) == 0;
}

std::unique_ptr<LinuxSerialPort> LinuxSerialPort::open(const std::string& device, int baudRate,
                                                       hw::LineMode rts, hw::LineMode dtr,
                                                       int* errnoOut) {
    auto fail = [&](int fd) {
        const int e = errno;
        if (fd >= 0) ::close(fd);
        if (errnoOut) *errnoOut = e;
        return std::unique_ptr<LinuxSerialPort>();
    };
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail(fd);
    // The advisory lock also holds against root, which TIOCEXCL does not stop.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) errno = EBUSY;
        return fail(fd);
    }
    if (::ioctl(fd, TIOCEXCL) != 0) return fail(fd);

    termios t{};
    if (tcgetattr(fd, &t) != 0) return fail(fd);
    makeRaw(t);
    if (tcsetattr(fd, TCSANOW, &t) != 0) return fail(fd);
    if (!applyBaudRate(fd, baudRate)) return fail(fd);

    std::unique_ptr<LinuxSerialPort> port(new LinuxSerialPort(fd));
    // Pseudo-terminals have no modem lines; their refusal is not a failure. Handshake and
    // toggle modes have no use here and leave the line as it is, like Keep.
    if (rts == hw::LineMode::Disabled || rts == hw::LineMode::Enabled)
        port->setRts(rts == hw::LineMode::Enabled);
    if (dtr == hw::LineMode::Disabled || dtr == hw::LineMode::Enabled)
        port->setDtr(dtr == hw::LineMode::Enabled);
    return port;
}

LinuxSerialPort::~LinuxSerialPort() {
    ::ioctl(fd_, TIOCNXCL);
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
}

std::size_t LinuxSerialPort::read(std::uint8_t* buffer, std::size_t max) {
    if (max == 0) return 0;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, max);
        if (n > 0) return static_cast<std::size_t>(n);
        if (n < 0 && errno == EINTR) continue;
        return 0;
    }
}

bool LinuxSerialPort::write(const std::uint8_t* data, std::size_t n) {
    using Clock = std::chrono::steady_clock;
    const auto deadline =
        Clock::now() + std::chrono::milliseconds(kWriteTimeoutBaseMs +
                                                 kWriteTimeoutPerByteMs * static_cast<long>(n));
    auto remainingMs = [&] {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        return static_cast<int>(std::max<long long>(0, left.count()));
    };

    std::size_t done = 0;
    while (done < n) {
        const ssize_t w = ::write(fd_, data + done, n - done);
        if (w > 0) {
            done += static_cast<std::size_t>(w);
            continue;
        }
        if (w < 0 && errno == EINTR) continue;
        if (w < 0 && errno != EAGAIN) return false;
        const int left = remainingMs();
        if (left == 0) return false;
        pollfd p{fd_, POLLOUT, 0};
        if (::poll(&p, 1, left) < 0 && errno != EINTR) return false;
    }

    // Flush: wait until the driver has sent everything, but never past the time-out (tcdrain
    // could wait forever on a stalled adapter).
    for (;;) {
        int pending = 0;
        if (::ioctl(fd_, TIOCOUTQ, &pending) != 0) return ::tcdrain(fd_) == 0;
        if (pending <= 0) return true;
        if (remainingMs() == 0) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool LinuxSerialPort::setBaudRate(int rate) {
    return applyBaudRate(fd_, rate);
}

void LinuxSerialPort::setModemLine(int bit, bool on) {
    ::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bit);
}

void LinuxSerialPort::setRts(bool on) {
    setModemLine(TIOCM_RTS, on);
}

void LinuxSerialPort::setDtr(bool on) {
    setModemLine(TIOCM_DTR, on);
}

void LinuxSerialPort::purge() {
    ::tcflush(fd_, TCIOFLUSH);
    ::ioctl(fd_, TIOCCBRK);
}

}  // namespace vornlfrf::platform
