#include "hw/controller_link.h"

namespace vornlfrf::hw {

namespace {

// Register-select values of the TX controller's converter and ports.
constexpr std::uint8_t kAnalogPortDirection = 0x85;
constexpr std::uint8_t kAnalogPortOutputs = 0x05;
constexpr std::uint8_t kConverterSetup = 0x9F;
constexpr std::uint8_t kConverterControl = 0x1F;
constexpr std::uint8_t kConverterHigh = 0x1E;
constexpr std::uint8_t kConverterLow = 0x9E;

constexpr int kMaxDiscardedReplies = 4096;

}  // namespace

std::uint8_t BootChecksum(const std::uint8_t* sixBytes) {
    unsigned sum = 0;
    for (int i = 0; i < 6; ++i) sum += sixBytes[i];
    return static_cast<std::uint8_t>(0xFF - (sum & 0xFF));
}

BootFrame MakeBootFrame(std::uint8_t command, std::uint8_t d1, std::uint8_t d2, std::uint8_t d3,
                        std::uint8_t d4) {
    BootFrame f{code::kBootLoader, command, d1, d2, d3, d4, 0};
    f[6] = BootChecksum(f.data());
    return f;
}

void ControllerLink::WriteByte(std::uint8_t b) {
    WriteBytes(&b, 1);
}

void ControllerLink::WriteBytes(const std::uint8_t* bytes, std::size_t n) {
    // A write that cannot complete ends after the port's time-out; nobody acts on it.
    if (SerialPort* p = port(); p && n > 0) p->write(bytes, n);
}

int ControllerLink::ReadByte() {
    SerialPort* p = port();
    if (!p) return -1;
    std::uint8_t b = 0;
    return p->read(&b, 1) == 1 ? b : -1;
}

int ControllerLink::ReadByteWait() {
    if (!isOpen()) return -1;
    int b = ReadByte();
    for (int i = 0; b < 0 && i < kPollCount && isOpen(); ++i) {
        host_.sleepProcessing(kPollIntervalMs);
        b = ReadByte();
    }
    return b;
}

void ControllerLink::DrainInput() {
    SerialPort* p = port();
    if (!p) return;
    std::uint8_t block[256];
    while (p->read(block, sizeof block) > 0) {
    }
}

void ControllerLink::PulseRts() {
    SerialPort* p = port();
    if (!p) return;
    p->setRts(false);
    host_.sleepProcessing(kRtsPulseMs);
    if ((p = port())) p->setRts(true);
}

void ControllerLink::SendBootFrame(const BootFrame& frame) {
    WriteByte(frame[0]);
    WriteByte(frame[1]);
    // The boot loader needs time to recognise its command before the data.
    host_.sleepProcessing(kBootFramePauseMs);
    for (std::size_t i = 2; i < frame.size(); ++i) WriteByte(frame[i]);
}

int ControllerLink::ReadBootVersion() {
    SendBootFrame(MakeBootFrame(code::kBootVersion, 0, 0, 0, 0));
    return ReadByteWait();
}

int ControllerLink::ReadIdentity() {
    SendBootFrame(MakeBootFrame(code::kIdentity, 0, 1, 0, 0));
    return ReadByteWait();
}

FirmwareVersion ControllerLink::ReadVersion() {
    const std::uint8_t cmd[] = {code::kVersion, 0x00};
    WriteByte(cmd[0]);
    WriteByte(cmd[1]);
    FirmwareVersion v;
    v.ack = ReadByteWait();
    if (v.ack < 0) return v;
    v.major = ReadByteWait();
    if (v.major < 0) return v;
    v.minor = ReadByteWait();
    return v;
}

void ControllerLink::WriteRegister(std::uint8_t address, std::uint8_t value) {
    const std::uint8_t cmd[] = {code::kRegister, code::kRegisterWrite, address, value};
    WriteBytes(cmd, sizeof cmd);
    ReadByteWait();
    ReadByteWait();
}

int ControllerLink::ReadRegister(std::uint8_t address) {
    const std::uint8_t cmd[] = {code::kRegister, code::kRegisterRead, address, 0x00};
    WriteBytes(cmd, sizeof cmd);
    if (ReadByteWait() < 0) return -1;
    return ReadByteWait();
}

StreamStart ControllerLink::StartStreaming() {
    WriteByte(code::kStreaming);
    WriteByte(0x00);
    if (ReadByteWait() != reply::kStreaming) return StreamStart::NotAcknowledged;
    SerialPort* p = port();
    if (!p || !p->setBaudRate(kStreamBaudRate)) return StreamStart::BaudRateFailed;
    return StreamStart::Started;
}

int ControllerLink::ReadReceiverCode(int channel) {
    const auto c = static_cast<std::uint8_t>(channel & 3);
    WriteRegister(kAnalogPortDirection, 0xFF);
    WriteRegister(kConverterSetup, 0x80);
    WriteRegister(kConverterControl, static_cast<std::uint8_t>(0x81 + 8 * c));
    WriteRegister(kConverterControl, static_cast<std::uint8_t>(0x85 + 8 * c));
    const int high = ReadRegister(kConverterHigh);
    const int low = ReadRegister(kConverterLow);
    if (high < 0 || low < 0) return -1;
    return high * 256 + low;
}

void ControllerLink::SetAlertOutput(bool on) {
    if (!isOpen()) return;
    // Bounded, so a controller that never falls silent cannot hold the user interface.
    for (int i = 0; i < kMaxDiscardedReplies && ReadByteWait() >= 0; ++i) {
    }
    WriteRegister(kAnalogPortDirection, 0xFE);
    WriteRegister(kAnalogPortOutputs, on ? 1 : 0);
}

void ControllerLink::StopAndReset() {
    PulseRts();
    ReadVersion();
}

}  // namespace vornlfrf::hw
