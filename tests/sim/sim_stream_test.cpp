#include <gtest/gtest.h>

#include "common/sim_host.h"
#include "config/content_parser.h"
#include "controller.h"
#include "sim_test_support.h"

namespace vornlfrf::sim::testing {
namespace {

Scenario Parse(const std::string& text) {
    Scenario s;
    Status st = ParseScenario(text, s);
    EXPECT_TRUE(st.ok) << st.message;
    return s;
}

class StreamTest : public BenchTest {
  protected:
    // StartStreaming as the host does it; returns the time of the switch to 1000000 baud.
    std::int64_t startStreaming(hw::SerialPort& rx) {
        EXPECT_EQ(exchange(rx, {0x04, 0x00}, 5000), Bytes{0xFB});
        EXPECT_TRUE(rx.setBaudRate(1000000));
        return now_;
    }
};

TEST_F(StreamTest, FiftyThousandBytesPerSecondOfTheClock) {
    make(Scenario{});
    auto rx = open(6);
    EXPECT_EQ(exchange(*rx, {0x04, 0x00}, 5000), Bytes{0xFB});
    EXPECT_EQ(exchange(*rx, {}, 50000), Bytes{}) << "no sample before the host's switch";
    ASSERT_TRUE(rx->setBaudRate(1000000));
    const std::int64_t t0 = now_;
    std::size_t total = 0;
    const std::int64_t steps[] = {7, 13000, 49999, 1, 80000, 20, 3};
    for (int i = 0; now_ < t0 + 1000000; ++i) {
        now_ = std::min(now_ + steps[i % 7], t0 + 1000000);
        total += readAll(*rx).size();
        ASSERT_EQ(total, static_cast<std::size_t>((now_ - t0) / 20)) << "at " << now_ - t0;
    }
    EXPECT_EQ(total, 50000u);
    now_ += 19;
    EXPECT_EQ(readAll(*rx).size(), 0u);
    now_ += 1;
    EXPECT_EQ(readAll(*rx).size(), 1u);
}

TEST_F(StreamTest, NibblesCarryTheFourChannels) {
    // Idle levels 1, 0, 1, 1 on channels 1..4: each sample is 1101b.
    const std::string idle =
        "[channel 1]\nidle = 1\n[channel 3]\nidle = 1\n[channel 4]\nidle = 1\n";
    make(Parse(idle));
    auto rx = open(6);
    startStreaming(*rx);
    now_ += 1000;
    EXPECT_EQ(readAll(*rx), Bytes(50, 0xDD));

    // Receivers on the antennas need power from the antenna port when so configured.
    make(Parse(idle + "[rx]\nantennas_need_power = yes\n"));
    rx = open(6);
    startStreaming(*rx);
    now_ += 1000;
    EXPECT_EQ(readAll(*rx), Bytes(50, 0x11));

    make(Parse(idle + "[rx]\nantennas_need_power = yes\n"));
    rx = open(6);
    exchange(*rx, {0x0C, 0x80, 0x87, 0xFF});
    exchange(*rx, {0x0C, 0x80, 0x07, 0x05});  // antennas 1 and 3
    exchange(*rx, {0x0C, 0x80, 0x87, 0xF8});
    startStreaming(*rx);
    now_ += 1000;
    EXPECT_EQ(readAll(*rx), Bytes(50, 0x99));
}

TEST_F(StreamTest, DroppedBytesAndASilentLink) {
    make(Parse("[rx]\ndrop_rate = 0.1\n"));
    auto rx = open(6);
    startStreaming(*rx);
    std::size_t total = 0;
    for (int i = 0; i < 100; ++i) {
        now_ += 10000;
        total += readAll(*rx).size();
    }
    EXPECT_GT(total, 44000u);
    EXPECT_LT(total, 46000u);

    make(Parse("[rx]\nstream = silent\n"));
    rx = open(6);
    startStreaming(*rx);
    now_ += 100000;
    EXPECT_EQ(readAll(*rx), Bytes{});
}

TEST_F(StreamTest, ClosingThePortEndsTheStream) {
    make(Scenario{});
    auto rx = open(6);
    startStreaming(*rx);
    now_ += 10000;
    EXPECT_EQ(readAll(*rx).size(), 500u);
    rx.reset();
    rx = open(6);
    EXPECT_FALSE(bench_->rx().streaming());
    EXPECT_EQ(exchange(*rx, {0x07, 0x00}), (Bytes{0xF8, 1, 1}));
    EXPECT_TRUE(rx->setBaudRate(1000000));
    EXPECT_EQ(exchange(*rx, {}, 10000), Bytes{}) << "a new switch alone does not stream";
}

TEST_F(StreamTest, AHostThatDoesNotReadLosesTheExcess) {
    make(Scenario{});
    auto rx = open(6);
    startStreaming(*rx);
    now_ += 10000000;
    EXPECT_EQ(readAll(*rx).size(), 131072u);
    now_ += 1000;
    EXPECT_EQ(readAll(*rx).size(), 50u);
}

TEST(BenchOnSimHost, AReaderTimerDrainsTheStreamOnTheHostClock) {
    SimHost host;
    Bench bench(
        DefaultScenario(), [&host] { return host.nowMs() * 1000; }, 1);
    auto tx = bench.ports().OpenPort(5, 115200, hw::LineMode::Enabled, hw::LineMode::Enabled);
    auto rx = bench.ports().OpenPort(6, 115200, hw::LineMode::Enabled, hw::LineMode::Enabled);
    ASSERT_TRUE(tx && rx);
    rx->write(Bytes{0x04, 0x00}.data(), 2);
    host.advance(5);
    ASSERT_EQ(ReadAll(*rx), Bytes{0xFB});
    rx->setBaudRate(1000000);

    std::size_t received = 0;
    std::size_t highOnChannel2 = 0;
    auto reader = host.createTimer(50, [&] {
        Bytes b = ReadAll(*rx);
        received += b.size();
        for (int v : ChannelLevels(b, 2)) highOnChannel2 += v;
    });
    reader->setEnabled(true);
    Bytes lf =
        LfFrameCommand(config::ParseContent("AAAAh", config::CodingType::ManchesterStandard), 1, 0);
    tx->write(lf.data(), lf.size());
    host.advance(1000);
    EXPECT_EQ(received, 50000u);
    EXPECT_GT(highOnChannel2, 0u) << "the default sensor on channel 2 answered";
    ASSERT_EQ(bench.transmissions().size(), 1u);
    EXPECT_EQ(bench.transmissions()[0].channel, 2);
}

}  // namespace
}  // namespace vornlfrf::sim::testing
