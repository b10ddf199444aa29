// Decoder throughput against the real-time sample rate (100000 samples per second, i.e. 50000
// stream bytes per second). The stream keeps all four channels busy with frames of mixed
// codings and some noise; the ratio counter says how many times faster than real time one core
// decodes it.

#include <benchmark/benchmark.h>

#include <random>

#include "config/content_parser.h"
#include "run/acquisition.h"
#include "support/stream_builder.h"

namespace {

using namespace vornlfrf;

run::DecoderDescription makeDescription(int coding, const std::string& preamble, int baud) {
    run::DecoderDescription d;
    d.coding = coding;
    d.preamble = config::ParseContent(preamble, static_cast<config::CodingType>(coding));
    d.chipTimeUs = (coding == 3 ? 333333 : 500000) / baud;
    for (int k = 0; k < 8; ++k)
        d.thresholds[k] = static_cast<int>(d.chipTimeUs * 10 * 0.01 * (k + 0.5) + 0.5);
    d.totalSize = 64;
    return d;
}

struct CountingSink : run::FrameSink {
    std::size_t frames = 0;
    bool EvaluateFrame(int, std::size_t) override {
        ++frames;
        return false;
    }
    void AppendResultRow(int, std::size_t, bool) override {}
    void logUnrecognised(int, std::size_t) override {}
};

void BM_Decoder(benchmark::State& state) {
    const int perChannel = static_cast<int>(state.range(0));
    std::mt19937 rng(5);
    const int bauds[] = {4800, 9600, 19200};
    std::vector<std::vector<run::DecoderDescription>> descs(4);
    for (int c = 0; c < 4; ++c)
        for (int i = 0; i < perChannel; ++i) {
            std::string pre;
            for (int k = 0; k < 4; ++k) pre += "0123456789ABCDEF"[rng() % 16];
            descs[c].push_back(
                makeDescription(static_cast<int>((c + i) % 4), pre + "h", bauds[(c + i) % 3]));
        }
    // Ten seconds of stream with a frame on every channel about every 20 ms.
    testsupport::StreamBuilder sb(1000000);
    for (int c = 0; c < 4; ++c) {
        std::size_t at = 100 + rng() % 500;
        while (at < sb.samples() - 5000) {
            const run::DecoderDescription& d = descs[c][rng() % descs[c].size()];
            std::string body;
            for (int k = 0; k < 16; ++k) body += "0123456789ABCDEF"[rng() % 16];
            at = sb.chips(
                     c, at,
                     d.preamble + config::ParseContent(body + "h", config::CodingType(d.coding)),
                     d.chipTimeUs) +
                 1000 + rng() % 1000;
        }
        sb.noise(c, 0.0005, rng);
    }
    const std::vector<std::uint8_t> bytes = sb.bytes();

    std::vector<std::vector<run::DecoderState>> states(4);
    CountingSink sink;
    run::Acquisition acq(sink);
    acq.configure({});
    for (int c = 0; c < 4; ++c) {
        states[c].resize(descs[c].size());
        std::vector<run::ChannelDecoder::Slot> slots;
        for (std::size_t i = 0; i < descs[c].size(); ++i)
            slots.push_back({&descs[c][i], &states[c][i]});
        acq.setChannel(c, slots);
    }
    for (auto _ : state) {
        acq.start();
        acq.feedBytes(bytes.data(), bytes.size());
        benchmark::DoNotOptimize(sink.frames);
    }
    const double streamSeconds = static_cast<double>(bytes.size()) / 50000.0;
    state.counters["realtime_ratio"] = benchmark::Counter(
        streamSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["frames_per_pass"] =
        static_cast<double>(sink.frames) / static_cast<double>(state.iterations());
}

BENCHMARK(BM_Decoder)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace
