#pragma once
// Builds RX stream bytes from per-channel level timelines: frames given as chip texts at a chip
// time, idle stretches, and optional random level flips. Two samples per byte, bit c = channel c.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace vornlfrf::testsupport {

class StreamBuilder {
  public:
    explicit StreamBuilder(std::size_t samples)
        : levels_(4, std::vector<std::uint8_t>(samples, 0)) {}

    std::size_t samples() const { return levels_[0].size(); }

    void fill(int channel, std::size_t from, std::size_t to, int level) {
        for (std::size_t i = from; i < to && i < samples(); ++i) levels_[channel][i] = level & 1;
    }
    // Writes chips ('0'/'1') from sample `at`, chipTimeUs per chip (10 us per sample); returns
    // the sample after the last chip.
    std::size_t chips(int channel, std::size_t at, const std::string& chipText, int chipTimeUs) {
        double t = static_cast<double>(at);
        for (char c : chipText) {
            const double end = t + chipTimeUs / 10.0;
            fill(channel, static_cast<std::size_t>(t + 0.5), static_cast<std::size_t>(end + 0.5),
                 c == '1');
            t = end;
        }
        return static_cast<std::size_t>(t + 0.5);
    }
    void noise(int channel, double probability, std::mt19937& rng) {
        std::bernoulli_distribution flip(probability);
        for (auto& v : levels_[channel])
            if (flip(rng)) v ^= 1;
    }
    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> out(samples() / 2);
        for (std::size_t i = 0; i < out.size(); ++i) {
            std::uint8_t b = 0;
            for (int c = 0; c < 4; ++c)
                b |= static_cast<std::uint8_t>(levels_[c][2 * i] << c | levels_[c][2 * i + 1]
                                                                            << (4 + c));
            out[i] = b;
        }
        return out;
    }

  private:
    std::vector<std::vector<std::uint8_t>> levels_;
};

}  // namespace vornlfrf::testsupport
