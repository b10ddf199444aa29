#include "config/checksum.h"

#include <algorithm>
#include <cstdio>

#include "config/item_text.h"

namespace vornlfrf::config {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::size_t kMaskPadding = 50;

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool readHexDigits(std::string_view s, std::uint32_t& out) {
    if (s.empty()) return false;
    std::uint64_t v = 0;
    for (char c : s) {
        const int d = hexValue(c);
        if (d < 0) return false;
        v = v * 16 + static_cast<std::uint64_t>(d);
        if (v > 0xFFFFFFFFu) return false;
    }
    out = static_cast<std::uint32_t>(v);
    return true;
}

// The integer reading operators know from the original tool: optional sign, then decimal, or
// hexadecimal after "$" or "0x" (hexadecimal wraps into 32 bits).
bool readInteger(std::string_view s, std::int32_t& out) {
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    std::uint32_t u = 0;
    if (!s.empty() && s[0] == '$') {
        if (!readHexDigits(s.substr(1), u)) return false;
    } else if (s.size() > 1 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        if (!readHexDigits(s.substr(2), u)) return false;
    } else {
        if (s.empty()) return false;
        std::uint64_t v = 0;
        for (char c : s) {
            if (c < '0' || c > '9') return false;
            v = v * 10 + static_cast<std::uint64_t>(c - '0');
            if (v > 0x80000000u) return false;
        }
        if (!negative && v > 0x7FFFFFFFu) return false;
        u = static_cast<std::uint32_t>(v);
    }
    if (negative) u = 0u - u;
    out = static_cast<std::int32_t>(u);
    return true;
}

std::string withoutSpaces(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != ' ') out += c;
    return out;
}

std::string withoutTrailingH(std::string s) {
    if (!s.empty() && s.back() == 'h') s.pop_back();
    return s;
}

// Right-aligns the preamble digits under a preamble mask of the given width, so the data mask
// always starts on the first frame digit whatever the preamble's length.
std::string alignPreamble(const std::string& preamble, std::size_t width) {
    if (preamble.size() >= width) return preamble.substr(preamble.size() - width);
    return std::string(width - preamble.size(), '0') + preamble;
}

// "Mask:" is also found inside "PMask:". These read and write the data mask under its own key
// whatever the order of the two keys in the item.
bool insidePMask(const std::string& item, std::size_t at) {
    return at > 0 && item[at - 1] == 'P';
}

std::string dataMaskOf(const std::string& item) {
    std::size_t at = item.find("Mask:");
    while (at != std::string::npos && insidePMask(item, at)) at = item.find("Mask:", at + 1);
    return at == std::string::npos ? std::string() : ItemGetValue(item.substr(at), "Mask");
}

void setDataMask(std::string& item, const std::string& value) {
    const std::size_t at = item.find("Mask:");
    if (at != std::string::npos && insidePMask(item, at)) {
        // Take the preamble mask pair out; the caller writes it again afterwards.
        const std::size_t end = item.find(kItemSeparator, at);
        item.erase(at - 1, end == std::string::npos ? std::string::npos : end - at + 2);
    }
    ItemSetValue(item, "Mask", value);
}

std::string formatDecimal(long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%ld", value);
    return text;
}

// "%02Xh" / "%04Xh" as the dialog shows check values.
std::string formatHex(unsigned long value, int digits) {
    char text[24];
    std::snprintf(text, sizeof text, "%0*lXh", digits, value);
    return text;
}

// The data as the packings read it. A bracketed bit group ("[10M" = bits 1, 0, then a coding
// mark) stands for a last, partial nibble: up to four bits fill "0000" from the left and give
// one digit that ends the text. A group that is not binary drops the digit.
struct PackData {
    CheckEngine::Joined text;
    std::size_t length;
    char last;  // replaces text[length - 1] when bracketed
    bool bracketed;

    char at(std::size_t i) const { return bracketed && i + 1 == length ? last : text[i]; }
};

PackData readPackData(const CheckEngine::Joined& t) {
    const std::size_t n = t.size();
    std::size_t open = 0;
    while (open < n && t[open] != '[') ++open;
    if (open == n) return {t, n, 0, false};
    char pattern[4] = {'0', '0', '0', '0'};
    std::size_t k = 0;
    for (std::size_t i = open + 1; i < n && k < 4; ++i) {
        const char c = t[i];
        if (c == 'M' || c == 'S' || c == ']') break;
        pattern[k++] = c;
    }
    int v = 0;
    for (char c : pattern) {
        if (c != '0' && c != '1') return {t, open, 0, false};
        v = v * 2 + (c == '1');
    }
    return {t, open + 1, kHexDigits[v], true};
}

}  // namespace

