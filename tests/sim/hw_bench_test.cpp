// The hardware procedures and LF emission commands against the in-process emulated bench.

#include <gtest/gtest.h>

#include <algorithm>

#include "bench.h"
#include "common/sim_host.h"
#include "config/analysis_log.h"
#include "controller.h"
#include "hw/hardware.h"
#include "hw/lf_command.h"
#include "hw/lf_emission.h"
#include "scenario.h"

namespace vornlfrf::sim {
namespace {

class HardwareOnBench : public ::testing::Test {
  protected:
    void make() {
        bench = std::make_unique<Bench>(
            scenario, [this] { return host.nowMs() * 1000; }, 1);
        hw = std::make_unique<hw::Hardware>(host, bench->ports(), log);
    }
    bool logged(const std::string& line) const {
        return std::find(log.lines().begin(), log.lines().end(), line) != log.lines().end();
    }

    SimHost host;
    Scenario scenario;
    config::AnalysisLog log;
    std::unique_ptr<Bench> bench;
    std::unique_ptr<hw::Hardware> hw;
};

TEST_F(HardwareOnBench, GetTypesFindsBothControllersAndReadsTheReceivers) {
    scenario.channels[0].receiverType = 10;
    scenario.channels[1].receiverType = 3;
    scenario.channels[2].receiverType = 2;
    scenario.channels[3].reading = 1000;
    make();
    ASSERT_TRUE(hw->GetTypes(false));
    EXPECT_EQ(hw->txtAutomaticTx, "COM5");
    EXPECT_EQ(hw->txtAutomaticRx, "COM6");
    EXPECT_TRUE(logged("  Bad ID"));  // the RX search met the TX controller on COM5 first
    EXPECT_EQ(hw->lblChannel1, "LSE Optical");
    EXPECT_EQ(hw->lblChannel2, "RF 433.92MHz");
    EXPECT_EQ(hw->lblChannel3, "RF 315.00MHz");
    EXPECT_EQ(hw->lblChannel4, "not defined");
    EXPECT_TRUE(hw->lseReceiver);
    EXPECT_EQ(hw->lseKind, 'O');
    EXPECT_EQ(log.lines().back(), "Channel4=not defined");
    EXPECT_FALSE(hw->txPort || hw->rxPort);
}

TEST_F(HardwareOnBench, IncompleteSilentAndOldControllers) {
    scenario.tx.answer = AnswerMode::Partial;  // each reply cut to its first byte
    scenario.rx.answer = AnswerMode::None;
    make();
    hw->txtAutomaticTx = "COM5";
    EXPECT_EQ(hw->FindController(true), "not found");
    EXPECT_EQ(log.lines()[3], "  Error 3");
    hw->rdbAutomaticRx = false;
    hw->rdbManualRx = true;
    hw->cboManualRx = "COM6";
    EXPECT_EQ(hw->TestController(false), "No response");

    scenario = Scenario();
    scenario.tx.fwMajor = 0;
    scenario.tx.fwMinor = 10;
    make();
    EXPECT_FALSE(hw->CheckTxController());
    EXPECT_EQ(log.lines().back(), "  Firmware v4.0.10 too old : upgrade required");
}

TEST_F(HardwareOnBench, FramesAndCarrierAreAcceptedAndCounted) {
    make();
    ASSERT_TRUE(hw->CheckTxController());
    hw::LfPowerLevel level;
    level.SetLevelPercent(50);
    hw::LfEmitter emitter(host, *hw, level);
    std::vector<hw::TxImage> images;
    emitter.setTxImage = [&](hw::TxImage i) { images.push_back(i); };

    config::TLFEMI frame;
    frame.FreqIndex = 2;
    frame.BitTimeCode = 128;
    frame.CodedContent = "0110 @ID(8) ";
    frame.ParamCount = 1;
    frame.ParamTokens[0] = "ID(8)";
    frame.ParamSizes[0] = 8;
    ASSERT_EQ(hw::SubstituteFrameParams(frame, hw::NormaliseId("A5, 12"), "", "", nullptr), 0);
    ASSERT_TRUE(hw::BuildFrameCommand(frame, frame.ControllerMessage).ok);

    ASSERT_TRUE(emitter.SendLFFrame(frame, 0, 20));  // continuous
    EXPECT_EQ(emitter.lastReply(), 0xFC);
    EXPECT_EQ(bench->tx().levelCode(), 0x39);
    host.sleepProcessing(500);
    int sent = 0;
    EXPECT_TRUE(emitter.EndOnPeriod(sent));
    EXPECT_GT(sent, 0);
    EXPECT_EQ(sent, bench->tx().framesEmitted());
    EXPECT_FALSE(bench->tx().emitting());

    emitter.SendCW(100);
    EXPECT_EQ(emitter.lastReply(), 0xED);
    EXPECT_TRUE(bench->tx().emitting());
    emitter.StopLFEmission();  // the RTS pulse cuts the carrier
    EXPECT_FALSE(bench->tx().emitting());
    EXPECT_EQ(images, (std::vector<hw::TxImage>{hw::TxImage::Good, hw::TxImage::Good}));
}

}  // namespace
}  // namespace vornlfrf::sim
