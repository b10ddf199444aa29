// A run in real time against the emulated bench behind pseudo-terminals: the program's own
// ports, reader thread and clock, a few seconds of stream.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "config/configuration_set.h"
#include "hw/hardware.h"
#include "port_provider_linux.h"
#include "realtime_host.h"
#include "run/run_engine.h"
#include "support/scenarios.h"
#include "thread_reader_clock.h"

extern char** environ;

namespace vornlfrf {
namespace {

namespace fs = std::filesystem;

const std::string kScenario = testsupport::twoSensorScenario(300, 450);

struct Simulator {
    explicit Simulator(const fs::path& dir) {
        std::ofstream(dir / "bench.scenario") << kScenario;
        const std::string ports = (dir / "ports").string();
        const std::string scenario = (dir / "bench.scenario").string();
        const char* argv[] = {VORNLFRF_SIM, "--ports",        ports.c_str(),
                              "--scenario", scenario.c_str(), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        EXPECT_EQ(posix_spawn(&pid, VORNLFRF_SIM, &actions, nullptr, const_cast<char* const*>(argv),
                              environ),
                  0);
        posix_spawn_file_actions_destroy(&actions);
        // The links appear once the terminals exist.
        for (int i = 0; i < 200 && !fs::exists(dir / "ports" / "VCP1"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ~Simulator() {
        if (pid > 0) {
            kill(pid, SIGTERM);
            int status = 0;
            waitpid(pid, &status, 0);
        }
    }
    pid_t pid = -1;
};

TEST(RunOverPseudoTerminals, RealTimeRunLogsFramesOfBothSensors) {
    const fs::path dir = fs::temp_directory_path() / "vornlfrf_e2e_pty";
    fs::remove_all(dir);
    fs::create_directories(dir / "ports");
    fs::copy_file(fs::path(VORNLFRF_SOURCE) / "examples" / "demo.cfg", dir / "demo.cfg");
    Simulator sim(dir);
    ASSERT_TRUE(fs::exists(dir / "ports" / "VCP1"));

    platform::RealTimeHost host;
    platform::LinuxPortProvider ports((dir / "ports").string());
    platform::ThreadReaderClock readerClock;
    hw::LfPowerLevel power;
    std::mutex m;
    std::deque<std::function<void()>> posted;
    config::ConfigurationDocument doc(host, dir.string(), "VornLFRF");
    config::ConfigurationSet cfg(host, doc);
    hw::Hardware hardware(host, ports, doc.log());
    doc.setHandler(config::SectionSlot::Hardware, &hardware);
    run::RunEngine engine(host, doc, cfg, hardware, power, ports, readerClock,
                          [&](std::function<void()> f) {
                              std::lock_guard<std::mutex> lock(m);
                              posted.push_back(std::move(f));
                          });
    doc.setHandler(config::SectionSlot::Run, &engine);
    doc.loadFrom((dir / "demo.cfg").string());

    std::vector<std::string> rows;
    ASSERT_EQ(engine.StartRun(), 0) << doc.log().text();
    engine.resultLog().hooks.rowLogged = [&](int, const run::ResultRow& r, bool) {
        rows.emplace_back(r.rowText);
    };
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < until && engine.bRunning) {
        host.sleepProcessing(20);
        std::lock_guard<std::mutex> lock(m);
        while (!posted.empty()) {
            posted.front()();
            posted.pop_front();
        }
    }
    EXPECT_TRUE(engine.bRunning) << "the link was reported lost";
    engine.StopRun();

    int front = 0, rear = 0;
    for (const std::string& r : rows) {
        if (r.find("Desc=\"FrontLeft\" Hex=\"1A2B3C4D9A41") != std::string::npos) ++front;
        if (r.find("Desc=\"RearRight\" Hex=\"00C0FFEE8046") != std::string::npos) ++rear;
    }
    // Three seconds of stream minus the settling time: several frames of each.
    EXPECT_GE(front, 3);
    EXPECT_GE(rear, 2);
    EXPECT_GT(engine.rxRing().receivedTotal(), 50000u);
    std::error_code ec;
    fs::permissions(dir, fs::perms::owner_all, ec);
    fs::remove_all(dir, ec);
}

}  // namespace
}  // namespace vornlfrf
