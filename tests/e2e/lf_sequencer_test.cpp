// The LF sequencer on the emulated bench, on the virtual clock: what the TX controller receives
// in each mode and when, and what the panels show.

#include "run/lf_sequencer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "bench.h"
#include "common/sim_host.h"
#include "config/configuration_set.h"
#include "config/lf_script.h"
#include "controller.h"
#include "hw/hardware.h"
#include "hw/lf_command.h"
#include "run/reader_clock.h"
#include "run/run_engine.h"
#include "scenario.h"
#include "support/bench_rig.h"

namespace vornlfrf {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr char kSep = '\xA0';

// The "rear" sensor answers only LF frames carrying its ID 00C0FFEE; channel 1 is free for the
// input level WAITIN reads.
std::string scenarioText(int inputIdle, bool txIgnoresStop) {
    return std::string("[tx]\nignore_stop = ") + (txIgnoresStop ? "yes" : "no") +
           "\n[channel 1]\nidle = " + std::to_string(inputIdle) + R"(
[channel 2]
receiver = 3
[channel 3]
receiver = 2
[sensor rear]
channel = 3
coding = biphase
baud = 4800
preamble = 000Fh
id = 00C0FFEE
pressure = 80h
temperature = 46h
checksum = crc8
wake = id
)";
}

std::string frameItem(const std::string& name, const std::string& content, bool data) {
    return "Name:" + name + "\xAC" + "Freq:125.0\xAC" + "Content:" + content + "\xAC" +
           "Baudrate:3906\xAC" + "Coding:0\xAC" + "Data:" + (data ? "1" : "0") + "\xAC" +
           "Comment:\xAC";
}

std::string line(const std::string& command, const std::vector<std::string>& args = {}) {
    return config::BuildScriptLine(command, args);
}

struct Sample {
    std::int64_t ms;
    int state;
    int line;
};

struct Rig : testsupport::BenchRig {
    explicit Rig(const std::string& name, int inputIdle = 0, bool txIgnoresStop = false)
        : BenchRig(fs::temp_directory_path() / ("vornlfrf_lfseq_" + name),
                   scenarioText(inputIdle, txIgnoresStop), 11),
          seq(sequencer) {
        watch = seq->listeners.subscribe([this] {
            if (engine->bRunning)
                timeline.push_back({host.nowMs(), engine->iStateLF, seq->iScriptLine});
        });

        cfg->lf.setFrames(
            {frameItem("Wake", "FF00h 00C0FFEEh", true), frameItem("Carrier", "", false),
             frameItem("Tagged", "FF00h @ID(32)", true), frameItem("Short", "AAh", true)});
        cfg->run.chkNoFiles = true;
        cfg->run.cboBrodcast = "Wake";
        cfg->run.cboIndividual = "Tagged";
        cfg->run.txtON = "1";
        cfg->run.txtOFF = "1";
        cfg->run.cboInterFrame = "10";
        // Full power: the sensor does not wake at 0 %.
        engine->power.levelShown = hw::kMaxLfLevel;
    }
    ~Rig() { watch.reset(); }

    void mode(int m) {
        config::RunConf& r = cfg->run;
        r.rdbLFManual = m == 0;
        r.rdbLFScript = m == 1;
        r.rdbLFBrodcast = m == 2;
        r.rdbLFIndividual = m == 3;
        r.rdbLFEMC = r.rdbLFTSTLF = false;
    }
    void script(const std::vector<std::string>& lines) { cfg->lf.script().setLines(lines); }
    bool start() {
        timeline.clear();
        mark = bench->tx().commands().size();
        return engine->StartRun() == 0;
    }
    void select(const std::string& name) {
        const auto& names = engine->cboManualFrames;
        engine->cboManualFramesIndex =
            static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
        seq->cboManualFramesChange();
    }

