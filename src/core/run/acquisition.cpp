#include "run/acquisition.h"

#include <algorithm>

namespace vornlfrf::run {

namespace {
constexpr int kMajority[8] = {0, 0, 0, 1, 0, 1, 1, 1};
}

Acquisition::Acquisition(FrameSink& sink) : sink_(sink) {
    level_.fill(-1);
}

void Acquisition::configure(const AcquisitionOptions& options) {
    options_ = options;
    lse_.reset(options.lseKind);
    updateFeedMask();
}

void Acquisition::setChannel(int channel, std::vector<ChannelDecoder::Slot> slots) {
    channels_[static_cast<std::size_t>(channel)].setSlots(std::move(slots));
    activeMask_ = 0;
    for (int c = 0; c < 4; ++c)
        if (!channels_[static_cast<std::size_t>(c)].empty()) activeMask_ |= 1 << c;
    updateFeedMask();
}

void Acquisition::updateFeedMask() {
    // Channel 1 feeds the LSE meter instead of decoders, and nothing in trigger mode.
    feedMask_ = activeMask_;
    if (options_.lse) feedMask_ |= 1;
    if (options_.triggerInput) feedMask_ &= 0x0E;
}

void Acquisition::setMatchHook(std::function<void(int channel, std::size_t slot)> hook) {
    for (int c = 0; c < 4; ++c) {
        if (!hook) {
            channels_[static_cast<std::size_t>(c)].setMatchHook(nullptr);
            continue;
        }
        channels_[static_cast<std::size_t>(c)].setMatchHook(
            [hook, c](std::size_t slot, DecoderState&) { hook(c, slot); });
    }
}

void Acquisition::start() {
    sampleCounter_ = 0;
    nextMark_ = 100000;
    history_.fill(0);
    level_.fill(-1);
    deadline_.fill(0);
    minDeadline_ = 0;
    levelsByte_ = 0;
    lse_.reset(options_.lseKind);
    for (ChannelDecoder& c : channels_) c.reset();
}

void Acquisition::slowSample(int channel, int bit) {
    const std::size_t c = static_cast<std::size_t>(channel);
    if (channel == 0 && options_.lse) {
        if (lse_.measure(bit)) sink_.onChannelActivity(0);
        return;
    }
    int level = bit;
    if (options_.acqFilter) {
        history_[c] = static_cast<std::uint8_t>((history_[c] * 2 + bit) & 7);
        level = kMajority[history_[c]];
    }
    ChannelDecoder& dec = channels_[c];
    if (dec.empty()) return;
    level_[c] = level;
    completed_.clear();
    dec.processSample(level, sampleCounter_, completed_);
    // With the filter, a raw sample equal to the level is only harmless once the last three
    // samples agree; until then every sample goes through here.
    const bool steady = !options_.acqFilter || history_[c] == (level ? 7 : 0);
    deadline_[c] = steady ? dec.nextDeadline() : 0;
    if (completed_.empty()) return;

    candidates_.clear();
    for (std::size_t slot : completed_) {
        const DecoderState& s = *dec.slotState(slot);
        const DecoderDescription& d = *dec.slotDescription(slot);
        ChipsToBits(d, *dec.slotState(slot));
        if (sink_.EvaluateFrame(channel, slot)) {
            const int decoded = d.coding == 3 ? s.chipCount / 3 : s.chipCount / 2;
            candidates_.push_back({d.totalSize, decoded, slot});
        }
        dec.finishFrame(slot);
    }
    deadline_[c] = steady ? dec.nextDeadline() : 0;
    if (candidates_.empty()) return;
    sink_.onChannelActivity(channel);
    const Candidate* winner = nullptr;
    for (const Candidate& k : candidates_) {
        if (k.decoded == k.expected) {
            winner = &k;
            break;
        }
    }
    if (!winner) {
        int best = 11;
        for (const Candidate& k : candidates_) {
            const int excess = k.decoded - k.expected;
            if (excess >= 1 && excess <= 10 && excess < best) {
                best = excess;
                winner = &k;
            }
        }
    }
    if (winner)
        sink_.AppendResultRow(channel, winner->slot, true);
    else if (options_.uncompleted)
        sink_.logUnrecognised(channel, dec.size() - 1);
}

void Acquisition::countSample() {
    ++sampleCounter_;
}

void Acquisition::afterSamples() {
    if (sampleCounter_ >= nextMark_) {
        nextMark_ += 100000;
        sink_.onSampleMark();
    }
}

void Acquisition::refreshSteady() {
    minDeadline_ = ChannelDecoder::kNever;
    std::uint8_t levels = 0;
    for (int c = 0; c < 4; ++c) {
        if (!(feedMask_ & (1 << c))) continue;
        const std::size_t cc = static_cast<std::size_t>(c);
        minDeadline_ = std::min(minDeadline_, deadline_[cc]);
        if (level_[cc] > 0) levels |= static_cast<std::uint8_t>(1 << c);
    }
    levelsByte_ = static_cast<std::uint8_t>(levels | levels << 4);
}

void Acquisition::feedBytes(const std::uint8_t* data, std::size_t n) {
    const bool gated = options_.triggerInput || options_.lse;
    const std::uint8_t watched = static_cast<std::uint8_t>(feedMask_ | feedMask_ << 4);
    refreshSteady();
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t b = data[i];
        // No watched channel changes and no frame can end: only time passes.
        if (!gated && ((b ^ levelsByte_) & watched) == 0 && sampleCounter_ + 1 < minDeadline_) {
            std::uint64_t limit =
                std::min<std::uint64_t>(n - i, (minDeadline_ - sampleCounter_) / 2);
            limit = std::min<std::uint64_t>(limit, (nextMark_ - sampleCounter_) / 2);
            std::size_t k = 1;
            while (k < limit && ((data[i + k] ^ levelsByte_) & watched) == 0) ++k;
            sampleCounter_ += 2 * k;
            i += k - 1;
            iInputLevel_ = data[i] & 1;
            afterSamples();
            continue;
        }
        iInputLevel_ = b & 1;
        if (!options_.triggerInput) {
            for (int c = 0; c < 4; ++c)
                if (feedMask_ & (1 << c)) sample(c, (b >> c) & 1);
            countSample();
            for (int c = 0; c < 4; ++c)
                if (feedMask_ & (1 << c)) sample(c, (b >> (4 + c)) & 1);
            countSample();
        } else {
            // Trigger high passes the antennas; trigger low holds the ticked ones at 0.
            const std::uint8_t mask = (b & 1) ? 0xFF : options_.triggerMask;
            const std::uint8_t lo = b & mask;
            const std::uint8_t hi = static_cast<std::uint8_t>((b >> 4) & mask);
            for (int c = 1; c < 4; ++c)
                if (feedMask_ & (1 << c)) sample(c, (lo >> c) & 1);
            countSample();
            for (int c = 1; c < 4; ++c)
                if (feedMask_ & (1 << c)) sample(c, (hi >> c) & 1);
            countSample();
            if (b & 1) sink_.onChannelActivity(0);
        }
        afterSamples();
        refreshSteady();
    }
}

void Acquisition::feedNibble(std::uint8_t nibble) {
    for (int c = 0; c < 4; ++c)
        if (feedMask_ & (1 << c)) sample(c, (nibble >> c) & 1);
    countSample();
    afterSamples();
}

}  // namespace vornlfrf::run
