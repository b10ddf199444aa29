#include "config/lf_frames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/content_parser.h"

namespace vornlfrf::config {
namespace {

// An item as the editor writes it.
std::string frame(const std::string& name, const std::string& content,
                  const std::string& baud = "3906", const std::string& freq = "125.0",
                  const std::string& coding = "0", const std::string& data = "1") {
    const std::string s(1, '\xAC');
    return "Name:" + name + s + "Freq:" + freq + s + "Content:" + content + s + "Baudrate:" + baud +
           s + "Coding:" + coding + s + "Data:" + data + s;
}

std::string hexZeros(std::size_t digits) {
    return std::string(digits, '0') + "h";
}

struct AnalysisCase {
    const char* title;
    std::vector<std::string> items;
    std::string error;  // the error line, empty when the analysis passes
};

void PrintTo(const AnalysisCase& c, std::ostream* os) {
    *os << c.title;
}

class AnalyseLfFramesTable : public ::testing::TestWithParam<AnalysisCase> {};

TEST_P(AnalyseLfFramesTable, LogsHeaderAndFirstError) {
    const AnalysisCase& c = GetParam();
    LfFrameTable table;
    table.count = 77;
    AnalysisLog log;
    const bool ok = AnalyseLfFrames(c.items, table, log);

    std::vector<std::string> expected = {"----- LF Frames analysis -----"};
    expected.push_back(c.error.empty() ? "----- Script analysis -----" : c.error);
    EXPECT_EQ(log.lines(), expected);
    EXPECT_EQ(ok, c.error.empty());
    EXPECT_EQ(table.count, ok ? static_cast<int>(c.items.size()) : 77);
}

const std::string kErr = "Error in LFConfig, frame '";

const AnalysisCase kAnalysisCases[] = {
    {"empty list", {}, ""},
    {"new frame", {frame("NewFrame", "")}, kErr + "NewFrame' : Content field is NULL"},
    {"no name", {frame("", "AAh")}, kErr + "' : Name field is NULL"},
    {"item without keys", {""}, kErr + "' : Name field is NULL"},
    {"syntax", {frame("F", "AAh XYZ")}, kErr + "F' : Syntax error in content field"},
    {"4800 chips", {frame("F", hexZeros(600))}, ""},
    {"4801 chips", {frame("F", hexZeros(600) + " 1b")}, kErr + "F' : Error, Field too long"},
    {"blank content", {frame("F", "   ")}, kErr + "F' : Content field is NULL"},
    {"cw without content", {frame("C", "", "3906", "125.0", "0", "0")}, ""},
    {"cw ignores baud and freq", {frame("C", "", "x", "x", "0", "0")}, ""},
    {"missing Data compiles as cw", {"Name:N\xAC"}, ""},
    {"baud not a number", {frame("F", "AAh", "fast")}, kErr + "F' : Baudrate field is not valid"},
    {"baud zero", {frame("F", "AAh", "0")}, kErr + "F' : Baudrate field is not valid"},
    {"baud negative", {frame("F", "AAh", "-3906")}, kErr + "F' : Baudrate field is not valid"},
    {"baud too slow for a byte",
     {frame("F", "AAh", "1000")},
     kErr + "F' : Baudrate field is not valid"},
    {"baud on a fixed code",
     {frame("F", "AAh", "200000")},
     kErr + "F' : Baudrate field is not valid"},
    {"freq not in list",
     {frame("F", "AAh", "3906", "130.0")},
     kErr + "F' : Freq field is not valid"},
    {"parameter size not a number",
     {frame("F", "AAh @ID(x)")},
     kErr + "F' : Parameter size error in content field"},
    {"parameter size zero",
     {frame("F", "@ID(0)")},
     kErr + "F' : Parameter size error in content field"},
    {"first error stops",
     {frame("A", "AAh"), frame("B", ""), frame("", "")},
     kErr + "B' : Content field is NULL"},
    {"300 frames", std::vector<std::string>(300, frame("F", "AAh")), ""},
    {"301 frames", std::vector<std::string>(301, frame("F", "AAh")),
     "Error in LFConfig : Number of LF frames must be <=300"},
};

INSTANTIATE_TEST_SUITE_P(Cases, AnalyseLfFramesTable, ::testing::ValuesIn(kAnalysisCases));

TEST(AnalyseLfFrames, CompilesDataAndCwRecords) {
    LfFrameTable table;
    AnalysisLog log;
    ASSERT_TRUE(AnalyseLfFrames(
        {frame("Wake", "AAh @ID(24) @K", "3906", "125.0", "1"),
         frame("Slow", "0h", "* 10ms/bit", "119.0"), frame("Cw", "", "", "bad", "0", "0")},
        table, log));
    ASSERT_EQ(table.count, 3);

    const TLFEMI& wake = table.frames[0];
    EXPECT_EQ(wake.Name, "Wake");
    EXPECT_EQ(wake.IsData, 1);
    EXPECT_EQ(wake.Inverted, 1);
    EXPECT_EQ(wake.BitTimeCode, 128);
    EXPECT_EQ(wake.FreqIndex, 2);
    EXPECT_EQ(wake.CodedContent, ParseContent("AAh @ID(24) @K", CodingType::ManchesterInverted));
    EXPECT_EQ(wake.ParamCount, 2);
    EXPECT_EQ(wake.ParamNames[1], "K");

    EXPECT_EQ(table.frames[1].BitTimeCode, 3);
    EXPECT_EQ(table.frames[1].FreqIndex, 0);
    EXPECT_EQ(table.frames[1].Inverted, 0);

    const TLFEMI& cw = table.frames[2];
    EXPECT_EQ(cw.IsData, 0);
    EXPECT_EQ(cw.ParamCount, 0);
    EXPECT_EQ(cw.FreqIndex, 255);
}

TEST(AnalyseLfFrames, KeepsFieldsACompileDoesNotWrite) {
    LfFrameTable table;
    AnalysisLog log;
    ASSERT_TRUE(AnalyseLfFrames({frame("A", "@ID(8) 0h")}, table, log));
    table.frames[0].EmittedContent = "0101";
    table.frames[0].LastParamValues[0] = "12h";
    ASSERT_TRUE(AnalyseLfFrames({frame("B", "", "3906", "125.0", "0", "0")}, table, log));
    const TLFEMI& r = table.frames[0];
    EXPECT_EQ(r.Name, "B");
    EXPECT_EQ(r.ParamCount, 0);
    EXPECT_EQ(r.ParamNames[0], "ID");  // stale, but no longer counted
    EXPECT_EQ(r.CodedContent, " @ID(8) 01010101");
    EXPECT_EQ(r.EmittedContent, "0101");
    EXPECT_EQ(r.LastParamValues[0], "12h");
}

struct BaudCase {
    const char* text;
    int code;  // -1: refused
};

TEST(BitTimeCodeOf, FixedTextsAndRates) {
    const BaudCase cases[] = {
        {"3906", 128},     {"1960", 255},     {"10000", 50},
        {"2000", 250},     {"* 1ms/bit", 1},  {"* 5ms/bit", 2},
        {"* 10ms/bit", 3}, {"* 50ms/bit", 4}, {"1900", -1},
        {"10001", -1},     {"", -1},          {" 3906", -1},
        {"3906.0", -1},    {"*10ms/bit", -1}, {"99999999999", -1},
        {"-1", -1},
    };
    for (const BaudCase& c : cases) {
        std::uint8_t code = 0;
        const bool ok = BitTimeCodeOf(c.text, code);
        EXPECT_EQ(ok, c.code >= 0) << c.text;
        if (ok) {
            EXPECT_EQ(code, c.code) << c.text;
        }
    }
}

TEST(BitTimeCodeOf, EveryListEntryIsAccepted) {
    const auto& list = BaudrateList();
    ASSERT_EQ(list.size(), 206u + 4u);
    EXPECT_EQ(list[0], "1960");
    EXPECT_EQ(list[1], "1968");
    EXPECT_EQ(list[127], "3906");
    EXPECT_EQ(list[205], "10000");
    EXPECT_EQ(list[206], "* 1ms/bit");
    EXPECT_EQ(list[209], "* 50ms/bit");
    for (std::size_t i = 0; i < 206; ++i) {
        std::uint8_t code = 0;
        ASSERT_TRUE(BitTimeCodeOf(list[i], code)) << list[i];
        EXPECT_EQ(code, 255 - i) << list[i];
    }
    EXPECT_EQ(FrequencyList(),
              (std::vector<std::string>{"119.0", "121.9", "125.0", "128.2", "131.6"}));
    EXPECT_EQ(FrequencyList()[kDefaultFreqIndex], "125.0");
}

struct ParamCase {
    const char* coded;
    bool ok;
    int count;
    std::vector<std::string> tokens, names;
    std::vector<int> sizes;
};

TEST(ExtractFrameParameters, TokensNamesAndSizes) {
    const ParamCase cases[] = {
        {"0101", true, 0, {}, {}, {}},
        {" @ID(24) ", true, 1, {"ID(24)"}, {"ID"}, {24}},
        {"01 @ID 10", true, 1, {"ID"}, {"ID"}, {-1}},
        {" @A  @B(8)  @C(2)  @X ", true, 3, {"A", "B(8)", "C(2)"}, {"A", "B", "C"}, {-1, 8, 2}},
        {" @ID(24 ", true, 1, {"ID(24"}, {"ID(24"}, {-1}},
        {" @(16) ", true, 1, {"(16)"}, {""}, {16}},
        {" @ID(2400) ", true, 1, {"ID(2400)"}, {"ID"}, {2400}},
        {" @ID(2401) ", false, 1, {"ID(2401)"}, {"ID"}, {-1}},
        {" @ID(-3) ", false, 1, {"ID(-3)"}, {"ID"}, {-1}},
        {" @ID)x( ", false, 1, {"ID)x("}, {"ID)x"}, {-1}},
        {" @ID() ", false, 1, {"ID()"}, {"ID"}, {-1}},
    };
    for (const ParamCase& c : cases) {
        TLFEMI f;
        f.ParamCount = 9;
        f.CodedContent = c.coded;
        EXPECT_EQ(ExtractFrameParameters(f), c.ok) << c.coded;
        ASSERT_EQ(f.ParamCount, c.count) << c.coded;
        for (int i = 0; i < c.count; ++i) {
            const auto k = static_cast<std::size_t>(i);
            EXPECT_EQ(f.ParamTokens[k], c.tokens[k]) << c.coded;
            EXPECT_EQ(f.ParamNames[k], c.names[k]) << c.coded;
            EXPECT_EQ(f.ParamSizes[k], c.sizes[k]) << c.coded;
        }
    }
}

}  // namespace
}  // namespace vornlfrf::config
