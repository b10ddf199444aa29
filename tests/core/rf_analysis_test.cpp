#include "config/rf_analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <ostream>

#include "common/sim_host.h"
#include "config/item_text.h"
#include "config/rf_conf.h"

namespace vornlfrf::config {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// A valid description, then the overrides in order.
std::string description(const Pairs& overrides = {}) {
    std::string item;
    for (const auto& [k, v] : Pairs{{"Name", "D"},
                                    {"Preamble", "AAAh"},
                                    {"Baudrate", "9600"},
                                    {"Coding", "0"},
                                    {"Fields", "ID;8;0;1;;Y;;"}})
        ItemSetValue(item, k, v);
    for (const auto& [k, v] : overrides) ItemSetValue(item, k, v);
    return item;
}

std::string joinRows(const std::string& row, int n) {
    return JoinList(std::vector<std::string>(static_cast<std::size_t>(n), row), kRowSeparator);
}

struct FakeFiles : TableFileReader {
    bool exists(const std::string& path) const override { return files.count(path) > 0; }
    bool readLines(const std::string& path, std::vector<std::string>& lines) const override {
        auto it = files.find(path);
        if (it == files.end()) return false;
        lines = it->second;
        return true;
    }
    std::map<std::string, std::vector<std::string>> files;
};

class RfAnalysisTest : public ::testing::Test {
  protected:
    bool analyse(const std::vector<std::string>& items) {
        log.ClearLog();
        return AnalyseRfDescriptions(items, "100", "110", log, table, tables, &host, files);
    }
    const TRXREC& rec(std::size_t i) const { return table.records[i]; }

