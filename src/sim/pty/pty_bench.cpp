#include "pty_bench.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "controller.h"

namespace vornlfrf::sim {

namespace {

constexpr std::size_t kPendingLimit = 1 << 20;
// While the stream flows, wake often enough to keep the host's queue fed in small blocks.
constexpr int kStreamingWaitMs = 5;
constexpr int kIdleWaitMs = 50;

struct SpeedName {
    speed_t code;
    int rate;
};
constexpr SpeedName kSpeeds[] = {
    {B1200, 1200},     {B2400, 2400},     {B4800, 4800},      {B9600, 9600},     {B19200, 19200},
    {B38400, 38400},   {B57600, 57600},   {B115200, 115200},  {B230400, 230400}, {B460800, 460800},
    {B500000, 500000}, {B921600, 921600}, {B1000000, 1000000}};

int RateOf(speed_t code) {
    for (const SpeedName& s : kSpeeds)
        if (s.code == code) return s.rate;
    return 0;
}

}  // namespace

struct PtyBench::Terminal {
    int number = 0;
    int master = -1;
    int slave = -1;  // held open so the master never sees a hang-up between host sessions
    std::string device;
    std::unique_ptr<hw::SerialPort> port;
    std::string pending;
    int rate = 115200;

    ~Terminal() {
        port.reset();
        if (slave >= 0) close(slave);
        if (master >= 0) close(master);
    }
};

PtyBench::PtyBench(const Scenario& scenario, std::uint64_t seed)
    : origin_(std::chrono::steady_clock::now()),
      bench_(std::make_unique<Bench>(
          scenario, [this] { return nowUs(); }, seed)) {}

PtyBench::~PtyBench() {
    terminals_.clear();
    bench_.reset();
}

std::int64_t PtyBench::nowUs() const {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 origin_)
        .count();
}

Status PtyBench::publish(const std::string& dir) {
    if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST)
        return Status::failure("cannot create " + dir + ": " + std::strerror(errno));
    const Scenario& s = bench_->scenario();
    std::vector<std::pair<int, std::string>> roles = {{s.txPort, "TX controller"},
                                                      {s.rxPort, "RX controller"}};
    if (s.sitePort > 0) roles.emplace_back(s.sitePort, "test-site controller");
    for (int n : s.otherPorts) roles.emplace_back(n, "silent port");

    std::vector<PublishedLink> planned;
    for (const auto& [number, role] : roles) {
        auto t = std::make_unique<Terminal>();
        t->number = number;
        t->master = posix_openpt(O_RDWR | O_NOCTTY);
        if (t->master < 0 || grantpt(t->master) != 0 || unlockpt(t->master) != 0)
            return Status::failure(std::string("cannot create a pseudo-terminal: ") +
                                   std::strerror(errno));
        char name[PATH_MAX];
        if (ptsname_r(t->master, name, sizeof name) != 0)
            return Status::failure("cannot name the pseudo-terminal");
        t->device = name;
        fcntl(t->master, F_SETFL, fcntl(t->master, F_GETFL) | O_NONBLOCK);
        t->slave = open(name, O_RDWR | O_NOCTTY);
        if (t->slave < 0) return Status::failure("cannot open " + t->device);
        termios tio{};
        tcgetattr(t->slave, &tio);
        cfmakeraw(&tio);
        cfsetispeed(&tio, B115200);
        cfsetospeed(&tio, B115200);
        tcsetattr(t->slave, TCSANOW, &tio);
        t->port = bench_->ports().OpenPort(number, 115200, hw::LineMode::Keep, hw::LineMode::Keep);
        if (!t->port)
            return Status::failure("bench port COM" + std::to_string(number) + " missing");
        planned.push_back({dir + "/COM" + std::to_string(number), t->device, role});
        if (number == s.txPort) planned.push_back({dir + "/VCP0", t->device, role});
        if (number == s.rxPort) planned.push_back({dir + "/VCP1", t->device, role});
        terminals_.push_back(std::move(t));
    }
    // Adapter channel links last: once VCP1 is there, every link is.
    std::stable_partition(planned.begin(), planned.end(), [](const PublishedLink& l) {
        return l.path.find("/VCP") == std::string::npos;
    });
    for (const PublishedLink& link : planned) {
        struct stat st {};
        if (lstat(link.path.c_str(), &st) == 0) {
            if (!S_ISLNK(st.st_mode))
                return Status::failure(link.path + " exists and is not a link");
            unlink(link.path.c_str());
        }
        if (symlink(link.device.c_str(), link.path.c_str()) != 0)
            return Status::failure("cannot create " + link.path + ": " + std::strerror(errno));
        links_.push_back(link);
    }
    return Status::success();
}

void PtyBench::unpublish() {
    for (const PublishedLink& link : links_) {
        char target[PATH_MAX];
        ssize_t n = readlink(link.path.c_str(), target, sizeof target - 1);
        if (n < 0) continue;
        target[n] = '\0';
        if (link.device == target) unlink(link.path.c_str());
    }
    links_.clear();
}

void PtyBench::pump(Terminal& t) {
    // Speed first: a host that comes back at 115200 must not have its commands taken for
    // stream time.
    termios tio{};
    if (tcgetattr(t.slave, &tio) == 0) {
        int rate = RateOf(cfgetospeed(&tio));
        if (rate > 0 && rate != t.rate) {
            t.rate = rate;
            t.port->setBaudRate(rate);
            if (rate != RxController::kStreamBaud) t.pending.clear();
        }
    }
    std::uint8_t buffer[4096];
    for (;;) {
        ssize_t n = read(t.master, buffer, sizeof buffer);
        if (n <= 0) break;
        t.port->write(buffer, static_cast<std::size_t>(n));
    }
    for (;;) {
        std::size_t n = t.port->read(buffer, sizeof buffer);
        if (n == 0) break;
        // A host that does not read loses the excess, as with a real adapter.
        std::size_t room = kPendingLimit - std::min(kPendingLimit, t.pending.size());
        t.pending.append(reinterpret_cast<const char*>(buffer), std::min(n, room));
    }
    while (!t.pending.empty()) {
        ssize_t n = write(t.master, t.pending.data(), t.pending.size());
        if (n <= 0) break;
        t.pending.erase(0, static_cast<std::size_t>(n));
    }
}

void PtyBench::step(int maxWaitMs, int extraFd, bool* extraReadable) {
    std::vector<pollfd> fds;
    for (const auto& t : terminals_)
        fds.push_back(
            {t->master, static_cast<short>(POLLIN | (t->pending.empty() ? 0 : POLLOUT)), 0});
    if (extraFd >= 0) fds.push_back({extraFd, POLLIN, 0});

    std::int64_t now = nowUs();
    std::int64_t next = bench_->nextActivity();
    int wait = std::min(maxWaitMs, kIdleWaitMs);
    if (next != Timeline::kNever)
        wait = static_cast<int>(std::clamp<std::int64_t>((next - now + 999) / 1000, 0, wait));
    if (bench_->rx().streaming()) wait = std::max(wait, std::min(kStreamingWaitMs, maxWaitMs));
    poll(fds.data(), fds.size(), wait);

    for (auto& t : terminals_) pump(*t);
    if (extraReadable) *extraReadable = extraFd >= 0 && (fds.back().revents & (POLLIN | POLLHUP));
}

}  // namespace vornlfrf::sim
