#include "run/frame_evaluation.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "common/sim_host.h"
#include "config/item_text.h"
#include "config/rf_analysis.h"
#include "config/run_conf.h"
#include "support/stream_builder.h"

namespace vornlfrf::run {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

struct FakeFiles : config::TableFileReader {
    bool exists(const std::string& path) const override { return files.count(path) > 0; }
    bool readLines(const std::string& path, std::vector<std::string>& lines) const override {
        auto it = files.find(path);
        if (it == files.end()) return false;
        lines = it->second;
        return true;
    }
    std::map<std::string, std::vector<std::string>> files;
};

// Bits of a value, most significant first.
std::string bitsOf(std::uint64_t v, int n) {
    std::string s;
    for (int i = n - 1; i >= 0; --i) s += (v >> i & 1) ? '1' : '0';
    return s;
}

class FrameEvaluationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.setWallClockOrigin(1380754318000);  // 10/2/2013 10:51:58 PM
        files.files["states.txt"] = {"OK", "LOW", "FLAT"};
        files.files["ids.txt"] = {"A45", "a45", "12E67"};
        settings.channelTypeTexts = {"EXT", "RF 315MHz", "RF 433.92MHz", "RF 868MHz"};
        evaluator.start(settings);
    }

    // One description compiled by the RF analysis.
    config::TRXREC& compile(const std::vector<std::string>& fields,
                            const std::vector<std::string>& computed = {},
                            const Pairs& extra = {}) {
        std::string item;
        for (const auto& [k, v] :
             Pairs{{"Name", "TPMS"},
                   {"Preamble", "AAAh"},
                   {"Baudrate", "9600"},
                   {"Coding", "0"},
                   {"Fields", config::JoinList(fields, config::kRowSeparator)},
                   {"FieldsComp", config::JoinList(computed, config::kRowSeparator)}})
            config::ItemSetValue(item, k, v);
        for (const auto& [k, v] : extra) config::ItemSetValue(item, k, v);
        log.ClearLog();
        EXPECT_TRUE(
            config::AnalyseRfDescriptions({item}, "100", "110", log, *table, tables, &host, files))
            << ::testing::PrintToString(log.lines());
        return table->records[0];
    }

    void setSettings() { evaluator.start(settings); }

    bool evaluate(config::TRXREC& d, const std::string& bits, int channel = 2) {
        d.state.frameBits = bits;
        d.state.frameHex = bitsToHex(bits);
        d.state.matchSample = 180000;
        return evaluator.EvaluateFrame(d, channel, out);
    }

    // The row after its head (_RTime, _ATime, _PTime).
    std::string attrs(const config::TRXREC& d) const {
        return d.state.rowText.substr(out.spans.at(3).name);
    }

    SimHost host;
    std::int64_t samples = 180371;
    config::AnalysisLog log;
    std::unique_ptr<config::RxDescriptionTable> table =
        std::make_unique<config::RxDescriptionTable>();
    config::TableStore tables;
    FakeFiles files;
    EvaluationSettings settings;
    FrameEvaluator evaluator{host, [this] { return samples; }, tables};
    FrameEvaluation out;
};

TEST_F(FrameEvaluationTest, FieldValues) {
    const struct {
        const char* row;
        std::string bits;
        int digits;
        const char* value;
        bool usable;
    } cases[] = {
        {"F;12;0;1;;N;;", "101000000001", 4, "A01", true},
        {"F;12;0;0.1;bar;N;;", "101000000001", 2, "256.10", true},
        {"F;6;0;1;;N;;", "000111", 4, "07", true},
        {"F;16;0;1;;N;;", "1010101010", 4, "[1010101010??????]", false},
        {"F;8;0;1;;N;;states.txt;", "00000101", 4, "{05}", true},
        {"F;8;0;1;;N;;states.txt;", "00000010", 4, "FLAT", true},
        {"F;8;-40;1;C;N;;", "00011110", 0, "-10", true},
        {"F;8;0;0.5;bar;N;;", "00000101", 1, "2.5", true},
        {"F;32;0;1;u;N;;", bitsOf(0xFFFFFFFF, 32), 0, "-1", true},  // signed 32-bit
        {"F;40;0;1;;N;;", bitsOf(0xFF00000001, 40), 4, "FF00000001", true},
        {"F;32;0;1;;N;;states.txt;", bitsOf(0xFFFFFFFF, 32), 4, "{FFFFFFFF}", true},
        // Bits that are no bits keep their brackets, even with a unit or a table.
        {"F;8;0;1;;N;;", "1S010011", 4, "[1S01]3", false},
        {"F;8;0;1;bar;N;;", "1S010011", 2, "[1S01]3", false},
        {"F;8;0;1;;N;;states.txt;", "0011000M", 2, "3[000M]", false},
        {"F;4;0;1;;N;;", "SSMM", 4, "SSMM", false},
    };
    for (const auto& c : cases) {
        config::TRXREC& d = compile({c.row});
        settings.displayedDigits = c.digits;
        setSettings();
        d.state.frameBits = c.bits;
        EXPECT_EQ(evaluator.FieldValue(d, 0, 1), c.value) << c.row << " " << c.bits;
        EXPECT_EQ(evaluator.fieldUsable(), c.usable) << c.row << " " << c.bits;
        EXPECT_FALSE(evaluator.contentReject());
    }
    // Fields are cut one after the other.
    config::TRXREC& d = compile({"A;4;0;1;;N;;", "B;8;0;1;;N;;"});
    d.state.frameBits =
        "0001"
        "11110000";
    EXPECT_EQ(evaluator.FieldValue(d, 1, 5), "F0");
}

