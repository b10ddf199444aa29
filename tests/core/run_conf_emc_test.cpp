#include <gtest/gtest.h>

#include <functional>

#include "common/sim_host.h"
#include "config/emc_conf.h"
#include "config/emc_test_site.h"
#include "config/item_text.h"

namespace vornlfrf::config {
namespace {

const std::vector<std::string> kLfNames{"Wake", "Ident"};

RunConf baseConf() {
    RunConf conf;
    conf.processSection(nullptr, ConfigAction::Defaults);
    return conf;
}

std::string rfItem(const std::string& name, const std::string& fields, const std::string& cks) {
    std::string item;
    ItemSetValue(item, "Name", name);
    ItemSetValue(item, "Fields", fields);
    ItemSetValue(item, "CKS", cks);
    return item;
}

TEST(BuildEmcPhaseTable, PhasesAndFieldChecks) {
    RunConf conf = baseConf();
    conf.chkLFPhase[0] = true;
    conf.cboLFPhase[0] = "Ident";
    conf.txtDurationPhase[0] = "30";
    conf.txtInterframePhase[0] = "15";
    conf.txtSilentPhase[0] = "0.25";
    conf.txtPhase[0] = "Low";
    conf.rdbPhase_X[0] = false;
    conf.rdbPhase_Y[0] = true;
    conf.aRFFramePhase[0] = "TPMS";
    conf.iNbFramesPhase[0] = 3;
    conf.aFieldsPhase[0] =
        JoinList({"ID;List;*;;Y", "T;Tol.;25.5;2;y", "P;None;;;", "K;List;1, 2"}, kRowSeparator);
    conf.chkLFPhase[1] = true;
    conf.txtSilentPhase[1] = "5.0";
    conf.rdbPhase_X[1] = false;
    conf.rdbPhase_N[1] = true;
    // A disabled phase is built without its checks, whatever its texts hold.
    conf.txtDurationPhase[2] = "soon";
    conf.aFieldsPhase[2] = "garbage";
    conf.cboLFPhase[3] = "Wake";

    EmcPhaseTable table;
    AnalysisLog log;
    ASSERT_TRUE(BuildEmcPhaseTable(conf, kLfNames, log, table));
    EXPECT_TRUE(log.lines().empty());

    const EmcPhase& p1 = table[0];
    EXPECT_TRUE(p1.enabled);
    EXPECT_EQ(p1.frameName, "Ident");
    EXPECT_EQ(p1.frameIndex, 1);
    EXPECT_EQ(p1.duration, 30);
    EXPECT_EQ(p1.interframe, 15);
    EXPECT_EQ(p1.silent, 2);
    EXPECT_EQ(p1.analysis, kAnalysisPresence);
    EXPECT_EQ(p1.name, "Low");
    EXPECT_EQ(p1.rfFrame, "TPMS");
    EXPECT_EQ(p1.nbFrames, 3);
    ASSERT_EQ(p1.checkCount, 4);
    EXPECT_EQ(p1.checks[0].mode, kCheckList);
    EXPECT_EQ(p1.checks[0].values, "*");
    EXPECT_TRUE(p1.checks[0].sent);
    EXPECT_EQ(p1.checks[1].mode, kCheckTolerance);
    EXPECT_DOUBLE_EQ(p1.checks[1].expected, 25.5);
    EXPECT_DOUBLE_EQ(p1.checks[1].delta, 2.0);
    EXPECT_TRUE(p1.checks[1].sent);
    EXPECT_EQ(p1.checks[2].mode, kCheckNone);
    EXPECT_FALSE(p1.checks[2].sent);
    EXPECT_EQ(p1.checks[3].values, "1, 2");
    EXPECT_FALSE(p1.checks[3].sent);  // no sent part

    EXPECT_EQ(table[1].frameIndex, -1);  // "(No emission)"
    EXPECT_EQ(table[1].silent, 50);
    EXPECT_EQ(table[1].analysis, kAnalysisAbsence);
    EXPECT_EQ(table[1].checkCount, 0);
    EXPECT_FALSE(table[2].enabled);
    EXPECT_EQ(table[2].duration, 0);
    EXPECT_EQ(table[2].checkCount, 0);
    EXPECT_EQ(table[2].name, "3");
    EXPECT_EQ(table[3].frameIndex, 0);
    EXPECT_EQ(table[3].analysis, kAnalysisNone);
}

TEST(BuildEmcPhaseTable, SilentTimesInTenths) {
    struct Case {
        const char* text;
        int tenths;
    } cases[] = {{"0.25", 2}, {"5.0", 50}, {"2.3", 23},  {"0.7", 7},
                 {"1", 10},   {"0.0", 0},  {"4.99", 49}, {"-0.25", -2}};
    for (const Case& c : cases) {
        RunConf conf = baseConf();
        conf.chkLFPhase[0] = true;
        conf.txtSilentPhase[0] = c.text;
        EmcPhaseTable table;
        AnalysisLog log;
        ASSERT_TRUE(BuildEmcPhaseTable(conf, kLfNames, log, table)) << c.text;
        EXPECT_EQ(table[0].silent, c.tenths) << c.text;
    }
}

TEST(BuildEmcPhaseTable, UnreadableNumbersRefuseTheBuild) {
    struct Case {
        std::function<void(RunConf&)> set;
        const char* line;
    } cases[] = {
        {[](RunConf& c) { c.txtDurationPhase[1] = "ten"; },
         "Error, the duration in EMC phase 2 is undefined"},
        {[](RunConf& c) { c.txtInterframePhase[1] = ""; },
         "Error, the interframe in EMC phase 2 is undefined"},
        {[](RunConf& c) { c.txtSilentPhase[1] = "0,5"; },
         "Error, the silent time in EMC phase 2 is undefined"},
        {[](RunConf& c) { c.txtSilentPhase[1] = "1e300"; },
         "Error, the silent time in EMC phase 2 is undefined"},
        {[](RunConf& c) { c.aFieldsPhase[1] = "T;Tol.;high;2;N"; },
         "Error, the expected value of field 'T' in EMC phase 2 is undefined"},
        {[](RunConf& c) { c.aFieldsPhase[1] = "T;Tol.;1.0;;N"; },
         "Error, the delta of field 'T' in EMC phase 2 is undefined"},
        {[](RunConf& c) {
             c.aFieldsPhase[1] =
                 "A;None;;;\x86"
                 "B;Maybe;;;N";
         },
         "Error, the mode of field 'B' in EMC phase 2 is undefined"},
        {[](RunConf& c) { c.aFieldsPhase[1] = "Lonely"; },
         "Error, the mode of field 'Lonely' in EMC phase 2 is undefined"},
    };
    for (const Case& c : cases) {
        RunConf conf = baseConf();
        conf.chkLFPhase[1] = true;
        c.set(conf);
        EmcPhaseTable table;
        AnalysisLog log;
        EXPECT_FALSE(BuildEmcPhaseTable(conf, kLfNames, log, table)) << c.line;
        EXPECT_EQ(log.lines(), std::vector<std::string>{c.line});
    }
}

TEST(BuildTstlfSettings, SingleEmission) {
    RunConf conf = baseConf();
    conf.cboTSTLF = "Wake";
    conf.txtInterframeTSTLF = "5";
    conf.txtDurationTSTLF = "3";
    conf.txtSilentTSTLF = "0.2";
    conf.aRFFrameTSTLF = "TPMS";
    conf.aFieldsTSTLF = "ID;List;*;;Y\x86P;Tol.;2.5;0.2;N";
    TstlfSettings s;
    AnalysisLog log;
    ASSERT_TRUE(BuildTstlfSettings(conf, kLfNames, log, s));
    EXPECT_EQ(s.frameName, "Wake");
    EXPECT_EQ(s.frameIndex, 0);
    EXPECT_EQ(s.interframe, 5);
    EXPECT_EQ(s.duration, 3);
    EXPECT_EQ(s.silent, 2);
    EXPECT_EQ(s.rfFrame, "TPMS");
    ASSERT_EQ(s.checkCount, 2);
    EXPECT_EQ(s.checks[0].mode, kCheckList);
    EXPECT_DOUBLE_EQ(s.checks[1].delta, 0.2);

    conf.cboTSTLF = runconf::kNoEmission;
    conf.txtDurationTSTLF = "3s";
    EXPECT_FALSE(BuildTstlfSettings(conf, kLfNames, log, s));
    EXPECT_EQ(log.lines().back(), "Error, the duration in TSTLF mode is undefined");
}

TEST(EmcRfConfDialog, DefaultRowsPerDescription) {
    EXPECT_EQ(DefaultFieldCheckRows(rfItem("D",
                                           "A;8;0;1;;N;;\x86"
                                           "B;16;0;1;kPa;Y;;",
                                           "1")),
              (std::vector<std::string>{"A;None;;;", "B;None;;;", "CKSGood;None;;"}));
    EXPECT_EQ(DefaultFieldCheckRows(rfItem("D", "A;8;0;1;;N;;", "0")),
              std::vector<std::string>{"A;None;;;"});
    EXPECT_TRUE(DefaultFieldCheckRows(rfItem("D", "", "")).empty());
}

TEST(EmcRfConfDialog, PhaseDialogKeepsStoredRowsAndSavesEdits) {
    RunConf conf = baseConf();
    int marks = 0;
    conf.markModified = [&] { ++marks; };
    conf.txtPhase[2] = "Storm";
    conf.cboLFPhase[2] = "Wake";
    conf.aRFFramePhase[2] = "Beta";
    conf.iNbFramesPhase[2] = 7;
    conf.aFieldsPhase[2] = "P;Tol.;2.5;0.2;Y";
    const std::vector<std::string> rf{rfItem("Alpha", "A;8;0;1;;N;;", "1"),
                                      rfItem("Beta", "P;8;0;1;;N;;\x86Q;8;0;1;;N;;", "0")};

    bool shown = false;
    const bool saved = ConfigurePhaseRf(conf, 2, rf, [&](EmcRfConfDialog& d) {
        shown = true;
        EXPECT_EQ(d.caption, "EMC : RF Configuration");
        EXPECT_TRUE(d.panPhase && d.panNbFrames);
        EXPECT_EQ(d.lblPhase, "Storm");
        EXPECT_EQ(d.lblLF, "Wake");
        EXPECT_EQ(d.cboRFFrameItems, (std::vector<std::string>{"Alpha", "Beta"}));
        EXPECT_EQ(d.cboRFFrameIndex, 1);
        EXPECT_EQ(d.cboNbFrames, "7");
        EXPECT_EQ(d.lstFields, std::vector<std::string>{"P;Tol.;2.5;0.2;Y"});

        d.cboRFFrameChange(0);
        EXPECT_EQ(d.lstFields, (std::vector<std::string>{"A;None;;;", "CKSGood;None;;"}));
        // Modify the CKSGood row: its missing sent part shows as "N".
        d.lstFieldsIndex = 1;
        EmcParameterDialog p;
        EXPECT_TRUE(d.butModifierClick(p));
        EXPECT_EQ(p.txtName, "CKSGood");
        EXPECT_EQ(p.cboMode, "None");
        EXPECT_EQ(p.txtSent, "N");
        p.cboMode = "List";
        p.cboModeChange();
        EXPECT_EQ(p.txtValues, "*");
        p.txtValues = "1;2";  // a separator would shift the parts
        p.txtSent = "y";
        EXPECT_FALSE(p.butSaveClick());
        p.txtSent = "Y";
        EXPECT_TRUE(p.butSaveClick());
        d.ApplyParameter(p);
        EXPECT_EQ(d.lstFields[1], "CKSGood;List;12;;Y");

        // Back to the stored frame: its rows come back; Alpha keeps the edit.
        d.cboRFFrameChange(1);
        EXPECT_EQ(d.lstFields, std::vector<std::string>{"P;Tol.;2.5;0.2;Y"});
        d.cboRFFrameChange(0);
        EXPECT_EQ(d.lstFields[1], "CKSGood;List;12;;Y");
        d.cboNbFrames = "12";
        return true;
    });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(saved);
    EXPECT_EQ(conf.aRFFramePhase[2], "Alpha");
    EXPECT_EQ(conf.iNbFramesPhase[2], 12);
    EXPECT_EQ(conf.aFieldsPhase[2],
              "A;None;;;\x86"
              "CKSGood;List;12;;Y");
    EXPECT_EQ(marks, 1);

    // Cancel leaves everything as it was.
    EXPECT_FALSE(ConfigurePhaseRf(conf, 2, rf, [](EmcRfConfDialog& d) {
        d.cboRFFrameChange(1);
        return false;
    }));
    EXPECT_EQ(conf.aRFFramePhase[2], "Alpha");
    EXPECT_EQ(marks, 1);
}

TEST(EmcRfConfDialog, UnknownFrameCountAndTstlfVariant) {
    RunConf conf = baseConf();
    conf.aRFFramePhase[0] = "Gone";
    conf.aFieldsPhase[0] = "X;None;;;";
    const std::vector<std::string> rf{rfItem("Alpha", "A;8;0;1;;N;;", "0")};
    ConfigurePhaseRf(conf, 0, rf, [](EmcRfConfDialog& d) {
        // The stored frame is no longer described: nothing selected, no rows, count 1.
        EXPECT_EQ(d.cboRFFrameIndex, -1);
        EXPECT_EQ(d.cboRFFrame, "");
        EXPECT_TRUE(d.lstFields.empty());
        EXPECT_EQ(d.cboNbFrames, "1");
        EmcParameterDialog p;
        EXPECT_FALSE(d.butModifierClick(p));
        d.cboNbFrames = "0";
        EXPECT_FALSE(d.butSaveClick());
        return true;
    });
    // Save was not allowed with a count of 0: nothing changed.
    EXPECT_EQ(conf.aRFFramePhase[0], "Gone");
    EXPECT_FALSE(ConfigurePhaseRf(conf, 4, rf, [](EmcRfConfDialog&) { return true; }));

    // 513 descriptions: the dialog lists 512.
    std::vector<std::string> many;
    for (int i = 0; i < 513; ++i) many.push_back(rfItem("D" + std::to_string(i), "", "0"));
    conf.aRFFrameTSTLF = "D3";
    conf.aFieldsTSTLF = "ID;List;*;;Y";
    EXPECT_TRUE(ConfigureTstlfRf(conf, many, [](EmcRfConfDialog& d) {
        EXPECT_EQ(d.caption, "TSTLF : RF Configuration");
        EXPECT_FALSE(d.panPhase || d.panNbFrames);
        EXPECT_EQ(d.cboRFFrameItems.size(), 512u);
        EXPECT_EQ(d.lstFields, std::vector<std::string>{"ID;List;*;;Y"});
        d.lstFieldsIndex = 0;
        EmcParameterDialog p;
        d.butModifierClick(p);
        p.cboMode = "Tol.";
        p.cboModeChange();
        EXPECT_EQ(p.txtValues, "1.0");
        EXPECT_EQ(p.txtTolerance, "0.0");
        d.ApplyParameter(p);
        return true;
    }));
    EXPECT_EQ(conf.aFieldsTSTLF, "ID;Tol.;1.0;0.0;Y");
}

// Port provider whose ports record what was done to them.
class FakePorts : public hw::PortProvider {
  public:
    struct Log {
        int opened = 0, closed = 0, purged = 0;
        bool rts = true, dtr = true;
        int number = 0, baud = 0;
        hw::LineMode rtsMode = hw::LineMode::Enabled, dtrMode = hw::LineMode::Enabled;
    } log;
    bool fail = false;

