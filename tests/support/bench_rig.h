#pragma once
// A whole program minus its windows, on the virtual clock: the in-process emulated bench, the
// configuration models with the document, the hardware link, the run engine and the LF
// sequencer, loaded with a copy of the demo configuration in a fresh folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "bench.h"
#include "common/sim_host.h"
#include "config/configuration_set.h"
#include "hw/hardware.h"
#include "run/lf_sequencer.h"
#include "run/reader_clock.h"
#include "run/run_engine.h"
#include "scenario.h"

namespace vornlfrf::testsupport {

struct BenchRig {
    BenchRig(const std::filesystem::path& folder, const std::string& scenarioText,
             std::uint64_t seed = 7)
        : dir(folder) {
        namespace fs = std::filesystem;
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy_file(fs::path(VORNLFRF_SOURCE) / "examples" / "demo.cfg", dir / "demo.cfg");
        sim::Scenario scenario;
        EXPECT_TRUE(sim::ParseScenario(scenarioText, scenario).ok);
        bench = std::make_unique<sim::Bench>(
            scenario, [this] { return host.nowMs() * 1000; }, seed);
        doc = std::make_unique<config::ConfigurationDocument>(host, dir.string(), "VornLFRF");
        cfg = std::make_unique<config::ConfigurationSet>(host, *doc);
        hardware = std::make_unique<hw::Hardware>(host, bench->ports(), doc->log());
        doc->setHandler(config::SectionSlot::Hardware, hardware.get());
        clock = std::make_unique<run::HostReaderClock>(host);
        engine =
            std::make_unique<run::RunEngine>(host, *doc, *cfg, *hardware, power, bench->ports(),
                                             *clock, [](std::function<void()> f) { f(); });
        doc->setHandler(config::SectionSlot::Run, engine.get());
        sequencer = std::make_unique<run::LfSequencer>(host, *engine, *cfg, *hardware);
        run::attachSequencer(*engine, *sequencer);
        doc->loadFrom((dir / "demo.cfg").string());
    }
    ~BenchRig() {
        sequencer.reset();
        engine.reset();
        std::error_code ec;
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(dir, ec);
    }

    SimHost host;
    std::filesystem::path dir;
    std::unique_ptr<sim::Bench> bench;
    std::unique_ptr<config::ConfigurationDocument> doc;
    std::unique_ptr<config::ConfigurationSet> cfg;
    std::unique_ptr<hw::Hardware> hardware;
    hw::LfPowerLevel power;
    std::unique_ptr<run::HostReaderClock> clock;
    std::unique_ptr<run::RunEngine> engine;
    std::unique_ptr<run::LfSequencer> sequencer;
};

}  // namespace vornlfrf::testsupport