TEST_F(FrameEvaluationTest, RowTextDisplayTextAndGraphic) {
    config::TRXREC& d = compile({"ID;12;0;1;;Y;;", "P;8;0;0.1;bar;P;;", "T;8;-50;1;C;Y;;",
                                 "S;2;0;1;;N;;states.txt;", "X;4;0;1;;Y;;", "Y;4;0;1;;Y;;"},
                                {"Sum;P*10+T;;Y;"});
    settings.displayedDigits = 2;
    setSettings();
    const std::string bits =
        "101000000001"
        "00100011"
        "01000110"
        "01"
        "1010"
        "0011";
    EXPECT_TRUE(evaluate(d, bits));
    EXPECT_EQ(d.state.rowText.substr(0, out.spans.at(3).name),
              "_RTime=\"1803.710\" _ATime=\"10/2/2013 10:51:58 PM\" _PTime=\"1798.752\" ");
    EXPECT_EQ(attrs(d),
              "Channel=\"2-RF 433.92MHz\" Desc=\"TPMS\" Hex=\"A01234668[11]\" ID=\"A01\" "
              "P=\"3.50\" PU=\"bar\" T=\"20.00\" TU=\"C\" S=\"LOW\" X=\"A\" Y=\"3\" Sum=\"55\" ");
    EXPECT_EQ(d.state.rowText.substr(0, static_cast<std::size_t>(d.state.rowHexEnd))
                  .substr(out.spans.at(3).name),
              "Channel=\"2-RF 433.92MHz\" Desc=\"TPMS\" Hex=\"A01234668[11]\" ");
    EXPECT_EQ(d.state.dataText,
              "ID=\"A01\" P=\"3.50bar\" T=\"20.00C\" X=\"A\" Y=\"3\" Sum=\"55\" ");
    EXPECT_EQ(d.state.lastId, "A01");
    EXPECT_EQ(d.state.fieldValues[4], "A");
    EXPECT_EQ(d.state.frameAccepted, 1);
    EXPECT_TRUE(out.rowComplete);

    const TFrameGraphic& g = out.graphic;
    EXPECT_EQ(g.primaryPresent, 1);
    EXPECT_EQ(g.names[0], "P");
    EXPECT_EQ(g.primaryValue, "3.50");
    EXPECT_EQ(g.values[0], "3.50bar");
    EXPECT_EQ(g.secondaryCount, 3);  // ID, T, X; Y and Sum find no room
    EXPECT_EQ((std::array<std::string, 3>{g.names[1], g.names[2], g.names[3]}),
              (std::array<std::string, 3>{"ID", "T", "X"}));
    EXPECT_EQ(g.values[2], "20.00C");

    // Channel 0 is "E-", and the flags start again at each frame.
    d.FieldDisplays = {};
    d.ComputedDisplays = {};
    EXPECT_TRUE(evaluate(d, bits, 0));
    EXPECT_EQ(attrs(d).substr(0, 18), "Channel=\"E-EXT\" De");
    EXPECT_EQ(out.graphic.primaryPresent, 0);
    EXPECT_EQ(out.graphic.secondaryCount, 0);
    EXPECT_EQ(d.state.dataText, "");
}

