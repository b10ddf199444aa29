#include "run/chip_decoder.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "config/processing.h"
#include "config/rf_description.h"

namespace vornlfrf::run {

DecoderDescription decoderDescription(const config::TRXREC& rec, const std::string& pwm0,
                                      const std::string& pwm1) {
    DecoderDescription d;
    d.coding = rec.Coding;
    d.preamble = rec.Preamble;
    d.chipTimeUs = rec.ChipTime;
    for (std::size_t k = 0; k < d.thresholds.size(); ++k) d.thresholds[k] = rec.ChipThresholds[k];
    d.pwm0 = pwm0;
    d.pwm1 = pwm1;
    d.processing = rec.Processing.empty() ? "egi" : rec.Processing;
    d.totalSize = rec.TotalSize;
    return d;
}

void DecoderState::reset() {
    huntState = 0;
    chipText.clear();
    chipCount = 0;
}

namespace {

char pairBit(int coding, char c1, char c2) {
    const bool c2Zero = c2 == '0', c2One = c2 == '1';
    if (coding == 2) {
        if (c1 == '0') return c2One ? '0' : '1';
        return c2Zero ? '0' : '1';
    }
    const char zeroFirst = coding == 0 ? '0' : '1';  // "01" and '0' then anything else
    const char oneFirst = coding == 0 ? '1' : '0';   // "10"
    if (c1 == '0') return c2Zero ? 'S' : zeroFirst;
    return c2Zero ? oneFirst : 'M';
}

const char kHex[] = "0123456789ABCDEF";

}  // namespace

std::string bitsToHex(const std::string& bits) {
    std::string hex;
    hex.reserve(bits.size() / 4 + 4);
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        const std::size_t n = std::min<std::size_t>(4, bits.size() - i);
        int v = 0;
        bool plain = n == 4;
        for (std::size_t k = 0; k < n && plain; ++k) {
            const char c = bits[i + k];
            if (c != '0' && c != '1') plain = false;
            v = v * 2 + (c == '1');
        }
        if (plain) {
            hex += kHex[v];
        } else {
            hex += '[';
            hex.append(bits, i, n);
            hex += ']';
        }
    }
    return hex;
}

void ChipsToBits(const DecoderDescription& d, DecoderState& s) {
    std::string& chips = s.chipText;
    chips += 'X';
    s.frameBits.clear();
    if (d.coding == 3) {
        while (chips.size() % 3) chips += '0';
        for (std::size_t i = 0; i < chips.size(); i += 3) {
            const std::string_view g(chips.data() + i, 3);
            s.frameBits += g == d.pwm0 ? '0' : g == d.pwm1 ? '1' : 'X';
        }
    } else {
        const std::size_t n = chips.size() & ~static_cast<std::size_t>(1);
        for (std::size_t i = 0; i < n; i += 2) {
            const char c1 = chips[i];
            if (c1 != '0' && c1 != '1') continue;
            s.frameBits += pairBit(d.coding, c1, chips[i + 1]);
        }
    }
    config::ApplyProcessingInPlace(d.processing, s.frameBits);
    s.frameHex = bitsToHex(s.frameBits);
}

void ChannelDecoder::setSlots(std::vector<Slot> slots) {
    slots_ = std::move(slots);
    compiled_.assign(slots_.size(), {});
    groups_.clear();
    done_.assign(slots_.size(), 0);
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        const DecoderDescription& d = *slots_[i].description;
        Compiled& c = compiled_[i];
        c.length = static_cast<int>(d.preamble.size());
        c.biphase = d.coding == 2;
        c.useWindow = c.length <= 64 && d.preamble.find_first_not_of("01") == std::string::npos;
        if (c.useWindow) {
            for (char ch : d.preamble) c.preambleBits = c.preambleBits << 1 | (ch == '1');
            c.mask = c.length == 64 ? ~0ULL : ((1ULL << c.length) - 1);
        }
        c.idleTarget = std::max(1, d.thresholds[6]);
        slots_[i].state->chipText.reserve(1100);

        auto g = std::find_if(groups_.begin(), groups_.end(),
                              [&](const Group& x) { return x.thresholds == d.thresholds; });
        if (g == groups_.end()) {
            Group fresh;
            fresh.thresholds = d.thresholds;
            const int limit = std::max(0, d.thresholds[6]);
            fresh.chipsForRun.resize(static_cast<std::size_t>(limit) + 1);
            for (int run = 0; run <= limit; ++run) {
                std::uint8_t n = 7;
                if (run < d.thresholds[0]) {
                    n = 0;
                } else {
                    for (int k = 1; k <= 6; ++k) {
                        if (run < d.thresholds[k]) {
                            n = static_cast<std::uint8_t>(k);
                            break;
                        }
                    }
                }
                fresh.chipsForRun[static_cast<std::size_t>(run)] = n;
            }
            groups_.push_back(std::move(fresh));
            g = groups_.end() - 1;
        }
        g->members.push_back(i);
    }
    reset();
}

void ChannelDecoder::reset() {
    lastLevel_ = -1;
    runStart_ = 0;
    idleTarget_ = 0;
    receiving_ = 0;
    for (Slot& s : slots_) s.state->reset();
    for (Compiled& c : compiled_) c.hunted = 0;
    for (Group& g : groups_) g.window = g.bad = 0;
}