std::int32_t ParseCheckValue(const std::string& text, std::string* error) {
    std::string s = TrimControl(text);
    std::int32_t value = 0;
    bool ok;
    if (!s.empty() && s.back() == 'h') {
        s.pop_back();
        std::uint32_t u = 0;
        ok = readHexDigits(s, u);
        value = static_cast<std::int32_t>(u);
    } else {
        ok = readInteger(s, value);
    }
    if (ok) return value;
    if (error) *error = "Syntax error with the value\n" + s;
    return 0;
}

Status CompileFrameCheck(const std::string& item, const std::string& preamble,
                         std::size_t codedPreambleLength, FrameCheckSettings& settings,
                         std::vector<std::string>& valueErrors) {
    if (ItemGetValue(item, "CKS") != "1") {
        settings.CheckEnabled = false;
        return Status::success();
    }
    std::string methodText = ItemGetValue(item, "Method");
    if (methodText.empty()) methodText = "0";
    std::int32_t method = 0;
    if (!readInteger(TrimControl(methodText), method) || method < kCheckXor || method > kCheckCrc)
        return Status::failure("Syntax error with verification method");

    std::int32_t size = 8;
    if (method == kCheckCrc) {
        std::string sizeText = ItemGetValue(item, "Size");
        if (sizeText.empty()) sizeText = "8";
        if (!readInteger(TrimControl(sizeText), size) || (size != 8 && size != 16))
            return Status::failure("Syntax error with CRC size");
    }

    settings.CheckEnabled = true;
    settings.DataMask = withoutSpaces(dataMaskOf(item)) + std::string(kMaskPadding, '0');
    std::string pmask = withoutSpaces(ItemGetValue(item, "PMask"));
    if (pmask.size() > codedPreambleLength) pmask.erase(0, pmask.size() - codedPreambleLength);
    settings.PreambleMask = pmask;
    settings.PreambleHex =
        pmask.empty() ? std::string()
                      : alignPreamble(withoutTrailingH(withoutSpaces(preamble)), pmask.size());
    settings.CheckMethod = method;
    settings.CheckNot = ItemGetValue(item, "Not") == "1";
    settings.Check2Bits = ItemGetValue(item, "2bits") == "1";
    if (method == kCheckCrc) {
        auto value = [&](const char* key) {
            std::string text = ItemGetValue(item, key);
            if (text.empty()) text = "0";
            std::string error;
            const std::int32_t v = ParseCheckValue(text, &error);
            if (!error.empty()) valueErrors.push_back(error);
            return v;
        };
        settings.CrcPoly = value("Poly");
        settings.CrcInit = value("Init");
        settings.CrcXor = value("Xor");
        settings.CrcSize = size;
        // Written as "aCRCx"; "CRCx:" is found inside it.
        settings.CrcModeB = ItemGetValue(item, "CRCx") == "b";
    }
    return Status::success();
}

CheckEngine::CheckEngine() {
    buffer_.reserve(100);
    bits_.reserve(400);
    used_.reserve(200);
}

void CheckEngine::PackMaskedNibbles(std::string_view mask, std::string_view data) {
    packNibbles({mask, {}}, {data, {}});
}

void CheckEngine::PackMasked2Bits(std::string_view mask, std::string_view data) {
    pack2Bits({mask, {}}, {data, {}});
}

// Selected nibbles (data AND mask digit, zero mask digits skipped) packed two per byte, high
// half first. A data character that is not hexadecimal counts as 0.
void CheckEngine::packNibbles(const Joined& mask, const Joined& data) {
    buffer_.clear();
    used_.clear();
    const PackData d = readPackData(data);
    const std::size_t n = std::min(mask.size(), d.length);
    for (std::size_t p = 0; p < n; ++p) {
        const int m = hexValue(mask[p]);
        if (m <= 0) continue;
        const int v = hexValue(d.at(p));
        const int f = (v < 0 ? 0 : v) & m;
        used_ += kHexDigits[f];
        if (used_.size() % 2 == 1)
            buffer_.push_back(static_cast<std::uint8_t>(f << 4));
        else
            buffer_.back() = static_cast<std::uint8_t>(buffer_.back() | f);
    }
    if (used_.size() % 2 == 1) used_ += '0';
}