    // Emission commands the TX took since the last start (frames, carriers, stop bytes).
    std::vector<sim::Controller::Command> emissions() const {
        std::vector<sim::Controller::Command> out;
        const auto& all = bench->tx().commands();
        for (std::size_t i = mark; i < all.size(); ++i) {
            const std::uint8_t b = all[i].bytes[0];
            if (b == 0x03 || b == 0x12 || b == 0xFF || b == 0x00) out.push_back(all[i]);
        }
        return out;
    }
    // The command the TX took just before the one at time tUs.
    Bytes commandBefore(std::int64_t tUs) const {
        Bytes prev;
        for (const auto& c : bench->tx().commands()) {
            if (c.t >= tUs) break;
            prev = c.bytes;
        }
        return prev;
    }
    // How long the script stayed in state at line: from the first tick that showed it to the
    // first that did not.
    std::int64_t stayed(int state, int atLine, int occurrence = 0) const {
        for (std::size_t i = 0; i < timeline.size(); ++i) {
            if (timeline[i].state != state || timeline[i].line != atLine) continue;
            if (i > 0 && timeline[i - 1].state == state && timeline[i - 1].line == atLine) continue;
            if (occurrence-- > 0) continue;
            for (std::size_t j = i + 1; j < timeline.size(); ++j)
                if (timeline[j].state != state || timeline[j].line != atLine)
                    return timeline[j].ms - timeline[i].ms;
            return -1;
        }
        return -1;
    }
    std::string lastMessage() const {
        return host.questions.empty() ? std::string() : host.questions.back().text;
    }
    // Frame command bytes the LF table gives for a frame sent as it is.
    Bytes plainCommand(const std::string& name) {
        config::LfFrameTable& t = cfg->lf.table();
        for (int i = 0; i < t.count; ++i) {
            config::TLFEMI f = t.frames[static_cast<std::size_t>(i)];
            if (f.Name != name) continue;
            f.EmittedContent = f.CodedContent;
            std::string hex;
            EXPECT_TRUE(hw::BuildFrameCommand(f, hex).ok);
            Bytes b;
            EXPECT_TRUE(hw::HexToBytes(hex, b));
            return b;
        }
        ADD_FAILURE() << name;
        return {};
    }

    std::unique_ptr<run::LfSequencer>& seq;
    Listeners::Handle watch;
    std::vector<Sample> timeline;
    std::size_t mark = 0;
};

// Bytes of a frame command after its header (pair count and pairs): the content sent.
Bytes content(const Bytes& command) {
    return command.size() > 9 ? Bytes(command.begin() + 9, command.end()) : Bytes();
}

std::int64_t ms(std::int64_t us) {
    return us / 1000;
}

// ------------------------------------------------------------------------------------------
// Manual

TEST(LfSequencerManual, CountsAreLimitedContinuousEmissionStopsAndWarningsPause) {
    Rig rig("manual");
    rig.mode(0);
    ASSERT_TRUE(rig.start()) << rig.doc->log().text();
    // The first tick arms the panel (a Send pressed before it is dropped).
    rig.host.advance(100);
    run::LfSequencer& s = *rig.seq;
    run::RunEngine& e = *rig.engine;
    EXPECT_TRUE(e.power.butSendEnabled);
    EXPECT_TRUE(s.cboManualFramesEnabled);

    // A count beyond 255 is limited and shown as such.
    rig.select("Short");
    EXPECT_TRUE(s.frameCountVisible);
    EXPECT_FALSE(s.durationVisible);
    s.cboNFrame = "300";
    s.cboInterFrame = "2";
    s.butSendClick();
    rig.host.advance(60);
    EXPECT_EQ(s.cboNFrame, "255");
    EXPECT_EQ(e.iStateLF, 2);
    EXPECT_FALSE(e.power.butSendEnabled);
    EXPECT_EQ(s.imgLF, run::kLfEmitting);
    auto sent = rig.emissions();
    ASSERT_EQ(sent.size(), 1u);
    const Bytes& cmd = sent[0].bytes;
    EXPECT_EQ(cmd[6], 255);  // repetitions
    EXPECT_EQ(cmd[7], 2);    // interframe
    EXPECT_EQ(content(cmd), content(rig.plainCommand("Short")));
    // The level goes first: 100 % is code 3F.
    EXPECT_EQ(rig.commandBefore(sent[0].t), (Bytes{0x11, 0x3F}));
    // 255 frames of 16 chips of 128 us, 2 ms apart: about a second.
    rig.host.advance(1500);
    EXPECT_EQ(rig.bench->tx().framesEmitted(), 255);
    EXPECT_EQ(e.iStateLF, 1);
    EXPECT_TRUE(e.bFrameSent);
    EXPECT_TRUE(e.power.butSendEnabled);
    EXPECT_EQ(s.imgLF, run::kLfIdle);

    // "Cont": continuous until STOPF.
    s.cboNFrame = "Cont";
    s.butSendClick();
    rig.host.advance(60);
    EXPECT_TRUE(s.butSendStopVisible);
    sent = rig.emissions();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].bytes[6], 0);
    rig.host.advance(2000);
    EXPECT_TRUE(rig.bench->tx().emitting());
    EXPECT_EQ(e.iStateLF, 2);
    s.butSendStopClick();
    EXPECT_EQ(e.iStateLF, 1);
    EXPECT_FALSE(s.butSendStopVisible);
    EXPECT_FALSE(rig.bench->tx().emitting());
    EXPECT_EQ(rig.emissions().back().bytes, Bytes{0x00});

    // Nothing goes out while a power warning waits for its answer.
    e.power.stopVisible = true;
    s.cboNFrame = "1";
    s.butSendClick();
    rig.host.advance(500);
    EXPECT_EQ(rig.emissions().size(), 3u);
    e.power.confirmCancel();
    rig.host.advance(60);
    EXPECT_EQ(rig.emissions().size(), 4u);
    EXPECT_EQ(rig.emissions().back().bytes[0], 0x03);

    rig.engine->StopRun();
    EXPECT_FALSE(e.power.butSendEnabled);
    EXPECT_FALSE(s.cboManualFramesEnabled);
}

