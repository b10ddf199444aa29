// A whole run on the emulated bench, on the virtual clock: both controllers found, receivers
// read, descriptions attributed, the stream decoded, evaluated and written to the result files.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "bench.h"
#include "common/sim_host.h"
#include "config/configuration_set.h"
#include "hw/hardware.h"
#include "run/lf_sequencer.h"
#include "run/reader_clock.h"
#include "run/run_engine.h"
#include "scenario.h"
#include "support/bench_rig.h"
#include "support/cli_run.h"
#include "support/scenarios.h"

namespace vornlfrf {
namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Two sensors on two channels with different codings, both transmitting on their own.
const std::string kScenario = testsupport::twoSensorScenario(700, 1100, 400, "0.0002");

struct Rig : testsupport::BenchRig {
    explicit Rig(const std::string& name, const std::string& scenarioText = kScenario)
        : BenchRig(fs::temp_directory_path() / ("vornlfrf_e2e_" + name), scenarioText) {}
};

TEST(RunOnEmulatedBench, FramesOfTwoCodingsReachTheResultFiles) {
    Rig rig("two_codings");
    ASSERT_EQ(rig.engine->StartRun(), 0) << rig.doc->log().text();
    EXPECT_TRUE(rig.engine->bRunning);
    EXPECT_EQ(rig.engine->lblChannel[1], "RF 433.92MHz");
    EXPECT_EQ(rig.engine->lblChannel[2], "RF 315.00MHz");
    rig.host.advance(6000);
    rig.engine->StopRun();
    EXPECT_FALSE(rig.engine->bRunning);

    // The full log of the run, in the folder made for it beside the program.
    const fs::path folder(rig.engine->resultsFolder);
    ASSERT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::exists(folder / "demo.cfg"));
    const std::string full = readAll(fs::path(rig.engine->sResultsBase + "_Full#000001.xml"));
    ASSERT_FALSE(full.empty());
    const std::regex front(
        R"re(Channel="1-RF 433\.92MHz" Desc="FrontLeft" Hex="1A2B3C4D9A41[0-9A-F]{2}[^"]*" ID="1A2B3C4D")re");
    const std::regex rear(
        R"re(Channel="2-RF 315\.00MHz" Desc="RearRight" Hex="00C0FFEE8046[0-9A-F]{2}[^"]*" ID="00C0FFEE")re");
    const auto count = [&](const std::regex& r) {
        return std::distance(std::sregex_iterator(full.begin(), full.end(), r),
                             std::sregex_iterator());
    };
    // Sensors transmit every 700 ms and 1100 ms; the stream starts after the 1.5 s settling.
    EXPECT_GE(count(front), 5) << full.substr(0, 2000);
    EXPECT_GE(count(rear), 3) << full.substr(0, 2000);
    // Checks verified: the sum and the CRC-8 of the emulated sensors match the descriptions.
    EXPECT_EQ(full.find("CKSGood=\"0\""), std::string::npos);
    EXPECT_NE(full.find("CKSGood=\"1\""), std::string::npos);
    // Scaled fields: 0x9A * 1.5 kPa, 0x41 - 50 C.
    EXPECT_NE(full.find("Pressure=\"231"), std::string::npos);
    EXPECT_NE(full.find("Temp=\"15"), std::string::npos);
    // A per-ID file for each sensor.
    int perId = 0;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().filename().string().find("1A2B3C4D") != std::string::npos ||
            e.path().filename().string().find("00C0FFEE") != std::string::npos)
            ++perId;
    EXPECT_GE(perId, 2);
}

// The shipped demo: a Broadcast run whose LF frames wake both emulated sensors.
TEST(RunOnEmulatedBench, DemoBroadcastWakesTheSensors) {
    Rig rig("demo", readAll(fs::path(VORNLFRF_SOURCE) / "examples" / "demo.scenario"));
    // The operator raises the LF power to the authorised maximum before starting.
    rig.power.trbPuissanceLFChange(rig.power.iLevelMax);
    rig.power.trbPuissanceLFMouseUp("Admin");
    ASSERT_GT(rig.power.iLevelLF, 0);
    int front = 0, rear = 0;
    ASSERT_EQ(rig.engine->StartRun(), 0) << rig.doc->log().text();
    EXPECT_EQ(rig.engine->iRunMode, 2);
    rig.engine->resultLog().hooks.rowLogged = [&](int, const run::ResultRow& r, bool) {
        const std::string row(r.rowText);
        front += row.find("Desc=\"FrontLeft\"") != std::string::npos;
        rear += row.find("Desc=\"RearRight\"") != std::string::npos;
    };
    rig.host.advance(6000);
    rig.engine->StopRun();
    // On their own they would send 3 and 2 frames in this time; woken they answer each burst.
    EXPECT_GE(front, 6);
    EXPECT_GE(rear, 4);
}

TEST(RunOnEmulatedBench, StartRefusedWithoutConfigurationAndStopsOnMissingReceiver) {
    Rig rig("refusals");
    rig.doc->bNoConfiguration = true;
    EXPECT_EQ(rig.engine->StartRun(), 1);
    EXPECT_EQ(rig.host.questions.back().text, "You must load a configuration or create one new");
    EXPECT_FALSE(rig.engine->bRunning);

    rig.doc->bNoConfiguration = false;
    rig.cfg->run.cbo[1] = "RF 434.42MHz";  // no channel carries it
    EXPECT_EQ(rig.engine->StartRun(), 1);
    EXPECT_FALSE(rig.engine->bRunning);
    EXPECT_EQ(rig.engine->butRunCaption, "START");
    EXPECT_EQ(rig.doc->log().lines().back(), "ERROR : the corresponding receiver is missing.");
    // The ports were closed again: a new run can open them.
    rig.cfg->run.cbo[1] = "RF 315.00MHz";
    EXPECT_EQ(rig.engine->StartRun(), 0) << rig.doc->log().text();
    rig.engine->StopRun();
}

}  // namespace
}  // namespace vornlfrf