// Bits of each data digit chosen by its mask digit (1, 3, 7: the low 1 to 3 bits; 8, C, E: the
// high 1 to 3; F: all four), then cut into 2-bit groups, one per byte. A data character that is
// not hexadecimal repeats the previous digit's bits.
void CheckEngine::pack2Bits(const Joined& mask, const Joined& data) {
    buffer_.clear();
    bits_.clear();
    const PackData d = readPackData(data);
    const std::size_t n = std::min(mask.size(), d.length);
    int pattern = 0;
    for (std::size_t p = 0; p < n; ++p) {
        const int v = hexValue(d.at(p));
        if (v >= 0) pattern = v;
        int first = 0, count = 0;
        switch (hexValue(mask[p])) {
            case 0x1:
                first = 3, count = 1;
                break;
            case 0x3:
                first = 2, count = 2;
                break;
            case 0x7:
                first = 1, count = 3;
                break;
            case 0x8:
                first = 0, count = 1;
                break;
            case 0xC:
                first = 0, count = 2;
                break;
            case 0xE:
                first = 0, count = 3;
                break;
            case 0xF:
                first = 0, count = 4;
                break;
            default:
                break;
        }
        for (int i = first; i < first + count; ++i)
            bits_.push_back(static_cast<std::uint8_t>((pattern >> (3 - i)) & 1));
    }
    std::size_t i = 0;
    if (bits_.size() % 2 == 1) buffer_.push_back(bits_[i++]);  // a '0' put in front
    for (; i + 1 < bits_.size(); i += 2)
        buffer_.push_back(static_cast<std::uint8_t>(bits_[i] * 2 + bits_[i + 1]));
}

std::int64_t CheckEngine::SumBytes(bool invert) const {
    std::int64_t sum = 0;
    for (std::uint8_t b : buffer_) sum += b;
    return invert ? sum ^ 0xFF : sum;
}

std::int32_t CheckEngine::XorBytes(bool invert) const {
    std::int32_t x = 0;
    for (std::uint8_t b : buffer_) x ^= b;
    return invert ? x ^ 0xFF : x;
}

// MSB first, no reflection. modeB first runs the start value through one table step.
std::uint8_t CheckEngine::Crc8(bool modeB, std::int32_t poly, std::int32_t init,
                               std::int32_t xorOut) {
    const std::uint32_t p = static_cast<std::uint32_t>(poly) & 0xFFu;
    if (crc8Poly_ != static_cast<int>(p)) {
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 0x80u) ? (c << 1) ^ p : c << 1;
            crc8Table_[i] = static_cast<std::uint8_t>(c);
        }
        crc8Poly_ = static_cast<int>(p);
    }
    std::uint8_t s = static_cast<std::uint8_t>(init);
    if (modeB) s = crc8Table_[s];
    for (std::uint8_t b : buffer_) s = crc8Table_[s ^ b];
    return static_cast<std::uint8_t>(s ^ static_cast<std::uint8_t>(xorOut));
}

// MSB first, no reflection. modeB starts from one table step over the low byte of init alone.
std::uint16_t CheckEngine::Crc16(bool modeB, std::int32_t poly, std::int32_t init,
                                 std::int32_t xorOut) {
    const std::uint32_t p = static_cast<std::uint32_t>(poly) & 0xFFFFu;
    if (crc16Poly_ != static_cast<int>(p)) {
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i << 8;
            for (int k = 0; k < 8; ++k) c = (c & 0x8000u) ? ((c << 1) ^ p) & 0xFFFFu : (c << 1);
            crc16Table_[i] = static_cast<std::uint16_t>(c);
        }
        crc16Poly_ = static_cast<int>(p);
    }
    const std::uint32_t start = static_cast<std::uint32_t>(init);
    std::uint32_t s = modeB ? crc16Table_[start & 0xFFu] : start & 0xFFFFu;
    for (std::uint8_t b : buffer_) s = (crc16Table_[(s >> 8) ^ b] ^ (s << 8)) & 0xFFFFu;
    return static_cast<std::uint16_t>(s ^ (static_cast<std::uint32_t>(xorOut) & 0xFFFFu));
}

std::int32_t CheckEngine::ComputeFrameCheck(const FrameCheckSettings& record,
                                            std::string_view frameHex) {
    const Joined mask{record.PreambleMask, record.DataMask};
    const Joined data{record.PreambleHex, frameHex};
    if (record.Check2Bits)
        pack2Bits(mask, data);
    else
        packNibbles(mask, data);
    switch (record.CheckMethod) {
        case kCheckXor:
            return XorBytes(record.CheckNot);
        case kCheckAdd:
            return static_cast<std::int32_t>(SumBytes(record.CheckNot) &
                                             (record.Check2Bits ? 3 : 0xFF));
        case kCheckCrc:
            if (record.CrcSize == 8)
                return Crc8(record.CrcModeB, record.CrcPoly, record.CrcInit, record.CrcXor);
            return Crc16(record.CrcModeB, record.CrcPoly, record.CrcInit, record.CrcXor);
        default:
            return 0;
    }
}