TEST(LfSequencerManual, ParametersCarrierAndSelection) {
    Rig rig("manual_params");
    rig.mode(0);
    ASSERT_TRUE(rig.start()) << rig.doc->log().text();
    // The first tick arms the panel (a Send pressed before it is dropped).
    rig.host.advance(100);
    run::LfSequencer& s = *rig.seq;
    run::RunEngine& e = *rig.engine;

    rig.select("Tagged");
    EXPECT_TRUE(s.paramVisible[0]);
    EXPECT_FALSE(s.paramVisible[1]);
    EXPECT_EQ(s.lblParam[0], "ID:");

    // A value the parser refuses: its message, nothing sent, and Send still works afterwards.
    s.txtParam[0] = "XYZ";
    s.cboNFrame = "1";
    s.butSendClick();
    rig.host.advance(100);
    EXPECT_EQ(rig.lastMessage(), "Error suffix with XYZ");
    EXPECT_TRUE(rig.emissions().empty());
    EXPECT_EQ(e.iStateLF, 1);
    EXPECT_TRUE(e.power.butSendEnabled);

    s.txtParam[0] = "00C0FFEEh";
    s.butSendClick();
    rig.host.advance(200);
    auto sent = rig.emissions();
    ASSERT_EQ(sent.size(), 1u);
    // The parameter stands where the Wake frame has the same ID written out.
    EXPECT_EQ(content(sent[0].bytes), content(rig.plainCommand("Wake")));
    EXPECT_EQ(e.iStateLF, 1);

    // The boxes give the values last sent back when the frame is chosen again.
    rig.select("Short");
    EXPECT_FALSE(s.paramVisible[0]);
    rig.select("Tagged");
    EXPECT_EQ(s.txtParam[0], "00C0FFEEh");

    // A carrier lasts txtDuration; the TX reports its end with FF.
    rig.select("Carrier");
    EXPECT_TRUE(s.durationVisible);
    EXPECT_FALSE(s.frameCountVisible);
    s.txtDuration = "300";
    s.butSendClick();
    rig.host.advance(60);
    sent = rig.emissions();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].bytes, hw::BuildCwCommand(300));
    EXPECT_EQ(e.iStateLF, 2);
    rig.host.advance(200);
    EXPECT_EQ(e.iStateLF, 2);
    rig.host.advance(150);
    EXPECT_EQ(e.iStateLF, 1);

    // Remote selection: name, count and interframe modulo 256.
    EXPECT_EQ(s.SelectManualFrame("Short", 258, 300, 0), 0);
    EXPECT_EQ(rig.engine->cboManualFrames[static_cast<std::size_t>(e.cboManualFramesIndex)],
              "Short");
    EXPECT_EQ(s.cboNFrame, "2");
    EXPECT_EQ(s.cboInterFrame, "44");
    EXPECT_EQ(s.txtDuration, "300");
    EXPECT_EQ(s.SelectManualFrame("Nope", 1, 1, 0), 1);
    rig.engine->StopRun();

    // A new configuration puts the boxes back.
    rig.engine->processSection(nullptr, config::ConfigAction::Defaults);
    EXPECT_EQ(s.cboNFrame, "Cont");
    EXPECT_EQ(s.cboInterFrame, "10");
    EXPECT_EQ(s.txtDuration, "1000");
}

