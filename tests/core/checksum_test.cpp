#include "config/checksum.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <random>

#include "config/item_text.h"
#include "support/cli_run.h"

namespace vornlfrf::config {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string item(std::initializer_list<std::pair<const char*, const char*>> keys) {
    std::string text = "Name:D1\xAC";
    for (const auto& [k, v] : keys) text += std::string(k) + ":" + v + "\xAC";
    return text;
}

// "123456789" as hexadecimal digits, all selected.
const std::string kCheckDigits = "313233343536373839";
const std::string kAllF(kCheckDigits.size(), 'F');

TEST(ParseCheckValue, Cases) {
    const struct {
        std::string text;
        std::int32_t want;
        std::string error;  // empty: no error
    } cases[] = {
        {"1021h", 4129, ""},
        {"4129", 4129, ""},
        {"  29 ", 29, ""},
        {"ffFFh", 65535, ""},
        {"0x1D", 29, ""},
        {"$1d", 29, ""},
        {"-5", -5, ""},
        {"FFFFFFFFh", -1, ""},
        {"12G", 0, "Syntax error with the value\n12G"},
        {" 12Gh ", 0, "Syntax error with the value\n12G"},
        {"1021H", 0, "Syntax error with the value\n1021H"},  // only a lower-case h marks hex
        {"h", 0, "Syntax error with the value\n"},
        {"", 0, "Syntax error with the value\n"},
        {"2147483648", 0, "Syntax error with the value\n2147483648"},
        {"100000000h", 0, "Syntax error with the value\n100000000"},
        {"0x", 0, "Syntax error with the value\n0x"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_EQ(ParseCheckValue(c.text, &error), c.want) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
    EXPECT_EQ(ParseCheckValue("-2147483648"), INT32_MIN);
}

TEST(CheckEngine, PackMaskedNibblesCases) {
    const struct {
        std::string mask, data;
        Bytes want;
        std::string used;
    } cases[] = {
        {"F0F", "A5C", {0xAC}, "AC"},
        {"F00", "A5C", {0xA0}, "A0"},      // odd count: low half of last byte stays 0
        {"FFF", "A5", {0xA5}, "A5"},       // shorter data
        {"3C", "ff", {0x3C}, "3C"},        // partial masks, lower-case data
        {"FF", "", {}, ""},                // nothing selected
        {"FFF", "A[10M11", {0xA8}, "A8"},  // bracketed bits end the data
        {"FFF", "A[1111]B", {0xAF}, "AF"},
        {"FF", "A[", {0xA0}, "A0"},            // '[' at the end gives digit 0
        {"FFF", "A[12]", {0xA0}, "A0"},        // non-binary group drops the digit
        {"FGF", "ABC", {0xAC}, "AC"},          // non-hexadecimal mask digit selects nothing
        {"FFF", "AxC", {0xA0, 0xC0}, "A0C0"},  // non-hexadecimal data digit counts as 0
    };
    CheckEngine e;
    for (const auto& c : cases) {
        e.PackMaskedNibbles(c.mask, c.data);
        EXPECT_EQ(e.buffer(), c.want) << c.mask << " / " << c.data;
        EXPECT_EQ(e.usedDigits(), c.used) << c.mask << " / " << c.data;
    }
}

TEST(CheckEngine, PackMasked2BitsCases) {
    const struct {
        std::string mask, data;
        Bytes want;
    } cases[] = {
        {"C", "9", {2}},               // b1 b2 = "10"
        {"3", "9", {1}},               // b3 b4 = "01"
        {"7", "F", {1, 3}},            // "111" -> "0111"
        {"8E", "8E", {3, 3}},          // "1" + "111"
        {"1F", "1A", {1, 2, 2}},       // "1" + "1010" -> "011010"
        {"F", "a", {2, 2}},            // lower-case digits read as hexadecimal
        {"5269BD", "FFFFFF", {}},      // mask digits without a bit group select nothing
        {"FF", "C?", {3, 0, 3, 0}},    // '?' repeats the previous digit's bits
        {"FF", "3[11", {0, 3, 3, 0}},  // bracketed nibble "1100"
    };
    CheckEngine e;
    for (const auto& c : cases) {
        e.PackMasked2Bits(c.mask, c.data);
        EXPECT_EQ(e.buffer(), c.want) << c.mask << " / " << c.data;
    }
}

TEST(CheckEngine, SumAndXor) {
    CheckEngine e;
    e.PackMaskedNibbles("FFFF", "0102");
    EXPECT_EQ(e.SumBytes(false), 3);
    EXPECT_EQ(e.SumBytes(true), 0xFC);
    EXPECT_EQ(e.XorBytes(false), 3);
    EXPECT_EQ(e.XorBytes(true), 0xFC);
    e.PackMaskedNibbles("FFFFFF", "FFFFFF");
    EXPECT_EQ(e.SumBytes(false), 765);  // no truncation
    EXPECT_EQ(e.XorBytes(false), 0xFF);
}

TEST(CheckEngine, CrcCatalogueCheckValues) {
    // Non-reflected catalogue entries: poly, init, xorout, check over "123456789".
    const struct {
        const char* name;
        int width;
        std::int32_t poly, init, xorOut, check;
    } cases[] = {
        {"CRC-8/SMBUS", 8, 0x07, 0x00, 0x00, 0xF4},
        {"CRC-8/SAE-J1850", 8, 0x1D, 0xFF, 0xFF, 0x4B},
        {"CRC-8/I-432-1", 8, 0x07, 0x00, 0x55, 0xA1},
        {"CRC-8/AUTOSAR", 8, 0x2F, 0xFF, 0xFF, 0xDF},
        {"CRC-8/CDMA2000", 8, 0x9B, 0xFF, 0x00, 0xDA},
        {"CRC-16/CCITT-FALSE", 16, 0x1021, 0xFFFF, 0x0000, 0x29B1},
        {"CRC-16/XMODEM", 16, 0x1021, 0x0000, 0x0000, 0x31C3},
        {"CRC-16/GENIBUS", 16, 0x1021, 0xFFFF, 0xFFFF, 0xD64E},
        {"CRC-16/UMTS", 16, 0x8005, 0x0000, 0x0000, 0xFEE8},
        {"CRC-16/CDMA2000", 16, 0xC867, 0xFFFF, 0x0000, 0x4C06},
        {"CRC-16/SPI-FUJITSU", 16, 0x1021, 0x1D0F, 0x0000, 0xE5CC},
    };
    CheckEngine e;
    for (int round = 0; round < 2; ++round) {  // second round reuses the cached tables
        for (const auto& c : cases) {
            e.PackMaskedNibbles(kAllF, kCheckDigits);
            const int got = c.width == 8 ? e.Crc8(false, c.poly, c.init, c.xorOut)
                                         : e.Crc16(false, c.poly, c.init, c.xorOut);
            EXPECT_EQ(got, c.check) << c.name;
        }
    }
}

TEST(CheckEngine, CrcModeBAndWideArguments) {
    CheckEngine e;
    e.PackMaskedNibbles("FF", "01");
    EXPECT_EQ(e.Crc8(false, 0x07, 0, 0), 0x07);
    EXPECT_EQ(e.Crc8(true, 0x07, 0x01, 0), 0x12);  // start 0x01 becomes 0x07
    e.PackMaskedNibbles("", "");
    EXPECT_EQ(e.Crc8(true, 0x07, 0x01, 0), 0x07);
    EXPECT_EQ(e.Crc8(false, 0x07, 0x1AA, 0x100), 0xAA);   // only the low 8 bits count
    EXPECT_EQ(e.Crc16(true, 0x1021, 0x1234, 0), 0x76D7);  // one step over 0x34 alone
    e.PackMaskedNibbles(kAllF, kCheckDigits);
    EXPECT_EQ(e.Crc16(true, 0x1021, 0x1234, 0), 0x316D);
    EXPECT_EQ(e.Crc16(false, 0x11021, 0x1FFFF, 0x10000), 0x29B1);
    EXPECT_EQ(e.Crc16(false, -1, -1, -1), e.Crc16(false, 0xFFFF, 0xFFFF, 0xFFFF));
}

TEST(CompileFrameCheck, MasksPreambleAndMethods) {
    FrameCheckSettings s;
    std::vector<std::string> errors;
    ASSERT_TRUE(CompileFrameCheck(item({{"CKS", "1"},
                                        {"Mask", "FF 00"},
                                        {"PMask", "00F"},
                                        {"Method", "1"},
                                        {"Not", "1"},
                                        {"2bits", "0"}}),
                                  "00Ah", 24, s, errors));
    EXPECT_TRUE(s.CheckEnabled);
    EXPECT_EQ(s.PreambleMask, "00F");
    EXPECT_EQ(s.DataMask, "FF00" + std::string(50, '0'));
    EXPECT_EQ(s.PreambleHex, "00A");
    EXPECT_EQ(s.CheckMethod, kCheckAdd);
    EXPECT_TRUE(s.CheckNot);
    EXPECT_FALSE(s.Check2Bits);
    EXPECT_TRUE(errors.empty());

    // Preamble mask cut to the coded preamble's length; preamble digits right-aligned under it.
    const struct {
        std::string pmask, preamble;
        std::size_t coded;
        std::string wantMask, wantHex;
    } preambles[] = {
        {"0 0F", "00A", 24, "00F", "00A"}, {"00F", "00A", 2, "0F", "0A"},
        {"F", "00Ah", 24, "F", "A"},       {"00FF", "A h", 24, "00FF", "000A"},
        {"", "00A", 24, "", ""},
    };
    for (const auto& c : preambles) {
        ASSERT_TRUE(CompileFrameCheck(item({{"CKS", "1"}, {"PMask", c.pmask.c_str()}}), c.preamble,
                                      c.coded, s, errors));
        EXPECT_EQ(s.PreambleMask, c.wantMask) << c.pmask << " / " << c.preamble;
        EXPECT_EQ(s.PreambleHex, c.wantHex) << c.pmask << " / " << c.preamble;
        EXPECT_EQ(s.CheckMethod, kCheckXor);  // empty Method counts as XOR
    }
}

TEST(CompileFrameCheck, CrcKeysAndErrors) {
    FrameCheckSettings s;
    std::vector<std::string> errors;
    ASSERT_TRUE(CompileFrameCheck(item({{"CKS", "1"},
                                        {"Method", "2"},
                                        {"Poly", "1021h"},
                                        {"Init", "65535"},
                                        {"Xor", ""},
                                        {"Size", "16"},
                                        {"aCRCx", "b"}}),
                                  "AAh", 16, s, errors));
    EXPECT_EQ(s.CrcPoly, 4129);
    EXPECT_EQ(s.CrcInit, 65535);
    EXPECT_EQ(s.CrcXor, 0);
    EXPECT_EQ(s.CrcSize, 16);
    EXPECT_TRUE(s.CrcModeB);
    EXPECT_TRUE(errors.empty());

    // Empty Size and variant are 8 bits, variant a; a bad value reports and counts as 0.
    ASSERT_TRUE(CompileFrameCheck(item({{"CKS", "1"}, {"Method", "2"}, {"Poly", "12G"}}), "AA", 16,
                                  s, errors));
    EXPECT_EQ(s.CrcPoly, 0);
    EXPECT_EQ(s.CrcSize, 8);
    EXPECT_FALSE(s.CrcModeB);
    EXPECT_EQ(errors, std::vector<std::string>{"Syntax error with the value\n12G"});

    // Verification off: only CheckEnabled changes.
    ASSERT_TRUE(CompileFrameCheck(item({{"CKS", "0"}, {"Method", "0"}}), "AA", 16, s, errors));
    EXPECT_FALSE(s.CheckEnabled);
    EXPECT_EQ(s.CheckMethod, kCheckCrc);

    const struct {
        std::string method, size, message;
    } bad[] = {
        {"3", "", "Syntax error with verification method"},
        {"x", "", "Syntax error with verification method"},
        {"2", "12", "Syntax error with CRC size"},
        {"2", "abc", "Syntax error with CRC size"},
    };
    for (const auto& c : bad) {
        const Status st = CompileFrameCheck(
            item({{"CKS", "1"}, {"Method", c.method.c_str()}, {"Size", c.size.c_str()}}), "AA", 16,
            s, errors);
        EXPECT_FALSE(st.ok) << c.method << " / " << c.size;
        EXPECT_EQ(st.message, c.message);
    }
}

TEST(ComputeFrameCheck, CompiledDescriptionsOverAFrame) {
    const struct {
        std::string item;
        std::string preamble;
        std::string frame;
        std::int32_t want;
    } cases[] = {
        {item({{"CKS", "1"},
               {"Method", "2"},
               {"Mask", kAllF.c_str()},
               {"Poly", "1021h"},
               {"Init", "FFFFh"},
               {"Size", "16"}}),
         "AA", kCheckDigits + "29B1", 0x29B1},
        {item({{"CKS", "1"},
               {"Method", "2"},
               {"Mask", kAllF.c_str()},
               {"Poly", "29"},
               {"Init", "255"},
               {"Xor", "FFh"}}),
         "AA", kCheckDigits, 0x4B},
        // Preamble digit A joins the frame's 0 2 5: bytes A0 25.
        {item({{"CKS", "1"}, {"Method", "1"}, {"PMask", "F"}, {"Mask", "0FFF"}}), "00Ah", "1025",
         0xC5},
        {item({{"CKS", "1"}, {"Method", "1"}, {"Not", "1"}, {"Mask", "FFFF"}}), "AA", "0102", 0xFC},
        // 2-bit groups 1 1 1 1 2: sum 6, inverted 0xF9, kept to 2 bits.
        {item({{"CKS", "1"}, {"Method", "1"}, {"Not", "1"}, {"2bits", "1"}, {"Mask", "FF3"}}), "AA",
         "55A", 1},
        {item({{"CKS", "1"}, {"Method", "0"}, {"Not", "1"}, {"Mask", "FF FF"}}), "AA", "0102",
         0xFC},
    };
    CheckEngine e;
    for (const auto& c : cases) {
        FrameCheckSettings s;
        std::vector<std::string> errors;
        ASSERT_TRUE(CompileFrameCheck(c.item, c.preamble, 16, s, errors));
        EXPECT_EQ(e.ComputeFrameCheck(s, c.frame), c.want) << c.frame;
    }
}

TEST(CrcDialog, FillSummariesFromItem) {
    const struct {
        std::string item;
        VerifyMethod method;
        std::string lblMethod, lblMask;
    } cases[] = {
        {item({{"Method", "2"}, {"Mask", "FF"}}), VerifyMethod::Crc,
         "CRC 8bits + 29(170) + XOR 00 + Mode a", "FF"},
        {item({{"Method", "2"},
               {"Poly", "1021h"},
               {"Init", "0"},
               {"Xor", "0"},
               {"Size", "16"},
               {"aCRCx", "b"},
               {"PMask", "00F"},
               {"Mask", "FF 00"}}),
         VerifyMethod::Crc, "CRC 16bits + 1021h(0) + XOR 0 + Mode b", "00F+FF 00"},
        {item({{"Method", "1"}, {"Not", "1"}, {"2bits", "1"}}), VerifyMethod::Add,
         "ADD + NOT + 2bits", ""},
        {item({{"Method", "1"}}), VerifyMethod::Add, "ADD + 8bits", ""},
        {item({{"Method", ""}}), VerifyMethod::Xor, "XOR", ""},
        {item({{"Method", "0"}, {"Not", "1"}}), VerifyMethod::Xor, "XOR + NOT", ""},
    };
    for (const auto& c : cases) {
        CrcDialog d;
        d.fillFrom(c.item);
        EXPECT_EQ(d.method, c.method) << c.lblMethod;
        EXPECT_EQ(d.lblMethod, c.lblMethod);
        EXPECT_EQ(d.lblMask, c.lblMask);
    }
    CrcDialog d;
    d.fillFrom(cases[1].item);
    EXPECT_EQ(d.txtPolynome, "1021h");
    EXPECT_EQ(d.txtXOR, "0");
    EXPECT_TRUE(d.rdb16bits);
    EXPECT_TRUE(d.rdbCRCb);
    EXPECT_EQ(d.txtPreambleMask, "00F");
    EXPECT_EQ(d.txtMask, "FF 00");
}

TEST(CrcDialog, SaveWritesAllTenKeysUnusedEmpty) {
    std::string text =
        "Name:D\xAC"
        "CKS:1\xAC"
        "Mask:\xAC"
        "Method:\xAC"
        "Not:\xAC";
    CrcDialog d;
    d.method = VerifyMethod::Xor;
    d.chkXOR_NOT = true;
    d.chkADD_NOT = false;
    d.txtMask = "FF 0F";
    d.txtPreambleMask = "0F";
    d.saveTo(text);
    EXPECT_EQ(text,
              "Name:D\xAC"
              "CKS:1\xAC"
              "Mask:FF 0F\xAC"
              "Method:0\xAC"
              "Not:1\xAC"
              "Poly:\xAC"
              "Init:\xAC"
              "Xor:\xAC"
              "Size:\xAC"
              "aCRCx:\xAC"
              "2bits:\xAC"
              "PMask:0F\xAC");
    EXPECT_EQ(d.lblMethod, "XOR + NOT");
    EXPECT_EQ(d.lblMask, "0F+FF 0F");

    d.method = VerifyMethod::Crc;
    d.txtPolynome = "1021h";
    d.txtInitialization = "FFFFh";
    d.txtXOR = "0";
    d.rdb16bits = true;
    d.rdbCRCb = true;
    d.saveTo(text);
    for (const auto& [key, want] : {std::pair{"Method", "2"},
                                    {"Not", ""},
                                    {"Poly", "1021h"},
                                    {"Init", "FFFFh"},
                                    {"Xor", "0"},
                                    {"Size", "16"},
                                    {"CRCx", "b"},
                                    {"2bits", ""}})
        EXPECT_EQ(ItemGetValue(text, key), want) << key;
    EXPECT_EQ(d.lblMethod, "CRC 16bits + 1021h(FFFFh) + XOR 0 + Mode b");

    d.method = VerifyMethod::Add;
    d.rdbAdd2bits = true;
    d.chkADD_NOT = true;
    d.saveTo(text);
    for (const auto& [key, want] : {std::pair{"Method", "1"},
                                    {"Not", "1"},
                                    {"Poly", ""},
                                    {"Size", ""},
                                    {"CRCx", ""},
                                    {"2bits", "1"}})
        EXPECT_EQ(ItemGetValue(text, key), want) << key;
    FrameCheckSettings s;
    std::vector<std::string> errors;
    ASSERT_TRUE(CompileFrameCheck(text, "00A", 24, s, errors));
    EXPECT_TRUE(s.Check2Bits);
    EXPECT_TRUE(s.CheckNot);
}

TEST(CrcDialog, PreambleMaskBeforeDataMaskIsNotOverwritten) {
    // "Mask:" is a substring of "PMask:"; an item holding PMask first must keep both masks.
    for (std::string text : {std::string("CKS:1\xAC"
                                         "PMask:00F\xAC"),
                             std::string("CKS:1\xAC"
                                         "PMask:00F\xAC"
                                         "Mask:11\xAC")}) {
        CrcDialog d;
        d.fillFrom(text);
        EXPECT_EQ(d.txtPreambleMask, "00F");
        d.txtMask = "FF 00";
        d.saveTo(text);
        EXPECT_EQ(d.lblMask, "00F+FF 00");
        FrameCheckSettings s;
        std::vector<std::string> errors;
        ASSERT_TRUE(CompileFrameCheck(text, "00A", 24, s, errors));
        EXPECT_EQ(s.PreambleMask, "00F");
        EXPECT_EQ(s.DataMask, "FF00" + std::string(50, '0'));
    }
}

TEST(CrcDialog, CalcWithInitialValues) {
    CrcDialog d;
    d.txtPreambleMask = "00F";
    d.txtMask = "FF FF FF 00 FF";
    CheckEngine e;
    EXPECT_TRUE(d.calc(e).empty());
    // Used: A, ECF155, 30 -> bytes AE CF 15 53 00; CRC poly 0x1D from 0xAA.
    EXPECT_EQ(d.lblUsed, "AECF155300");
    EXPECT_EQ(d.txtADDResult + " " + d.txtADDResult_h, "229 E5h");
    EXPECT_EQ(d.txtXORResult + " " + d.txtXORResult_h, "39 27h");
    EXPECT_EQ(d.txtCRC1 + " " + d.txtCRC1H, "103 67h");
    EXPECT_EQ(d.txtCRC2 + " " + d.txtCRC2H, "40 28h");

    d.rdb16bits = true;
    d.txtPolynome = "1Dh";
    d.txtInitialization = "0xAA";
    d.calc(e);
    EXPECT_EQ(d.txtCRC1 + " " + d.txtCRC1H, "58473 E469h");
    EXPECT_EQ(d.txtCRC2 + " " + d.txtCRC2H, "37431 9237h");

    // 2-bit ADD leaves XOR on nibbles; a bad CRC value is reported and counts as 0.
    d.rdbAdd2bits = true;
    d.txtXOR = "zz";
    EXPECT_EQ(d.calc(e), std::vector<std::string>{"Syntax error with the value\nzz"});
    EXPECT_EQ(d.txtXORResult, "39");
    EXPECT_EQ(d.txtCRC1H, "E469h");
    EXPECT_LE(std::stoi(d.txtADDResult), 3);
}

// Runs the CLI, returns its standard output and sets status to its exit code.
std::string runCli(const std::string& arguments, int& status) {
    const testsupport::CliRun r = testsupport::runCliCommand(arguments);
    status = r.status;
    return r.out;
}

TEST(CheckCli, PrintsTheFourCalcResultsOrUsage) {
    int status = 0;
    EXPECT_EQ(runCli("check --pmask '' --mask FFFFFFFFFFFFFFFFFF --preamble '' "
                     "--data 313233343536373839 --poly 1021h --init FFFFh --width 16 "
                     "--xor-not --add-not",
                     status),
              "ADD 34 22h\nXOR 206 CEh\nCRCa 10673 29B1h\nCRCb 23751 5CC7h\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(runCli("check --pmask 00F --mask 'FF FF FF 00 FF' --preamble 00A "
                     "--data 'E CF 15 51 23 0E 6F 58 55 EA E0' --add-2bits",
                     status),
              "ADD 2 02h\nXOR 39 27h\nCRCa 103 67h\nCRCb 40 28h\n");
    EXPECT_EQ(status, 0);
    for (const char* bad : {"--pmask 0 --mask F --preamble 0",
                            "--pmask 0 --mask F --preamble 0 "
                            "--data 1 --width 12",
                            "--pmask 0 --mask F --preamble 0 --data 1 --init 12G",
                            "--pmask 0 --mask F --preamble 0 --data 1 --bogus",
                            "--pmask 0 --mask F --preamble 0 --data"}) {
        EXPECT_EQ(runCli(std::string("check ") + bad, status), "") << bad;
        EXPECT_EQ(status, 2) << bad;
    }
}

// Bit-at-a-time MSB-first CRC, independent of the engine's tables.
std::uint32_t bitwiseCrc(const Bytes& data, int width, std::uint32_t poly, std::uint32_t init) {
    const std::uint32_t top = 1u << (width - 1), all = (1u << width) - 1;
    std::uint32_t r = init & all;
    for (std::uint8_t b : data) {
        r ^= static_cast<std::uint32_t>(b) << (width - 8);
        for (int k = 0; k < 8; ++k) r = ((r & top) ? (r << 1) ^ poly : r << 1) & all;
    }
    return r;
}

TEST(CheckEngine, RandomInputsGiveDefinedResults) {
    std::mt19937 rng(20240611);
    const std::string alphabet = "0123456789ABCDEFabcdef[]MS h:\xAC\x86";
    auto randomText = [&](std::size_t maxLen, bool anyByte) {
        std::string s(rng() % (maxLen + 1), '\0');
        for (char& c : s)
            c = anyByte ? static_cast<char>(rng() & 0xFF) : alphabet[rng() % alphabet.size()];
        return s;
    };
    auto randomInt = [&] { return static_cast<std::int32_t>(rng()); };
    CheckEngine e;
    for (int i = 0; i < 3000; ++i) {
        const bool anyByte = i % 3 == 0;
        const std::string mask = randomText(600, anyByte);
        const std::string data = randomText(600, anyByte);
        const std::size_t n = std::min(mask.size(), data.size());

        e.PackMaskedNibbles(mask, data);
        ASSERT_LE(e.buffer().size(), (n + 1) / 2);
        ASSERT_EQ(e.usedDigits().size(), 2 * e.buffer().size());
        const std::int32_t poly = randomInt(), init = randomInt(), xorOut = randomInt();
        const auto p = static_cast<std::uint32_t>(poly);
        const auto s = static_cast<std::uint32_t>(init);
        const auto x = static_cast<std::uint32_t>(xorOut);
        ASSERT_EQ(e.Crc8(false, poly, init, xorOut),
                  (bitwiseCrc(e.buffer(), 8, p & 0xFF, s) ^ x) & 0xFF);
        ASSERT_EQ(e.Crc16(false, poly, init, xorOut),
                  (bitwiseCrc(e.buffer(), 16, p & 0xFFFF, s) ^ x) & 0xFFFF);
        ASSERT_EQ(e.Crc16(true, poly, init, 0),
                  bitwiseCrc(e.buffer(), 16, p & 0xFFFF,
                             bitwiseCrc({std::uint8_t(s)}, 16, p & 0xFFFF, 0)));

        e.PackMasked2Bits(mask, data);
        ASSERT_LE(e.buffer().size(), 2 * n + 1);
        for (std::uint8_t b : e.buffer()) ASSERT_LE(b, 3);

        // Random item texts compile to a definite outcome and compute within the width.
        std::string text = "CKS:1\xAC";
        for (const char* key : {"Mask", "PMask", "Not", "2bits", "Poly", "Init", "Xor", "aCRCx"})
            if (rng() % 2) ItemSetValue(text, key, randomText(40, anyByte));
        const char* methods[] = {"0", "1", "2", "9"};
        const char* sizes[] = {"8", "16", ""};
        ItemSetValue(text, "Method", methods[rng() % 4]);
        ItemSetValue(text, "Size", sizes[rng() % 3]);
        FrameCheckSettings settings;
        std::vector<std::string> errors;
        if (!CompileFrameCheck(text, randomText(20, anyByte), rng() % 40, settings, errors))
            continue;
        const std::int32_t v = e.ComputeFrameCheck(settings, data);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, settings.CheckMethod == kCheckCrc ? 0xFFFF : 0xFF);
        ParseCheckValue(randomText(12, anyByte));
    }
}

}  // namespace
}  // namespace vornlfrf::config
