#include "config/processing.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vornlfrf::config {
namespace {

struct ApplyCase {
    const char* code;
    const char* bits;
    const char* expected;
};

void PrintTo(const ApplyCase& c, std::ostream* os) {
    *os << "code \"" << c.code << "\" bits \"" << c.bits << "\"";
}

class ApplyProcessingTable : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyProcessingTable, GivesExpectedBits) {
    const ApplyCase& c = GetParam();
    EXPECT_EQ(ApplyProcessing(c.code, c.bits), c.expected)
        << "code \"" << c.code << "\" bits \"" << c.bits << "\"";
    std::string inPlace = c.bits;
    ApplyProcessingInPlace(c.code, inPlace);
    EXPECT_EQ(inPlace, c.expected);
}

const ApplyCase kApplyCases[] = {
    // Disabled, too short, or enabled without a step: unchanged.
    {"egi", "0101", "0101"},
    {"eGI", "0101", "0101"},
    {"EGi", "1", "1"},
    {"EGI", "0", "0"},
    {"EGI", "", ""},
    {"Egi", "1101", "1101"},
    {"", "1101", "1101"},
    {"eGi", "1111", "1111"},
    // Only upper-case letters switch a step on.
    {"EgX", "0101", "0101"},
    {"EXi", "1101", "1101"},
    // Gray decoding.
    {"EGi", "1101", "1001"},
    {"EGi", "0111", "0101"},
    {"EGi", "11", "10"},
    {"EGi", "0000", "0000"},
    {"EGi", "1000", "1111"},
    {"EGi", "1X1", "1X1"},
    {"EGi", "11X1", "10X1"},
    // Invert the first data bit.
    {"EgI", "0101", "1101"},
    {"EgI", "1101", "0101"},
    {"EgI", "X101", "0101"},
    {"EgI", "01", "11"},
    // Both: the inversion first, then Gray decoding of the result.
    {"EGI", "0100", "1000"},
    {"EGI", "1100", "0111"},
    // Short codes: missing positions read as off.
    {"EG", "1101", "1001"},
    {"E", "1101", "1101"},
    // Longer codes: only the first three positions count.
    {"EGIx", "1101", "0110"},
};

INSTANTIATE_TEST_SUITE_P(Part34, ApplyProcessingTable, ::testing::ValuesIn(kApplyCases));

TEST(Processing, NormaliseEmptyToEgi) {
    EXPECT_EQ(NormaliseProcessing(""), "egi");
    EXPECT_EQ(NormaliseProcessing("EGI"), "EGI");
    EXPECT_EQ(NormaliseProcessing("E"), "E");
}

TEST(Processing, Readers) {
    EXPECT_TRUE(ProcessingEnabled("Egi"));
    EXPECT_FALSE(ProcessingEnabled("egi"));
    EXPECT_FALSE(ProcessingEnabled(""));
    EXPECT_TRUE(ProcessingGray("eGi"));
    EXPECT_FALSE(ProcessingGray("E"));
    EXPECT_TRUE(ProcessingInvertFirst("egI"));
    EXPECT_FALSE(ProcessingInvertFirst("eG"));
}

TEST(Processing, SummaryLabel) {
    struct {
        const char* code;
        const char* text;
    } const cases[] = {
        {"", "None"},
        {"egi", "None"},
        {"Egi", "None"},
        {"eGi", "- Gray Decoding"},
        {"EgI", "- Invert 1st Data bit"},
        {"eGI", "- Gray Decoding\n- Invert 1st Data bit"},
        {"EgX", "None"},
        {"E", "None"},
    };
    for (const auto& c : cases) EXPECT_EQ(ProcessingSummary(c.code), c.text) << c.code;
}

TEST(Processing, GroupCheckBoxSetsPositionOne) {
    struct {
        const char* code;
        bool ticked;
        const char* result;
    } const cases[] = {
        {"", true, "Egi"},     {"", false, "egi"},   {"eGI", true, "EGI"},
        {"EGI", false, "eGI"}, {"Egi", true, "Egi"}, {"eG", true, "EG"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SetProcessingEnabled(c.code, c.ticked), c.result) << c.code << " " << c.ticked;
}

TEST(Processing, DialogSaveSetsPositionsTwoAndThree) {
    struct {
        const char* code;
        bool gray, invert;
        const char* result;
    } const cases[] = {
        {"EGI", false, false, "Egi"},  // unticking both boxes
        {"egi", true, false, "eGi"},
        {"egi", false, true, "egI"},
        {"Egi", true, true, "EGI"},
        {"", true, true, "eGI"},
        {"E", true, false, "EGi"},  // a short code is completed from
                                    // "egi"
        {"EG", false, true, "EgI"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SetProcessingSteps(c.code, c.gray, c.invert), c.result) << c.code;
}

TEST(Processing, AnalysisRefusesLengthOtherThanThree) {
    EXPECT_TRUE(CheckProcessingCode(""));
    EXPECT_TRUE(CheckProcessingCode("EGI"));
    EXPECT_TRUE(CheckProcessingCode("xyz"));
    for (const char* bad : {"E", "EG", "EGIx"}) {
        const Status s = CheckProcessingCode(bad);
        EXPECT_FALSE(s) << bad;
        EXPECT_EQ(s.message, "Syntax error with Processing method");
    }
}

}  // namespace
}  // namespace vornlfrf::config
