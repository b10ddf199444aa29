#include "config/content_parser.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <ostream>
#include <random>
#include <string>

#include "support/cli_run.h"

namespace vornlfrf::config {
namespace {

constexpr auto kStd = CodingType::ManchesterStandard;
constexpr auto kInv = CodingType::ManchesterInverted;
constexpr auto kBip = CodingType::BiphaseS;
constexpr auto kPwm = CodingType::Pwm;

struct Case {
    const char* expression;
    CodingType coding;
    const char* expected;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << ::testing::PrintToString(std::string(c.expression)) << " coding "
        << static_cast<int>(c.coding);
}

class ParseContentTable : public ::testing::TestWithParam<Case> {};

TEST_P(ParseContentTable, GivesExpectedText) {
    const Case& c = GetParam();
    EXPECT_EQ(ParseContent(c.expression, c.coding), c.expected)
        << "expression \"" << c.expression << "\" coding " << static_cast<int>(c.coding);
}

const Case kCases[] = {
    // Empty expression, or only separators.
    {"", kStd, ""},
    {"   ", kBip, ""},
    {" \r\n \t ", kPwm, ""},
    // Manchester standard and inverted.
    {"AAh", kStd, "1001100110011001"},
    {"AAh", kInv, "0110011001100110"},
    {"0h", kStd, "01010101"},
    {"Fh", kInv, "01010101"},
    {"1Mh", kStd, "0101011011"},
    {"M S", kStd, "1100"},
    {"M S", kInv, "1100"},
    {"MSh", kStd, "1100"},
    // Raw binary groups pass uncoded with every coding.
    {"0101b", kStd, "0101"},
    {"0101b", kInv, "0101"},
    {"0101b", kBip, "0101"},
    {"0101b", kPwm, "0101"},
    // Biphase-S: the last output character decides, whoever appended it.
    {"M S", kBip, ""},
    {"00h", kBip, "0101010101010101"},
    {"FFh", kBip, "1100110011001100"},
    {"0b 0h", kBip, "010101010"},
    {"1b 0h", kBip,
     "1"
     "01010101"},
    {"0b Fh", kBip,
     "0"
     "11001100"},
    {"1b Fh", kBip,
     "1"
     "00110011"},
    {"8h", kBip,
     "11"
     "01"
     "01"
     "01"},
    {"Mh 8h", kBip, "11010101"},  // M appends nothing, so the output is still empty
    // A parameter's trailing space falls under the third case of each rule.
    {"@P 0h", kBip, " @P 01010101"},
    {"@P Fh", kBip, " @P 00110011"},
    // PWM with the default patterns "100"/"110".
    {"1h", kPwm, "100100100110"},
    {"M S", kPwm, "111000"},
    {"Ah", kPwm, "110100110100"},
    // Parameter tokens, verbatim with their size.
    {"@ID(32)", kStd, " @ID(32) "},
    {"01b @ID 01b", kStd, "01 @ID 01"},
    {"@ID(32) @X", kStd, " @ID(32)  @X "},
    {"@ah", kStd, " @ah "},
    {"@", kStd, " @ "},
    // Tokenising: several spaces, line breaks and control characters around tokens.
    {"FFh  00h", kStd, "10101010101010100101010101010101"},
    {"FFh\r\n00h", kStd, "10101010101010100101010101010101"},
    {"\tFFh\t 1b", kStd, "10101010101010101"},
    // Errors carry the trimmed token as written.
    {"aah", kStd, "Error hexa with aah"},
    {"12H", kStd, "Error suffix with 12H"},
    {"h", kStd, "Error with h"},
    {"b", kStd, "Error with b"},
    {"012b", kStd, "Error binary with 012b"},
    {"hh", kStd, "Error hexa with hh"},
    {"Gh", kStd, "Error hexa with Gh"},
    {"M0", kStd, "Error suffix with M0"},
    {"m", kStd, "Error suffix with m"},
    {"0B", kStd, "Error suffix with 0B"},
    {"01 b", kStd, "Error suffix with 01"},
    {"1Sb", kStd, "Error binary with 1Sb"},
    // The first error ends the call; the partial result is discarded.
    {"FFh 01b xyz 00h", kStd, "Error suffix with xyz"},
    // A tab does not end a token: only spaces and line breaks do.
    {"FFh\t\tzz\t", kStd, "Error suffix with FFh\t\tzz"},
    {"FFh h 2b", kStd, "Error with h"},
};

INSTANTIATE_TEST_SUITE_P(Part13, ParseContentTable, ::testing::ValuesIn(kCases));

TEST(ParseContent, PwmUsesGivenPatterns) {
    EXPECT_EQ(ParseContent("5h", kPwm, "10", "1110"),
              "10"
              "1110"
              "10"
              "1110");
    EXPECT_EQ(ParseContent("0b 1h M", kPwm, "0", "1"),
              "0"
              "0001"
              "111");
    // The patterns are ignored by the other codings.
    EXPECT_EQ(ParseContent("5h", kStd, "X", "Y"), "01100110");
}

TEST(ParseContent, HexDigitsExpandMostSignificantBitFirst) {
    const char* digits = "0123456789ABCDEF";
    for (int v = 0; v < 16; ++v) {
        std::string expected;
        for (int bit = 3; bit >= 0; --bit) expected += ((v >> bit) & 1) ? "10" : "01";
        EXPECT_EQ(ParseContent(std::string(1, digits[v]) + "h", kStd), expected) << digits[v];
    }
}

// True when text is chips and " @token " groups only (tokens hold no space).
bool isChipsAndTokens(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '0' || c == '1') {
            ++i;
            continue;
        }
        if (c != ' ' || i + 1 >= text.size() || text[i + 1] != '@') return false;
        const std::size_t close = text.find(' ', i + 1);
        if (close == std::string::npos) return false;
        i = close + 1;
    }
    return true;
}

