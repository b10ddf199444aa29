#pragma once
// Chip decoder: turns the level samples of one receiver channel into frames for each RF
// description attributed to the channel. One sample stands for 10 us.
//
// Level runs become chips by the description's thresholds T0..T7 (samples at 0.5 .. 7.5 chip
// times): below T0 '<', below Tn n chips, otherwise six chips and '>'. Hunting slides a window
// of the last PreambleLength chips over the coded preamble; a match starts a frame that ends at
// an idle level (six chips and '>'), a '<' or '>' chip, or 1024 chips.
//
// Every description of a channel sees the same levels, so the level and its run length live in
// the channel; only hunting and chip collection are per description.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vornlfrf::config {
struct TRXREC;
}

namespace vornlfrf::run {

// What the decoder needs of a compiled RF description.
struct DecoderDescription {
    int coding = 0;        // 0 Manchester, 1 Manchester inverted, 2 Biphase-S, 3 PWM
    std::string preamble;  // coded preamble chips
    int chipTimeUs = 0;
    std::array<int, 8> thresholds{};
    std::string pwm0 = "100", pwm1 = "110";
    std::string processing = "egi";
    int totalSize = 0;  // expected frame length in bits
};

// The decoder's view of a compiled description; pwm0/pwm1 are the configuration's PWM patterns.
DecoderDescription decoderDescription(const config::TRXREC& rec, const std::string& pwm0,
                                      const std::string& pwm1);

struct DecoderState {
    int huntState = 0;
    std::string chipText;
    int chipCount = 0;
    std::string frameBits;
    std::string frameHex;
    std::uint64_t matchSample = 0;

    void reset();
};

// End-of-frame conversion: chips to bits by the coding, processing letters, hexadecimal text.
void ChipsToBits(const DecoderDescription& d, DecoderState& s);
// Groups of four bits as hex digits; any other group, or a short last group, in brackets.
std::string bitsToHex(const std::string& bits);

class ChannelDecoder {
  public:
    struct Slot {
        const DecoderDescription* description;
        DecoderState* state;
    };

    // Called once per description at a preamble match (the run takes its LSE snapshot there).
    using MatchHook = std::function<void(std::size_t slot, DecoderState&)>;

    void setSlots(std::vector<Slot> slots);
    void setMatchHook(MatchHook hook) { onMatch_ = std::move(hook); }
    void reset();
    bool empty() const { return slots_.empty(); }
    DecoderState* slotState(std::size_t i) const { return slots_[i].state; }
    const DecoderDescription* slotDescription(std::size_t i) const { return slots_[i].description; }
    std::size_t size() const { return slots_.size(); }

    // One sample ('0'/'1' as 0/1). Appends to completed the slots whose frame ended here, in
    // attribution order; their chipText is ready for ChipsToBits and must be cleared by the
    // caller through finishFrame after evaluation.
    void processSample(int level, std::uint64_t sampleCounter, std::vector<std::size_t>& completed);
    // Samples at the current level need not be fed before this sample index: the run length is
    // counted from the sample where the level began, and no frame can end earlier.
    std::uint64_t nextDeadline() const {
        return idleTarget_ == 0 ? kNever : runStart_ + static_cast<std::uint64_t>(idleTarget_);
    }
    int lastLevel() const { return lastLevel_; }
    static constexpr std::uint64_t kNever = ~0ULL;
    void finishFrame(std::size_t slot);

  private:
    // Descriptions with the same thresholds turn a level run into the same chips and see the
    // same chip history, so conversion and the hunting window are kept once per group.
    struct Group {
        std::array<int, 8> thresholds{};
        std::vector<std::uint8_t> chipsForRun;  // run length -> chips (0 = '<', 7 = six and '>')
        std::uint64_t window = 0;               // last chips, newest in bit 0
        std::uint64_t bad = 0;                  // '<' and '>' among them
        std::vector<std::size_t> members;
    };
    struct Compiled {
        std::uint64_t preambleBits = 0;
        std::uint64_t mask = 0;
        int length = 0;
        bool useWindow = false;
        bool biphase = false;
        int idleTarget = 1;  // run length at which an open frame ends on an idle level
        int hunted = 0;      // chips seen since the last reset, at most 64
    };
    void feedStringHunt(std::size_t i, char chip, std::uint64_t sampleCounter);
    void matched(std::size_t i, std::uint64_t sampleCounter);
    void refreshIdleTarget();

    std::vector<Slot> slots_;
    std::vector<Compiled> compiled_;
    std::vector<Group> groups_;
    std::vector<std::uint8_t> done_;
    MatchHook onMatch_;
    int lastLevel_ = -1;
    std::uint64_t runStart_ = 0;  // sample where the current level began
    int idleTarget_ = 0;  // smallest run length at which some open frame ends; 0 = none open
    int receiving_ = 0;   // slots collecting a frame
};

}  // namespace vornlfrf::run
