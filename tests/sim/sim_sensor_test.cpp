#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "config/content_parser.h"
#include "sim_test_support.h"

namespace vornlfrf::sim::testing {
namespace {

using config::CodingType;
using config::ParseContent;

Scenario Parse(const std::string& text) {
    Scenario s;
    Status st = ParseScenario(text, s);
    EXPECT_TRUE(st.ok) << st.message;
    return s;
}

// Reference decoder: level runs measured in samples become chips, the preamble is found among
// them and the chips after it are read back as bits.
std::string MeasureChips(const std::vector<int>& levels, double chipUs) {
    std::string chips;
    for (std::size_t i = 0, j = 0; i < levels.size(); i = j) {
        while (j < levels.size() && levels[j] == levels[i]) ++j;
        long n = std::max(1L, std::lround(static_cast<double>(j - i) * 10.0 / chipUs));
        chips.append(static_cast<std::size_t>(n), levels[i] ? '1' : '0');
    }
    return chips;
}

std::string ReadBits(const std::string& chips, std::size_t at, CodingType coding, std::size_t n) {
    std::string bits;
    for (std::size_t i = 0; i < n; ++i) {
        if (coding == CodingType::Pwm) {
            std::string g = chips.substr(at + 3 * i, 3);
            bits += g == "110" ? '1' : g == "100" ? '0' : 'X';
            continue;
        }
        std::string p = chips.substr(at + 2 * i, 2);
        if (coding == CodingType::BiphaseS)
            bits += p.size() == 2 ? (p[0] != p[1] ? '0' : '1') : 'X';
        else if (p == "10")
            bits += coding == CodingType::ManchesterStandard ? '1' : '0';
        else if (p == "01")
            bits += coding == CodingType::ManchesterStandard ? '0' : '1';
        else
            bits += 'X';
    }
    return bits;
}

std::string BitsToHex(const std::string& bits) {
    std::string hex;
    for (std::size_t i = 0; i + 4 <= bits.size(); i += 4) {
        if (bits.substr(i, 4).find('X') != std::string::npos) return hex + "?";
        hex += "0123456789ABCDEF"[std::stoi(bits.substr(i, 4), nullptr, 2)];
    }
    return hex;
}

// Decodes the first frame on a channel; empty when the preamble is not there.
std::string DecodeFrame(const std::vector<int>& levels, CodingType coding, int baud,
                        const std::string& preamble, std::size_t hexDigits) {
    double chipUs = 1e6 / (baud * (coding == CodingType::Pwm ? 3.0 : 2.0));
    std::string chips = MeasureChips(levels, chipUs);
    std::string pre = ParseContent(preamble, coding);
    std::size_t at = chips.find(pre);
    if (at == std::string::npos) return "";
    return BitsToHex(ReadBits(chips, at + pre.size(), coding, hexDigits * 4));
}

class SensorTest : public BenchTest {
  protected:
    // Streams from t = 5 ms, sends one LF frame and returns durationUs of stream.
    Bytes wakeAndListen(const Bytes& lfCommand, std::int64_t durationUs = 150000,
                        std::uint8_t level = 0x3F) {
        tx_ = open(5);
        rx_ = open(6);
        exchange(*tx_, {0x11, level}, 1000);
        EXPECT_EQ(exchange(*rx_, {0x04, 0x00}, 4000), Bytes{0xFB});
        rx_->setBaudRate(1000000);
        tx_->write(lfCommand.data(), lfCommand.size());
        Bytes stream;
        for (std::int64_t end = now_ + durationUs; now_ < end;) {
            now_ += 50000;
            Bytes b = readAll(*rx_);
            stream.insert(stream.end(), b.begin(), b.end());
        }
        return stream;
    }
    std::unique_ptr<hw::SerialPort> tx_;
    std::unique_ptr<hw::SerialPort> rx_;
};

Bytes AnyFrame() {
    return LfFrameCommand(ParseContent("AAAAh", CodingType::ManchesterStandard), 1, 0);
}

TEST_F(SensorTest, WokenSensorFrameDecodesBackForEachCoding) {
    struct Case {
        const char* coding;
        CodingType type;
        int baud;
        const char* preamble;
        int idle;
        const char* fields;
        const char* hex;
    };
    // 313233343536373839 is "123456789": its CRC-8 (poly 07, init 00) is the published F4.
    const Case cases[] = {
        {"manchester", CodingType::ManchesterStandard, 9600, "FFFh", 0,
         "id = 1A2B3C4D\npressure = 9Ah\ntemperature = 0x41\nchecksum = sum\n", "1A2B3C4D9A41A9"},
        {"inverted", CodingType::ManchesterInverted, 9600, "FFFh", 1,
         "id = 1A2B3C4D\npressure = 154\ntemperature = 65\nchecksum = sum\n", "1A2B3C4D9A41A9"},
        {"biphase", CodingType::BiphaseS, 4800, "0000h", 0,
         "id = 31323334353637\npressure = 38h\ntemperature = 39h\nchecksum = crc8\n"
         "crc_poly = 07h\ncrc_init = 0\n",
         "313233343536373839F4"},
        {"pwm", CodingType::Pwm, 4000, "FFh", 0,
         "id = C0FFEE\npressure = 0\ntemperature = 255\nchecksum = none\n", "C0FFEE00FF"},
        {"pwm", CodingType::Pwm, 2400, "0101b FFh", 1,
         "id = C0FFEE\npressure = 1\ntemperature = 2\nchecksum = sum\n", "C0FFEE0102B0"},
    };
    for (const Case& c : cases) {
        std::string text = "[channel 3]\nidle = " + std::to_string(c.idle) +
                           "\n[sensor s]\nchannel = 3\ncoding = " + c.coding +
                           "\nbaud = " + std::to_string(c.baud) + "\npreamble = " + c.preamble +
                           "\nwake = any\nwake_delay_ms = 20\n" + c.fields;
        now_ = 0;
        make(Parse(text));
        Bytes stream = wakeAndListen(AnyFrame());
        ASSERT_EQ(bench_->transmissions().size(), 1u) << c.coding;
        std::vector<int> levels = ChannelLevels(stream, 3);
        EXPECT_EQ(DecodeFrame(levels, c.type, c.baud, c.preamble, std::string(c.hex).size()), c.hex)
            << c.coding << " " << c.baud;
        EXPECT_EQ(bench_->transmissions()[0].cause, "lf");
        // Nothing on the other channels.
        for (int ch : {1, 2, 4})
            for (int v : ChannelLevels(stream, ch)) ASSERT_EQ(v, 0) << "channel " << ch;
    }
}

TEST_F(SensorTest, FrameStartsAfterTheWakeDelayAtTheSampledTime) {
    make(
        Parse("[sensor s]\nchannel = 2\nbaud = 10000\npreamble = FFFh\nid = 01\n"
              "wake_delay_ms = 20\n"));
    Bytes lf = AnyFrame();  // 16 symbols Manchester: 32 chips of 128 us
    Bytes stream = wakeAndListen(lf);
    ASSERT_EQ(bench_->transmissions().size(), 1u);
    const std::int64_t streamStart = 5000;
    const std::int64_t lfEnd = 5000 + 300 + 32 * 128;
    EXPECT_EQ(bench_->transmissions()[0].startUs, lfEnd + 20000);
    std::vector<int> levels = ChannelLevels(stream, 2);
    std::size_t first = 0;
    while (first < levels.size() && levels[first] == 0) ++first;
    // The first sample at or after the frame start sees its first chip, which is high.
    std::int64_t want = (lfEnd + 20000 - streamStart + 9) / 10;
    EXPECT_EQ(static_cast<std::int64_t>(first), want);
}

TEST_F(SensorTest, WakesOnlyOnItsIdWithEnoughField) {
    struct Case {
        const char* what;
        std::string chips;
        std::uint8_t level;
        bool wakes;
    };
    const Case cases[] = {
        {"id, standard", ParseContent("AAh 00C0FFEEh 5h", CodingType::ManchesterStandard), 0x3F,
         true},
        {"id, inverted", ParseContent("AAh 00C0FFEEh", CodingType::ManchesterInverted), 0x3F, true},
        {"other id", ParseContent("AAh 00C0FFEFh", CodingType::ManchesterStandard), 0x3F, false},
        {"level 0", ParseContent("00C0FFEEh", CodingType::ManchesterStandard), 0x00, false},
        {"10 %", ParseContent("00C0FFEEh", CodingType::ManchesterStandard), 0x2C, true},
        {"8 %", ParseContent("00C0FFEEh", CodingType::ManchesterStandard), 0x29, false},
    };
    for (const Case& c : cases) {
        now_ = 0;
        make(Parse("[sensor s]\nchannel = 2\nid = 00C0FFEE\nwake = id\nmin_level = 10\n"));
        wakeAndListen(LfFrameCommand(c.chips, 1, 0), 100000, c.level);
        EXPECT_EQ(bench_->transmissions().size(), c.wakes ? 1u : 0u) << c.what;
    }
}

TEST_F(SensorTest, CarrierWakesOnlyCarrierSensors) {
    make(
        Parse("[sensor c]\nchannel = 2\nid = 01\nwake = cw\nwake_delay_ms = 5\n"
              "[sensor f]\nchannel = 3\nid = 02\nwake = any\n"));
    Bytes cw = {0x12, 0x05, 0x09, 0x05, 0x00, 0x01, 0x01, 0xC4, 0x50};  // 100 ms
    wakeAndListen(cw, 50000);
    ASSERT_EQ(bench_->transmissions().size(), 1u);
    EXPECT_EQ(bench_->transmissions()[0].sensor, "c");
    EXPECT_EQ(bench_->transmissions()[0].cause, "cw");
}

TEST_F(SensorTest, RepeatsAndIgnoresWakesWhileBusy) {
    make(
        Parse("[sensor s]\nchannel = 2\nbaud = 10000\nid = 01\nwake_delay_ms = 5\n"
              "repeat = 3\nrepeat_gap_ms = 10\n"));
    // Four LF frames 4 ms apart: all but the first come while the sensor is busy.
    wakeAndListen(LfFrameCommand(ParseContent("AAh", CodingType::ManchesterStandard), 4, 4),
                  100000);
    const auto& t = bench_->transmissions();
    ASSERT_EQ(t.size(), 3u);
    std::int64_t frameUs = t[0].endUs - t[0].startUs;
    EXPECT_EQ(t[1].startUs, t[0].startUs + frameUs + 10000);
    EXPECT_EQ(t[2].startUs, t[1].startUs + frameUs + 10000);
}

TEST_F(SensorTest, PeriodicTransmissionsWithSeededJitter) {
    make(Parse("[sensor p]\nchannel = 4\nid = 01\nwake = none\nperiod_ms = 100\nphase_ms = 0\n"
               "jitter_ms = 5\n"),
         3);
    now_ = 950000;
    bench_->sync();
    const auto& t = bench_->transmissions();
    ASSERT_EQ(t.size(), 10u);
    std::map<std::int64_t, int> offsets;
    for (std::size_t k = 0; k < t.size(); ++k) {
        std::int64_t offset = t[k].startUs - static_cast<std::int64_t>(k) * 100000;
        EXPECT_GE(offset, 0);
        EXPECT_LE(offset, 5000);
        ++offsets[offset];
        EXPECT_EQ(t[k].cause, "period");
    }
    EXPECT_GT(offsets.size(), 5u) << "jitter varies";
}

}  // namespace
}  // namespace vornlfrf::sim::testing
