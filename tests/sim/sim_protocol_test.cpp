#include <gtest/gtest.h>

#include "controller.h"
#include "sim_test_support.h"
#include "test_site.h"

namespace vornlfrf::sim::testing {
namespace {

Scenario Parse(const std::string& text) {
    Scenario s;
    Status st = ParseScenario(text, s);
    EXPECT_TRUE(st.ok) << st.message;
    return s;
}

class ProtocolTest : public BenchTest {};

TEST_F(ProtocolTest, BootLoaderFramesAnswerByteForByte) {
    make(Parse("[tx]\nboot_version = 7\n[rx]\nboot_version = 9\n"));
    auto tx = open(5);
    auto rx = open(6);
    struct Case {
        const char* what;
        bool onTx;
        Bytes frame;
        Bytes reply;
    };
    const Case cases[] = {
        {"TX boot version", true, {0xF5, 0xB2, 0x00, 0x00, 0x00, 0x00, 0x58}, {7}},
        {"RX boot version", false, {0xF5, 0xB2, 0x00, 0x00, 0x00, 0x00, 0x58}, {9}},
        {"TX identity", true, {0xF5, 0xB8, 0x00, 0x01, 0x00, 0x00, 0x51}, {105}},
        {"RX identity", false, {0xF5, 0xB8, 0x00, 0x01, 0x00, 0x00, 0x51}, {150}},
        {"identity already written", true, {0xF5, 0xB4, 0x00, 0x01, 0x00, 0x69, 0xEC}, {2}},
        {"firmware line", true, {0xF5, 0xB1, 0x00, 0x01, 0x10, 0xCF, 0x79}, {1}},
        {"wrong checksum ignored", true, {0xF5, 0xB2, 0x00, 0x00, 0x00, 0x00, 0x59}, {}},
        {"unknown boot command", false, BootFrame(0xB7, 0, 0, 0, 0), {}},
    };
    for (const Case& c : cases) EXPECT_EQ(exchange(c.onTx ? *tx : *rx, c.frame), c.reply) << c.what;
}

TEST_F(ProtocolTest, BlankControllerTakesItsIdentityOnce) {
    make(Parse("[rx]\nidentity_written = no\n"));
    auto rx = open(6);
    Bytes readIdentity = {0xF5, 0xB8, 0x00, 0x01, 0x00, 0x00, 0x51};
    Bytes writeIdentity = {0xF5, 0xB4, 0x00, 0x01, 0x00, 0x96, 0xBF};
    EXPECT_EQ(exchange(*rx, readIdentity), Bytes{0xFF});
    EXPECT_EQ(exchange(*rx, writeIdentity), Bytes{1});
    EXPECT_EQ(exchange(*rx, readIdentity), Bytes{150});
    EXPECT_EQ(exchange(*rx, writeIdentity), Bytes{2});
}

TEST_F(ProtocolTest, FlashingCanChangeTheReportedVersion) {
    make(Parse("[tx]\nfirmware = 0.10\nflashed_firmware = 1.1\nflash_reply = 5\n"));
    auto tx = open(5);
    EXPECT_EQ(exchange(*tx, {0x07, 0x00}), (Bytes{0xF8, 0, 10}));
    EXPECT_EQ(exchange(*tx, BootFrame(0xB1, 0x00, 0x01, 0x10, 0xCF)), Bytes{5});
    EXPECT_EQ(exchange(*tx, {0x07, 0x00}), (Bytes{0xF8, 1, 1}));
    EXPECT_EQ(bench_->tx().flashLines(), 1);
}

TEST_F(ProtocolTest, VersionAndRegisters) {
    make(Parse("[rx]\nfirmware = 4.11\n"));
    auto rx = open(6);
    EXPECT_EQ(exchange(*rx, {0x07, 0x00}), (Bytes{0xF8, 4, 11}));
    // The antenna set-up of the receivers list, then read back.
    EXPECT_EQ(exchange(*rx, {0x0C, 0x80, 0x87, 0xFF}), (Bytes{0xF3, 0xFF}));
    EXPECT_EQ(exchange(*rx, {0x0C, 0x80, 0x07, 0x07}), (Bytes{0xF3, 0x07}));
    EXPECT_EQ(exchange(*rx, {0x0C, 0x80, 0x87, 0xF8}), (Bytes{0xF3, 0xF8}));
    EXPECT_EQ(exchange(*rx, {0x0C, 0x00, 0x87, 0x00}), (Bytes{0xF3, 0xF8}));
    EXPECT_EQ(exchange(*rx, {0x0C, 0x00, 0x07, 0x00}), (Bytes{0xF3, 0x07}));
    EXPECT_EQ(exchange(*rx, {0x0C, 0x00, 0x42, 0x00}), (Bytes{0xF3, 0x00}));
}

TEST_F(ProtocolTest, ReceiverCodeSequenceReadsEachChannel) {
    make(
        Parse("[channel 1]\nreading = 224\n[channel 2]\nreceiver = 3\n"
              "[channel 3]\nreading = 1023\n[channel 4]\nreceiver = 10\n"));
    auto tx = open(5);
    const int expected[4] = {224, 193, 1023, 630};
    for (int c = 0; c < 4; ++c) {
        exchange(*tx, {0x0C, 0x80, 0x85, 0xFF});
        exchange(*tx, {0x0C, 0x80, 0x9F, 0x80});
        exchange(*tx, {0x0C, 0x80, 0x1F, static_cast<std::uint8_t>(0x81 + 8 * c)});
        exchange(*tx, {0x0C, 0x80, 0x1F, static_cast<std::uint8_t>(0x85 + 8 * c)});
        Bytes high = exchange(*tx, {0x0C, 0x00, 0x1E, 0x00});
        Bytes low = exchange(*tx, {0x0C, 0x00, 0x9E, 0x00});
        ASSERT_EQ(high.size(), 2u);
        ASSERT_EQ(low.size(), 2u);
        EXPECT_EQ(high[1] * 256 + low[1], expected[c]) << "channel " << c;
    }
}

TEST_F(ProtocolTest, AlertOutputFollowsItsRegisters) {
    make(Scenario{});
    auto tx = open(5);
    exchange(*tx, {0x0C, 0x80, 0x05, 0x01});
    EXPECT_FALSE(bench_->tx().alertOutput()) << "line 0 is still an input";
    exchange(*tx, {0x0C, 0x80, 0x85, 0xFE});
    EXPECT_TRUE(bench_->tx().alertOutput());
    exchange(*tx, {0x0C, 0x80, 0x05, 0x00});
    EXPECT_FALSE(bench_->tx().alertOutput());
}

TEST_F(ProtocolTest, LfCommandsAreAcknowledged) {
    make(Scenario{});
    auto tx = open(5);
    EXPECT_EQ(exchange(*tx, {0x11, 0x2C}), Bytes{0xEE});
    EXPECT_EQ(bench_->tx().levelCode(), 0x2C);
    // Three frames of 16 chips at 128 us, 10 ms apart: over in about 26 ms.
    EXPECT_EQ(exchange(*tx, LfFrameCommand("0000000011111", 3, 10)),
              (Bytes{0xFC, 0xFE, 0xFE, 0xFE, 0xFF}));
    // A 1000 ms carrier: ED at once, FF when it ends.
    EXPECT_EQ(exchange(*tx, {0x12, 0x05, 0x09, 0x05, 0x00, 0x01, 0x08, 0xA2, 0x20}, 990000),
              Bytes{0xED});
    EXPECT_EQ(exchange(*tx, {}, 20000), Bytes{0xFF});
    // A stop while nothing runs is still confirmed.
    EXPECT_EQ(exchange(*tx, {0xFF}), Bytes{0xFF});
    // RX commands mean nothing to the TX and the other way round.
    EXPECT_EQ(exchange(*tx, {0x04, 0x00}), Bytes{});
    auto rx = open(6);
    EXPECT_EQ(exchange(*rx, {0x11, 0x3F}), Bytes{});
}

TEST_F(ProtocolTest, SilentPartialAndSlowControllers) {
    make(Parse("[tx]\nanswer = none\n[rx]\nanswer = partial\npartial_bytes = 1\n"));
    auto tx = open(5);
    auto rx = open(6);
    EXPECT_EQ(exchange(*tx, {0xF5, 0xB2, 0x00, 0x00, 0x00, 0x00, 0x58}), Bytes{});
    EXPECT_EQ(exchange(*tx, {0x07, 0x00}), Bytes{});
    EXPECT_EQ(exchange(*rx, {0x07, 0x00}), Bytes{0xF8});
    EXPECT_EQ(exchange(*rx, {0xF5, 0xB2, 0x00, 0x00, 0x00, 0x00, 0x58}), Bytes{4});

    make(Parse("[tx]\nreply_delay_us = 150000\n"));
    tx = open(5);
    EXPECT_EQ(exchange(*tx, {0x07, 0x00}, 150000), Bytes{});
    EXPECT_EQ(exchange(*tx, {}, 300), (Bytes{0xF8, 1, 1}));
}

TEST_F(ProtocolTest, StrayBytesDoNotBlockTheNextCommand) {
    make(Scenario{});
    auto tx = open(5);
    EXPECT_EQ(exchange(*tx, {0x55, 0x07, 0x00}), (Bytes{0xF8, 1, 1}));
    // An unfinished register command is forgotten after a while.
    EXPECT_EQ(exchange(*tx, {0x0C, 0x80}, 300000), Bytes{});
    EXPECT_EQ(exchange(*tx, {0x07, 0x00}), (Bytes{0xF8, 1, 1}));
    // A boot-loader frame written in two parts, 10 ms apart, is one frame.
    EXPECT_EQ(exchange(*tx, {0xF5, 0xB2}, 10000), Bytes{});
    EXPECT_EQ(exchange(*tx, {0x00, 0x00, 0x00, 0x00, 0x58}), Bytes{4});
}

TEST_F(ProtocolTest, RepliesArriveAtTheLineRate) {
    make(Scenario{});
    auto tx = open(5);
    tx->write(Bytes{0x07, 0x00}.data(), 2);
    auto seen = watch(*tx, 2000);
    ASSERT_EQ(seen.size(), 3u);
    // 300 us reply delay, then one character time (10 bits at 115200) per byte.
    EXPECT_EQ(seen[0].first, 300 + 87);
    EXPECT_EQ(seen[1].first, 300 + 174);
    EXPECT_EQ(seen[2].first, 300 + 261);
}

TEST_F(ProtocolTest, PortsOpenExclusivelyByNumber) {
    make(Parse("[bench]\ntx_port = 12\nrx_port = 3\nsite_port = 0\nother_ports = 9, 1\n"));
    hw::PortProvider& ports = bench_->ports();
    EXPECT_EQ(ports.EnumeratePorts(), (std::vector<int>{1, 3, 9, 12}));
    EXPECT_EQ(ports.adapterChannelPort(0), 12);
    EXPECT_EQ(ports.adapterChannelPort(1), 3);
    EXPECT_EQ(ports.OpenPort(7, 115200, hw::LineMode::Disabled, hw::LineMode::Disabled), nullptr);
    auto tx = open(12);
    ASSERT_NE(tx, nullptr);
    EXPECT_EQ(open(12), nullptr) << "busy";
    auto silent = open(9);
    ASSERT_NE(silent, nullptr);
    EXPECT_EQ(exchange(*silent, {0xF5, 0xB2, 0x00, 0x00, 0x00, 0x00, 0x58}), Bytes{});
    tx.reset();
    tx = open(12);
    ASSERT_NE(tx, nullptr);
    EXPECT_EQ(exchange(*tx, {0x07, 0x00}), (Bytes{0xF8, 1, 1}));
}

TEST_F(ProtocolTest, PortOutlivingTheBenchIsHarmless) {
    make(Scenario{});
    auto tx = open(5);
    bench_.reset();
    std::uint8_t b = 0x07;
    EXPECT_FALSE(tx->write(&b, 1));
    EXPECT_EQ(tx->read(&b, 1), 0u);
}

TEST_F(ProtocolTest, UnusableSensorOfAHandBuiltScenarioIsReported) {
    Scenario s = DefaultScenario();
    s.sensors[0].preamble = "12H";
    s.sensors[1].channel = 5;
    make(s);
    EXPECT_EQ(
        bench_->problems(),
        (std::vector<std::string>{"sensor 'front-left' left out: preamble: Error suffix with 12H",
                                  "sensor 'rear-right' left out: channel must be 1 to 4"}));
}

TEST_F(ProtocolTest, PurgeDropsOnlyWhatHasArrived) {
    make(Scenario{});
    auto tx = open(5);
    tx->write(Bytes{0x07, 0x00}.data(), 2);
    now_ += 400;  // the first reply byte is in, two are still on the line
    tx->purge();
    now_ += 1000;
    EXPECT_EQ(readAll(*tx), (Bytes{1, 1}));
}

TEST_F(ProtocolTest, TestSiteRecordsLinesAndAnswers) {
    make(Parse("[site]\nline = 500 INIT\n"));
    auto site = bench_->ports().OpenPort(7, 9600, hw::LineMode::Keep, hw::LineMode::Keep);
    ASSERT_NE(site, nullptr);
    now_ += 600000;
    Bytes init = readAll(*site);
    EXPECT_EQ(std::string(init.begin(), init.end()), "INIT\r");
    std::string sent = "INIT:OK\rRFOFF\r\n";
    Bytes reply = exchange(*site, Bytes(sent.begin(), sent.end()));
    EXPECT_EQ(std::string(reply.begin(), reply.end()), "RFOFF:OK\r");
    EXPECT_EQ(bench_->testSite()->linesReceived(), (std::vector<std::string>{"INIT:OK", "RFOFF"}));
    EXPECT_TRUE(bench_->siteSend("TRIG_100_48V/m_vertical_AM"));
    now_ += 100000;
    Bytes trig = readAll(*site);
    EXPECT_EQ(std::string(trig.begin(), trig.end()), "TRIG_100_48V/m_vertical_AM\r");
}

}  // namespace
}  // namespace vornlfrf::sim::testing