// ------------------------------------------------------------------------------------------
// Script

TEST(LfSequencerScript, RunsItsLinesWithVariablesLevelAndDelay) {
    Rig rig("script");
    rig.mode(1);
    rig.script({line("SET", {"ID", "00C0FFEEh"}), line("LEVEL", {"50"}),
                line("SENDF", {"Tagged", "2", "5"}), line("DELAY", {"500"}),
                line("SENDCW", {"Carrier", "200"}), line("COMMENT", {"last line, no END"})});
    ASSERT_TRUE(rig.start()) << rig.doc->log().text();
    run::LfSequencer& s = *rig.seq;
    EXPECT_EQ(s.butReExecStopCaption, "Stop");
    EXPECT_TRUE(s.butReExecStopEnabled);
    rig.host.advance(2000);

    auto sent = rig.emissions();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].bytes[6], 2);
    EXPECT_EQ(sent[0].bytes[7], 5);
    EXPECT_EQ(content(sent[0].bytes), content(rig.plainCommand("Wake")));
    EXPECT_EQ(rig.commandBefore(sent[0].t), (Bytes{0x11, 0x39}));  // LEVEL 50 -> 50 %
    EXPECT_EQ(sent[1].bytes, hw::BuildCwCommand(200));
    EXPECT_EQ(rig.stayed(2, 3), 500);

    EXPECT_EQ(rig.engine->iStateLF, 4);
    EXPECT_EQ(s.lblSCRIPTCommande, "END");
    EXPECT_EQ(s.butReExecStopCaption, "Re-Exec");
    EXPECT_EQ(s.butReExecStopHint, "Execute another time the script");
    EXPECT_TRUE(std::regex_match(s.lblSCRIPTElapsed, std::regex(R"(00h 00mn 0\dsec)")))
        << s.lblSCRIPTElapsed;
    ASSERT_EQ(s.scriptVars.size(), 1u);
    EXPECT_EQ(s.scriptVars[0].value, "00C0FFEEh");

    s.butViewScriptClick();
    ASSERT_EQ(s.lstScriptView.size(), 6u);
    EXPECT_EQ(s.lstScriptView[0], std::string("[1] SET ID") + kSep + "00C0FFEEh");
    EXPECT_EQ(s.lstScriptView[5], "[6] COMMENT last line, no END");
    EXPECT_TRUE(s.panViewScriptVisible);

    // Re-Exec runs it again.
    s.butReExecStopClick();
    EXPECT_EQ(s.butReExecStopCaption, "Stop");
    rig.host.advance(2000);
    EXPECT_EQ(rig.emissions().size(), 4u);
    rig.engine->StopRun();
    EXPECT_FALSE(s.butReExecStopEnabled);

    // The variables outlive the run; a new name is appended.
    rig.script({line("SET", {"K", "1b"}), line("SENDF", {"Tagged", "1", "0"}), line("END")});
    ASSERT_TRUE(rig.start());
    rig.host.advance(500);
    sent = rig.emissions();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(content(sent[0].bytes), content(rig.plainCommand("Wake")));
    ASSERT_EQ(s.scriptVars.size(), 2u);
    EXPECT_EQ(s.scriptVars[1].name, "K");
    rig.engine->StopRun();
}

