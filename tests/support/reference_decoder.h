#pragma once
// A line-by-line rendering of the chip decoder's rules, kept simple on purpose: the oracle that
// the optimised decoder must match frame for frame.

#include <cstdint>
#include <string>
#include <vector>

#include "run/chip_decoder.h"

namespace vornlfrf::testsupport {

struct ReferenceFrame {
    int channel;
    std::size_t slot;
    std::uint64_t sample;
    std::uint64_t matchSample;
    int chipCount;
    std::string bits;
    std::string hex;
    bool operator==(const ReferenceFrame& o) const {
        return channel == o.channel && slot == o.slot && sample == o.sample &&
               matchSample == o.matchSample && chipCount == o.chipCount && bits == o.bits &&
               hex == o.hex;
    }
};

class ReferenceDecoder {
  public:
    // descriptions[c] are the descriptions of channel c, in attribution order.
    explicit ReferenceDecoder(std::vector<std::vector<run::DecoderDescription>> descriptions,
                              bool acqFilter = false)
        : descs_(std::move(descriptions)), filter_(acqFilter) {
        states_.resize(descs_.size());
        for (std::size_t c = 0; c < descs_.size(); ++c) states_[c].resize(descs_[c].size());
    }

    // Every completed frame, accepted or not, in the order they complete.
    std::vector<ReferenceFrame> frames;

    void feed(const std::vector<std::uint8_t>& bytes) {
        for (std::uint8_t b : bytes) {
            for (int c = 0; c < 4; ++c) sample(c, (b >> c) & 1);
            ++counter_;
            for (int c = 0; c < 4; ++c) sample(c, (b >> (4 + c)) & 1);
            ++counter_;
        }
    }

  private:
    struct State {
        int huntState = 0;
        int lastLevel = -1;
        int runLength = 0;
        std::string chipText;
        int chipCount = 0;
        std::uint64_t matchSample = 0;
    };

    void sample(int c, int bit) {
        if (static_cast<std::size_t>(c) >= descs_.size()) return;
        int level = bit;
        if (filter_) {
            hist_[c] = (hist_[c] * 2 + bit) & 7;
            static const int table[8] = {0, 0, 0, 1, 0, 1, 1, 1};
            level = table[hist_[c]];
        }
        const char L = level ? '1' : '0';
        for (std::size_t i = 0; i < descs_[c].size(); ++i) {
            const run::DecoderDescription& d = descs_[c][i];
            State& s = states_[c][i];
            bool complete = false;
            if (s.lastLevel == -1) {
                s.lastLevel = L;
            } else if (L == s.lastLevel) {
                s.runLength += 1;
                if (s.runLength >= d.thresholds[6] && s.chipCount > 0 && s.huntState == 1) {
                    s.chipText += L == '0' ? "000000>" : "111111>";
                    s.chipCount += 7;
                    complete = true;
                }
            } else {
                std::string chips;
                const char f = static_cast<char>(s.lastLevel);
                const int r = s.runLength;
                const auto& T = d.thresholds;
                if (r < T[0])
                    chips = "<";
                else if (r < T[1])
                    chips = std::string(1, f);
                else if (r < T[2])
                    chips = std::string(2, f);
                else if (r < T[3])
                    chips = std::string(3, f);
                else if (r < T[4])
                    chips = std::string(4, f);
                else if (r < T[5])
                    chips = std::string(5, f);
                else if (r < T[6])
                    chips = std::string(6, f);
                else
                    chips = std::string(6, f) + ">";
                s.runLength = 0;
                for (char chip : chips) {
                    if (s.huntState == 0) {
                        const int plen = static_cast<int>(d.preamble.size());
                        if (s.chipCount == plen) {
                            if (!s.chipText.empty()) s.chipText.erase(0, 1);
                            s.chipCount -= 1;
                        }
                        s.chipText += chip;
                        s.chipCount += 1;
                        bool match = false;
                        if (d.coding != 2) {
                            match = s.chipText == d.preamble;
                        } else if (s.chipCount == plen) {
                            bool direct = true, inverse = true;
                            for (int k = 0; k < plen; ++k) {
                                const char w = s.chipText[k];
                                if (w != '0' && w != '1') direct = inverse = false;
                                if (w != d.preamble[k]) direct = false;
                                if (w == d.preamble[k]) inverse = false;
                            }
                            match = direct || inverse;
                        }
                        if (match) {
                            s.huntState = 1;
                            s.chipText.clear();
                            s.chipCount = 0;
                            s.matchSample = counter_;
                        }
                    } else {
                        s.chipText += chip;
                        s.chipCount += 1;
                        if (s.chipCount >= 1024 || chip == '>' || chip == '<') complete = true;
                    }
                }
                s.lastLevel = L;
            }
            if (complete) {
                run::DecoderState tmp;
                tmp.chipText = s.chipText;
                run::ChipsToBits(d, tmp);
                frames.push_back(
                    {c, i, counter_, s.matchSample, s.chipCount, tmp.frameBits, tmp.frameHex});
                s.huntState = 0;
                s.chipText.clear();
                s.chipCount = 0;
            }
        }
    }

    std::vector<std::vector<run::DecoderDescription>> descs_;
    std::vector<std::vector<State>> states_;
    bool filter_;
    int hist_[4] = {0, 0, 0, 0};
    std::uint64_t counter_ = 0;
};

}  // namespace vornlfrf::testsupport