    class Port : public hw::SerialPort {
      public:
        explicit Port(Log& l) : l_(l) {}
        ~Port() override { ++l_.closed; }
        std::size_t read(std::uint8_t*, std::size_t) override { return 0; }
        bool write(const std::uint8_t*, std::size_t) override { return true; }
        bool setBaudRate(int) override { return true; }
        void setRts(bool on) override { l_.rts = on; }
        void setDtr(bool on) override { l_.dtr = on; }
        void purge() override { ++l_.purged; }

      private:
        Log& l_;
    };

    std::unique_ptr<hw::SerialPort> OpenPort(int number, int baud, hw::LineMode rts,
                                             hw::LineMode dtr) override {
        log.number = number;
        log.baud = baud;
        log.rtsMode = rts;
        log.dtrMode = dtr;
        if (fail) return nullptr;
        ++log.opened;
        return std::make_unique<Port>(log);
    }
    std::vector<int> EnumeratePorts() override { return {}; }
    int adapterChannelPort(int) override { return 0; }
};

TEST(TestSitePort, OpenCloseAndPortTest) {
    SimHost host;
    FakePorts ports;
    TestSitePort site(ports, host);

    site.lineBuffer = "TRI";
    ASSERT_TRUE(site.OpenTestSitePort(19200, 5));
    EXPECT_TRUE(site.isOpen());
    EXPECT_EQ(site.lineBuffer, "");
    EXPECT_EQ(ports.log.number, 5);
    EXPECT_EQ(ports.log.baud, 19200);
    EXPECT_EQ(ports.log.rtsMode, hw::LineMode::Keep);
    EXPECT_EQ(ports.log.dtrMode, hw::LineMode::Keep);
    // Opening again releases the first handle.
    ASSERT_TRUE(site.OpenTestSitePort(9600, 5));
    EXPECT_EQ(ports.log.closed, 1);
    site.CloseTestSitePort();
    EXPECT_FALSE(site.isOpen());
    EXPECT_EQ(ports.log.closed, 2);
    EXPECT_GE(ports.log.purged, 1);
    EXPECT_FALSE(ports.log.rts || ports.log.dtr);
    site.CloseTestSitePort();  // closed already: nothing
    EXPECT_EQ(ports.log.closed, 2);
    EXPECT_TRUE(host.questions.empty());

    site.TestPort("115200", "3");
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "Yes, COM Port is valid.");
    EXPECT_EQ(ports.log.baud, 115200);
    EXPECT_FALSE(site.isOpen());

    ports.fail = true;
    site.TestPort("9600", "3");
    ASSERT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.questions[1].text, "COM port can not be opened.");
    EXPECT_FALSE(site.OpenTestSitePort(9600, 3));
    EXPECT_EQ(host.questions.size(), 3u);

    // Boxes without numbers (no baud rate chosen) cannot open a port.
    ports.fail = false;
    const int opened = ports.log.opened;
    site.TestPort("", "3");
    site.TestPort("9600", "COM3");
    EXPECT_EQ(ports.log.opened, opened);
    ASSERT_EQ(host.questions.size(), 5u);
    EXPECT_EQ(host.questions[4].text, "COM port can not be opened.");
}

}  // namespace
}  // namespace vornlfrf::config
