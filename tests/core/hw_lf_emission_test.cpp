#include <gtest/gtest.h>

#include "common/sim_host.h"
#include "config/analysis_log.h"
#include "hw/lf_command.h"
#include "hw/lf_emission.h"
#include "hw_fake_controller.h"

namespace vornlfrf::hw {
namespace {

using testing::FakeController;
using testing::FakePort;
using testing::FakePorts;
using Bytes = std::vector<std::uint8_t>;

class EmissionTest : public ::testing::Test {
  protected:
    EmissionTest() {
        tx.host = &host;
        hw.txPort = std::make_unique<FakePort>(tx);
        emitter.setTxImage = [this](TxImage i) { images.push_back(i); };
        emitter.isRunning = [this] { return running; };
        emitter.trace = [this](const std::string& t) { traces.push_back(t); };
        frame.FreqIndex = 2;
        frame.BitTimeCode = 128;
        frame.EmittedContent = "0000000011111";
        std::string cmd;
        EXPECT_TRUE(BuildFrameCommand(frame, cmd).ok);
        frame.ControllerMessage = cmd;
    }

    SimHost host;
    FakePorts ports;
    config::AnalysisLog log;
    Hardware hw{host, ports, log};
    FakeController tx;
    LfPowerLevel level;
    LfEmitter emitter{host, hw, level};
    config::TLFEMI frame;
    std::vector<TxImage> images;
    std::vector<std::string> traces;
    bool running = true;
};

TEST_F(EmissionTest, FrameGoesOutAfterItsLevelWithRepetitionsAndInterframe) {
    level.iLevelLF = 13;  // 50 %
    ASSERT_TRUE(emitter.SendLFFrame(frame, 3, 250));
    ASSERT_EQ(tx.commands.size(), 2u);
    EXPECT_EQ(tx.commands[0], (Bytes{0x11, 0x39}));
    EXPECT_EQ(BytesToText(tx.commands[1]), "03 05 09 05 00 80 03 FA 01 03 20 1F 18");
    EXPECT_EQ(tx.writes.back().bytes.size(), 13u);  // the frame in one write
    EXPECT_EQ(emitter.lastReply(), 0xFC);
    EXPECT_EQ(images, std::vector<TxImage>{TxImage::Good});
}

TEST_F(EmissionTest, FrameRepliesDecideTheImage) {
    tx.frameReply = 0xAA;
    emitter.SendLFFrame(frame, 1, 0);
    EXPECT_EQ(images.back(), TxImage::Failed);

    // No reply at all: twenty waits, about two seconds.
    tx.frameReply = -1;
    const std::int64_t start = host.nowMs();
    emitter.SendLFFrame(frame, 1, 0);
    EXPECT_EQ(images.back(), TxImage::Failed);
    EXPECT_GE(host.nowMs() - start, 20 * 100);

    // A run that stops meanwhile ends the wait at once and leaves the image.
    images.clear();
    running = false;
    const std::int64_t stopped = host.nowMs();
    emitter.SendLFFrame(frame, 1, 0);
    EXPECT_LE(host.nowMs() - stopped, 2 * 100 + 10);
    EXPECT_TRUE(images.empty());

    // Without the TX controller ticked the reply counts as accepted.
    running = true;
    hw.chkTx = false;
    emitter.SendLFFrame(frame, 1, 0);
    EXPECT_EQ(emitter.lastReply(), 0xFC);
    EXPECT_EQ(images.back(), TxImage::Good);
}

TEST_F(EmissionTest, MalformedControllerMessageIsNotSent) {
    for (const char* message : {"", "03050905", "0305XX", "1105090500800100010320"}) {
        frame.ControllerMessage = message;
        EXPECT_FALSE(emitter.SendLFFrame(frame, 1, 0)) << message;
    }
    EXPECT_TRUE(tx.writes.empty());
}

TEST_F(EmissionTest, FrameWithoutFrequencyKeepsItsPairs) {
    frame.FreqIndex = 255;
    frame.EmittedContent = "0101";
    std::string cmd;
    ASSERT_TRUE(BuildFrameCommand(frame, cmd).ok);
    frame.ControllerMessage = cmd;
    tx.frameReply = -1;  // the fake expects the frequency bytes; only the bytes matter here
    hw.chkTx = false;
    emitter.SendLFFrame(frame, 0, 9);
    const Bytes all = tx.allWritten();
    EXPECT_EQ(BytesToText(Bytes(all.end() - 7, all.end())), "03 80 00 09 01 01 15");
}

TEST_F(EmissionTest, CarrierCommandAndItsAcknowledgement) {
    level.iLevelLF = 18;
    emitter.SendCW(7200000);
    ASSERT_EQ(tx.commands.size(), 2u);
    EXPECT_EQ(tx.commands[0], (Bytes{0x11, 0x3F}));
    EXPECT_EQ(BytesToText(tx.commands[1]), "12 05 09 05 00 D7 94 A5 00");
    EXPECT_EQ(images.back(), TxImage::Good);
    tx.cwReply = 0xFC;
    emitter.SendCW(10);
    EXPECT_EQ(images.back(), TxImage::Failed);
}

TEST_F(EmissionTest, StopContinuousRetriesUntilTheSequencerIsReady) {
    int state = 2;
    emitter.stateLF = [&] { return state; };
    bool hidden = false;
    emitter.hideSendStop = [&] { hidden = true; };
    // The sequencer tick notices the end 700 ms later: during the second attempt.
    auto tick = host.createTimer(700, [&] { state = 1; });
    tick->setEnabled(true);
    EXPECT_TRUE(emitter.StopContinuous());
    EXPECT_TRUE(hidden);
    EXPECT_EQ(traces, std::vector<std::string>{"*********** Retry STOPF ************"});
    EXPECT_EQ(tx.commands.size(), 2u);
    EXPECT_EQ(tx.commands[0], Bytes{0x00});

    tick->setEnabled(false);
    state = 2;
    traces.clear();
    tx.commands.clear();
    EXPECT_FALSE(emitter.StopContinuous());
    EXPECT_EQ(traces.size(), 5u);
    EXPECT_EQ(tx.commands.size(), 5u);
}

TEST_F(EmissionTest, EndOfOnPeriodCountsEmittedFrames) {
    tx.onStopTimed = {0xFE, 0x12, 0xFE, 0xFE, 0xFF, 0xFE};
    int sent = 4;
    EXPECT_TRUE(emitter.EndOnPeriod(sent));
    EXPECT_EQ(sent, 7);
    EXPECT_EQ(tx.commands.back(), Bytes{0xFF});
    EXPECT_EQ(tx.rtsDrops, 0);

    tx.pending.clear();  // the FE after the FF stays for the next reader
    tx.onStopTimed = {0xFE};
    tx.rts = true;
    sent = 0;
    const std::int64_t start = host.nowMs();
    EXPECT_FALSE(emitter.EndOnPeriod(sent));
    EXPECT_EQ(sent, 1);
    EXPECT_EQ(tx.rtsDrops, 1);  // no FF: the RTS pulse stops it
    EXPECT_GE(host.nowMs() - start, 1000);
}

TEST_F(EmissionTest, EndOfOnPeriodStopsWhenTheRunClosesThePort) {
    tx.onStopTimed = {};
    auto stopRun = host.createTimer(30, [&] { hw.ClosePort(hw.txPort); });
    stopRun->setEnabled(true);
    int sent = 0;
    const std::int64_t start = host.nowMs();
    EXPECT_FALSE(emitter.EndOnPeriod(sent));
    EXPECT_LE(host.nowMs() - start, 31);
    EXPECT_FALSE(tx.open);
}

TEST_F(EmissionTest, StopLFEmissionPulsesRtsThenAsksTheVersion) {
    tx.rts = true;
    emitter.StopLFEmission();
    EXPECT_EQ(tx.rtsDrops, 1);
    EXPECT_TRUE(tx.rts);
    EXPECT_EQ(tx.allWritten(), (Bytes{0x07, 0x00}));
    EXPECT_TRUE(tx.pending.empty());  // the version reply was read
}

TEST_F(EmissionTest, ClosedPortSendsNothingAndWaitsForNothing) {
    hw.ClosePort(hw.txPort);
    const std::int64_t start = host.nowMs();
    emitter.SendCW(100);
    int sent = 0;
    EXPECT_FALSE(emitter.EndOnPeriod(sent));
    emitter.StopLFEmission();
    EXPECT_TRUE(tx.writes.empty());
    EXPECT_EQ(host.nowMs() - start, 0);
    EXPECT_EQ(images.back(), TxImage::Failed);
}

TEST(PowerLevel, SliderReleaseByUserMode) {
    struct Case {
        const char* mode;
        int position;
        int tagBefore;
        int levelLF;  // -1: unchanged
        bool confirm, stop;
        int tagAfter;
        int shown;
    };
    // iLevelMax = 6, iLevelLF starts at 2.
    const Case cases[] = {
        {"Admin", 5, 1, 5, false, false, 0, 5},
        {"Admin", 9, 0, 2, true, false, 0, 9},   // waits for the confirmation
        {"Admin", 9, 1, 9, false, false, 1, 9},  // already confirmed
        {"User", 6, 1, 6, false, false, 0, 6},
        {"User", 7, 0, 2, false, true, 0, 7},
        {"", 12, 0, 6, false, false, 0, 6},  // any other mode: back to the maximum
    };
    for (const Case& c : cases) {
        LfPowerLevel p;
        p.iLevelMax = 6;
        p.iLevelLF = 2;
        p.sliderTag = c.tagBefore;
        p.trbPuissanceLFChange(c.position);
        p.trbPuissanceLFMouseUp(c.mode);
        const std::string what = std::string(c.mode) + " " + std::to_string(c.position);
        EXPECT_EQ(p.iLevelLF, c.levelLF) << what;
        EXPECT_EQ(p.confirmVisible, c.confirm) << what;
        EXPECT_EQ(p.stopVisible, c.stop) << what;
        EXPECT_EQ(p.panLFEnabled && p.butSendEnabled, !(c.confirm || c.stop)) << what;
        EXPECT_EQ(p.warningShown(), c.confirm || c.stop) << what;
        EXPECT_EQ(p.sliderTag, c.tagAfter) << what;
        EXPECT_EQ(p.levelShown, c.shown) << what;
    }
}

TEST(PowerLevel, WarningAnswersAndSteps) {
    LfPowerLevel p;
    p.iLevelMax = 6;
    p.trbPuissanceLFChange(10);
    p.ApplyLevelChange("Admin");
    p.confirmYes();
    EXPECT_EQ(p.iLevelLF, 10);
    EXPECT_EQ(p.sliderTag, 1);
    EXPECT_TRUE(p.panLFEnabled && p.butSendEnabled && !p.confirmVisible);
    EXPECT_EQ(p.lblLFPowerText(), "35%");
    EXPECT_TRUE(p.aboveMaximum());

    p.butLFClick(true, "User");  // 11 is above the maximum for a user
    EXPECT_TRUE(p.stopVisible);
    p.confirmCancel();
    EXPECT_FALSE(p.stopVisible);
    EXPECT_EQ(p.iLevelLF, 6);
    EXPECT_EQ(p.levelShown, 6);
    EXPECT_EQ(p.trbPuissanceLF, 6);
    EXPECT_EQ(p.sliderTag, 0);

    p.trbPuissanceLFChange(0);
    p.butLFClick(false, "Admin");  // stays at 0
    EXPECT_EQ(p.iLevelLF, 0);

    int modified = 0;
    p.onModified = [&] { ++modified; };
    p.trbPuissanceLFChange(9);
    p.butFixClick();
    EXPECT_EQ(p.iLevelMax, 9);
    EXPECT_EQ(modified, 1);

    p.SetLevelPercent(100);  // no maximum check
    EXPECT_EQ(p.iLevelLF, 18);
    EXPECT_EQ(p.trbPuissanceLF, 18);
    EXPECT_EQ(p.lblLFPowerText(), "100%");
}

}  // namespace
}  // namespace vornlfrf::hw