TEST_F(FrameEvaluationTest, ContentFramesCarryTheirInterval) {
    config::TRXREC& d = compile({"A;4;0;1;;N;;"}, {}, {{"Name", "ContentFrame"}});
    host.advance(1500);
    evaluate(d, "0001");
    EXPECT_EQ(attrs(d),
              "Channel=\"2-RF 433.92MHz\" Desc=\"ContentFrame\"  <1500> Hex=\"1\" A=\"1\" ");
    host.advance(37);
    evaluate(d, "0001");
    EXPECT_NE(attrs(d).find(" <37> "), std::string::npos);
    EXPECT_EQ(d.state.rowText.substr(static_cast<std::size_t>(d.state.rowHexEnd) - 8, 8),
              "Hex=\"1\" ");
}

TEST_F(FrameEvaluationTest, ContentFilters) {
    // A field that must show 01.
    config::TRXREC& d = compile({"ID;8;0;1;;N;;", "K;8;0;1;;N;01;"});
    const std::string good =
                          "00010010"
                          "00000001",
                      bad =
                          "00010010"
                          "00000010";
    settings.chkReject = true;
    setSettings();
    EXPECT_TRUE(evaluate(d, good));
    EXPECT_FALSE(evaluate(d, bad));
    EXPECT_FALSE(out.rowComplete);
    // A truncated field does not show the content either.
    EXPECT_FALSE(evaluate(d,
                          "00010010"
                          "0000"));
    settings.chkReject = false;
    setSettings();
    EXPECT_TRUE(evaluate(d, bad));
    EXPECT_TRUE(out.rowComplete);

    // A computed field that must show 4 drops the frame whatever chkReject says; a formula
    // error shows ERROR and keeps it.
    config::TRXREC& c = compile({"P;8;0;1;;N;;"}, {"Q;P*2;;N;4;"});
    EXPECT_TRUE(evaluate(c, "00000010"));
    EXPECT_NE(attrs(c).find("Q=\"4\" "), std::string::npos);
    EXPECT_FALSE(evaluate(c, "00000011"));
    EXPECT_FALSE(out.rowComplete);
    config::TRXREC& e = compile({"P;8;0;1;;N;;"}, {"Q;P/0;x;N;4;", "R;SQR(P);;N;;"});
    EXPECT_TRUE(evaluate(e, "00010000"));
    EXPECT_NE(attrs(e).find("Q=\"ERROR\" QU=\"x\" R=\"4\" "), std::string::npos);
}

TEST_F(FrameEvaluationTest, ComputedFieldsSeeOnlyFieldsWithNumbers) {
    config::TRXREC& d =
        compile({"A;8;0;1;;N;;", "B;8;0;0.5;u;N;;", "C;8;0;1;;N;;"}, {"S;A+B;;N;", "T;C+1;;N;"});
    EXPECT_TRUE(evaluate(d,
                         "00000011"
                         "00000100"
                         "0000"));
    // A is raw 3, B is scaled to 2; C has missing bits, so T cannot use it.
    EXPECT_NE(attrs(d).find("C=\"[0000????]\" S=\"5\" T=\"ERROR\" "), std::string::npos)
        << attrs(d);
    EXPECT_EQ(evaluator.variables().count, 3);
    EXPECT_TRUE(evaluate(d,
                         "00000011"
                         "00000100"
                         "0000S000"));
    EXPECT_NE(attrs(d).find("T=\"ERROR\" "), std::string::npos);
    EXPECT_TRUE(evaluate(d,
                         "00000011"
                         "00000100"
                         "00001001"));
    EXPECT_NE(attrs(d).find("T=\"10\" "), std::string::npos);
}