TEST(LfSequencerScript, IdStopAbortsOnTheArmedIdOrWaitsAndLogsItsAbsence) {
    Rig rig("idstop");
    rig.mode(1);
    rig.script({line("IDSTART", {"00C0FFEE"}), line("SENDF", {"Wake", "1", "0"}),
                line("IDSTOP", {"3000", "Y", "Y"}),  // answered: ends early
                line("SENDF", {"Wake", "1", "0"}),
                line("IDSTOP", {"1000", "N", "Y"}),  // no abort: full time, nothing logged
                line("IDSTART", {"DEADBEEF"}), line("SENDF", {"Wake", "1", "0"}),
                line("IDSTOP", {"1500", "Y", "Y"}),  // never answered: one row
                line("END")});
    ASSERT_TRUE(rig.start()) << rig.doc->log().text();
    rig.host.advance(6000);
    EXPECT_EQ(rig.engine->iStateLF, 4);

    const std::int64_t early = rig.stayed(7, 2);
    EXPECT_GT(early, 0);
    EXPECT_LT(early, 600);
    EXPECT_EQ(rig.stayed(7, 4), 1000);
    EXPECT_EQ(rig.stayed(7, 7), 1500);

    int missing = 0;
    for (const run::ListRow& r : rig.engine->resultLog().fullList()) {
        if (r.text.find("Desc=\"No frame received\"") == std::string::npos) continue;
        ++missing;
        EXPECT_NE(r.text.find("ID=\"DEADBEEF\""), std::string::npos) << r.text;
        EXPECT_EQ(r.channel, run::kPluginChannel);
    }
    EXPECT_EQ(missing, 1);
    // The absent sensor does not become an entry of the per-ID table.
    for (const run::IdEntry& id : rig.engine->resultLog().idEntries()) EXPECT_NE(id.id, "DEADBEEF");
    rig.engine->StopRun();
}

TEST(LfSequencerScript, RestartKeepsTheArmedId) {
    Rig rig("restart");
    rig.mode(1);
    rig.script({line("SENDF", {"Wake", "1", "0"}), line("IDSTOP", {"2000", "Y", "N"}),
                line("IDSTART", {"00C0FFEE"}), line("RESTART")});
    ASSERT_TRUE(rig.start()) << rig.doc->log().text();
    rig.host.advance(4000);
    // First pass: nothing armed, the full wait. Second pass: the ID armed before RESTART.
    EXPECT_EQ(rig.stayed(7, 1, 0), 2000);
    const std::int64_t second = rig.stayed(7, 1, 1);
    EXPECT_GT(second, 0);
    EXPECT_LT(second, 600);
    EXPECT_GE(rig.emissions().size(), 3u);
    rig.engine->StopRun();
}

TEST(LfSequencerScript, LinesThatCannotRunEndTheScriptWithAMessage) {
    Rig rig("script_errors");
    rig.mode(1);
    std::vector<std::string> seventeen{line("SET", {"ID", "1b"})};
    for (int i = 2; i <= 17; ++i) seventeen.push_back(line("SET", {"V" + std::to_string(i), "1b"}));
    struct Case {
        std::vector<std::string> lines;
        std::string message;
    };
    const std::vector<Case> cases = {
        {seventeen, "Error in script line 17 : only 16 SET variables are allowed"},
        {{line("FOO", {"1"})}, "Error in script line 1 : unknown command FOO"},
        {{line("SENDF", {"Nope", "1", "0"})}, "Nope description not found"},
        {{line("SENDF", {"Carrier", "1", "0"})}, "Carrier description not found"},
        {{line("SENDCW", {"Nope", "10"})}, "Nope description not found"},
        {{line("DELAY", {"(ERROR)"})}, "Error in script line 1 : invalid argument (ERROR)"},
        {{line("COMMENT"), line("WAITIN", {"2"})}, "Error in script line 2 : invalid argument 2"},
        // A known name takes its new value even with the table full; the frame then refuses it.
        {{line("SET", {"ID", "XYZ"}), line("SENDF", {"Tagged", "1", "0"})},
         "Error suffix with XYZ"},
    };
    ASSERT_TRUE(rig.start()) << rig.doc->log().text();
    rig.host.advance(200);
    for (const Case& c : cases) {
        std::vector<std::string> lines = c.lines;
        lines.push_back(line("SENDF", {"Short", "1", "0"}));
        rig.script(lines);
        rig.host.questions.clear();
        const std::size_t before = rig.emissions().size();
        if (rig.seq->butReExecStopCaption == "Stop") rig.seq->butReExecStopClick();
        rig.host.advance(100);
        rig.seq->butReExecStopClick();  // Re-Exec
        rig.host.advance(1500);
        SCOPED_TRACE(lines.front());
        ASSERT_EQ(rig.host.questions.size(), 1u);
        EXPECT_EQ(rig.lastMessage(), c.message);
        EXPECT_EQ(rig.emissions().size(), before);
        EXPECT_EQ(rig.engine->iStateLF, 4);
        EXPECT_EQ(rig.seq->lblSCRIPTCommande, "END");
        EXPECT_EQ(rig.seq->butReExecStopCaption, "Re-Exec");
    }
    EXPECT_EQ(rig.seq->scriptVars.size(), 16u);
    rig.engine->StopRun();
}

