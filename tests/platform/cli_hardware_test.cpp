// vornlfrf-cli hardware against two scripted controllers behind pseudo-terminals.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "../core/hw_fake_controller.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using vornlfrf::hw::testing::FakeController;

struct Line {
    int master = -1;
    int slave = -1;
    std::string path;
    FakeController controller;
    Line() {
        char name[128];
        EXPECT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
        path = name;
    }
    ~Line() {
        close(slave);
        close(master);
    }
    // Feeds what the program wrote to the controller and sends its replies back.
    void serve() {
        std::uint8_t buf[256];
        const ssize_t n = read(master, buf, sizeof buf);
        if (n > 0) controller.receive(buf, static_cast<std::size_t>(n));
        while (!controller.pending.empty()) {
            const std::uint8_t b = controller.pending.front();
            controller.pending.pop_front();
            EXPECT_EQ(write(master, &b, 1), 1);
        }
    }
};

struct CliRun {
    int status = -1;
    std::vector<std::string> lines;
};

CliRun runHardware(const fs::path& ports, const fs::path& cfg, Line& tx, Line& rx) {
    CliRun r;
    int out[2];
    EXPECT_EQ(pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    setenv("VORNLFRF_PORTS", ports.c_str(), 1);
    const std::string cli = VORNLFRF_CLI, cfgPath = cfg.string();
    char* argv[] = {const_cast<char*>(cli.c_str()), const_cast<char*>("hardware"),
                    const_cast<char*>(cfgPath.c_str()), nullptr};
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, cli.c_str(), &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    unsetenv("VORNLFRF_PORTS");
    close(out[1]);

    std::string text;
    for (bool open = true; open;) {
        pollfd p[] = {{out[0], POLLIN, 0}, {tx.master, POLLIN, 0}, {rx.master, POLLIN, 0}};
        if (poll(p, 3, 10000) <= 0) break;
        if (p[1].revents & POLLIN) tx.serve();
        if (p[2].revents & POLLIN) rx.serve();
        if (p[0].revents & (POLLIN | POLLHUP)) {
            char buf[512];
            const ssize_t n = read(out[0], buf, sizeof buf);
            if (n > 0)
                text.append(buf, static_cast<std::size_t>(n));
            else
                open = false;
        }
    }
    close(out[0]);
    int raw = 0;
    waitpid(pid, &raw, 0);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    for (std::size_t pos = 0, end; (end = text.find('\n', pos)) != std::string::npos; pos = end + 1)
        r.lines.push_back(text.substr(pos, end - pos));
    return r;
}

TEST(HardwareCommand, FindsBothControllersAndListsTheReceivers) {
    char tmpl[] = "/tmp/vornlfrf-cli-XXXXXX";
    const fs::path root = mkdtemp(tmpl);
    fs::create_directories(root / "ports");
    Line tx, rx;
    tx.controller.receiverCodes = {224, 700, 0, 1023};
    rx.controller.identity = 150;
    rx.controller.minor = 3;
    fs::create_symlink(tx.path, root / "ports" / "COM21");
    fs::create_symlink(rx.path, root / "ports" / "COM22");
    std::ofstream(root / "hw.cfg")
        << "[HARDWARE]\r\ntxtAutomaticTx=COM21\r\ntxtAutomaticRx=COM22\r\n";

    CliRun r = runHardware(root / "ports", root / "hw.cfg", tx, rx);
    EXPECT_EQ(r.status, 0);
    // The list of available ports depends on the machine's own serial devices.
    ASSERT_EQ(r.lines.size(), 13u);
    EXPECT_EQ(r.lines[1].rfind("Available COM ports : COM21, COM22", 0), 0u) << r.lines[1];
    r.lines[1] = r.lines[5] = "";
    const std::vector<std::string> expected = {"----- Find Rx COM port -----",
                                               "",
                                               "Try COM22",
                                               "  Found : OK v4.1.3",
                                               "----- Find Tx COM port -----",
                                               "",
                                               "Try COM21",
                                               "  Found : OK v4.1.1",
                                               "----- Get Receivers list -----",
                                               "Channel1=RF 433.92MHz",
                                               "Channel2=LSE Magnetic",
                                               "Channel3=not connected",
                                               "Channel4=not defined"};
    EXPECT_EQ(r.lines, expected);

    // Without the RX controller the channels stay unknown and the exit status says so.
    fs::remove(root / "ports" / "COM22");
    std::ofstream(root / "hw.cfg") << "[HARDWARE]\r\ntxtAutomaticTx=COM21\r\nrdbAutomaticRx=0\r\n"
                                      "rdbManualRx=1\r\ncboManualRx=COM22\r\n";
    r = runHardware(root / "ports", root / "hw.cfg", tx, rx);
    EXPECT_EQ(r.status, 1);
    ASSERT_GE(r.lines.size(), 4u);
    EXPECT_EQ(r.lines[0], "----- Test Rx COM port -----");
    EXPECT_EQ(r.lines[2], "Try COM22");
    EXPECT_EQ(r.lines[3], "Port not available");
    EXPECT_EQ(r.lines.back(), "  Found : OK v4.1.1");
    fs::remove_all(root);
}

}  // namespace