    SimHost host;
    AnalysisLog log;
    std::unique_ptr<RxDescriptionTable> tablePtr = std::make_unique<RxDescriptionTable>();
    RxDescriptionTable& table = *tablePtr;
    TableStore tables;
    FakeFiles files;
};

struct ErrorCase {
    const char* label;
    Pairs overrides;
    const char* line;
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
    *os << c.label;
}

class RfAnalysisErrors : public RfAnalysisTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(RfAnalysisErrors, StopsWithOneLine) {
    // A valid description first, the faulty one second, another valid one after it.
    EXPECT_FALSE(analyse({description(), description(GetParam().overrides), description()}));
    EXPECT_EQ(log.lines(),
              (std::vector<std::string>{"----- Rx descriptions analysis -----", GetParam().line}));
}

const std::string k51Rows = joinRows("F;1;0;1;;N;;", 51);

INSTANTIATE_TEST_SUITE_P(
    Messages, RfAnalysisErrors,
    ::testing::Values(
        ErrorCase{"no name", {{"Name", ""}}, "ERROR in RF Config, frame '' : Name field is NULL"},
        ErrorCase{"no preamble",
                  {{"Preamble", ""}},
                  "ERROR in RF Config, frame 'D' : Preamble field is NULL"},
        ErrorCase{"preamble 12H",
                  {{"Preamble", "12H"}},
                  "ERROR in RF Config, frame 'D' : Syntax error in Preamble field"},
        ErrorCase{"preamble of spaces",
                  {{"Preamble", "   "}},
                  "ERROR in RF Config, frame 'D' : Syntax error in Preamble field"},
        ErrorCase{"preamble with a parameter",
                  {{"Preamble", "AAh @ID"}},
                  "ERROR in RF Config, frame 'D' : Syntax error in Preamble field"},
        ErrorCase{"coding 4",
                  {{"Coding", "4"}},
                  "ERROR in RF Config, frame 'D' : Syntax error in Coding field"},
        ErrorCase{"no coding",
                  {{"Coding", ""}},
                  "ERROR in RF Config, frame 'D' : Syntax error in Coding field"},
        ErrorCase{"processing EG",
                  {{"Processing", "EG"}},
                  "ERROR in RF Config, frame 'D' : Syntax error with Processing method"},
        ErrorCase{"no fields", {{"Fields", ""}}, "ERROR in RF Config, frame 'D' : Fields are NULL"},
        ErrorCase{"empty row",
                  {{"Fields",
                    "ID;8;0;1;;Y;;\x86"
                    "\x86"
                    "A;8;0;1;;Y;;"}},
                  "ERROR in RF Config, frame 'D' : Syntax error in field "},
        ErrorCase{"size 0",
                  {{"Fields", "ID;0;0;1;;Y;;"}},
                  "ERROR in RF Config, frame 'D' : Syntax error in field ID;0;0;1;;Y;;"},
        ErrorCase{"size 65",
                  {{"Fields", "ID;65;0;1;;Y;;"}},
                  "ERROR in RF Config, frame 'D' : Syntax error in field ID;65;0;1;;Y;;"},
        ErrorCase{"negative size",
                  {{"Fields", "ID;-8;0;1;;Y;;"}},
                  "ERROR in RF Config, frame 'D' : Syntax error in field ID;-8;0;1;;Y;;"},
        ErrorCase{"size not a number",
                  {{"Fields", "ID;eight;0;1;;Y;;"}},
                  "ERROR in RF Config, frame 'D' : Syntax error in field ID;eight;0;1;;Y;;"},
        ErrorCase{"name only",
                  {{"Fields", "ID"}},
                  "ERROR in RF Config, frame 'D' : Syntax error in field ID"},
        ErrorCase{"offset not a number",
                  {{"Fields", "T;8;-4O;1;C;Y;;"}},
                  "ERROR in RF Config, frame 'D' : Syntax error in field T;8;-4O;1;C;Y;;"},
        ErrorCase{"resolution with a comma",
                  {{"Fields", "T;8;0;0,5;C;Y;;"}},
                  "ERROR in RF Config, frame 'D' : Syntax error in field T;8;0;0,5;C;Y;;"},
        ErrorCase{"missing table file",
                  {{"Fields", "ID;8;0;1;;Y;;\x86S;2;0;1;;Y;;/no/such.txt;"}},
                  "ERROR in RF Config, frame 'D' : Error file in field S;2;0;1;;Y;;/no/such.txt;"},
        ErrorCase{"51 fields",
                  {{"Fields", k51Rows}},
                  "ERROR in RF Config, frame 'D' : Number of fields must be <=50"},
        ErrorCase{"baud rate text",
                  {{"Baudrate", "fast"}},
                  "ERROR in RF Config, frame 'D' : Syntax error in Baudrate field"},
        ErrorCase{"baud rate 0",
                  {{"Baudrate", "0"}},
                  "ERROR in RF Config, frame 'D' : Syntax error in Baudrate field"},
        ErrorCase{"negative baud rate",
                  {{"Baudrate", "-9600"}},
                  "ERROR in RF Config, frame 'D' : Syntax error in Baudrate field"},
        ErrorCase{"chip time below 1 us",
                  {{"Baudrate", "500001"}},
                  "ERROR in RF Config, frame 'D' : Syntax error in Baudrate field"},
        ErrorCase{"unknown verification method",
                  {{"CKS", "1"}, {"Method", "5"}},
                  "ERROR in RF Config, frame 'D' : Syntax error with verification method"}));

TEST_F(RfAnalysisTest, CountLimitIsCheckedBeforeAnyItem) {
    EXPECT_TRUE(analyse({}));
    EXPECT_EQ(log.lines(), std::vector<std::string>{"----- Rx descriptions analysis -----"});
    EXPECT_EQ(table.count, 0);

    std::vector<std::string> items(300, description());
    EXPECT_TRUE(analyse(items));
    EXPECT_EQ(table.count, 300);

    items.assign(301, "");  // each would fail on its name if it were examined
    table.count = 7;
    EXPECT_FALSE(analyse(items));
    EXPECT_EQ(log.lines(), (std::vector<std::string>{
                               "----- Rx descriptions analysis -----",
                               "ERROR in RF Config : Number of RF descriptions must be <=300"}));
    EXPECT_EQ(table.count, 7);
}

TEST_F(RfAnalysisTest, CompilesTheDescription) {
    ASSERT_TRUE(analyse({description({{"Name", "TPMS"},
                                      {"Fields",
                                       "ID;24;0;1;;Y;;\x86"
                                       "P;8;-10.5;0.25;kPa;p;;\x86"
                                       "S;4;;;;n;01;\x86"
                                       "T;8;;;C;x;;"}}),
                         description({{"Coding", "3"}, {"Baudrate", "9600"}})}));
    EXPECT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(table.count, 2);
    const TRXREC& r = rec(0);
    EXPECT_EQ(r.Name, "TPMS");
    EXPECT_EQ(r.Coding, 0);
    EXPECT_EQ(r.Processing, "egi");  // no Processing key
    EXPECT_EQ(r.Preamble, "100110011001100110011001");
    EXPECT_EQ(r.PreambleLength, 24);
    EXPECT_EQ(r.ChipTime, 52);
    EXPECT_EQ(r.ChipThresholds, (std::array<std::int32_t, 8>{3, 8, 13, 18, 23, 29, 34, 39}));
    EXPECT_EQ(rec(1).ChipTime, 34);
    EXPECT_EQ(rec(1).Coding, 3);
    EXPECT_EQ(rec(1).Preamble, "110100110100110100110100110100110100");  // PWM chips of AAA

    EXPECT_EQ(r.FieldCount, 4);
    EXPECT_EQ(r.TotalSize, 44);
    EXPECT_EQ(r.FieldNames[1], "P");
    EXPECT_EQ(r.FieldSizes[0], 24);
    EXPECT_DOUBLE_EQ(r.FieldOffsets[1], -10.5);
    EXPECT_DOUBLE_EQ(r.FieldResolutions[1], 0.25);
    EXPECT_EQ(r.FieldUnits[1], "kPa");
    // Empty scaling means none.
    EXPECT_DOUBLE_EQ(r.FieldOffsets[2], 0);
    EXPECT_DOUBLE_EQ(r.FieldResolutions[2], 1);
    EXPECT_EQ(r.FieldDisplays[0], 'Y');
    EXPECT_EQ(r.FieldDisplays[1], 'P');
    EXPECT_EQ(r.FieldDisplays[2], 'N');
    EXPECT_EQ(r.FieldDisplays[3], 'N');  // unknown letter
    EXPECT_EQ(r.FieldContents[2], "01");
    EXPECT_EQ(r.HasContentFilter, 1);
    EXPECT_EQ(rec(1).HasContentFilter, 0);
    EXPECT_EQ(r.FieldTables[0], -1);
    EXPECT_EQ(r.HasComputed, 0);
    EXPECT_EQ(r.check.CheckEnabled, false);
}

TEST_F(RfAnalysisTest, ComputedRowsAtMostFour) {
    TRXREC r;
    CompileComputedRows(r,
                        "A;x*2;V;y;ok;\x86"
                        "B;x;;P;;\x86"
                        "C;1;;N;;\x86"
                        "D;2;;Q;;\x86"
                        "E;3;;Y;;");
    EXPECT_EQ(r.HasComputed, 1);
    EXPECT_EQ(r.ComputedCount, 4);
    EXPECT_EQ(r.ComputedNames[0], "A");
    EXPECT_EQ(r.ComputedFormulas[0], "x*2");
    EXPECT_EQ(r.ComputedUnits[0], "V");
    EXPECT_EQ(r.ComputedDisplays[0], 'Y');
    EXPECT_EQ(r.ComputedDisplays[1], 'P');
    EXPECT_EQ(r.ComputedDisplays[3], 'N');
    EXPECT_EQ(r.ComputedNames[3], "D");
    EXPECT_EQ(r.ComputedContents[0], "ok");
    EXPECT_EQ(r.HasComputedContentFilter, 1);

    CompileComputedRows(r, "Short");
    EXPECT_EQ(r.ComputedCount, 1);
    EXPECT_EQ(r.ComputedFormulas[0], "");
    EXPECT_EQ(r.HasComputedContentFilter, 0);

    CompileComputedRows(r, "");
    EXPECT_EQ(r.HasComputed, 0);
    EXPECT_EQ(r.ComputedCount, 0);
}

TEST_F(RfAnalysisTest, VerificationAndRunStateAreSetPerRun) {
    // Mask before PMask: "Mask:" is also found inside "PMask:".
    const Pairs check = {{"CKS", "1"}, {"Mask", "FF 00"}, {"PMask", "00F"}, {"Method", "1"}};
    Pairs withH = check;
    withH.insert(withH.begin(), {"Preamble", "00Ah"});
    table.records[0].state.huntState = 1;
    table.records[0].state.lastLevel = '1';
    table.records[0].state.runLength = 9;
    table.records[0].state.chipText = "0101";
    table.records[0].state.chipCount = 4;
    ASSERT_TRUE(analyse({description(withH)}));
    EXPECT_TRUE(rec(0).check.CheckEnabled);
    EXPECT_EQ(rec(0).check.PreambleMask, "00F");
    EXPECT_EQ(rec(0).check.DataMask, "FF00" + std::string(50, '0'));
    EXPECT_EQ(rec(0).check.CheckMethod, 1);
    EXPECT_EQ(rec(0).check.PreambleHex, "00A");

    const RxDecoderState& s = rec(0).state;
    EXPECT_EQ(s.huntState, 0);
    EXPECT_EQ(s.lastLevel, -1);
    EXPECT_EQ(s.runLength, 0);
    EXPECT_EQ(s.chipText, "");
    EXPECT_EQ(s.chipCount, 0);

    // A value the CRC reading refuses is shown and counts as 0; the analysis goes on.
    ASSERT_TRUE(analyse({description({{"CKS", "1"}, {"Method", "2"}, {"Poly", "12G"}})}));
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].caption, "ERROR");
    EXPECT_EQ(rec(0).check.CrcPoly, 0);
    EXPECT_TRUE(rec(0).check.CheckEnabled);

    ASSERT_TRUE(analyse({description({{"CKS", "0"}})}));
    EXPECT_FALSE(rec(0).check.CheckEnabled);
}