TEST(LfSequencerScript, StopEndsARunningEmissionAtOnce) {
    Rig rig("script_stop");
    rig.mode(1);
    // 256 repetitions are 0: continuous.
    rig.script({line("SENDF", {"Short", "256", "0"}), line("END")});
    ASSERT_TRUE(rig.start()) << rig.doc->log().text();
    run::LfSequencer& s = *rig.seq;
    rig.host.advance(500);
    ASSERT_EQ(rig.emissions().size(), 1u);
    EXPECT_EQ(rig.emissions()[0].bytes[6], 0);
    EXPECT_TRUE(rig.bench->tx().emitting());
    EXPECT_EQ(rig.engine->iStateLF, 3);

    s.butReExecStopClick();
    EXPECT_EQ(s.lblSCRIPTCommande, "STOP");
    EXPECT_FALSE(s.butReExecStopEnabled);
    rig.host.advance(150);
    EXPECT_EQ(rig.emissions().back().bytes, Bytes{0xFF});
    EXPECT_FALSE(rig.bench->tx().emitting());
    EXPECT_EQ(rig.engine->iStateLF, 4);
    EXPECT_EQ(s.imgLF, run::kLfIdle);
    EXPECT_EQ(s.butReExecStopCaption, "Re-Exec");
    EXPECT_TRUE(s.butReExecStopEnabled);
    EXPECT_EQ(s.lblSCRIPTCommande, "STOP");

    // A carrier of ten minutes is cut by a reset.
    rig.script({line("SENDCW", {"Carrier", "600000"})});
    s.butReExecStopClick();
    rig.host.advance(300);
    EXPECT_TRUE(rig.bench->tx().emitting());
    const std::size_t resets = rig.bench->tx().resets().size();
    s.butReExecStopClick();
    rig.host.advance(100);
    EXPECT_GT(rig.bench->tx().resets().size(), resets);
    EXPECT_FALSE(rig.bench->tx().emitting());
    EXPECT_EQ(rig.engine->iStateLF, 4);

    // Nothing emitted: the stop is immediate.
    rig.script({line("DELAY", {"100000"})});
    s.butReExecStopClick();
    rig.host.advance(100);
    s.butReExecStopClick();
    rig.host.advance(50);
    EXPECT_EQ(rig.engine->iStateLF, 4);
    rig.engine->StopRun();
}

TEST(LfSequencerScript, WaitInHoldsUntilTheInputLevel) {
    Rig rig("waitin", /*inputIdle=*/1);
    rig.mode(1);
    rig.script({line("WAITIN", {"0"}), line("SENDF", {"Short", "1", "0"})});
    ASSERT_TRUE(rig.start()) << rig.doc->log().text();
    rig.host.advance(3000);
    EXPECT_EQ(rig.engine->iStateLF, 6);
    EXPECT_TRUE(rig.emissions().empty());

    rig.script({line("WAITIN", {"1"}), line("SENDF", {"Short", "1", "0"})});
    rig.seq->butReExecStopClick();
    rig.host.advance(50);
    rig.timeline.clear();
    rig.seq->butReExecStopClick();
    rig.host.advance(500);
    EXPECT_EQ(rig.stayed(6, 0), 50);
    EXPECT_EQ(rig.emissions().size(), 1u);
    rig.engine->StopRun();
}

// ------------------------------------------------------------------------------------------
// Broadcast and Individual

