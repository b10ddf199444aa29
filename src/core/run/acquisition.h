#pragma once
// Stream bytes to decoded frames. Each byte carries two samples of the four channels (low nibble
// first; bit 0 = channel 1 "Ext", bits 1..3 = antennas 1..3). Samples go through the optional
// majority filter and trigger gating to the chip decoders of the channel's descriptions; frames
// completed at one sample compete, and the one whose length fits best is logged.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "run/chip_decoder.h"
#include "run/lse.h"

namespace vornlfrf::run {

struct AcquisitionOptions {
    bool acqFilter = false;           // chkAcqFilter
    bool triggerInput = false;        // bTriggerInput
    std::uint8_t triggerMask = 0xFF;  // iTriggerMask
    bool uncompleted = false;         // chkUncompleted
    bool lse = false;                 // an LSE receiver is on channel 1
    char lseKind = 'O';
    std::int64_t lseOffsetSamples = 0;
};

// What the run does with decoded frames.
class FrameSink {
  public:
    virtual ~FrameSink() = default;
    // Cuts and checks the frame of the description in slot of channel (0..3).
    virtual bool EvaluateFrame(int channel, std::size_t slot) = 0;
    virtual void AppendResultRow(int channel, std::size_t slot, bool accepted) = 0;
    // A frame no description claimed, in debug mode: slot is the channel's last description.
    virtual void logUnrecognised(int channel, std::size_t slot) = 0;
    // Every 100000 samples (graphic refresh, LSE row).
    virtual void onSampleMark() {}
    // Something was received on a channel (its LED lights).
    virtual void onChannelActivity(int /*channel*/) {}
};

class Acquisition {
  public:
    explicit Acquisition(FrameSink& sink);

    void configure(const AcquisitionOptions& options);
    // Descriptions of a channel in attribution order; the states belong to the run's table.
    void setChannel(int channel, std::vector<ChannelDecoder::Slot> slots);
    void start();  // sampleCounter := 0, decoders and filter reset
    // Called at every preamble match (the run takes the LSE snapshot of the frame start).
    void setMatchHook(std::function<void(int channel, std::size_t slot)> hook);

    // The hot loop of the acquisition tick.
    void feedBytes(const std::uint8_t* data, std::size_t n);
    // One replayed sample nibble (no trigger handling).
    void feedNibble(std::uint8_t nibble);

    std::uint64_t sampleCounter() const { return sampleCounter_; }
    int iInputLevel() const { return iInputLevel_; }
    const LseMeter& lse() const { return lse_; }
    const ChannelDecoder& channel(int c) const { return channels_[static_cast<std::size_t>(c)]; }

  private:
    // One sample of a watched channel: a level that goes on before its deadline costs nothing.
    void sample(int channel, int bit) {
        const std::size_t c = static_cast<std::size_t>(channel);
        if (bit != level_[c] || sampleCounter_ >= deadline_[c]) slowSample(channel, bit);
    }
    void slowSample(int channel, int bit);
    void afterSamples();
    void countSample();
    void updateFeedMask();

    struct Candidate {
        int expected;
        int decoded;
        std::size_t slot;
    };

    FrameSink& sink_;
    AcquisitionOptions options_;
    std::array<ChannelDecoder, 4> channels_;
    std::array<std::uint8_t, 4> history_{};
    std::array<int, 4> level_{};  // last decoded level per channel, -1 before the first
    LseMeter lse_;
    std::uint64_t sampleCounter_ = 0;
    std::uint64_t nextMark_ = 100000;
    int iInputLevel_ = 0;
    std::vector<std::size_t> completed_;
    std::vector<Candidate> candidates_;
    // Per channel: the sample before which an unchanged level needs no decoder work.
    std::array<std::uint64_t, 4> deadline_{};
    std::uint64_t minDeadline_ = 0;
    std::uint8_t levelsByte_ = 0;  // current levels of the decoding channels, both nibbles
    void refreshSteady();
    std::uint8_t activeMask_ = 0;  // channels with descriptions
    std::uint8_t feedMask_ = 0;    // channels whose samples must be looked at
};

}  // namespace vornlfrf::run
