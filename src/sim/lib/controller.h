#pragma once
// Emulated TX and RX controllers. Byte layouts they understand (host -> controller):
//   F5 cmd d1 d2 d3 d4 ck   boot-loader frame, ck = ~(sum of the first six bytes)
//                           B2 boot version, B8 identity, B4 write identity (d4), B1 flash line
//   07 00                   version                 -> F8 major minor
//   0C 80 a v / 0C 00 a 00  write / read register   -> F3 value
//   TX: 03 f1 f2 f3 f4 b1 r t b2 n p1..pn   LF frame -> FC, FE per frame, FF at the end
//         (b1 b2 bit time, r repetitions (0 = until stopped), t interframe ms, n run-length
//          pairs: high nibble count (0 = 16), low nibble the 4 content chips, MSB first)
//       12 f1 f2 f3 f4 v3 v2 v1 v0          carrier  -> ED, FF after (v - 0x01010100) / 500 ms
//       11 x                                LF level code -> EE
//       FF (or 00 during an emission)       stop     -> FF
//   RX: 04 00                               start streaming -> FB; the stream starts when the
//                                           host switches to 1000000 baud: one byte per 20 us,
//                                           bits 0-3 first sample, 4-7 second, bit 0 channel 1.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "endpoint.h"
#include "scenario.h"
#include "timeline.h"

namespace vornlfrf::sim {

class Controller : public Endpoint {
  public:
    using Trace = std::function<void(std::int64_t, const std::string&)>;

    Controller(const ControllerConfig& config, Timeline& timeline);
    // name prefixes the trace lines ("TX", "RX").
    void setTrace(std::string name, Trace trace);

    void attach(std::int64_t t, int baudRate) override;
    void detach(std::int64_t t) override;
    void receive(std::int64_t t, const std::uint8_t* data, std::size_t n) override;
    void rtsChanged(std::int64_t t, bool on) override;

    int identity() const { return identityWritten_ ? identity_ : 0xFF; }
    bool identityWritten() const { return identityWritten_; }
    int fwMajor() const { return fwMajor_; }
    int fwMinor() const { return fwMinor_; }
    int flashLines() const { return flashLines_; }
    std::uint8_t reg(int address) const { return regs_[address & 0xFF]; }

    // A message the controller took, stamped with the arrival of its last byte (us). The
    // latest kRecordLimit of each are kept, so a bench left running does not grow for ever.
    struct Command {
        std::int64_t t = 0;
        std::vector<std::uint8_t> bytes;
    };
    static constexpr std::size_t kRecordLimit = 100000;
    const std::deque<Command>& commands() const { return commands_; }
    // Times of the resets (RTS dropped, port closed).
    const std::deque<std::int64_t>& resets() const { return resets_; }

  protected:
    // Length of the message at the start of p once enough of it is known; 0 when p[0] starts
    // no message this controller knows (the byte is dropped).
    virtual std::size_t messageLength(const std::vector<std::uint8_t>& p) const;
    virtual void execute(std::int64_t t, const std::vector<std::uint8_t>& message);
    virtual void registerWritten(std::int64_t /*t*/, std::uint8_t /*address*/) {}
    // The controller is reset (RTS dropped, port closed): whatever it was doing stops.
    virtual void reset(std::int64_t t);
    // A reply leaves after the reply delay, cut to its first bytes in Partial mode.
    void reply(std::int64_t t, std::initializer_list<std::uint8_t> bytes);
    // An emission event byte (FE, FF) leaves at t.
    void signal(std::int64_t t, std::uint8_t byte);
    bool dead() const { return config_.answer == AnswerMode::None; }
    void note(std::int64_t t, const std::string& text) const;

    ControllerConfig config_;
    Timeline& timeline_;
    std::array<std::uint8_t, 256> regs_{};

  private:
    void bootLoader(std::int64_t t, const std::vector<std::uint8_t>& frame);