TEST(LfSequencerBroadcast, OnAndOffPeriodsCountTheFramesEmitted) {
    Rig rig("broadcast");
    rig.mode(2);
    ASSERT_TRUE(rig.start()) << rig.doc->log().text();
    rig.host.advance(6500);
    // Into the OFF period, so every frame of the last ON period has been reported.
    for (int i = 0; i < 40 && rig.emissions().size() % 2; ++i) rig.host.advance(50);
    const auto sent = rig.emissions();
    ASSERT_GE(sent.size(), 6u);
    ASSERT_EQ(sent.size() % 2, 0u);
    // Wake: 96 chips of 128 us, then 10 ms.
    const double frameUs = 96 * 128.0, periodUs = frameUs + 10000.0;
    int expected = 0;
    for (std::size_t i = 0; i + 1 < sent.size(); i += 2) {
        SCOPED_TRACE(i);
        ASSERT_EQ(sent[i].bytes[0], 0x03);
        EXPECT_EQ(sent[i].bytes[6], 0);   // until stopped
        EXPECT_EQ(sent[i].bytes[7], 10);  // interframe
        ASSERT_EQ(sent[i + 1].bytes, Bytes{0xFF});
        // ON ends at the first tick where the time plus 50 ms reaches 1 s.
        const std::int64_t on = ms(sent[i + 1].t - sent[i].t);
        EXPECT_GE(on, 950);
        EXPECT_LT(on, 1000);
        if (i + 2 < sent.size()) {
            const std::int64_t off = ms(sent[i + 2].t - sent[i + 1].t);
            EXPECT_GE(off, 1000);
            EXPECT_LT(off, 1050);
        }
        const double window = static_cast<double>(sent[i + 1].t - sent[i].t) - 300 - frameUs;
        expected += static_cast<int>(window / periodUs) + 1;
    }
    const int pairs = static_cast<int>(sent.size() / 2);
    EXPECT_NEAR(rig.engine->iSentFrames, expected, pairs);
    EXPECT_GT(rig.engine->iSentFrames, 40 * pairs);
    EXPECT_EQ(rig.seq->lblBRODSentFrames, std::to_string(rig.engine->iSentFrames));
    EXPECT_EQ(rig.seq->lblBRODCycle, std::to_string(rig.engine->iCycle));
    EXPECT_EQ(rig.engine->iCycle, pairs);
    EXPECT_TRUE(std::regex_match(rig.seq->lblBRODElapsed, std::regex("00h 00mn 0[67]sec")))
        << rig.seq->lblBRODElapsed;
    rig.engine->StopRun();
}

TEST(LfSequencerBroadcast, CarrierLastsTheOnDuration) {
    Rig rig("broadcast_cw");
    rig.mode(2);
    rig.cfg->run.cboBrodcast = "Carrier";
    ASSERT_TRUE(rig.start()) << rig.doc->log().text();
    const std::size_t resets = rig.bench->tx().resets().size();
    rig.host.advance(4500);
    const auto sent = rig.emissions();
    ASSERT_EQ(sent.size(), 3u);
    for (const auto& c : sent) EXPECT_EQ(c.bytes, hw::BuildCwCommand(1000));
    // The TX ends each carrier after 1 s; the OFF second follows.
    for (std::size_t i = 0; i + 1 < sent.size(); ++i) {
        const std::int64_t cycle = ms(sent[i + 1].t - sent[i].t);
        EXPECT_GE(cycle, 2000);
        EXPECT_LT(cycle, 2100);
    }
    EXPECT_EQ(rig.bench->tx().resets().size(), resets);
    rig.engine->StopRun();
}