TEST_F(FrameEvaluationTest, FrameCheck) {
    // CRC-16 over no selected digit is its start value: 0x1B3.
    const Pairs crc = {{"CKS", "1"}, {"Method", "2"}, {"Poly", "4129"}, {"Init", "1B3h"},
                       {"Xor", "0"}, {"Size", "16"},  {"aCRCx", "a"},   {"Mask", "00"}};
    const struct {
        const char* field;
        std::string bits;
        const char* attrs;
        int frameAccepted;
    } cases[] = {
        {"CKS;8;0;1;;N;;", "10110011", "CKS=\"B3\" CKSCalc=\"B3\" CKSGood=\"1\" ", 1},
        {"CKS;8;0;1;;N;;", "10110100", "CKS=\"B4\" CKSCalc=\"B3\" CKSGood=\"0\" ", 0},
        {"CRC;4;0;1;;N;;", "0011", "CRC=\"3\" CKSCalc=\"3\" CKSGood=\"1\" ", 1},
        {"CRC;12;0;1;;N;;", bitsOf(0x1B3, 12), "CRC=\"1B3\" CKSCalc=\"1B3\" CKSGood=\"1\" ", 1},
        {"CRC;16;0;1;;N;;", bitsOf(0x1B3, 16), "CRC=\"01B3\" CKSCalc=\"01B3\" CKSGood=\"1\" ", 1},
        // A field wider than 16 bits shows as many digits as it has.
        {"CKS;20;0;1;;N;;", bitsOf(0x1B3, 20), "CKS=\"001B3\" CKSCalc=\"001B3\" CKSGood=\"1\" ", 1},
        {"CKS;8;0;1;;N;;", "1011", "CKS=\"[1011????]\" CKSCalc=\"B3\" CKSGood=\"0\" ", 0},
        // Without a check field the value stays whole and nothing is compared.
        {"V;8;0;1;;N;;", "10110011", "V=\"B3\" CKSCalc=\"1B3\" ", 1},
    };
    for (const auto& c : cases) {
        config::TRXREC& d = compile({"ID;4;0;1;;N;;", c.field}, {}, crc);
        EXPECT_TRUE(evaluate(d, "0001" + c.bits)) << c.field;  // the check never filters
        const std::string row = attrs(d);
        EXPECT_EQ(row.substr(row.find("ID=\"1\" ") + 7), c.attrs) << c.field;
        EXPECT_EQ(d.state.frameAccepted, c.frameAccepted) << c.field;
    }
    config::TRXREC& off = compile({"CKS;8;0;1;;N;;"});
    EXPECT_TRUE(evaluate(off, "10110011"));
    EXPECT_EQ(attrs(off).find("CKSCalc"), std::string::npos);
}

TEST_F(FrameEvaluationTest, IdFilter) {
    settings.iIdFilterMode = 1;
    settings.idFilterList = ParseIdFilterList("A45, 12E67");
    setSettings();
    EXPECT_EQ(settings.idFilterList, (std::vector<std::string>{"A45", "12E67"}));
    config::TRXREC& d = compile({"ID;8;0;1;;N;;ids.txt;"});
    EXPECT_TRUE(evaluate(d, "00000000"));   // A45
    EXPECT_FALSE(evaluate(d, "00000001"));  // a45
    EXPECT_TRUE(out.rowComplete);           // refused, but the row is whole
    EXPECT_TRUE(evaluate(d, "00000010"));   // 12E67
    config::TRXREC& none = compile({"X;8;0;1;;N;;"});
    EXPECT_FALSE(evaluate(none, "00000000"));

    settings.iIdFilterMode = 2;
    setSettings();
    EXPECT_FALSE(evaluate(d, "00000000"));
    settings.iIdFilterMode = 0;
    setSettings();
    EXPECT_TRUE(evaluate(none, "00000000"));
}

TEST_F(FrameEvaluationTest, Alerts) {
    settings.alerts.active = true;
    settings.alerts.fieldNames = {"Pressure", "-none-"};
    settings.alerts.above = {true, true};
    settings.alerts.threshold = {3.0, 4.0};
    settings.alerts.thresholdValid = {true, true};
    setSettings();
    config::TRXREC& d = compile({"ID;8;0;1;;N;;", "Pressure;8;0;0.1;bar;N;;"});
    const struct {
        int raw;
        const char* alert;  // attribute after the fields, "" for none
        bool warning, alert2;
    } cases[] = {{25, "", false, false},
                 {35, "Alert=\"W\" ", true, false},
                 {45, "Alert=\"A\" ", true, true}};
    for (const auto& c : cases) {
        evaluator.alerts = {};
        EXPECT_TRUE(evaluate(d, "00010010" + bitsOf(static_cast<unsigned>(c.raw), 8)));
        const std::string row = attrs(d);
        EXPECT_EQ(row.substr(row.find("PressureU=\"bar\" ") + 16), c.alert) << c.raw;
        EXPECT_EQ(evaluator.alerts.warningSeen, c.warning) << c.raw;
        EXPECT_EQ(evaluator.alerts.alertSeen, c.alert2) << c.raw;
        EXPECT_TRUE(evaluator.alerts.alertFieldSeen);
        EXPECT_EQ(evaluator.alerts.lastAlertId, "12");
    }
    EXPECT_EQ(evaluator.alerts.alertValueText, "4.5000bar");

    // Only level 2: no attribute, but the alert is seen.
    settings.alerts.above = {false, true};
    setSettings();
    evaluator.alerts = {};
    EXPECT_TRUE(evaluate(d, "00010010" + bitsOf(45, 8)));
    EXPECT_EQ(attrs(d).find("Alert="), std::string::npos);
    EXPECT_TRUE(evaluator.alerts.alertSeen);
    EXPECT_FALSE(evaluator.alerts.warningSeen);

    // A frame the ID filter refuses changes no alert state.
    settings.iIdFilterMode = 1;
    settings.idFilterList = {"99"};
    settings.alerts.below = {true, true};
    setSettings();
    evaluator.alerts = {};
    EXPECT_FALSE(evaluate(d, "00010010" + bitsOf(1, 8)));
    EXPECT_TRUE(out.level1);
    EXPECT_FALSE(evaluator.alerts.alertFieldSeen);
    EXPECT_FALSE(evaluator.alerts.warningSeen);
    EXPECT_EQ(evaluator.alerts.alertValueText, "");
}

