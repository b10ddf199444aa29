// vornlfrf-cli run CONFIG.cfg [--seconds N]
// A run without the desktop: the configuration's controllers (VORNLFRF_PORTS names the ports
// folder), its mode and receivers; every logged row is printed as it arrives. Stops after N
// seconds, or on Ctrl+C.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>

#include "commands.h"
#include "config/configuration_set.h"
#include "hw/hardware.h"
#include "port_provider_linux.h"
#include "realtime_host.h"
#include "run/lf_sequencer.h"
#include "run/run_engine.h"
#include "thread_reader_clock.h"

namespace vornlfrf::cli {

namespace {

namespace fs = std::filesystem;

volatile std::sig_atomic_t interrupted = 0;
extern "C" void onSignal(int) {
    interrupted = 1;
}

int usage(const char* why) {
    std::fprintf(stderr, "run: %s\nusage: vornlfrf-cli run CONFIG.cfg [--seconds N]\n", why);
    return kUsageError;
}

}  // namespace

int cmdRun(const Args& args) {
    std::string cfgPath;
    long seconds = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--seconds") {
            if (i + 1 >= args.size()) return usage("missing value");
            char* end = nullptr;
            seconds = std::strtol(args[++i].c_str(), &end, 10);
            if (!end || *end || seconds <= 0) return usage("seconds must be a positive number");
        } else if (cfgPath.empty() && !(args[i].size() > 1 && args[i][0] == '-')) {
            cfgPath = args[i];
        } else {
            return usage("unexpected argument");
        }
    }
    std::error_code ec;
    if (cfgPath.empty() || !fs::is_regular_file(cfgPath, ec))
        return usage("cannot read the configuration");
    const std::string folder = fs::absolute(cfgPath, ec).parent_path().string();

    platform::RealTimeHost host;
    platform::LinuxPortProvider ports;
    platform::ThreadReaderClock readerClock;
    hw::LfPowerLevel power;
    std::mutex m;
    std::deque<std::function<void()>> posted;
    config::ConfigurationDocument doc(host, folder, "VornLFRF");
    auto cfg = std::make_unique<config::ConfigurationSet>(host, doc);
    hw::Hardware hardware(host, ports, doc.log());
    doc.setHandler(config::SectionSlot::Hardware, &hardware);
    run::RunEngine engine(host, doc, *cfg, hardware, power, ports, readerClock,
                          [&](std::function<void()> f) {
                              std::lock_guard<std::mutex> lock(m);
                              posted.push_back(std::move(f));
                          });
    doc.setHandler(config::SectionSlot::Run, &engine);
    run::LfSequencer sequencer(host, engine, *cfg, hardware);
    run::attachSequencer(engine, sequencer);
    doc.loadFrom(fs::absolute(cfgPath, ec).string());
    doc.onShowLog = [&doc] {
        for (const std::string& line : doc.log().lines()) std::printf("%s\n", line.c_str());
    };
    engine.resultLog().hooks.rowLogged = [](int, const run::ResultRow& r, bool) {
        std::fwrite(r.rowText.data(), 1, r.rowText.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    };

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    if (engine.StartRun() != 0) {
        for (const std::string& line : doc.log().lines())
            std::fprintf(stderr, "%s\n", line.c_str());
        return 1;
    }
    std::fprintf(stderr, "Run started; results in %s\n",
                 engine.resultsFolder.empty() ? "(no files)" : engine.resultsFolder.c_str());
    const std::int64_t until = seconds > 0 ? host.nowMs() + seconds * 1000 : -1;
    while (engine.bRunning && !interrupted && (until < 0 || host.nowMs() < until)) {
        host.sleepProcessing(20);
        std::deque<std::function<void()>> due;
        {
            std::lock_guard<std::mutex> lock(m);
            due.swap(posted);
        }
        for (auto& f : due) f();
    }
    const bool lost = !engine.bRunning;
    engine.StopRun();
    return lost ? 1 : 0;
}

}  // namespace vornlfrf::cli
