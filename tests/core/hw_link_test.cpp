#include <gtest/gtest.h>

#include "common/sim_host.h"
#include "hw/controller_link.h"
#include "hw/receiver_types.h"
#include "hw_fake_controller.h"

namespace vornlfrf::hw {
namespace {

using testing::FakeController;
using testing::FakePort;
using Bytes = std::vector<std::uint8_t>;

TEST(BootFrame, ChecksumIsComplementOfTheSum) {
    struct Case {
        std::uint8_t cmd, d1, d2, d3, d4, checksum;
    };
    const Case cases[] = {
        {0xB2, 0x00, 0x00, 0x00, 0x00, 0x58},  // boot version
        {0xB8, 0x00, 0x01, 0x00, 0x00, 0x51},  // identity
        {0xB4, 0x00, 0x01, 0x00, 0x69, 0xEC},  // write identity TX
        {0xB4, 0x00, 0x01, 0x00, 0x96, 0xBF},  // write identity RX
    };
    for (const Case& c : cases) {
        const BootFrame f = MakeBootFrame(c.cmd, c.d1, c.d2, c.d3, c.d4);
        EXPECT_EQ(f[0], 0xF5);
        EXPECT_EQ(f[1], c.cmd);
        EXPECT_EQ(f[6], c.checksum) << std::hex << int(c.cmd);
    }
}

class LinkTest : public ::testing::Test {
  protected:
    LinkTest() { controller.host = &host; }
    SimHost host;
    FakeController controller;
    FakePort port{controller};
    ControllerLink link{host, &port};
};

TEST_F(LinkTest, BootFramePausesTenMillisecondsAfterTheCommand) {
    EXPECT_EQ(link.ReadBootVersion(), 4);
    ASSERT_EQ(controller.writes.size(), 7u);  // one byte per write
    EXPECT_EQ(controller.allWritten(), (Bytes{0xF5, 0xB2, 0, 0, 0, 0, 0x58}));
    const std::int64_t start = controller.writes[0].atMs;
    EXPECT_EQ(controller.writes[1].atMs, start);
    for (std::size_t i = 2; i < 7; ++i) EXPECT_EQ(controller.writes[i].atMs, start + 10);
}

TEST_F(LinkTest, MissingReplyGivesMinusOneAfterFiftyPolls) {
    controller.answersBoot = false;
    const std::int64_t start = host.nowMs();
    EXPECT_EQ(link.ReadIdentity(), -1);
    EXPECT_EQ(host.nowMs() - start, 10 + 50 * 2);
}

TEST_F(LinkTest, ReadVersionStopsAtTheFirstMissingByte) {
    struct Case {
        int bytes;
        int ack, major, minor;
        std::int64_t waitedMs;
    };
    const Case cases[] = {
        {3, 0xF8, 1, 2, 0},
        {2, 0xF8, 1, -1, 100},
        {1, 0xF8, -1, -1, 100},
        {0, -1, -1, -1, 100},
    };
    for (const Case& c : cases) {
        controller.versionBytes = c.bytes;
        controller.minor = 2;
        const std::int64_t start = host.nowMs();
        const FirmwareVersion v = link.ReadVersion();
        EXPECT_EQ(v.ack, c.ack) << c.bytes;
        EXPECT_EQ(v.major, c.major) << c.bytes;
        EXPECT_EQ(v.minor, c.minor) << c.bytes;
        EXPECT_EQ(host.nowMs() - start, c.waitedMs) << c.bytes;
    }
}

TEST_F(LinkTest, ReceiverCodeCombinesHighAndLowRegisters) {
    controller.receiverCodes = {0, 0, 0x3FF, 0};
    EXPECT_EQ(link.ReadReceiverCode(2), 1023);
    const std::vector<std::pair<int, int>> expected = {
        {0x85, 0xFF}, {0x9F, 0x80}, {0x1F, 0x81 + 16}, {0x1F, 0x85 + 16}};
    EXPECT_EQ(controller.registerWrites, expected);
    const Bytes all = controller.allWritten();
    const Bytes tail(all.end() - 8, all.end());
    EXPECT_EQ(tail, (Bytes{0x0C, 0x00, 0x1E, 0x00, 0x0C, 0x00, 0x9E, 0x00}));
}

TEST_F(LinkTest, AlertOutputDiscardsStaleRepliesThenDrivesLineZero) {
    controller.pending = {0xFE, 0xFE};
    link.SetAlertOutput(true);
    EXPECT_EQ(controller.allWritten(), (Bytes{0x0C, 0x80, 0x85, 0xFE, 0x0C, 0x80, 0x05, 0x01}));
    controller.writes.clear();
    link.SetAlertOutput(false);
    EXPECT_EQ(controller.allWritten(), (Bytes{0x0C, 0x80, 0x85, 0xFE, 0x0C, 0x80, 0x05, 0x00}));
}

TEST_F(LinkTest, StreamingNeedsItsAcknowledgementBeforeTheBaudRateChanges) {
    EXPECT_EQ(link.StartStreaming(), StreamStart::Started);
    EXPECT_EQ(controller.allWritten(), (Bytes{0x04, 0x00}));
    EXPECT_EQ(controller.baudRate, 1000000);

    controller.baudRate = 115200;
    controller.answersStreaming = false;
    EXPECT_EQ(link.StartStreaming(), StreamStart::NotAcknowledged);
    EXPECT_EQ(controller.baudRate, 115200);

    controller.answersStreaming = true;
    controller.baudRateWorks = false;
    EXPECT_EQ(link.StartStreaming(), StreamStart::BaudRateFailed);
}

TEST_F(LinkTest, PulseRtsDropsTheLineForTenMilliseconds) {
    controller.rts = true;
    bool lowDuringPulse = false;
    auto probe = host.createTimer(5, [&] { lowDuringPulse = !controller.rts; });
    probe->setEnabled(true);
    const std::int64_t start = host.nowMs();
    link.PulseRts();
    EXPECT_TRUE(lowDuringPulse);
    EXPECT_TRUE(controller.rts);
    EXPECT_EQ(host.nowMs() - start, 10);
}

TEST_F(LinkTest, DrainInputEmptiesLargeBacklogs) {
    controller.pending.assign(1000, 0xAA);
    link.DrainInput();
    EXPECT_TRUE(controller.pending.empty());
    EXPECT_EQ(link.ReadByte(), -1);
}

TEST(ReceiverTypes, ClassificationBounds) {
    const std::pair<int, int> cases[] = {
        {-1, 0},   {0, 0},    {31, 0},   {32, 1},   {97, 1},   {98, 2},   {224, 3},
        {225, 4},  {356, 5},  {357, 6},  {478, 7},  {479, 8},  {596, 9},  {597, 10},
        {663, 10}, {664, 11}, {804, 12}, {860, 13}, {914, 14}, {915, 15}, {1023, 15},
    };
    for (const auto& [value, index] : cases) EXPECT_EQ(ClassifyReceiverCode(value), index) << value;
    EXPECT_STREQ(ReceiverTypes[3], "RF 433.92MHz");
    EXPECT_STREQ(ReceiverTypes[10], "LSE Optical");
    EXPECT_STREQ(ReceiverTypes[15], "not defined");
}

}  // namespace
}  // namespace vornlfrf::hw