TEST_F(RfAnalysisTest, TableSlotsPerFieldAndLimit) {
    files.files["/t/a.txt"] = {"Normal", "Low"};
    const std::string tableRow = "S;2;0;1;;Y;;/t/a.txt;";
    ASSERT_TRUE(analyse({description({{"Fields", "ID;8;0;1;;Y;;\x86" + tableRow}}),
                         description({{"Fields", " S;2;;;;Y;; /t/a.txt ;"}})}));
    EXPECT_EQ(tables.count, 2);  // the same file twice: two slots
    EXPECT_EQ(rec(0).FieldTables[0], -1);
    EXPECT_EQ(rec(0).FieldTables[1], 0);
    EXPECT_EQ(rec(1).FieldTables[0], 1);
    EXPECT_EQ(tables.names[1], "/t/a.txt");
    EXPECT_EQ(tables.lists[0], (std::vector<std::string>{"Normal", "Low"}));

    // Slots restart at every analysis; 100 table fields fit, the 101st does not.
    const std::string fifty = joinRows(tableRow, 50);
    ASSERT_TRUE(analyse({description({{"Fields", fifty}}), description({{"Fields", fifty}})}));
    EXPECT_EQ(tables.count, 100);
    EXPECT_EQ(rec(1).FieldTables[49], 99);
    EXPECT_FALSE(
        analyse({description({{"Fields", fifty}}), description({{"Fields", fifty}}),
                 description({{"Name", "Last"}, {"Fields", "ID;8;0;1;;Y;;\x86" + tableRow}})}));
    EXPECT_EQ(log.lines().back(),
              "ERROR in RF Config, frame 'Last' : Max Table fields reached : " + tableRow);
}