TEST(LfSequencerBroadcast, ControllerThatNeverConfirmsTheEndIsReset) {
    Rig rig("broadcast_rts", 0, /*txIgnoresStop=*/true);
    rig.mode(2);
    ASSERT_TRUE(rig.start()) << rig.doc->log().text();
    rig.host.advance(3500);
    const auto sent = rig.emissions();
    ASSERT_GE(sent.size(), 3u);
    ASSERT_EQ(sent[1].bytes, Bytes{0xFF});
    // 1000 reads 1 ms apart, then the RTS pulse that ends the emission.
    const auto& resets = rig.bench->tx().resets();
    const auto reset =
        std::find_if(resets.begin(), resets.end(), [&](std::int64_t t) { return t > sent[1].t; });
    ASSERT_NE(reset, resets.end());
    const std::int64_t waited = ms(*reset - sent[1].t);
    EXPECT_GE(waited, 1000);
    EXPECT_LT(waited, 1100);
    // Then the OFF period and the next cycle.
    EXPECT_EQ(sent[2].bytes[0], 0x03);
    EXPECT_GE(ms(sent[2].t - *reset), 1000);
    EXPECT_LT(ms(sent[2].t - *reset), 1100);
    // The frames emitted while the controller ignored the stop still count.
    EXPECT_GT(rig.engine->iSentFrames, 80);
    rig.engine->StopRun();
}

TEST(LfSequencerIndividual, EachIdForTheOnDurationThenOnePause) {
    Rig rig("individual");
    rig.mode(3);
    rig.cfg->run.txtID = "DEADBEEF, 00C0FFEE, 12345678";
    ASSERT_TRUE(rig.start()) << rig.doc->log().text();
    rig.host.advance(4500);
    const auto sent = rig.emissions();
    ASSERT_GE(sent.size(), 7u);
    for (std::size_t i = 0; i < 6; i += 2) {
        ASSERT_EQ(sent[i].bytes[0], 0x03);
        ASSERT_EQ(sent[i + 1].bytes, Bytes{0xFF});
        const std::int64_t on = ms(sent[i + 1].t - sent[i].t);
        EXPECT_GE(on, 950);
        EXPECT_LT(on, 1000);
    }
    // The next ID follows at the next tick; after the last one, one OFF pause.
    EXPECT_LT(ms(sent[2].t - sent[1].t), 100);
    EXPECT_LT(ms(sent[4].t - sent[3].t), 100);
    EXPECT_GE(ms(sent[6].t - sent[5].t), 1000);
    EXPECT_LT(ms(sent[6].t - sent[5].t), 1050);
    // List order, and the ID stands in the frame: only the second emission wakes the sensor.
    EXPECT_EQ(content(sent[2].bytes), content(rig.plainCommand("Wake")));
    EXPECT_NE(content(sent[0].bytes), content(sent[2].bytes));
    EXPECT_NE(content(sent[4].bytes), content(sent[2].bytes));
    EXPECT_EQ(content(sent[6].bytes), content(sent[0].bytes));
    int woken = 0;
    for (const auto& t : rig.bench->transmissions()) {
        if (t.cause != "lf") continue;
        ++woken;
        EXPECT_GT(t.startUs, sent[2].t);
        EXPECT_LT(t.startUs, sent[3].t + 100000);
    }
    EXPECT_GT(woken, 0);
    EXPECT_EQ(rig.engine->iCycle, 2);
    EXPECT_EQ(rig.seq->lblINDCycle, "2");
    EXPECT_EQ(rig.seq->lblCurrentID, "[1] DEADBEEF");
    rig.engine->StopRun();
}

TEST(LfSequencerIndividual, AnIdThatDoesNotConvertStopsTheRun) {
    Rig rig("individual_error");
    rig.mode(3);
    rig.cfg->run.txtID = "DEADBEEF, XY";
    ASSERT_TRUE(rig.start()) << rig.doc->log().text();
    rig.host.advance(3000);
    EXPECT_FALSE(rig.engine->bRunning);
    EXPECT_EQ(rig.lastMessage(), "Error hexa with XYh");
    const auto sent = rig.emissions();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].bytes[0], 0x03);
    EXPECT_EQ(sent[1].bytes, Bytes{0xFF});
    EXPECT_EQ(rig.engine->butRunCaption, "START");
}

TEST(LfSequencerLabels, ElapsedTimeKeepsCountingHoursPastADay) {
    EXPECT_EQ(run::ElapsedText(0), "00h 00mn 00sec");
    EXPECT_EQ(run::ElapsedText(3723999), "01h 02mn 03sec");
    EXPECT_EQ(run::ElapsedText(25LL * 3600000 + 61000), "25h 01mn 01sec");
}

}  // namespace
}  // namespace vornlfrf