void CrcDialog::fillFrom(const std::string& item) {
    auto value = [&](const char* key, const char* empty) {
        std::string v = ItemGetValue(item, key);
        return v.empty() ? std::string(empty) : v;
    };
    txtMask = dataMaskOf(item);
    txtPreambleMask = ItemGetValue(item, "PMask");
    lblMask = txtPreambleMask.empty() ? txtMask : txtPreambleMask + "+" + txtMask;

    const std::string methodText = value("Method", "0");
    const bool inverted = value("Not", "0") == "1";
    if (methodText == "0") {
        method = VerifyMethod::Xor;
        chkXOR_NOT = inverted;
        lblMethod = inverted ? "XOR + NOT" : "XOR";
    } else if (methodText == "1") {
        method = VerifyMethod::Add;
        chkADD_NOT = inverted;
        rdbAdd2bits = ItemGetValue(item, "2bits") == "1";
        lblMethod = std::string("ADD") + (inverted ? " + NOT" : "") +
                    (rdbAdd2bits ? " + 2bits" : " + 8bits");
    } else if (methodText == "2") {
        const std::string poly = value("Poly", "29");
        const std::string init = value("Init", "170");
        const std::string xorOut = value("Xor", "00");
        const std::string size = value("Size", "8");
        const std::string variant = value("CRCx", "a");
        method = VerifyMethod::Crc;
        txtPolynome = poly;
        txtInitialization = init;
        txtXOR = xorOut;
        rdb16bits = size == "16";
        rdbCRCb = variant == "b";
        lblMethod = "CRC " + size + "bits + " + poly + "(" + init + ") + XOR " + xorOut +
                    " + Mode " + variant;
    } else {
        lblMethod.clear();  // not a method this dialog knows: controls stay as they are
    }
}

void CrcDialog::saveTo(std::string& item) {
    const bool isCrc = method == VerifyMethod::Crc;
    const bool isAdd = method == VerifyMethod::Add;
    setDataMask(item, txtMask);  // before PMask, which it may take out
    ItemSetValue(item, "Method", isCrc ? "2" : isAdd ? "1" : "0");
    ItemSetValue(item, "Not", isCrc ? "" : (isAdd ? chkADD_NOT : chkXOR_NOT) ? "1" : "0");
    ItemSetValue(item, "Poly", isCrc ? txtPolynome : "");
    ItemSetValue(item, "Init", isCrc ? txtInitialization : "");
    ItemSetValue(item, "Xor", isCrc ? txtXOR : "");
    ItemSetValue(item, "Size", isCrc ? (rdb16bits ? "16" : "8") : "");
    ItemSetValue(item, "aCRCx", isCrc ? (rdbCRCb ? "b" : "a") : "");
    ItemSetValue(item, "2bits", isAdd ? (rdbAdd2bits ? "1" : "0") : "");
    ItemSetValue(item, "PMask", txtPreambleMask);
    fillFrom(item);
}

std::vector<std::string> CrcDialog::calc(CheckEngine& engine) {
    std::vector<std::string> errors;
    const std::string pmask = withoutSpaces(txtPreambleMask);
    const std::string mask = pmask + withoutSpaces(txtMask) + std::string(kMaskPadding, '0');
    const std::string data =
        alignPreamble(withoutTrailingH(withoutSpaces(txtFramePreamble)), pmask.size()) +
        withoutSpaces(txtFrameDatas);

    // XOR and CRC are simulated over nibbles whatever the ADD panel says, as the run does.
    engine.PackMaskedNibbles(mask, data);
    lblUsed = engine.usedDigits();
    const std::int32_t x = engine.XorBytes(chkXOR_NOT);
    txtXORResult = formatDecimal(x);
    txtXORResult_h = formatHex(static_cast<unsigned long>(x), 2);

    auto value = [&](const std::string& text) {
        std::string error;
        const std::int32_t v = ParseCheckValue(text, &error);
        if (!error.empty()) errors.push_back(error);
        return v;
    };
    const std::int32_t poly = value(txtPolynome);
    const std::int32_t init = value(txtInitialization);
    const std::int32_t xorOut = value(txtXOR);
    for (bool modeB : {false, true}) {
        const unsigned long crc = rdb16bits ? engine.Crc16(modeB, poly, init, xorOut)
                                            : engine.Crc8(modeB, poly, init, xorOut);
        (modeB ? txtCRC2 : txtCRC1) = formatDecimal(static_cast<long>(crc));
        (modeB ? txtCRC2H : txtCRC1H) = formatHex(crc, rdb16bits ? 4 : 2);
    }

    if (rdbAdd2bits) engine.PackMasked2Bits(mask, data);
    const long add = static_cast<long>(engine.SumBytes(chkADD_NOT) & (rdbAdd2bits ? 3 : 0xFF));
    txtADDResult = formatDecimal(add);
    txtADDResult_h = formatHex(static_cast<unsigned long>(add), 2);
    return errors;
}

}  // namespace vornlfrf::config
