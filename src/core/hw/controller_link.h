#pragma once
// Byte dialogue with the TX and RX controllers over an open serial port.
//
// Boot-loader frame, 7 bytes:  F5 cmd d1 d2 d3 d4 ck   ck = 0xFF - (F5 + cmd + d1..d4) mod 256
//   sent as F5, cmd, a 10 ms pause, then d1, d2, d3, d4, ck, one byte per write.
//   F5 B2 00 00 00 00  -> boot version          F5 B8 00 01 00 00  -> identity (69h TX, 96h RX)
//   F5 B4 00 01 00 id  -> 1 written, 2 already   F5 B1 d1..d4       -> firmware data, one byte
// Command codes, acknowledged by their complement (~code) when accepted:
//   07 00        -> F8 major minor              0C 80 a v  -> 2 bytes, ignored (register write)
//   0C 00 a 00   -> 2 bytes, second = value     04 00      -> FB, then the sample stream
//   03 ...       -> FC (LF frame)               12 ...     -> ED (CW)
//   11 level     -> 1 byte, not checked         FF / 00    -> stop of a timed / continuous emission
// A reply byte is 0..255, or -1 when none arrived within about 100 ms (50 polls 2 ms apart).
// Without an open port writes do nothing and reads give -1 at once.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "common/host.h"
#include "hw/serial_port.h"

namespace vornlfrf::hw {

namespace code {
inline constexpr std::uint8_t kBootLoader = 0xF5;
inline constexpr std::uint8_t kBootVersion = 0xB2;
inline constexpr std::uint8_t kIdentity = 0xB8;
inline constexpr std::uint8_t kWriteIdentity = 0xB4;
inline constexpr std::uint8_t kFirmwareData = 0xB1;
inline constexpr std::uint8_t kLfFrame = 0x03;
inline constexpr std::uint8_t kStreaming = 0x04;
inline constexpr std::uint8_t kVersion = 0x07;
inline constexpr std::uint8_t kRegister = 0x0C;
inline constexpr std::uint8_t kRegisterWrite = 0x80;
inline constexpr std::uint8_t kRegisterRead = 0x00;
inline constexpr std::uint8_t kLevel = 0x11;
inline constexpr std::uint8_t kCw = 0x12;
inline constexpr std::uint8_t kStopTimed = 0xFF;
inline constexpr std::uint8_t kStopContinuous = 0x00;
}  // namespace code

namespace reply {
inline constexpr int kFrameAccepted = 0xFC;
inline constexpr int kCwAccepted = 0xED;
inline constexpr int kFrameEmitted = 0xFE;
inline constexpr int kEmissionEnded = 0xFF;
inline constexpr int kVersion = 0xF8;
inline constexpr int kStreaming = 0xFB;
}  // namespace reply

// Identity bytes written in the controllers' EEPROM.
inline constexpr int kTxIdentity = 105;
inline constexpr int kRxIdentity = 150;

// Baud rates: every exchange at 115200, the RX sample stream at 1000000.
inline constexpr int kControllerBaudRate = 115200;
inline constexpr int kStreamBaudRate = 1000000;

constexpr std::uint8_t Acknowledgement(std::uint8_t command) {
    return static_cast<std::uint8_t>(~command);
}

using BootFrame = std::array<std::uint8_t, 7>;

// Ones' complement of the 8-bit sum of the first six bytes.
std::uint8_t BootChecksum(const std::uint8_t* sixBytes);
BootFrame MakeBootFrame(std::uint8_t command, std::uint8_t d1, std::uint8_t d2, std::uint8_t d3,
                        std::uint8_t d4);

struct FirmwareVersion {
    int ack = -1;  // 0xF8 when the command was accepted
    int major = -1;
    int minor = -1;
};

enum class StreamStart { Started, NotAcknowledged, BaudRateFailed };

// A view of one controller port; cheap to make for each exchange. Waits run on the host so the
// user interface keeps processing events and tests run on the virtual clock. Made on the
// owner's slot, it sees a port that an event closed during a wait (a run stop) as closed.
class ControllerLink {
  public:
    ControllerLink(Host& host, std::unique_ptr<SerialPort>& slot) : host_(host), slot_(&slot) {}
    ControllerLink(Host& host, SerialPort* port) : host_(host), fixed_(port) {}

    SerialPort* port() const { return slot_ ? slot_->get() : fixed_; }
    bool isOpen() const { return port() != nullptr; }

    void WriteByte(std::uint8_t b);
    void WriteBytes(const std::uint8_t* bytes, std::size_t n);
    void WriteBytes(const std::vector<std::uint8_t>& bytes) {
        WriteBytes(bytes.data(), bytes.size());
    }
    int ReadByte();
    int ReadByteWait();
    void DrainInput();
    void PulseRts();

    void SendBootFrame(const BootFrame& frame);
    int ReadBootVersion();
    int ReadIdentity();
    // Stops reading at the first missing byte.
    FirmwareVersion ReadVersion();
    void WriteRegister(std::uint8_t address, std::uint8_t value);
    // The second reply byte, -1 when either is missing.
    int ReadRegister(std::uint8_t address);
    StreamStart StartStreaming();
    // 10-bit reading of the receiver-type divider of channel 0..3 (TX controller); -1 when a
    // register reply is missing.
    int ReadReceiverCode(int channel);
    void SetAlertOutput(bool on);
    // RTS pulse, then a version request whose reply is read and dropped.
    void StopAndReset();

    static constexpr int kPollIntervalMs = 2;
    static constexpr int kPollCount = 50;
    static constexpr int kBootFramePauseMs = 10;
    static constexpr int kRtsPulseMs = 10;

  private:
    Host& host_;
    std::unique_ptr<SerialPort>* slot_ = nullptr;
    SerialPort* fixed_ = nullptr;
};

}  // namespace vornlfrf::hw
