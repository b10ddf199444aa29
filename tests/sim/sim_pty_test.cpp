// The bench over real pseudo-terminals: vornlfrf-sim runs as a child process and the test
// talks to it through the links it publishes, as the program does through a ports folder.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

class SimProcess {
  public:
    ~SimProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) close(out_);
        if (!dir_.empty()) {
            for (const char* name : {"COM5", "COM6", "COM7", "VCP0", "VCP1"})
                unlink((dir_ + "/" + name).c_str());
            rmdir(dir_.c_str());
        }
    }

    bool start() {
        char tmpl[] = "/tmp/vornlfrf-sim-test-XXXXXX";
        if (!mkdtemp(tmpl)) return false;
        dir_ = tmpl;
        int pipeFds[2];
        if (pipe(pipeFds) != 0) return false;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(pipeFds[1], STDOUT_FILENO);
            int null = open("/dev/null", O_RDWR);
            dup2(null, STDIN_FILENO);
            close(pipeFds[0]);
            execl(VORNLFRF_SIM, VORNLFRF_SIM, "--ports", dir_.c_str(), "--seed", "5",
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        close(pipeFds[1]);
        out_ = pipeFds[0];
        return pid_ > 0;
    }

    // Output lines up to the one naming needle; empty when it does not come in time.
    std::vector<std::string> linesUntil(const std::string& needle, int timeoutMs) {
        std::vector<std::string> lines;
        std::string partial;
        auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (Clock::now() < end) {
            pollfd p{out_, POLLIN, 0};
            if (poll(&p, 1, 100) <= 0) continue;
            char c;
            if (read(out_, &c, 1) != 1) break;
            if (c != '\n') {
                partial += c;
                continue;
            }
            lines.push_back(partial);
            if (partial.find(needle) != std::string::npos) return lines;
            partial.clear();
        }
        return {};
    }

    // Sends SIGTERM and returns the exit status, -1 when the process does not end in time.
    int stop(int timeoutMs) {
        kill(pid_, SIGTERM);
        auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        char buffer[256];
        bool ended = false;
        while (!ended && Clock::now() < end) {
            pollfd p{out_, POLLIN, 0};
            ended = poll(&p, 1, 100) > 0 && read(out_, buffer, sizeof buffer) <= 0;
        }
        if (!ended) return -1;
        // Its output closed: the process is exiting.
        int status = 0;
        if (waitpid(pid_, &status, 0) != pid_) return -1;
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    const std::string& dir() const { return dir_; }

  private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string dir_;
};

int OpenRaw(const std::string& path) {
    int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return -1;
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    cfsetispeed(&tio, B115200);
    cfsetospeed(&tio, B115200);
    tcsetattr(fd, TCSANOW, &tio);
    return fd;
}

void SetSpeed(int fd, speed_t speed) {
    termios tio{};
    tcgetattr(fd, &tio);
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    tcsetattr(fd, TCSANOW, &tio);
}

// Reads until count bytes came or timeoutMs passed.
Bytes ReadBytes(int fd, std::size_t count, int timeoutMs) {
    Bytes got;
    auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got.size() < count && Clock::now() < end) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 20) <= 0) continue;
        std::uint8_t buffer[65536];
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) got.insert(got.end(), buffer, buffer + n);
    }
    return got;
}

void Write(int fd, const Bytes& bytes) {
    ASSERT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
}

TEST(PtyBench, AnswersThroughItsComLinks) {
    SimProcess sim;
    ASSERT_TRUE(sim.start());
    std::vector<std::string> lines = sim.linesUntil("VCP1", 10000);
    ASSERT_EQ(lines.size(), 5u) << "COM5, COM6, COM7, VCP0, VCP1";
    EXPECT_EQ(lines[0].rfind(sim.dir() + "/COM5 -> /dev/pts/", 0), 0u) << lines[0];
    EXPECT_NE(lines[3].find("/VCP0 -> "), std::string::npos);

    int tx = OpenRaw(sim.dir() + "/COM5");
    ASSERT_GE(tx, 0);
    // Boot version as the host writes it: two bytes, then the rest.
    Write(tx, {0xF5, 0xB2});
    Write(tx, {0x00, 0x00, 0x00, 0x00, 0x58});
    EXPECT_EQ(ReadBytes(tx, 1, 2000), Bytes{4});
    Write(tx, {0x07, 0x00});
    EXPECT_EQ(ReadBytes(tx, 3, 2000), (Bytes{0xF8, 1, 1}));
    close(tx);

    // The stream starts when the host's speed switches to 1000000 baud.
    int rx = OpenRaw(sim.dir() + "/VCP1");
    ASSERT_GE(rx, 0);
    Write(rx, {0x04, 0x00});
    EXPECT_EQ(ReadBytes(rx, 1, 2000), Bytes{0xFB});
    EXPECT_EQ(ReadBytes(rx, 1, 100), Bytes{}) << "no sample before the switch";
    auto t0 = Clock::now();
    SetSpeed(rx, B1000000);
    Bytes stream = ReadBytes(rx, 1u << 30, 300);
    double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    EXPECT_LE(stream.size(), 50000 * seconds + 100);
    EXPECT_GE(stream.size(), 50000 * 0.3 / 4) << "paced in real time";
    // Back at the command rate the RX answers commands again.
    SetSpeed(rx, B115200);
    ReadBytes(rx, 1u << 30, 100);
    tcflush(rx, TCIFLUSH);
    Write(rx, {0x07, 0x00});
    EXPECT_EQ(ReadBytes(rx, 3, 2000), (Bytes{0xF8, 1, 1}));
    close(rx);

    EXPECT_EQ(sim.stop(5000), 0);
    struct stat st {};
    EXPECT_NE(lstat((sim.dir() + "/COM5").c_str(), &st), 0) << "links removed";
    EXPECT_NE(lstat((sim.dir() + "/VCP1").c_str(), &st), 0);
}

}  // namespace
