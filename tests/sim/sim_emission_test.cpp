#include <gtest/gtest.h>

#include <cmath>

#include "controller.h"
#include "sim_test_support.h"

namespace vornlfrf::sim::testing {
namespace {

constexpr std::int64_t kReplyDelayUs = 300;
constexpr std::int64_t kCharUs = 87;  // one byte at 115200 baud, rounded up

class EmissionTest : public BenchTest {
  protected:
    void SetUp() override {
        make(Scenario{});
        tx_ = open(5);
    }
    std::unique_ptr<hw::SerialPort> tx_;
};

TEST_F(EmissionTest, OneFeAtTheEndOfEachFrameThenFf) {
    // 13 content chips padded to 16, 128 us each (3906 baud): 2048 us per frame.
    const int frames = 4;
    const int interframeMs = 7;
    Bytes cmd = LfFrameCommand("0000000011111", frames, interframeMs);
    ASSERT_EQ(cmd, (Bytes{0x03, 0x05, 0x09, 0x05, 0x00, 0x80, 4, 7, 0x01, 0x03, 0x20, 0x1F, 0x18}));
    tx_->write(cmd.data(), cmd.size());
    auto seen = watch(*tx_, 50000);
    ASSERT_EQ(seen.size(), 2u + frames);
    EXPECT_EQ(seen[0].second, 0xFC);
    const std::int64_t start = kReplyDelayUs;
    for (int k = 0; k < frames; ++k) {
        std::int64_t end = start + k * (2048 + interframeMs * 1000) + 2048;
        EXPECT_EQ(seen[1 + k].second, 0xFE);
        EXPECT_NEAR(seen[1 + k].first, end + kCharUs, 1) << "frame " << k;
    }
    EXPECT_EQ(seen.back().second, 0xFF);
    EXPECT_NEAR(seen.back().first, seen[frames].first + kCharUs, 1);
    EXPECT_EQ(bench_->tx().framesEmitted(), frames);
    EXPECT_FALSE(bench_->tx().emitting());
}

TEST_F(EmissionTest, BitTimeBytesSetTheFrameLength) {
    struct Case {
        std::uint8_t first, second;
        std::int64_t chipUs;
    };
    // 1, 5, 10 and 50 ms per bit, and a plain rate whose first byte is the chip time.
    const Case cases[] = {{0xE1, 0x04, 500},
                          {0x81, 0x14, 2500},
                          {0x09, 0x28, 5000},
                          {0x49, 0xC4, 25000},
                          {52, 0x01, 52}};
    for (const Case& c : cases) {
        Bytes cmd = LfFrameCommand("01100110", 1, 0, c.first, c.second);
        std::int64_t sent = now_;
        tx_->write(cmd.data(), cmd.size());
        auto seen = watch(*tx_, 8 * c.chipUs + 1000, 10);
        ASSERT_EQ(seen.size(), 3u) << int(c.first);
        EXPECT_NEAR(seen[1].first - sent, kReplyDelayUs + 8 * c.chipUs + kCharUs, 10)
            << int(c.first);
    }
}

TEST_F(EmissionTest, ContinuousEmissionRunsUntilAStopByte) {
    for (std::uint8_t stop : {0x00, 0xFF}) {
        Bytes cmd = LfFrameCommand("0000000011111", 0, 10);
        EXPECT_EQ(exchange(*tx_, cmd, 1000), Bytes{0xFC});
        // One frame every 12.048 ms.
        Bytes during = exchange(*tx_, {}, 120000);
        EXPECT_EQ(during, Bytes(10, 0xFE));
        EXPECT_TRUE(bench_->tx().emitting());
        EXPECT_EQ(exchange(*tx_, {stop}, 1000), Bytes{0xFF}) << int(stop);
        EXPECT_EQ(exchange(*tx_, {}, 100000), Bytes{}) << "nothing after the stop";
    }
}

TEST_F(EmissionTest, RtsPulseStopsTheEmissionWithoutFf) {
    EXPECT_EQ(exchange(*tx_, LfFrameCommand("0000000011111", 0, 10), 20000),
              (Bytes{0xFC, 0xFE, 0xFE}));
    tx_->setRts(false);
    now_ += 10000;
    tx_->setRts(true);
    EXPECT_FALSE(bench_->tx().emitting());
    EXPECT_EQ(exchange(*tx_, {}, 100000), Bytes{});
    EXPECT_EQ(exchange(*tx_, {0x07, 0x00}), (Bytes{0xF8, 1, 1}));
}

TEST_F(EmissionTest, NewFrameCommandReplacesARunningOne) {
    EXPECT_EQ(exchange(*tx_, LfFrameCommand("0000000011111", 0, 10), 13000), (Bytes{0xFC, 0xFE}));
    EXPECT_EQ(exchange(*tx_, LfFrameCommand("1111", 2, 1), 20000), (Bytes{0xFC, 0xFE, 0xFE, 0xFF}));
}

TEST_F(EmissionTest, EmptyContentEndsAtOnce) {
    Bytes cmd = {0x03, 0x05, 0x09, 0x05, 0x00, 0x80, 0x00, 0x00, 0x01, 0x00};
    EXPECT_EQ(exchange(*tx_, cmd, 10000), (Bytes{0xFC, 0xFF}));
    EXPECT_FALSE(bench_->tx().emitting());
}

TEST_F(EmissionTest, StopCutsACarrierShort) {
    // 7200000 ms, the EMC carrier.
    EXPECT_EQ(exchange(*tx_, {0x12, 0x05, 0x09, 0x05, 0x00, 0xD7, 0x94, 0xA5, 0x00}, 500000),
              Bytes{0xED});
    EXPECT_EQ(exchange(*tx_, {0x00}), Bytes{0xFF});
    EXPECT_EQ(exchange(*tx_, {}, 7200000000), Bytes{});
}

}  // namespace
}  // namespace vornlfrf::sim::testing