TEST_F(FrameEvaluationTest, SettingsFromRunConfiguration) {
    config::RunConf conf;
    conf.txtID = " A45 ,12E67,,";
    conf.rdbIDAll = false;
    conf.rdbIDManual = true;
    conf.cboDisplayedDigits = 2;
    conf.chkAlertActive = true;
    conf.txtAlertThreshold = {"2.5", "x"};
    const EvaluationSettings s = EvaluationSettingsFromRunConf(
        conf, {"EXT", "RF 315MHz", "RF 433.92MHz", "RF 868MHz"}, true, 'M');
    EXPECT_EQ(s.iIdFilterMode, 1);
    EXPECT_EQ(s.idFilterList, (std::vector<std::string>{"A45", "12E67"}));
    EXPECT_EQ(s.displayedDigits, 2);
    EXPECT_TRUE(s.alerts.active);
    EXPECT_EQ(s.alerts.fieldNames[0], "Pressure");
    EXPECT_TRUE(s.alerts.below[0]);
    EXPECT_DOUBLE_EQ(s.alerts.threshold[0], 2.5);
    EXPECT_EQ(s.alerts.thresholdValid, (std::array<bool, 2>{true, false}));
    EXPECT_EQ(s.lseKind, 'M');
}

TEST_F(FrameEvaluationTest, LseAttributes) {
    config::TRXREC& d = compile({"A;4;0;1;;N;;"});
    d.state.lseSnapshot = {123.456, 600.04, 59.95, 0};
    settings.lseReceiver = true;
    settings.lseKind = 'O';
    setSettings();
    evaluate(d, "0001");
    EXPECT_EQ(attrs(d).substr(attrs(d).find("A=\"1\" ") + 6),
              "CAngle=\"123.5\" CAngleU=\"deg\" CSpeed=\"600.0\" CSpeedU=\"rpm\" ASpeed=\"60.0\" "
              "ASpeedU=\"rpm\" Rotation=\"-\" ");
    settings.lseKind = 'M';
    setSettings();
    evaluate(d, "0001");
    EXPECT_EQ(attrs(d).substr(attrs(d).find("A=\"1\" ") + 6),
              "CAngle=\"123.5\" CAngleU=\"deg\" ASpeed=\"60.0\" ASpeedU=\"rpm\" ");
}

// ---- The sink between the acquisition and the result log ----

class RunFrameSinkTest : public FrameEvaluationTest {
  protected:
    void SetUp() override {
        FrameEvaluationTest::SetUp();
        ResultLogSettings rs;
        rs.bNoFiles = true;
        resultLog.start(rs);
    }
    ResultLog resultLog{host, [this] { return samples; }};
    RunFrameSink sink{evaluator, resultLog, [this] { return samples; }};
};

