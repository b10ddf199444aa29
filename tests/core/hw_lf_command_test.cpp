#include <gtest/gtest.h>

#include <map>

#include "hw/lf_command.h"

namespace vornlfrf::hw {
namespace {

using Bytes = std::vector<std::uint8_t>;

config::TLFEMI dataFrame(const std::string& emitted, std::uint8_t freq = 2,
                         std::uint8_t bitTime = 128) {
    config::TLFEMI f;
    f.Name = "F";
    f.IsData = 1;
    f.FreqIndex = freq;
    f.BitTimeCode = bitTime;
    f.EmittedContent = emitted;
    return f;
}

std::string command(const config::TLFEMI& f) {
    std::string cmd;
    const Status st = BuildFrameCommand(f, cmd);
    EXPECT_TRUE(st.ok) << st.message;
    return cmd;
}

TEST(FrameCommand, HeaderAndRunLengthPairs) {
    struct Case {
        const char* name;
        config::TLFEMI frame;
        const char* command;
    };
    const Case cases[] = {
        {"worked example", dataFrame("0000000011111"), "03050905008001000103201F18"},
        {"padded to a nibble", dataFrame("1"),
         "030509050080010001011"
         "8"},
        {"sixteen equal nibbles", dataFrame(std::string(64, '1')),
         "03050905008001000101"
         "0F"},
        {"seventeen equal nibbles", dataFrame(std::string(68, '0')),
         "0305090500800100010200"
         "10"},
        {"empty content", dataFrame(""),
         "0305090500800100"
         "0100"},
        {"frequency not in the list", dataFrame("0101", 255),
         "0380010001"
         "0115"},
        {"119.0 kHz, 1 ms/bit", dataFrame("0000", 0, 1),
         "0304291500E1010004"
         "0110"},
        {"121.9 kHz, 5 ms/bit", dataFrame("0000", 1, 2), "0304281402810100140110"},
        {"128.2 kHz, 10 ms/bit", dataFrame("0000", 3, 3), "0304261302090100280110"},
        {"131.6 kHz, 50 ms/bit", dataFrame("0000", 4, 4), "0304251300490100C40110"},
    };
    for (const Case& c : cases) EXPECT_EQ(command(c.frame), c.command) << c.name;
}

// Alternating nibbles: one pair each.
std::string alternating(std::size_t nibbles) {
    std::string bits;
    for (std::size_t i = 0; i < nibbles; ++i) bits += i % 2 ? "1111" : "0000";
    return bits;
}

TEST(FrameCommand, RefusesMoreThan256Bytes) {
    std::string cmd;
    ASSERT_TRUE(BuildFrameCommand(dataFrame(alternating(246)), cmd).ok);
    EXPECT_EQ(cmd.size(), 2u * 256);
    EXPECT_EQ(cmd.substr(18, 2), "F6");

    const Status refused = BuildFrameCommand(dataFrame(alternating(247)), cmd);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.message, text::kFrameTooLong);

