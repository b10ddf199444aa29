#include "config/run_conf_analysis.h"

#include <gtest/gtest.h>

#include <functional>

namespace vornlfrf::config {
namespace {

const std::vector<LfFrameInfo> kFrames{
    {"Wake", true, {}},     {"Ident", true, {"ID"}}, {"Two", true, {"ID", "P"}},
    {"Other", true, {"X"}}, {"Wake", true, {"ID"}},  // a later duplicate is never chosen
};

RunConf baseConf() {
    RunConf conf;
    conf.processSection(nullptr, ConfigAction::Defaults);
    return conf;
}

struct Outcome {
    bool ok;
    std::vector<std::string> lines;
    TCYCLIC cyclic;
    RunConfDerived derived;
};

Outcome analyse(const RunConf& conf) {
    Outcome o;
    AnalysisLog log;
    o.ok = AnalyseRunConfiguration(conf, kFrames, log, o.cyclic, o.derived);
    o.lines = log.lines();
    return o;
}

void broadcast(RunConf& c) {
    c.SelectMode(kModeBroadcast);
    c.cboBrodcast = "Wake";
}

void individual(RunConf& c) {
    c.SelectMode(kModeIndividual);
    c.cboIndividual = "Ident";
    c.txtID = "A45";
}

TEST(AnalyseRunConfiguration, MessagesInOrder) {
    namespace msg = runconf::msg;
    struct Case {
        const char* what;
        std::function<void(RunConf&)> set;
        const char* error;  // nullptr: passes
    } cases[] = {
        {"defaults pass", [](RunConf&) {}, nullptr},
        {"broadcast passes", broadcast, nullptr},
        {"broadcast frame unknown",
         [](RunConf& c) {
             broadcast(c);
             c.cboBrodcast = "wake";
         },
         msg::kBroadcastFrame},
        {"broadcast frame with parameter",
         [](RunConf& c) {
             broadcast(c);
             c.cboBrodcast = "Ident";
         },
         msg::kBroadcastParam},
        {"ON not integer",
         [](RunConf& c) {
             broadcast(c);
             c.txtON = "1.5";
         },
         msg::kOn},
        {"ON overflows in ms",
         [](RunConf& c) {
             broadcast(c);
             c.txtON = "2147484";
         },
         msg::kOn},
        {"ON negative",
         [](RunConf& c) {
             broadcast(c);
             c.txtON = "-1";
         },
         msg::kOn},
        {"typed blanks around numbers",
         [](RunConf& c) {
             broadcast(c);
             c.txtON = " 5 ";
             c.txtCSVLines = "2000 ";
         },
         nullptr},
        {"OFF empty",
         [](RunConf& c) {
             broadcast(c);
             c.txtOFF = "";
         },
         msg::kOff},
        {"interframe not integer",
         [](RunConf& c) {
             broadcast(c);
             c.cboInterFrame = "x";
         },
         msg::kInterframe},
        {"interframe above a byte",
         [](RunConf& c) {
             broadcast(c);
             c.cboInterFrame = "256";
         },
         msg::kInterframe},
        {"individual passes", individual, nullptr},
        {"individual frame unknown",
         [](RunConf& c) {
             individual(c);
             c.cboIndividual = "";
         },
         msg::kIndividualFrame},
        {"individual frame without parameter",
         [](RunConf& c) {
             individual(c);
             c.cboIndividual = "Wake";
         },
         msg::kIndividualParam},
        {"individual frame with two parameters",
         [](RunConf& c) {
             individual(c);
             c.cboIndividual = "Two";
         },
         msg::kIndividualParam},
        {"individual frame with another parameter",
         [](RunConf& c) {
             individual(c);
             c.cboIndividual = "Other";
         },
         msg::kIndividualParam},
        {"individual OFF names the broadcast mode",
         [](RunConf& c) {
             individual(c);
             c.txtOFF = "a";
         },
         msg::kOff},
        {"101 pieces fail even when empty",
         [](RunConf& c) {
             individual(c);
             c.txtID = std::string(100, ',') + "B";
         },
         msg::kTooManyIds},
        {"100 pieces pass",
         [](RunConf& c) {
             individual(c);
             c.txtID = std::string(99, ',') + "B";
         },
         nullptr},
        {"only separators and blanks",
         [](RunConf& c) {
             individual(c);
             c.txtID = " , ,\t";
         },
         msg::kNoId},
        {"empty ID text",
         [](RunConf& c) {
             individual(c);
             c.txtID = "";
         },
         msg::kNoId},
        {"XML 999", [](RunConf& c) { c.txtCSVLines = "999"; }, msg::kXmlLines},
        {"XML 100001", [](RunConf& c) { c.txtCSVLines = "100001"; }, msg::kXmlLines},
        {"XML 1000", [](RunConf& c) { c.txtCSVLines = "1000"; }, nullptr},
        {"XML 100000", [](RunConf& c) { c.txtCSVLines = "100000"; }, nullptr},
        {"XML text", [](RunConf& c) { c.txtCSVLines = "lots"; }, msg::kXmlLines},
        {"meter min not a number", [](RunConf& c) { c.txtMeterMin = "0,5"; }, msg::kMeter},
        {"meter max not a number", [](RunConf& c) { c.txtMeterMax = ""; }, msg::kMeter},
        {"meter bounds equal",
         [](RunConf& c) {
             c.txtMeterMin = "5";
             c.txtMeterMax = "5.0";
         },
         msg::kMeter},
        {"meter bounds inverted", [](RunConf& c) { c.txtMeterMin = "200"; }, msg::kMeter},
        {"meter span overflows",
         [](RunConf& c) {
             c.txtMeterMin = "-1e308";
             c.txtMeterMax = "1e308";
         },
         msg::kMeter},
        {"LSE off is not examined", [](RunConf& c) { c.txtLSEOffset = "zz"; }, nullptr},
        {"LSE 20000",
         [](RunConf& c) {
             c.chkLSEOffset = true;
             c.txtLSEOffset = "20000";
         },
         nullptr},
        {"LSE 20001",
         [](RunConf& c) {
             c.chkLSEOffset = true;
             c.txtLSEOffset = "20001";
         },
         msg::kLseOffset},
        {"LSE negative",
         [](RunConf& c) {
             c.chkLSEOffset = true;
             c.txtLSEOffset = "-10";
         },
         msg::kLseOffset},
        {"LSE text",
         [](RunConf& c) {
             c.chkLSEOffset = true;
             c.txtLSEOffset = "2 5";
         },
         msg::kLseOffset},
        {"first error wins",
         [](RunConf& c) {
             broadcast(c);
             c.txtON = "";
             c.txtCSVLines = "";
             c.txtMeterMin = "";
         },
         msg::kOn},
    };
    for (const Case& c : cases) {
        RunConf conf = baseConf();
        c.set(conf);
        const Outcome o = analyse(conf);
        ASSERT_FALSE(o.lines.empty()) << c.what;
        EXPECT_EQ(o.lines.front(), msg::kHeading) << c.what;
        EXPECT_EQ(o.ok, c.error == nullptr) << c.what;
        if (c.error) {
            ASSERT_EQ(o.lines.size(), 2u) << c.what;
            EXPECT_EQ(o.lines[1], c.error) << c.what;
        } else {
            EXPECT_EQ(o.lines.size(), 1u) << c.what;
        }
    }
}

TEST(AnalyseRunConfiguration, FillsCyclicRecord) {
    RunConf conf = baseConf();
    broadcast(conf);
    conf.txtON = "7200";
    conf.txtOFF = "0";
    conf.cboInterFrame = "255";
    Outcome o = analyse(conf);
    ASSERT_TRUE(o.ok);
    EXPECT_EQ(o.cyclic.FrameName, "Wake");
    EXPECT_EQ(o.cyclic.FrameIndex, 0);
    EXPECT_EQ(o.cyclic.On, 7200000);
    EXPECT_EQ(o.cyclic.Off, 0);
    EXPECT_EQ(o.cyclic.InterFrame, 255);

    struct IdCase {
        const char* text;
        std::vector<std::string> ids;
    } idCases[] = {
        {"A45, 12E67", {"A45", "12E67"}},
        {"A45 12E67", {"A45 12E67"}},
        {"A45,,B", {"A45", "B"}},
        {"\tA45 ,B\r\n,C", {"A45", "B", "C"}},
    };
    for (const IdCase& c : idCases) {
        conf = baseConf();
        individual(conf);
        conf.txtID = c.text;
        o = analyse(conf);
        ASSERT_TRUE(o.ok) << c.text;
        EXPECT_EQ(o.cyclic.FrameIndex, 1);
        ASSERT_EQ(o.cyclic.IdCount, static_cast<int>(c.ids.size())) << c.text;
        for (std::size_t i = 0; i < c.ids.size(); ++i) EXPECT_EQ(o.cyclic.Ids[i], c.ids[i]);
    }
}

TEST(AnalyseRunConfiguration, DerivedValues) {
    RunConf conf = baseConf();
    conf.txtCSVLines = "5000";
    conf.txtMeterMin = "-1.5";
    conf.txtMeterMax = "3.5";
    conf.chkLSEOffset = true;
    conf.txtLSEOffset = "25";
    Outcome o = analyse(conf);
    ASSERT_TRUE(o.ok);
    EXPECT_EQ(o.derived.xmlRowLimit, 5000);
    EXPECT_DOUBLE_EQ(o.derived.meterMin, -1.5);
    EXPECT_DOUBLE_EQ(o.derived.meterMax, 3.5);
    EXPECT_DOUBLE_EQ(o.derived.meterScale, 20.0);
    EXPECT_DOUBLE_EQ(o.derived.meterStep, 0.5);
    EXPECT_EQ(o.derived.lseOffset, 2);

    conf.chkLSEOffset = false;
    EXPECT_EQ(analyse(conf).derived.lseOffset, 0);

    // An out-of-range offset is still stored; an invalid row limit reads -1.
    conf.chkLSEOffset = true;
    conf.txtLSEOffset = "30000";
    o = analyse(conf);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.derived.lseOffset, 3000);
    conf.txtCSVLines = "1";
    o.derived.xmlRowLimit = 77;
    AnalysisLog log;
    EXPECT_FALSE(AnalyseRunConfiguration(conf, kFrames, log, o.cyclic, o.derived));
    EXPECT_EQ(o.derived.xmlRowLimit, -1);
}

}  // namespace
}  // namespace vornlfrf::config
