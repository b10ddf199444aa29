#pragma once
// Frame verification: the hexadecimal digits of a frame selected by a mask are packed into a
// byte buffer, and an ADD, XOR or CRC check value is computed over it. Also the model behind
// the verification dialog (TfrmCRC): its values, summaries, Save and "Calc" simulation.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace vornlfrf::config {

// Caption of the message box that shows a ParseCheckValue error.
inline constexpr const char* kCheckValueErrorCaption = "ERROR";

// "1021h" is hexadecimal, anything else the usual integer reading (decimal, "$" or "0x" hex).
// On failure returns 0 and, when error is given, stores the message box text.
std::int32_t ParseCheckValue(const std::string& text, std::string* error = nullptr);

enum CheckMethodCode : std::int32_t { kCheckXor = 0, kCheckAdd = 1, kCheckCrc = 2 };

// Compiled verification settings of one RF description.
struct FrameCheckSettings {
    bool CheckEnabled = false;
    std::string PreambleMask;
    std::string DataMask;  // mask digits followed by 50 '0'
    std::int32_t CheckMethod = kCheckXor;
    bool CheckNot = false;
    bool Check2Bits = false;
    std::int32_t CrcPoly = 0;
    std::int32_t CrcInit = 0;
    std::int32_t CrcXor = 0;
    std::int32_t CrcSize = 8;
    bool CrcModeB = false;
    // Preamble digits put in front of the frame, right-aligned to the preamble mask.
    std::string PreambleHex;
};

// Compiles the verification keys of a description item. preamble is the raw `Preamble` value,
// codedPreambleLength the length of its coded bit text. Leaves everything but CheckEnabled
// untouched when `CKS` is not "1". Value syntax errors do not stop the compile (the value
// counts as 0); their message box texts are appended to valueErrors.
Status CompileFrameCheck(const std::string& item, const std::string& preamble,
                         std::size_t codedPreambleLength, FrameCheckSettings& settings,
                         std::vector<std::string>& valueErrors);

// Packing buffer and CRC tables. Reused between calls so the frame evaluation does not allocate
// once the buffer has grown to the largest input seen.
class CheckEngine {
  public:
    CheckEngine();

    void PackMaskedNibbles(std::string_view mask, std::string_view data);
    void PackMasked2Bits(std::string_view mask, std::string_view data);

    std::int64_t SumBytes(bool invert) const;
    std::int32_t XorBytes(bool invert) const;
    std::uint8_t Crc8(bool modeB, std::int32_t poly, std::int32_t init, std::int32_t xorOut);
    std::uint16_t Crc16(bool modeB, std::int32_t poly, std::int32_t init, std::int32_t xorOut);

    std::int32_t ComputeFrameCheck(const FrameCheckSettings& record, std::string_view frameHex);

    const std::vector<std::uint8_t>& buffer() const { return buffer_; }
    // Digits the last nibble packing used, padded with "0" to an even count.
    const std::string& usedDigits() const { return used_; }

    // Two texts read as one, so the preamble and the frame need not be joined.
    struct Joined {
        std::string_view head, tail;
        std::size_t size() const { return head.size() + tail.size(); }
        char operator[](std::size_t i) const {
            return i < head.size() ? head[i] : tail[i - head.size()];
        }
    };

  private:
    void packNibbles(const Joined& mask, const Joined& data);
    void pack2Bits(const Joined& mask, const Joined& data);

    std::vector<std::uint8_t> buffer_;
    std::vector<std::uint8_t> bits_;
    std::string used_;
    std::array<std::uint8_t, 256> crc8Table_{};
    std::array<std::uint16_t, 256> crc16Table_{};
    int crc8Poly_ = -1;  // polynomial the table was built for, -1 none
    int crc16Poly_ = -1;
};

enum class VerifyMethod { Xor = kCheckXor, Add = kCheckAdd, Crc = kCheckCrc };

// Values of the verification dialog, named after its controls.
struct CrcDialog {
    VerifyMethod method = VerifyMethod::Add;  // rdbXOR / rdbADD / rdbCRC
    bool chkXOR_NOT = false;
    bool chkADD_NOT = false;
    bool rdbAdd2bits = false;  // false: rdbAdd8bits
    std::string txtPolynome = "29";
    std::string txtInitialization = "170";
    std::string txtXOR = "0";
    bool rdb16bits = false;  // false: rdb8bits
    bool rdbCRCb = false;    // false: rdbCRCa
    std::string txtMask;
    std::string txtPreambleMask;
    std::string lblMask;
    std::string lblMethod;

    std::string txtFramePreamble = "00A";
    std::string txtFrameDatas = "E CF 15 51 23 0E 6F 58 55 EA E0";
    std::string txtADDResult, txtADDResult_h;
    std::string txtXORResult, txtXORResult_h;
    std::string txtCRC1, txtCRC1H;
    std::string txtCRC2, txtCRC2H;
    std::string lblUsed;

    // Fills the masks, the summaries and the controls of the stored method from an item.
    void fillFrom(const std::string& item);
    // Writes all ten verification keys (those the method does not use empty), then refills.
    void saveTo(std::string& item);
    // "Calc": fills the result fields; returns the ParseCheckValue message texts to show.
    std::vector<std::string> calc(CheckEngine& engine);
};

}  // namespace vornlfrf::config
