#include <gtest/gtest.h>

#include "config/content_parser.h"
#include "sim_test_support.h"

namespace vornlfrf::sim::testing {
namespace {

Scenario Parse(const std::string& text) {
    Scenario s;
    Status st = ParseScenario(text, s);
    EXPECT_TRUE(st.ok) << st.message;
    return s;
}

// Lengths of the runs of high samples.
std::vector<std::size_t> HighRuns(const std::vector<int>& levels) {
    std::vector<std::size_t> runs;
    for (std::size_t i = 0; i < levels.size();) {
        std::size_t j = i;
        while (j < levels.size() && levels[j] == levels[i]) ++j;
        if (levels[i]) runs.push_back(j - i);
        i = j;
    }
    return runs;
}

const char* kNoisyBench =
    "[channel 2]\nreceiver = 3\nnoise = 0.01\n"
    "[channel 3]\nglitch_rate = 200\n"
    "[rx]\ndrop_rate = 0.01\n"
    "[sensor a]\nchannel = 2\nid = 1A2B3C4D\nwake = any\njitter_ms = 3\n"
    "[sensor b]\nchannel = 3\ncoding = pwm\nbaud = 4000\nid = 77\nperiod_ms = 40\njitter_ms = 7\n";

class NoiseTest : public BenchTest {
  protected:
    // A short session: LF frames, streaming read in chunks of the given sizes (cycled).
    Bytes session(std::uint64_t seed, const std::vector<std::int64_t>& chunksUs) {
        now_ = 0;
        make(Parse(kNoisyBench), seed);
        auto tx = open(5);
        auto rx = open(6);
        Bytes all = exchange(*tx, {0xF5, 0xB2, 0x00, 0x00, 0x00, 0x00, 0x58}, 1000);
        exchange(*rx, {0x04, 0x00}, 1000);
        rx->setBaudRate(1000000);
        Bytes lf = LfFrameCommand(
            config::ParseContent("AAAAh", config::CodingType::ManchesterStandard), 5, 30);
        tx->write(lf.data(), lf.size());
        for (std::size_t i = 0; now_ < 400000; ++i) {
            now_ = std::min<std::int64_t>(now_ + chunksUs[i % chunksUs.size()], 400000);
            Bytes b = readAll(*rx);
            all.insert(all.end(), b.begin(), b.end());
        }
        Bytes t = readAll(*tx);
        all.insert(all.end(), t.begin(), t.end());
        return all;
    }
};

TEST_F(NoiseTest, SameSeedSameBytesWhateverTheReadPattern) {
    Bytes a = session(7, {50000});
    Bytes b = session(7, {50000});
    Bytes c = session(7, {13, 7000, 333, 49999});
    Bytes d = session(8, {50000});
    EXPECT_GT(a.size(), 19000u);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, c);
    EXPECT_NE(a, d);
}

TEST_F(NoiseTest, NoiseAndGlitchesHaveTheirRates) {
    make(Parse("[channel 1]\nnoise = 0.01\n[channel 4]\nglitch_rate = 500\nglitch_us = 30\n"));
    auto rx = open(6);
    exchange(*rx, {0x04, 0x00}, 1000);
    rx->setBaudRate(1000000);
    Bytes stream;
    for (int i = 0; i < 20; ++i) {
        now_ += 50000;
        Bytes b = readAll(*rx);
        stream.insert(stream.end(), b.begin(), b.end());
    }
    ASSERT_EQ(stream.size(), 50000u);
    std::size_t flipped = 0;
    for (int v : ChannelLevels(stream, 1)) flipped += v;
    EXPECT_GT(flipped, 800u);
    EXPECT_LT(flipped, 1200u);
    std::vector<std::size_t> glitches = HighRuns(ChannelLevels(stream, 4));
    EXPECT_GT(glitches.size(), 400u);
    EXPECT_LT(glitches.size(), 600u);
    for (std::size_t run : glitches) ASSERT_EQ(run % 3, 0u) << "a glitch lasts 30 us";
    for (int ch : {2, 3})
        for (int v : ChannelLevels(stream, ch)) ASSERT_EQ(v, 0);
}

TEST_F(NoiseTest, LseSensorsMarkTheRevolution) {
    struct Case {
        const char* config;
        std::size_t indexWidth;  // samples
        std::size_t stepWidth;
        std::size_t revolution;  // samples between index marks
    };
    const Case cases[] = {
        {"lse = optical\nlse_rpm = 600\n", 7, 5, 10000},
        {"lse = optical\nlse_rpm = 1200\nlse_direction = backward\n", 7, 3, 5000},
        {"lse = magnetic\nlse_rpm = 600\n", 5000, 5000, 10000},
    };
    for (const Case& c : cases) {
        now_ = 0;
        make(Parse(std::string("[channel 1]\n") + c.config));
        auto tx = open(5);
        // The TX reads the LSE type on channel 1.
        exchange(*tx, {0x0C, 0x80, 0x1F, 0x85});
        Bytes high = exchange(*tx, {0x0C, 0x00, 0x1E, 0x00});
        Bytes low = exchange(*tx, {0x0C, 0x00, 0x9E, 0x00});
        int reading = high[1] * 256 + low[1];
        bool optical = std::string(c.config).find("optical") != std::string::npos;
        EXPECT_TRUE(optical ? (reading >= 597 && reading < 664) : (reading >= 664 && reading < 733))
            << reading;

        auto rx = open(6);
        exchange(*rx, {0x04, 0x00}, 1000);
        rx->setBaudRate(1000000);
        Bytes stream;
        for (int i = 0; i < 8; ++i) {
            now_ += 50000;
            Bytes b = readAll(*rx);
            stream.insert(stream.end(), b.begin(), b.end());
        }
        std::vector<int> levels = ChannelLevels(stream, 1);
        std::vector<std::size_t> indexAt;
        std::size_t steps = 0;
        // Whole high runs only: the first and the last run may be cut by the window.
        std::size_t i = 0;
        while (i < levels.size() && levels[i] == levels[0]) ++i;
        for (std::size_t j; i < levels.size(); i = j) {
            j = i;
            while (j < levels.size() && levels[j] == levels[i]) ++j;
            if (!levels[i] || j == levels.size()) continue;
            std::size_t width = j - i;
            if (width == c.indexWidth)
                indexAt.push_back(i);
            else if (width == c.stepWidth)
                ++steps;
            else
                ADD_FAILURE() << "mark of " << width << " samples";
        }
        ASSERT_GE(indexAt.size(), 2u) << c.config;
        for (std::size_t k = 1; k < indexAt.size(); ++k)
            EXPECT_NEAR(static_cast<double>(indexAt[k] - indexAt[k - 1]), c.revolution, 1);
        if (optical) {
            EXPECT_GT(steps, 100u);
        }
    }
}

}  // namespace
}  // namespace vornlfrf::sim::testing
