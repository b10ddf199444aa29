#include "run/chip_decoder.h"

#include <gtest/gtest.h>

#include <random>

#include "config/content_parser.h"
#include "run/acquisition.h"
#include "support/reference_decoder.h"
#include "support/stream_builder.h"

namespace vornlfrf::run {
namespace {

using testsupport::ReferenceDecoder;
using testsupport::ReferenceFrame;
using testsupport::StreamBuilder;

DecoderDescription makeDescription(int coding, const std::string& preambleExpr, int baud,
                                   int totalSize = 0) {
    DecoderDescription d;
    d.coding = coding;
    d.preamble = config::ParseContent(preambleExpr, static_cast<config::CodingType>(coding));
    d.chipTimeUs = (coding == 3 ? 333333 : 500000) / baud;
    for (int k = 0; k < 8; ++k)
        d.thresholds[k] = static_cast<int>(d.chipTimeUs * 10 * 0.01 * (k + 0.5) + 0.5);
    d.totalSize = totalSize;
    return d;
}

// Records every evaluated frame; accepts them all unless told otherwise.
struct RecordingSink : FrameSink {
    Acquisition* acq = nullptr;
    std::vector<ReferenceFrame> frames;
    std::vector<std::pair<int, std::size_t>> logged, unrecognised;
    bool accept = true;
    bool EvaluateFrame(int channel, std::size_t slot) override {
        const DecoderState& s = *acq->channel(channel).slotState(slot);
        frames.push_back({channel, slot, acq->sampleCounter(), s.matchSample, s.chipCount,
                          s.frameBits, s.frameHex});
        lastChips = s.chipText;
        return accept;
    }
    void AppendResultRow(int channel, std::size_t slot, bool) override {
        logged.push_back({channel, slot});
    }
    void logUnrecognised(int channel, std::size_t slot) override {
        unrecognised.push_back({channel, slot});
    }
    std::string lastChips;
};

struct Rig {
    explicit Rig(std::vector<std::vector<DecoderDescription>> perChannel,
                 AcquisitionOptions options = {})
        : descs(std::move(perChannel)), acq(sink) {
        sink.acq = &acq;
        acq.configure(options);
        states.resize(descs.size());
        for (std::size_t c = 0; c < descs.size(); ++c) {
            states[c].resize(descs[c].size());
            std::vector<ChannelDecoder::Slot> slots;
            for (std::size_t i = 0; i < descs[c].size(); ++i)
                slots.push_back({&descs[c][i], &states[c][i]});
            acq.setChannel(static_cast<int>(c), slots);
        }
        acq.start();
    }
    std::vector<std::vector<DecoderDescription>> descs;
    std::vector<std::vector<DecoderState>> states;
    RecordingSink sink;
    Acquisition acq;
};

TEST(ChipDecoder, ThresholdsMatchTheCompiledValuesAt9600) {
    const auto d = makeDescription(0, "AAh", 9600);
    EXPECT_EQ(d.thresholds, (std::array<int, 8>{3, 8, 13, 18, 23, 29, 34, 39}));
}

TEST(ChipDecoder, LevelRunsBecomeChipsAndShortOrLongRunsEndTheFrame) {
    struct Case {
        int samples;  // length of the run of 1s after the preamble
        const char* chips;
    } cases[] = {{6, "1<X"}, {11, "11<X"}, {3, "<X"}, {35, "111111>X"}, {60, "111111>X"}};
    for (const Case& c : cases) {
        Rig rig({{makeDescription(0, "1010b", 9600)}});
        StreamBuilder sb(400);
        std::size_t at = sb.chips(0, 50, "1010", 52);
        sb.fill(0, at, at + c.samples, 1);
        at += c.samples;
        sb.fill(0, at + 3, 400, 1);  // three samples of 0: a '<' if the frame is still open
        const auto bytes = sb.bytes();
        rig.acq.feedBytes(bytes.data(), bytes.size());
        ASSERT_EQ(rig.sink.frames.size(), 1u) << c.samples;
        EXPECT_EQ(rig.sink.lastChips, c.chips) << c.samples;
    }
}

TEST(ChipDecoder, ChipsToBitsByCoding) {
    struct Case {
        int coding;
        const char* chips;
        const char* bits;
        const char* hex;
    } cases[] = {
        {0, "0110000000>", "01SSS", "[01SS][S]"},
        {0, "0", "0", "[0]"},
        {0, "1", "M", "[M]"},
        {1, "01101001", "1001", "9"},
        {2, "0110001100", "00111", "3[1]"},
        {3, "110100111", "10XX", "[10XX]"},
        {0, "<0110", "M0", "[M0]"},  // a pair led by a marker gives nothing
    };
    for (const Case& c : cases) {
        DecoderDescription d;
        d.coding = c.coding;
        DecoderState s;
        s.chipText = c.chips;
        ChipsToBits(d, s);
        EXPECT_EQ(s.frameBits, c.bits) << c.chips;
        EXPECT_EQ(s.frameHex, c.hex) << c.chips;
    }
}

TEST(ChipDecoder, BiphasePreambleMatchesDirectAndInverse) {
    for (const char* sent : {"0011", "1100"}) {
        DecoderDescription d = makeDescription(2, "0011b", 9600);
        d.preamble = "0011";
        Rig rig({{d}});
        StreamBuilder sb(300);
        std::size_t at = sb.chips(0, 40, std::string("0101") + sent + "0101", 52);
        sb.fill(0, at, 300, 0);
        const auto bytes = sb.bytes();
        rig.acq.feedBytes(bytes.data(), bytes.size());
        EXPECT_EQ(rig.sink.frames.size(), 1u) << sent;
    }
}

TEST(ChipDecoder, SelectionPrefersExactLengthThenSmallestExcess) {
    // Same preamble and timing: both decode 11 bits (8 data bits and the idle marker).
    struct Case {
        int expected1, expected2;
        bool uncompleted;
        std::vector<std::size_t> winner;
        std::vector<std::size_t> unrecognised;
    } cases[] = {
        {9, 11, false, {1}, {}},   // exact beats an earlier excess
        {8, 10, false, {1}, {}},   // excess 1 beats excess 3
        {10, 10, false, {0}, {}},  // tie: first
        {12, 20, false, {}, {}},   // shorter than both: nothing
        {0, 20, false, {}, {}},    // excess above 10: nothing
        {12, 20, true, {}, {1}},   // debug mode: the channel's last description
    };
    for (const Case& c : cases) {
        AcquisitionOptions o;
        o.uncompleted = c.uncompleted;
        Rig rig({{makeDescription(0, "FFh", 9600, c.expected1),
                  makeDescription(0, "FFh", 9600, c.expected2)}},
                o);
        StreamBuilder sb(1000);
        const std::string frame = config::ParseContent("FFh A5h", config::CodingType(0));
        std::size_t at = sb.chips(0, 40, frame, 52);
        sb.fill(0, at, 1000, 0);
        const auto bytes = sb.bytes();
        rig.acq.feedBytes(bytes.data(), bytes.size());
        ASSERT_EQ(rig.sink.frames.size(), 2u);
        EXPECT_EQ(rig.sink.frames[0].bits.substr(0, 8), "10100101");
        std::vector<std::size_t> winners, unrec;
        for (auto& l : rig.sink.logged) winners.push_back(l.second);
        for (auto& u : rig.sink.unrecognised) unrec.push_back(u.second);
        EXPECT_EQ(winners, c.winner) << c.expected1 << "/" << c.expected2;
        EXPECT_EQ(unrec, c.unrecognised) << c.expected1 << "/" << c.expected2;
    }
}

TEST(ChipDecoder, TriggerLowHoldsGatedAntennasAtZero) {
    const std::string frame = config::ParseContent("FFh A5h", config::CodingType(0));
    for (int trigger : {0, 1}) {
        AcquisitionOptions o;
        o.triggerInput = true;
        o.triggerMask = static_cast<std::uint8_t>(~0x04);  // box of antenna 2 (channel 3) ticked
        Rig rig({{}, {}, {makeDescription(0, "FFh", 9600, 8)}}, o);
        StreamBuilder sb(1000);
        const std::size_t at = sb.chips(2, 40, frame, 52);
        sb.fill(2, at, 1000, 0);
        sb.fill(0, 0, 1000, trigger);
        const auto bytes = sb.bytes();
        rig.acq.feedBytes(bytes.data(), bytes.size());
        EXPECT_EQ(rig.sink.logged.size(), trigger ? 1u : 0u) << trigger;
    }
}

// Random descriptions and busy noisy streams: the optimised decoder and the plain rules must
// produce the same frames at the same samples.
TEST(ChipDecoder, MatchesTheReferenceOnRandomStreams) {
    std::mt19937 rng(20261210);
    const int bauds[] = {2400, 4800, 9600, 19200};
    for (int round = 0; round < 40; ++round) {
        const bool filter = round % 3 == 0;
        std::vector<std::vector<DecoderDescription>> descs(4);
        for (int c = 0; c < 4; ++c) {
            const int n = static_cast<int>(rng() % 4);
            for (int i = 0; i < n; ++i) {
                const int coding = static_cast<int>(rng() % 4);
                std::string pre;
                for (int k = 0; k < 2 + static_cast<int>(rng() % 4); ++k)
                    pre += "0123456789ABCDEF"[rng() % 16];
                descs[c].push_back(makeDescription(coding, pre + "h", bauds[rng() % 4], 16));
            }
        }
        StreamBuilder sb(60000);
        for (int c = 0; c < 4; ++c) {
            std::size_t at = rng() % 500;
            while (at < sb.samples() - 3000 && !descs[c].empty()) {
                const DecoderDescription& d = descs[c][rng() % descs[c].size()];
                std::string body;
                for (int k = 0; k < 6; ++k) body += "0123456789ABCDEF"[rng() % 16];
                const std::string chips =
                    d.preamble + config::ParseContent(body + "h", config::CodingType(d.coding));
                at = sb.chips(c, at, chips, d.chipTimeUs) + rng() % 2000;
            }
            if (round % 2) sb.noise(c, 0.002, rng);
        }
        const auto bytes = sb.bytes();
        ReferenceDecoder ref(descs, filter);
        ref.feed(bytes);
        AcquisitionOptions o;
        o.acqFilter = filter;
        Rig rig(descs, o);
        rig.sink.accept = false;
        // Uneven chunks, as the ring hands them over.
        for (std::size_t i = 0; i < bytes.size();) {
            const std::size_t n = std::min<std::size_t>(bytes.size() - i, 1 + rng() % 3000);
            rig.acq.feedBytes(bytes.data() + i, n);
            i += n;
        }
        ASSERT_EQ(rig.sink.frames.size(), ref.frames.size()) << "round " << round;
        for (std::size_t k = 0; k < ref.frames.size(); ++k)
            ASSERT_TRUE(rig.sink.frames[k] == ref.frames[k]) << "round " << round << " frame " << k;
        if (round == 0) {
            EXPECT_GT(ref.frames.size(), 5u);
        }
    }
}

}  // namespace
}  // namespace vornlfrf::run