TEST_F(RfAnalysisTest, ArbitraryBytesGiveAResultOrOneErrorLine) {
    // Random items built from the bytes that matter to the parsers, plus any byte at all.
    const std::string alphabet = std::string("01;:hbAF@ -.5\x86\xAC\r\nNameFieldsCKS");
    std::uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    SimHost quiet;
    RfConf conf{quiet, [] {}};
    for (int round = 0; round < 300; ++round) {
        std::string item = description();
        const int n = static_cast<int>(next() % 60);
        for (int k = 0; k < n; ++k) {
            const std::uint32_t r = next();
            const std::size_t at = (r >> 8) % (item.size() + 1);
            const char c =
                (r & 3) ? alphabet[(r >> 16) % alphabet.size()] : static_cast<char>(r >> 24);
            item.insert(item.begin() + static_cast<std::ptrdiff_t>(at), c);
        }
        const bool ok = analyse({item});
        ASSERT_EQ(log.lines().size(), ok ? 1u : 2u) << round;
        if (!ok) {
            EXPECT_EQ(log.lines().back().rfind("ERROR in RF Config, frame '", 0), 0u);
        }

        IniDocument doc = IniDocument::fromText("[RFFRAME]\nNbFrames=1\nL0=" + item + "\n");
        conf.processSection(&doc, ConfigAction::Load);
        conf.lstFramesClick(0);
        RfFieldDialog d;
        for (int row = 0; row < static_cast<int>(conf.lstFields.size()); ++row)
            conf.Modification(row, d);
    }
}