    std::vector<std::uint8_t> pending_;
    std::deque<Command> commands_;
    std::deque<std::int64_t> resets_;
    std::string name_;
    Trace trace_;
    std::int64_t lastByteUs_ = 0;
    bool rts_ = false;
    int identity_;
    bool identityWritten_;
    int fwMajor_;
    int fwMinor_;
    int flashLines_ = 0;
};

// What the TX puts on the air, for the sensors to hear.
struct LfFrame {
    std::array<std::uint8_t, 4> frequency{};
    int chipUs = 0;
    std::string chips;
    std::uint8_t levelCode = 0;
};

class LfListener {
  public:
    virtual ~LfListener() = default;
    virtual void lfFrameEmitted(std::int64_t endUs, const LfFrame& frame) = 0;
    virtual void lfCarrierStarted(std::int64_t startUs, std::uint8_t levelCode) = 0;
};

class TxController : public Controller {
  public:
    // readings: the converter reading of the receiver on each channel.
    TxController(const ControllerConfig& config, Timeline& timeline,
                 const std::array<int, 4>& readings, LfListener& listener);

    std::uint8_t levelCode() const { return levelCode_; }
    bool emitting() const { return emitting_; }
    int framesEmitted() const { return framesEmitted_; }
    // Digital output driven by the register pair 0x85 (direction) / 0x05 (level).
    bool alertOutput() const { return !(regs_[0x85] & 1) && (regs_[0x05] & 1); }

  protected:
    std::size_t messageLength(const std::vector<std::uint8_t>& p) const override;
    void execute(std::int64_t t, const std::vector<std::uint8_t>& message) override;
    void registerWritten(std::int64_t t, std::uint8_t address) override;
    void reset(std::int64_t t) override;

  private:
    void startFrames(std::int64_t t, const std::vector<std::uint8_t>& message);
    void startCarrier(std::int64_t t, const std::vector<std::uint8_t>& message);
    void frameEnded(std::int64_t t, std::uint64_t emission, int index);
    std::int64_t frameEnd(int index) const;

    std::array<int, 4> readings_;
    LfListener& listener_;
    std::uint8_t levelCode_ = 0x3F;
    bool emitting_ = false;
    std::uint64_t emission_ = 0;  // bumped whenever an emission ends
    LfFrame frame_;
    int repetitions_ = 0;  // 0: until stopped
    std::int64_t startUs_ = 0;
    double frameUs_ = 0;
    double periodUs_ = 0;
    int framesEmitted_ = 0;
};

// Channel levels of the receivers as the RX controller samples them.
class SampleSource {
  public:
    virtual ~SampleSource() = default;
    // Bit c-1 = channel c; poweredAntennas bit i = antenna i+1 (channel i+2) is powered.
    virtual std::uint8_t sample(std::int64_t tUs, unsigned poweredAntennas) = 0;
};

class RxController : public Controller {
  public:
    static constexpr int kStreamBaud = 1000000;
    static constexpr std::int64_t kBytePeriodUs = 20;  // two 10 us samples per byte

    RxController(const ControllerConfig& config, Timeline& timeline, SampleSource& source,
                 std::uint64_t seed);

    void receive(std::int64_t t, const std::uint8_t* data, std::size_t n) override;
    bool baudChanged(std::int64_t t, int rate) override;
    void advance(std::int64_t t) override;
    std::int64_t nextActivity() const override;

    bool streaming() const { return streaming_; }
    std::int64_t streamStartUs() const { return streamStartUs_; }
    std::uint64_t streamBytes() const { return nextByte_; }
    unsigned poweredAntennas() const;

  protected:
    std::size_t messageLength(const std::vector<std::uint8_t>& p) const override;
    void execute(std::int64_t t, const std::vector<std::uint8_t>& message) override;
    void reset(std::int64_t t) override;

  private:
    SampleSource& source_;
    std::uint64_t seed_;
    bool armed_ = false;
    bool streaming_ = false;
    std::int64_t streamStartUs_ = 0;
    std::uint64_t nextByte_ = 0;
};

}  // namespace vornlfrf::sim
