#include "hw/lf_emission.h"

#include <algorithm>

#include "hw/controller_link.h"
#include "hw/lf_command.h"

namespace vornlfrf::hw {

namespace {

int clampLevel(int level) {
    return std::clamp(level, 0, kMaxLfLevel);
}

// Bytes 7 and 8 (1-based) of a frame command with its frequency bytes; without them the
// placeholders sit four bytes earlier.
std::size_t repetitionOffset(const config::TLFEMI& frame) {
    return frame.FreqIndex < kLfFrequencyCount ? 6 : 2;
}

}  // namespace

// --- power level ---

std::string LfPowerLevel::lblLFPowerText() const {
    return std::to_string(LfLevels[static_cast<std::size_t>(clampLevel(levelShown))].percent) + "%";
}

void LfPowerLevel::changed() {
    if (onChanged) onChanged();
}

void LfPowerLevel::setAll(int level) {
    levelShown = trbPuissanceLF = iLevelLF = clampLevel(level);
}

void LfPowerLevel::trbPuissanceLFChange(int position) {
    trbPuissanceLF = levelShown = clampLevel(position);
    changed();
}

void LfPowerLevel::trbPuissanceLFMouseUp(const std::string& userMode) {
    ApplyLevelChange(userMode);
}

void LfPowerLevel::butLFClick(bool up, const std::string& userMode) {
    levelShown = clampLevel(levelShown + (up ? 1 : -1));
    trbPuissanceLF = levelShown;
    ApplyLevelChange(userMode);
}

void LfPowerLevel::ApplyLevelChange(const std::string& userMode) {
    const int position = trbPuissanceLF;
    const bool above = position > iLevelMax;
    if (userMode == text::kAdminMode) {
        if (above && sliderTag != 1) {
            confirmVisible = true;
            panLFEnabled = butSendEnabled = false;
        } else {
            iLevelLF = position;
            if (!above) sliderTag = 0;
        }
    } else if (userMode == text::kUserMode) {
        if (above) {
            stopVisible = true;
            panLFEnabled = butSendEnabled = false;
        } else {
            iLevelLF = position;
            sliderTag = 0;
        }
    } else {
        setAll(iLevelMax);
    }
    changed();
}

void LfPowerLevel::confirmYes() {
    confirmVisible = false;
    iLevelLF = levelShown = trbPuissanceLF;
    sliderTag = 1;
    panLFEnabled = butSendEnabled = true;
    changed();
}

void LfPowerLevel::confirmCancel() {
    confirmVisible = stopVisible = false;
    setAll(iLevelMax);
    sliderTag = 0;
    panLFEnabled = butSendEnabled = true;
    changed();
}

void LfPowerLevel::butFixClick() {
    iLevelMax = trbPuissanceLF;
    changed();
    if (onModified) onModified();
}

void LfPowerLevel::SetLevelPercent(int percent) {
    setAll(NearestLevelIndex(percent));
    changed();
}

// --- emission ---

LfEmitter::LfEmitter(Host& host, Hardware& hardware, LfPowerLevel& level)
    : host_(host), hardware_(hardware), level_(level) {}

void LfEmitter::SetLevel() {
    ControllerLink tx(host_, hardware_.txPort);
    tx.WriteByte(code::kLevel);
    tx.WriteByte(LfLevels[static_cast<std::size_t>(clampLevel(level_.iLevelLF))].code);
    tx.ReadByteWait();
}

bool LfEmitter::SendLFFrame(const config::TLFEMI& frame, int repetitions, int interframeMs) {
    std::vector<std::uint8_t> bytes;
    const std::size_t at = repetitionOffset(frame);
    if (!HexToBytes(frame.ControllerMessage, bytes) || bytes.size() < at + 3 ||
        bytes.size() > kMaxFrameCommandBytes || bytes[0] != code::kLfFrame)
        return false;
    bytes[at] = static_cast<std::uint8_t>(repetitions & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>(interframeMs & 0xFF);

    ControllerLink tx(host_, hardware_.txPort);
    tx.DrainInput();
    SetLevel();
    tx.DrainInput();
    tx.WriteBytes(bytes);

    int reply = reply::kFrameAccepted;
    if (hardware_.chkTx) {
        reply = -1;
        for (int i = 0; i < kReplyAttempts && reply < 0; ++i) {
            reply = tx.ReadByteWait();
            if (reply < 0 && !running()) {
                lastReply_ = -1;
                return true;
            }
        }
    }
    lastReply_ = reply;
    if (running()) image(reply == reply::kFrameAccepted ? TxImage::Good : TxImage::Failed);
    return true;
}

void LfEmitter::SendCW(std::uint32_t durationMs) {
    ControllerLink tx(host_, hardware_.txPort);
    tx.DrainInput();
    SetLevel();
    tx.DrainInput();
    tx.WriteBytes(BuildCwCommand(durationMs));
    int reply = -1;
    for (int i = 0; i < kReplyAttempts && reply < 0; ++i) reply = tx.ReadByteWait();
    lastReply_ = reply;
    image(reply == reply::kCwAccepted ? TxImage::Good : TxImage::Failed);
}

bool LfEmitter::StopContinuous() {
    if (hideSendStop) hideSendStop();
    ControllerLink tx(host_, hardware_.txPort);
    auto ready = [this] { return !stateLF || stateLF() == 1; };
    for (int attempt = 0; attempt < kStopAttempts; ++attempt) {
        tx.WriteByte(code::kStopContinuous);
        // The LF sequencer's tick reads the final FF while this waits.
        for (int step = 0; step < kStopWaitSteps && !ready(); ++step)
            host_.sleepProcessing(kStopWaitStepMs);
        if (ready()) return true;
        if (trace) trace(text::kRetryStopf);
    }
    return false;
}

bool LfEmitter::EndOnPeriod(int& sentFrames) {
    ControllerLink tx(host_, hardware_.txPort);
    tx.WriteByte(code::kStopTimed);
    for (int i = 0; i < kEndReads; ++i) {
        if (!tx.isOpen()) return false;
        const int b = tx.ReadByte();
        if (b == reply::kFrameEmitted) ++sentFrames;
        if (b == reply::kEmissionEnded) return true;
        host_.sleepProcessing(1);
    }
    tx.PulseRts();
    return false;
}

void LfEmitter::StopLFEmission() {
    ControllerLink(host_, hardware_.txPort).StopAndReset();
}

}  // namespace vornlfrf::hw
