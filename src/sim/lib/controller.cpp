#include "controller.h"

#include <algorithm>
#include <cmath>

#include "random.h"
#include "tables.h"

namespace vornlfrf::sim {

namespace {

constexpr int kControllerBaud = 115200;
// A message left incomplete this long is forgotten, so a stray byte cannot swallow the next
// command.
constexpr std::int64_t kPartialMessageTimeoutUs = 200000;

constexpr std::uint8_t kBootFrame = 0xF5;
constexpr std::uint8_t kBootVersion = 0xB2;
constexpr std::uint8_t kBootIdentity = 0xB8;
constexpr std::uint8_t kBootWriteIdentity = 0xB4;
constexpr std::uint8_t kBootFlashLine = 0xB1;
constexpr std::uint8_t kReadVersion = 0x07;
constexpr std::uint8_t kRegister = 0x0C;
constexpr std::uint8_t kRegisterWriteFlag = 0x80;
constexpr std::uint8_t kLfFrame = 0x03;
constexpr std::uint8_t kLfCarrier = 0x12;
constexpr std::uint8_t kLfLevel = 0x11;
constexpr std::uint8_t kStopTimed = 0xFF;
constexpr std::uint8_t kStopContinuous = 0x00;
constexpr std::uint8_t kStartStreaming = 0x04;

constexpr std::uint8_t kFrameEmitted = 0xFE;
constexpr std::uint8_t kEmissionEnded = 0xFF;

constexpr std::uint32_t kCarrierDurationBase = 0x01010100;
constexpr std::uint32_t kCarrierUnitsPerMs = 500;

// TX analog converter registers.
constexpr std::uint8_t kConverterControl = 0x1F;
constexpr std::uint8_t kConverterOn = 0x01;
constexpr std::uint8_t kConverterStart = 0x04;
constexpr std::uint8_t kConverterHigh = 0x1E;
constexpr std::uint8_t kConverterLow = 0x9E;
// Port direction registers (a set bit is an input) and output registers.
constexpr std::uint8_t kTxPortDirection = 0x85;
constexpr std::uint8_t kRxAntennaDirection = 0x87;
constexpr std::uint8_t kRxAntennaOutputs = 0x07;

std::uint8_t Complement(std::uint8_t code) {
    return static_cast<std::uint8_t>(~code);
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    for (std::uint8_t b : bytes) {
        if (!text.empty()) text += ' ';
        text += kHexDigits[b >> 4];
        text += kHexDigits[b & 0x0F];
    }
    return text;
}

}  // namespace

Controller::Controller(const ControllerConfig& config, Timeline& timeline)
    : config_(config),
      timeline_(timeline),
      identity_(config.identity),
      identityWritten_(config.identityWritten),
      fwMajor_(config.fwMajor),
      fwMinor_(config.fwMinor) {
    regs_[kTxPortDirection] = 0xFF;
    regs_[kRxAntennaDirection] = 0xFF;
    line_.setBaudRate(kControllerBaud);
}

void Controller::setTrace(std::string name, Trace trace) {
    name_ = std::move(name);
    trace_ = std::move(trace);
}

void Controller::note(std::int64_t t, const std::string& text) const {
    if (trace_) trace_(t, name_ + ": " + text);
}

void Controller::attach(std::int64_t t, int baudRate) {
    Endpoint::attach(t, baudRate);
    pending_.clear();
    rts_ = false;
}

void Controller::detach(std::int64_t t) {
    // Closing the port drops RTS and DTR.
    reset(t);
    rts_ = false;
}

void Controller::rtsChanged(std::int64_t t, bool on) {
    if (rts_ && !on) reset(t);
    rts_ = on;
}

void Controller::reset(std::int64_t t) {
    resets_.push_back(t);
    if (resets_.size() > kRecordLimit) resets_.pop_front();
    pending_.clear();
    line_.dropInFlight(t);
}

void Controller::receive(std::int64_t t, const std::uint8_t* data, std::size_t n) {
    if (dead()) return;
    for (std::size_t i = 0; i < n; ++i) {
        if (!pending_.empty() && t - lastByteUs_ > kPartialMessageTimeoutUs) pending_.clear();
        lastByteUs_ = t;
        pending_.push_back(data[i]);
        while (!pending_.empty()) {
            std::size_t need = messageLength(pending_);
            if (need == 0) {
                pending_.erase(pending_.begin());
                continue;
            }
            if (pending_.size() < need) break;
            std::vector<std::uint8_t> message(pending_.begin(), pending_.begin() + need);
            pending_.erase(pending_.begin(), pending_.begin() + need);
            if (trace_) note(t, "<- " + Hex(message));
            commands_.push_back({t, message});
            if (commands_.size() > kRecordLimit) commands_.pop_front();
            execute(t, message);
        }
    }
}

std::size_t Controller::messageLength(const std::vector<std::uint8_t>& p) const {
    switch (p[0]) {
        case kBootFrame:
            return 7;
        case kReadVersion:
            return 2;
        case kRegister:
            return 4;
        default:
            return 0;
    }
}

void Controller::execute(std::int64_t t, const std::vector<std::uint8_t>& m) {
    switch (m[0]) {
        case kBootFrame:
            bootLoader(t, m);
            break;
        case kReadVersion:
            reply(t, {Complement(kReadVersion), static_cast<std::uint8_t>(fwMajor_),
                      static_cast<std::uint8_t>(fwMinor_)});
            break;
        case kRegister:
            if (m[1] & kRegisterWriteFlag) {
                regs_[m[2]] = m[3];
                registerWritten(t, m[2]);
                reply(t, {Complement(kRegister), m[3]});
            } else {
                reply(t, {Complement(kRegister), regs_[m[2]]});
            }
            break;
        default:
            break;
    }
}

void Controller::bootLoader(std::int64_t t, const std::vector<std::uint8_t>& f) {
    unsigned sum = 0;
    for (int i = 0; i < 6; ++i) sum += f[i];
    // A frame with a wrong checksum is ignored, as the boot loader cannot trust it.
    if (f[6] != static_cast<std::uint8_t>(0xFF - (sum & 0xFF))) return;
    switch (f[1]) {
        case kBootVersion:
            reply(t, {static_cast<std::uint8_t>(config_.bootVersion)});
            break;
        case kBootIdentity:
            reply(t, {static_cast<std::uint8_t>(identity())});
            break;
        case kBootWriteIdentity:
            if (identityWritten_) {
                reply(t, {2});
            } else {
                identity_ = f[5];
                identityWritten_ = true;
                reply(t, {1});
            }
            break;
        case kBootFlashLine:
            ++flashLines_;
            if (config_.flashedMajor >= 0) {
                fwMajor_ = config_.flashedMajor;
                fwMinor_ = std::max(config_.flashedMinor, 0);
            }
            reply(t, {static_cast<std::uint8_t>(config_.flashReply)});
            break;
        default:
            break;
    }
}

void Controller::reply(std::int64_t t, std::initializer_list<std::uint8_t> bytes) {
    if (dead()) return;
    std::vector<std::uint8_t> out(bytes);
    if (config_.answer == AnswerMode::Partial)
        out.resize(
            std::min(out.size(), static_cast<std::size_t>(std::max(config_.partialBytes, 0))));
    line_.send(t + config_.replyDelayUs, out.data(), out.size());
}

void Controller::signal(std::int64_t t, std::uint8_t byte) {
    if (!dead()) line_.send(t, byte);
}

// ---------------------------------------------------------------------------------------------

TxController::TxController(const ControllerConfig& config, Timeline& timeline,
                           const std::array<int, 4>& readings, LfListener& listener)
    : Controller(config, timeline), readings_(readings), listener_(listener) {}

std::size_t TxController::messageLength(const std::vector<std::uint8_t>& p) const {
    switch (p[0]) {
        case kLfFrame:
            return p.size() < 10 ? 10 : 10 + p[9];
        case kLfCarrier:
            return 9;
        case kLfLevel:
            return 2;
        case kStopTimed:
            return 1;
        case kStopContinuous:
            return emitting_ ? 1 : 0;
        default:
            return Controller::messageLength(p);
    }
}

void TxController::execute(std::int64_t t, const std::vector<std::uint8_t>& m) {
    switch (m[0]) {
        case kLfFrame:
            startFrames(t, m);
            break;
        case kLfCarrier:
            startCarrier(t, m);
            break;
        case kLfLevel:
            levelCode_ = m[1];
            reply(t, {Complement(kLfLevel)});
            break;
        case kStopTimed:
        case kStopContinuous:
            if (config_.ignoreStop) break;
            // The frames already reported stay reported; the stop is confirmed by FF.
            emitting_ = false;
            ++emission_;
            reply(t, {kEmissionEnded});
            break;
        default:
            Controller::execute(t, m);
            break;
    }
}

void TxController::startFrames(std::int64_t t, const std::vector<std::uint8_t>& m) {
    reply(t, {Complement(kLfFrame)});
    // A new command replaces a running emission without ending it by FF.
    ++emission_;
    emitting_ = false;
    std::copy(m.begin() + 1, m.begin() + 5, frame_.frequency.begin());
    frame_.chipUs = LfChipTimeUs(m[5], m[8]);
    repetitions_ = m[6];
    int interframeMs = m[7];
    frame_.chips.clear();
    for (std::size_t i = 10; i < m.size(); ++i) {
        int count = m[i] >> 4;
        if (count == 0) count = 16;
        int nibble = m[i] & 0x0F;
        for (int k = 0; k < count; ++k)
            for (int bit = 3; bit >= 0; --bit) frame_.chips += ((nibble >> bit) & 1) ? '1' : '0';
    }
    startUs_ = t + config_.replyDelayUs;
    framesEmitted_ = 0;
    if (frame_.chips.empty()) {
        // Nothing to put on the air: the emission is over at once instead of looping forever.
        signal(startUs_, kEmissionEnded);
        return;
    }
    frameUs_ = static_cast<double>(frame_.chips.size()) * frame_.chipUs;
    periodUs_ = frameUs_ + interframeMs * 1000.0;
    emitting_ = true;
    std::uint64_t id = emission_;
    timeline_.at(frameEnd(0), [this, id](std::int64_t when) { frameEnded(when, id, 0); });
}

std::int64_t TxController::frameEnd(int index) const {
    return startUs_ + std::llround(index * periodUs_ + frameUs_);
}

void TxController::frameEnded(std::int64_t t, std::uint64_t emission, int index) {
    if (emission != emission_ || !emitting_) return;
    ++framesEmitted_;
    signal(t, kFrameEmitted);
    frame_.levelCode = levelCode_;
    listener_.lfFrameEmitted(t, frame_);
    if (emission != emission_ || !emitting_) return;
    if (repetitions_ != 0 && index + 1 >= repetitions_) {
        emitting_ = false;
        ++emission_;
        signal(t, kEmissionEnded);
        note(t, std::to_string(framesEmitted_) + " LF frames emitted");
        return;
    }
    timeline_.at(frameEnd(index + 1), [this, emission, index](std::int64_t when) {
        frameEnded(when, emission, index + 1);
    });
}

void TxController::startCarrier(std::int64_t t, const std::vector<std::uint8_t>& m) {
    reply(t, {Complement(kLfCarrier)});
    ++emission_;
    emitting_ = true;
    std::uint32_t v = (std::uint32_t{m[5]} << 24) | (std::uint32_t{m[6]} << 16) |
                      (std::uint32_t{m[7]} << 8) | m[8];
    std::int64_t durationMs =
        v >= kCarrierDurationBase ? (v - kCarrierDurationBase) / kCarrierUnitsPerMs : 0;
    std::int64_t start = t + config_.replyDelayUs;
    std::uint64_t id = emission_;
    timeline_.at(start, [this, id](std::int64_t when) {
        if (id == emission_ && emitting_) listener_.lfCarrierStarted(when, levelCode_);
    });
    timeline_.at(start + durationMs * 1000, [this, id](std::int64_t when) {
        if (id != emission_ || !emitting_) return;
        emitting_ = false;
        ++emission_;
        signal(when, kEmissionEnded);
    });
}

void TxController::registerWritten(std::int64_t, std::uint8_t address) {
    if (address != kConverterControl) return;
    std::uint8_t control = regs_[kConverterControl];
    if ((control & (kConverterOn | kConverterStart)) != (kConverterOn | kConverterStart)) return;
    int channel = (control >> 3) & 0x07;
    int reading = channel < 4 ? std::clamp(readings_[channel], 0, 1023) : 0;
    regs_[kConverterHigh] = static_cast<std::uint8_t>(reading >> 8);
    regs_[kConverterLow] = static_cast<std::uint8_t>(reading & 0xFF);
    regs_[kConverterControl] = static_cast<std::uint8_t>(control & ~kConverterStart);
}

void TxController::reset(std::int64_t t) {
    Controller::reset(t);
    if (emitting_) note(t, "emission cut by reset");
    emitting_ = false;
    ++emission_;
}

// ---------------------------------------------------------------------------------------------

RxController::RxController(const ControllerConfig& config, Timeline& timeline, SampleSource& source,
                           std::uint64_t seed)
    : Controller(config, timeline), source_(source), seed_(seed) {}

void RxController::receive(std::int64_t t, const std::uint8_t* data, std::size_t n) {
    // While streaming the line carries samples only.
    if (streaming_) return;
    Controller::receive(t, data, n);
}

std::size_t RxController::messageLength(const std::vector<std::uint8_t>& p) const {
    return p[0] == kStartStreaming ? 2 : Controller::messageLength(p);
}

void RxController::execute(std::int64_t t, const std::vector<std::uint8_t>& m) {
    if (m[0] != kStartStreaming) {
        Controller::execute(t, m);
        return;
    }
    reply(t, {Complement(kStartStreaming)});
    armed_ = true;
}

bool RxController::baudChanged(std::int64_t t, int rate) {
    if (rate == kStreamBaud) {
        if (armed_ && !streaming_) {
            streaming_ = true;
            streamStartUs_ = t;
            nextByte_ = 0;
            note(t, "sample stream started");
        }
    } else {
        // Back to the command rate: the host has left the stream.
        if (streaming_) note(t, "sample stream stopped");
        streaming_ = false;
        armed_ = false;
    }
    return true;
}

unsigned RxController::poweredAntennas() const {
    if (!config_.antennasNeedPower) return 0x07;
    return static_cast<unsigned>(~regs_[kRxAntennaDirection] & regs_[kRxAntennaOutputs]) & 0x07;
}

void RxController::advance(std::int64_t t) {
    if (!streaming_ || config_.streamSilent) return;
    unsigned powered = poweredAntennas();
    while (streamStartUs_ + static_cast<std::int64_t>(nextByte_ + 1) * kBytePeriodUs <= t) {
        std::uint64_t k = nextByte_++;
        std::int64_t first = streamStartUs_ + static_cast<std::int64_t>(k) * kBytePeriodUs;
        std::int64_t arrival = first + kBytePeriodUs;
        if (line_.queued() >= OutputLine::kHostQueueBytes) {
            line_.arrive(arrival, 0);  // counted as lost
            continue;
        }
        if (config_.dropRate > 0 &&
            Uniform(seed_, kDropStream, static_cast<std::uint64_t>(arrival)) < config_.dropRate)
            continue;
        std::uint8_t s0 = source_.sample(first, powered) & 0x0F;
        std::uint8_t s1 = source_.sample(first + kBytePeriodUs / 2, powered) & 0x0F;
        line_.arrive(arrival, static_cast<std::uint8_t>(s0 | (s1 << 4)));
    }
}

std::int64_t RxController::nextActivity() const {
    std::int64_t next = line_.nextArrival();
    if (streaming_ && !config_.streamSilent)
        next = std::min(next,
                        streamStartUs_ + static_cast<std::int64_t>(nextByte_ + 1) * kBytePeriodUs);
    return next;
}

void RxController::reset(std::int64_t t) {
    Controller::reset(t);
    if (streaming_) note(t, "sample stream stopped");
    streaming_ = false;
    armed_ = false;
}

}  // namespace vornlfrf::sim