void ChannelDecoder::refreshIdleTarget() {
    idleTarget_ = 0;
    if (receiving_ == 0) return;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        const DecoderState& s = *slots_[i].state;
        if (s.huntState == 1 && s.chipCount > 0 &&
            (idleTarget_ == 0 || compiled_[i].idleTarget < idleTarget_))
            idleTarget_ = compiled_[i].idleTarget;
    }
}

void ChannelDecoder::matched(std::size_t i, std::uint64_t sampleCounter) {
    DecoderState& s = *slots_[i].state;
    s.huntState = 1;
    s.chipText.clear();
    s.chipCount = 0;
    s.matchSample = sampleCounter;
    compiled_[i].hunted = 0;
    ++receiving_;
    if (onMatch_) onMatch_(i, s);
}

// Preambles that do not fit the bit window hunt on the text itself.
void ChannelDecoder::feedStringHunt(std::size_t i, char chip, std::uint64_t sampleCounter) {
    DecoderState& s = *slots_[i].state;
    const Compiled& c = compiled_[i];
    const std::string& preamble = slots_[i].description->preamble;
    if (s.chipCount == c.length && !s.chipText.empty()) {
        s.chipText.erase(0, 1);
        --s.chipCount;
    }
    s.chipText += chip;
    ++s.chipCount;
    bool match = false;
    if (!c.biphase) {
        match = s.chipText == preamble;
    } else if (s.chipCount == c.length) {
        bool direct = true, inverse = true;
        for (int k = 0; k < c.length; ++k) {
            const char w = s.chipText[static_cast<std::size_t>(k)];
            const char p = preamble[static_cast<std::size_t>(k)];
            if (w != '0' && w != '1') direct = inverse = false;
            if (w != p) direct = false;
            if (w == p) inverse = false;
        }
        match = direct || inverse;
    }
    if (match) matched(i, sampleCounter);
}

void ChannelDecoder::processSample(int level, std::uint64_t sampleCounter,
                                   std::vector<std::size_t>& completed) {
    if (slots_.empty()) return;
    if (lastLevel_ < 0) {
        lastLevel_ = level;
        runStart_ = sampleCounter;
        return;
    }
    const char L = level ? '1' : '0';
    if (level == lastLevel_) {
        const int runLength =
            static_cast<int>(std::min<std::uint64_t>(sampleCounter - runStart_, 1 << 30));
        if (idleTarget_ != 0 && runLength >= idleTarget_) {
            for (std::size_t i = 0; i < slots_.size(); ++i) {
                DecoderState& s = *slots_[i].state;
                if (s.huntState == 1 && s.chipCount > 0 && runLength >= compiled_[i].idleTarget) {
                    s.chipText.append(6, L);
                    s.chipText += '>';
                    s.chipCount += 7;
                    s.huntState = 2;  // complete; finishFrame returns it to hunting
                    --receiving_;
                    completed.push_back(i);
                }
            }
            refreshIdleTarget();
        }
        return;
    }
    const char finished = lastLevel_ ? '1' : '0';
    const std::uint64_t finishedBit = lastLevel_ ? 1 : 0;
    const int run =
        static_cast<int>(std::min<std::uint64_t>(sampleCounter - 1 - runStart_, 1 << 30));
    runStart_ = sampleCounter;
    lastLevel_ = level;
    bool anyDone = false;
    for (Group& g : groups_) {
        const std::uint8_t n = run < static_cast<int>(g.chipsForRun.size())
                                   ? g.chipsForRun[static_cast<std::size_t>(run)]
                                   : 7;
        // The chips of this run in order: '<' alone, or n chips of the level, then '>' at 7.
        const int count = n == 0 ? 1 : (n == 7 ? 7 : n);
        for (int k = 0; k < count; ++k) {
            const bool marker = n == 0 || k == 6;
            const char chip = n == 0 ? '<' : (k == 6 ? '>' : finished);
            g.window = g.window << 1 | (marker ? 0 : finishedBit);
            g.bad = g.bad << 1 | (marker ? 1 : 0);
            for (std::size_t i : g.members) {
                DecoderState& s = *slots_[i].state;
                Compiled& c = compiled_[i];
                if (s.huntState == 1) {
                    s.chipText += chip;
                    ++s.chipCount;
                    if (s.chipCount >= 1024 || marker) done_[i] = 1, anyDone = true;
                } else if (s.huntState == 0) {
                    if (!c.useWindow) {
                        feedStringHunt(i, chip, sampleCounter);
                        continue;
                    }
                    if (c.hunted < 64) ++c.hunted;
                    if (c.hunted < c.length || c.length == 0 || (g.bad & c.mask)) continue;
                    const std::uint64_t w = g.window & c.mask;
                    if (w == c.preambleBits || (c.biphase && w == (~c.preambleBits & c.mask)))
                        matched(i, sampleCounter);
                }
            }
        }
    }
    if (anyDone) {
        for (std::size_t i = 0; i < slots_.size(); ++i) {
            if (!done_[i]) continue;
            done_[i] = 0;
            slots_[i].state->huntState = 2;
            --receiving_;
            completed.push_back(i);
        }
    }
    refreshIdleTarget();
}

void ChannelDecoder::finishFrame(std::size_t slot) {
    DecoderState& s = *slots_[slot].state;
    s.huntState = 0;
    s.chipText.clear();
    s.chipCount = 0;
    compiled_[slot].hunted = 0;
}

}  // namespace vornlfrf::run