namespace vornlfrf {
namespace {

std::string withoutWallClock(const std::string& row) {
    return std::regex_replace(row, std::regex(R"re(_ATime="[^"]*")re"), "_ATime=\"\"");
}

// The CLI's output lines.
std::vector<std::string> runCommand(const std::string& arguments, int& status) {
    const testsupport::CliRun r = testsupport::runCliCommand(arguments);
    status = r.status;
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t nl; (nl = r.out.find('\n', at)) != std::string::npos; at = nl + 1)
        lines.push_back(r.out.substr(at, nl - at));
    return lines;
}

// The bytes a run received, saved and decoded again from the command line, give the same rows.
TEST(RunOnEmulatedBench, SavedAcquisitionDecodesToTheSameRows) {
    Rig rig("replay");
    std::vector<std::string> live;
    ASSERT_EQ(rig.engine->StartRun(), 0) << rig.doc->log().text();
    rig.engine->resultLog().hooks.rowLogged = [&](int, const run::ResultRow& r, bool) {
        live.emplace_back(r.rowText);
    };
    rig.host.advance(4000);
    rig.engine->StopRun();
    ASSERT_GE(live.size(), 4u);

    const fs::path saved = rig.dir / "last.bin";
    ASSERT_TRUE(rig.engine->saveLastAcquisitions(saved.string()));
    int status = -1;
    const std::vector<std::string> decoded =
        runCommand("decode '" + (rig.dir / "demo.cfg").string() + "' '" + saved.string() +
                       "' --out '" + (rig.dir / "decoded").string() +
                       "' --receivers 'not connected,RF 433.92MHz,RF 315.00MHz'",
                   status);
    EXPECT_EQ(status, 0);
    ASSERT_EQ(decoded.size(), live.size());
    for (std::size_t i = 0; i < live.size(); ++i)
        EXPECT_EQ(withoutWallClock(decoded[i]), withoutWallClock(live[i])) << i;
    EXPECT_TRUE(fs::exists(rig.dir / "decoded" / "demo_Full#000001.xml"));

    // Usage errors.
    runCommand("decode '" + saved.string() + "'", status);
    EXPECT_EQ(status, 2);
    runCommand("decode '" + (rig.dir / "demo.cfg").string() + "' '" + saved.string() +
                   "' --receivers 'RF 999MHz'",
               status);
    EXPECT_EQ(status, 2);
}

}  // namespace
}  // namespace vornlfrf