TEST_F(RunFrameSinkTest, RefusedFramesReachTheFullLogOnly) {
    settings.iIdFilterMode = 1;
    settings.idFilterList = {"12"};
    setSettings();
    const Pairs crc = {{"CKS", "1"}, {"Method", "2"}, {"Poly", "4129"}, {"Init", "B3h"},
                       {"Xor", "0"}, {"Size", "8"},   {"Mask", "00"}};
    config::TRXREC& d = compile({"ID;8;0;1;;N;;", "CKS;8;0;1;;N;;"}, {}, crc);
    DecoderState decoded;
    sink.setChannel(1, {{&d, &decoded}});
    const struct {
        std::string bits;
        bool filed;
    } frames[] = {{"00010010"
                   "10110011",
                   true},  // listed ID, good check
                  {"00010011"
                   "10110011",
                   false},  // ID 13 not listed
                  {"00010010"
                   "10110100",
                   false}};  // bad check
    for (const auto& f : frames) {
        decoded.frameBits = f.bits;
        decoded.frameHex = bitsToHex(f.bits);
        ASSERT_TRUE(sink.EvaluateFrame(1, 0));
        sink.AppendResultRow(1, 0, true);
    }
    EXPECT_EQ(resultLog.fullList().size(), 3u);
    EXPECT_NE(resultLog.fullList()[2].text.find("CKSGood=\"0\""), std::string::npos);
    ASSERT_EQ(resultLog.idEntries().size(), 1u);
    EXPECT_EQ(resultLog.idEntries()[0].framesReceived, 1);
}

TEST_F(RunFrameSinkTest, UnrecognisedRowIsTheLastDecodingOfThisFrame) {
    config::TRXREC a = compile({"ID;8;0;1;;N;;"}, {}, {{"Name", "A"}});
    config::TRXREC b = compile({"ID;8;0;1;;N;;"}, {}, {{"Name", "B"}});
    DecoderState da, db;
    sink.setChannel(3, {{&a, &da}, {&b, &db}});
    db.frameBits = "11111111";
    db.frameHex = "FF";
    sink.EvaluateFrame(3, 1);  // B decodes an older frame
    samples += 500;
    da.frameBits = "00010010";
    da.frameHex = "12";
    sink.EvaluateFrame(3, 0);
    sink.logUnrecognised(3, 1);
    ASSERT_EQ(resultLog.fullList().size(), 1u);
    const std::string& row = resultLog.fullList()[0].text;
    EXPECT_NE(row.find("Channel=\"3-RF 868MHz\" Desc=\"A\" Hex=\"12\" "
                       "Error=\"(No corresponding description)\" "),
              std::string::npos)
        << row;
    EXPECT_EQ(row.find("ID="), std::string::npos);
    EXPECT_TRUE(resultLog.idEntries().empty());
}

// One frame through the whole chain: stream bytes, chip decoder, evaluation, result log.
TEST_F(RunFrameSinkTest, StreamToRow) {
    config::TRXREC& d = compile({"ID;12;0;1;;Y;;", "P;8;0;0.1;bar;P;;"});
    DecoderDescription dd;
    dd.coding = d.Coding;
    dd.preamble = d.Preamble;
    dd.chipTimeUs = d.ChipTime;
    std::copy(d.ChipThresholds.begin(), d.ChipThresholds.end(), dd.thresholds.begin());
    dd.processing = d.Processing;
    dd.totalSize = d.TotalSize;
    DecoderState state;

    const Acquisition* acquisition = nullptr;
    RunFrameSink chainSink{evaluator, resultLog, [&acquisition] {
                               return static_cast<std::int64_t>(acquisition->sampleCounter());
                           }};
    Acquisition chain(chainSink);
    acquisition = &chain;
    chainSink.setChannel(2, {{&d, &state}});
    chain.setChannel(2, {{&dd, &state}});
    chain.start();

    std::string chips = d.Preamble;
    for (char bit : std::string("101000000001"
                                "00100011"))
        chips += bit == '1' ? "10" : "01";
    testsupport::StreamBuilder stream(4000);
    const std::size_t end = stream.chips(2, 200, chips, d.ChipTime);
    ASSERT_LT(end + 400, stream.samples());
    const auto bytes = stream.bytes();
    chain.feedBytes(bytes.data(), bytes.size());

    ASSERT_EQ(resultLog.fullList().size(), 1u);
    const std::string& row = resultLog.fullList()[0].text;
    EXPECT_NE(row.find("Channel=\"2-RF 433.92MHz\" Desc=\"TPMS\" Hex=\"A0123"), std::string::npos)
        << row;
    EXPECT_NE(row.find("ID=\"A01\" P=\"3.5000\" PU=\"bar\" "), std::string::npos) << row;
    ASSERT_EQ(resultLog.idEntries().size(), 1u);
    EXPECT_EQ(resultLog.idEntries()[0].displayText, "ID=\"A01\" P=\"3.5000bar\" ");
}

}  // namespace
}  // namespace vornlfrf::run