    // Without frequency bytes there is room for four more pairs.
    EXPECT_TRUE(BuildFrameCommand(dataFrame(alternating(250), 255), cmd).ok);
    EXPECT_FALSE(BuildFrameCommand(dataFrame(alternating(251), 255), cmd).ok);
}

TEST(FrameCommand, RefusesContentThatIsNotAllBits) {
    std::string cmd = "unchanged";
    const Status st = BuildFrameCommand(dataFrame("0101@ID"), cmd);
    EXPECT_FALSE(st.ok);
    EXPECT_EQ(st.message, text::kFrameNotBinary);
    EXPECT_EQ(cmd, "unchanged");
}

config::TLFEMI parameterFrame(bool inverted = false) {
    // Content "01b @ID(4) 1b @K" as the parser leaves it.
    config::TLFEMI f;
    f.Inverted = inverted;
    f.CodedContent = "01 @ID(4) 1 @K ";
    f.ParamCount = 2;
    f.ParamNames = {"ID", "K", ""};
    f.ParamTokens = {"ID(4)", "K", ""};
    f.ParamSizes = {4, -1, -1};
    return f;
}

TEST(FrameParameters, ValuesAreCodedCutToTheirSizeAndInserted) {
    struct Case {
        const char* name;
        bool inverted;
        const char* id;
        const char* k;
        const char* emitted;
    };
    const Case cases[] = {
        // 1Fh = 0101011010101010: a size of 4 bits keeps the last 8 chips.
        {"cut", false, "1Fh", "1b",
         "01"
         "10101010"
         "1"
         "1"},
        {"inverted coding", true, "1Fh", "",
         "01"
         "01010101"
         "1"},
        {"short value inserted whole", false, "01b", "1Fh",
         "01"
         "01"
         "1"
         "0101011010101010"},
    };
    std::vector<std::string> shown;
    for (const Case& c : cases) {
        config::TLFEMI f = parameterFrame(c.inverted);
        EXPECT_EQ(SubstituteFrameParams(f, c.id, c.k, "", [&](auto& m) { shown.push_back(m); }), 0)
            << c.name;
        EXPECT_EQ(f.EmittedContent, c.emitted) << c.name;
    }
    EXPECT_TRUE(shown.empty());

    config::TLFEMI plain;
    plain.CodedContent = "0110";
    plain.EmittedContent = "stale";
    EXPECT_EQ(SubstituteFrameParams(plain, "zz", "", "", nullptr), 0);
    EXPECT_EQ(plain.EmittedContent, "0110");
}

TEST(FrameParameters, AValueThatDoesNotConvertIsShownAndNothingIsEmitted) {
    const std::pair<const char*, const char*> cases[] = {
        {"Zh", "Error hexa with Zh"},
        {"@X", "Error with @X"},  // a value may not bring a parameter of its own
    };
    for (const auto& [value, message] : cases) {
        config::TLFEMI f = parameterFrame();
        f.EmittedContent = "0101";
        std::vector<std::string> shown;
        EXPECT_EQ(SubstituteFrameParams(f, "1h", value, "", [&](auto& m) { shown.push_back(m); }),
                  1);
        EXPECT_EQ(f.EmittedContent, "");
        EXPECT_EQ(shown, std::vector<std::string>{message});
    }
}

TEST(ScriptVariables, TokensTakeTheirSetVariables) {
    config::TLFEMI f;
    f.CodedContent = "01 @ID(4) 1 @K @MISSING ";
    const std::map<std::string, std::string> vars = {{"ID", "1Fh"}, {"K", "0b"}};
    auto lookup = [&](const std::string& name) {
        auto it = vars.find(name);
        return it == vars.end() ? std::string() : it->second;
    };
    std::vector<std::string> shown;
    auto show = [&](const std::string& m) { shown.push_back(m); };
    ASSERT_TRUE(SubstituteScriptVars(f, lookup, show));
    EXPECT_EQ(f.EmittedContent,
              "01"
              "10101010"
              "1"
              "0");
    EXPECT_TRUE(shown.empty());

    f.CodedContent = "@ID(4 11 ";  // no closing parenthesis: the whole value, and a message
    ASSERT_TRUE(SubstituteScriptVars(f, lookup, show));
    EXPECT_EQ(f.EmittedContent,
              "0101011010101010"
              "11");
    EXPECT_EQ(shown, std::vector<std::string>{"Error with parameter in LF description"});

    shown.clear();
    f.CodedContent = "11 @K ";
    EXPECT_FALSE(SubstituteScriptVars(
        f, [](const std::string&) { return "Qh"; }, show));
    EXPECT_EQ(f.EmittedContent, "");
    EXPECT_EQ(shown, std::vector<std::string>{"Error hexa with Qh"});

    f.CodedContent = "0011";
    ASSERT_TRUE(SubstituteScriptVars(f, nullptr, show));
    EXPECT_EQ(f.EmittedContent, "0011");
}

TEST(NormaliseId, TrimsCutsAndMarksHexadecimal) {
    const std::pair<const char*, const char*> cases[] = {
        {" 1234 ", "1234h"}, {"12,34", "12h"},    {"AB CD,E", "ABh"},
        {"12h", "12h"},      {"1A2B,h", "1A2Bh"}, {"", "h"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(NormaliseId(in), out) << in;
}

TEST(CwCommand, DurationBytes) {
    EXPECT_EQ(BytesToText(BuildCwCommand(1000)), "12 05 09 05 00 01 08 A2 20");
    EXPECT_EQ(BytesToText(BuildCwCommand(7200000)), "12 05 09 05 00 D7 94 A5 00");
    EXPECT_EQ(BytesToText(BuildCwCommand(0)), "12 05 09 05 00 01 01 01 00");
}

TEST(LfLevels, NearestPercentageTakesTheLowerIndexOnATie) {
    const std::pair<int, int> cases[] = {{12, 5},  {3, 2},    {0, 0},    {1, 1},
                                         {95, 17}, {100, 18}, {255, 18}, {-5, 0}};
    for (const auto& [percent, index] : cases)
        EXPECT_EQ(NearestLevelIndex(percent), index) << percent;
}

TEST(HexText, RoundTripAndRejects) {
    Bytes b;
    ASSERT_TRUE(HexToBytes("03fF00", b));
    EXPECT_EQ(BytesToText(b), "03 FF 00");
    EXPECT_FALSE(HexToBytes("031", b));
    EXPECT_FALSE(HexToBytes("0G", b));
}

}  // namespace
}  // namespace vornlfrf::hw