TEST(ParseContent, RandomBytesGiveChipsTokensOrError) {
    std::mt19937 rng(20240613u);
    // Bias towards the interesting alphabet so that some inputs parse cleanly.
    const std::string alphabet = "0123456789ABCDEFMSabhH@() \r\n\t";
    std::uniform_int_distribution<int> length(0, 24), pick(0, 3), any(0, 255),
        letter(0, static_cast<int>(alphabet.size()) - 1), coding(0, 3);
    int clean = 0;
    for (int n = 0; n < 20000; ++n) {
        std::string input;
        const int len = length(rng);
        for (int i = 0; i < len; ++i)
            input += pick(rng) == 0 ? static_cast<char>(any(rng)) : alphabet[letter(rng)];
        const std::string out = ParseContent(input, static_cast<CodingType>(coding(rng)));
        if (out.rfind("Error", 0) == 0) continue;
        ++clean;
        ASSERT_TRUE(isChipsAndTokens(out)) << "input bytes: " << ::testing::PrintToString(input);
    }
    EXPECT_GT(clean, 100);
}

#ifdef VORNLFRF_CLI
// Runs the CLI with a shell command line; returns stdout and sets the exit status.
std::string runCli(const std::string& arguments, int& status) {
    const testsupport::CliRun r = testsupport::runCliCommand("content " + arguments);
    status = r.status;
    return r.out;
}

TEST(ContentCli, PrintsResultOrUsage) {
    int status = 0;
    EXPECT_EQ(runCli("'AAh'", status), "1001100110011001\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(runCli("--coding 3 --pwm0 10 --pwm1 11 '1h M'", status), "10101011111\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(runCli("--coding 2 0b 0h", status), "010101010\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(runCli("aah", status), "Error hexa with aah\n");
    EXPECT_EQ(status, 0);
    for (const char* bad : {"", "--coding 4 FFh", "--coding x FFh", "--coding", "--bogus FFh"}) {
        EXPECT_EQ(runCli(bad, status), "") << bad;
        EXPECT_EQ(status, 2) << bad;
    }
}
#endif

}  // namespace
}  // namespace vornlfrf::config