TEST(RfValueTableFile, ReadsWindows1252LinesFromDisk) {
    const std::string path = std::string(VORNLFRF_TESTDATA) + "/rf/tyre_states.txt";
    std::string windowsPath = path;
    std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
    const std::string row = "State;2;0;1;;Y;;" + windowsPath + ";";
    auto table = std::make_unique<RxDescriptionTable>();
    TableStore tables;
    AnalysisLog log;
    ASSERT_TRUE(
        AnalyseRfDescriptions({description({{"Fields", row}})}, "100", "110", log, *table, tables));
    ASSERT_EQ(tables.count, 1);
    EXPECT_EQ(tables.names[0], windowsPath);
    EXPECT_EQ(tables.lists[0], (std::vector<std::string>{"Normal", "Low", "",
                                                         "High 40\xB0"
                                                         "C"}));

    for (const std::string& missing :
         {std::string(VORNLFRF_TESTDATA) + "/rf/absent.txt", std::string(VORNLFRF_TESTDATA)}) {
        const std::string bad = "State;2;0;1;;Y;;" + missing + ";";
        EXPECT_FALSE(AnalyseRfDescriptions({description({{"Fields", bad}})}, "100", "110", log,
                                           *table, tables));
        EXPECT_EQ(log.lines().back(), "ERROR in RF Config, frame 'D' : Error file in field " + bad);
    }
}

TEST(RfAnalyser, UsesTheSectionPwmPatternsInTheChain) {
    SimHost host;
    RfConf conf{host, [] {}};
    IniDocument doc = IniDocument::fromText(
        "[RFFRAME]\r\nNbFrames=1\r\nL0=" + description({{"Coding", "3"}, {"Preamble", "5h"}}) +
        "\r\nPWM0=001\r\n");
    conf.processSection(&doc, ConfigAction::Load);
    auto table = std::make_unique<RxDescriptionTable>();
    TableStore tables;

    ConfigurationDocument document(host, "/tmp", "VornLFRF");
    document.setAnalyser(AnalysisStep::RfDescriptions, makeRfAnalyser(conf, *table, tables));
    ASSERT_TRUE(document.AnalyseConfiguration());
    EXPECT_EQ(table->records[0].Preamble, "001110001110");

    conf.lstFramesClick(0);
    conf.txtNameChange("");
    EXPECT_FALSE(document.AnalyseConfiguration());
    EXPECT_EQ(document.log().lines().back(), "ERROR in RF Config, frame '' : Name field is NULL");
}

}  // namespace
}  // namespace vornlfrf::config
