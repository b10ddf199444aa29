#include "config/run_conf.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "hw/receiver_types.h"

namespace vornlfrf::config {
namespace {

std::string fixture(const std::string& name) {
    std::ifstream in(std::string(VORNLFRF_TESTDATA) + "/runconf/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string saved(RunConf& conf) {
    IniDocument doc;
    conf.processSection(&doc, ConfigAction::Save);
    return doc.toText();
}

TEST(RunConfSection, DefaultsActionSavesEveryKeyInOrder) {
    RunConf conf;
    // Start from something else so the defaults action has to set each control.
    IniDocument populated = IniDocument::fromText(fixture("populated.cfg"));
    conf.processSection(&populated, ConfigAction::Load);
    conf.processSection(nullptr, ConfigAction::Defaults);
    // Controls the defaults action leaves alone keep their loaded values.
    EXPECT_EQ(conf.cbo[0], "RF 433.92MHz");
    EXPECT_EQ(conf.butAskFsk[0], "ASK");
    EXPECT_FALSE(conf.rdbEMCCom);
    EXPECT_TRUE(conf.chkNoFiles);

    RunConf fresh;
    fresh.processSection(nullptr, ConfigAction::Defaults);
    EXPECT_EQ(saved(fresh), fixture("defaults_saved.cfg"));
    EXPECT_EQ(fresh.RunMode(), kModeManual);
    EXPECT_EQ(fresh.cboNFull, "100");
    EXPECT_TRUE(fresh.chkUncompleted);
    EXPECT_TRUE(fresh.chkAlertBlink_500[0]);
    EXPECT_TRUE(fresh.chkAlertFix[1]);
}

TEST(RunConfSection, LoadWithoutSectionTakesLastTrueButtonOfEachGroup) {
    RunConf conf;
    conf.processSection(nullptr, ConfigAction::Defaults);
    IniDocument empty;
    conf.processSection(&empty, ConfigAction::Load);
    EXPECT_EQ(conf.RunMode(), kModeManual);
    EXPECT_EQ(conf.IdFilterMode(), 0);
    EXPECT_EQ(conf.txtCSVLines, "32000");
    EXPECT_EQ(conf.cboNFull, "50");
    for (std::size_t n = 0; n < kAlertLevels; ++n) {
        EXPECT_TRUE(conf.chkAlertSup[n] && !conf.chkAlertInf[n]) << n;
        EXPECT_TRUE(conf.chkAlertBlink_2000[n] && !conf.chkAlertFix[n] &&
                    !conf.chkAlertBlink_500[n] && !conf.chkAlertBlink_1000[n])
            << n;
        EXPECT_TRUE(conf.chkAlertWaveYes[n] && !conf.chkAlertWaveNo[n]) << n;
    }
    EXPECT_EQ(saved(conf), fixture("missing_section_saved.cfg"));
}

TEST(RunConfSection, PopulatedFileRoundTripsAndKeepsForeignKeys) {
    const std::string text = fixture("populated.cfg");
    IniDocument doc = IniDocument::fromText(text);
    RunConf conf;
    conf.processSection(&doc, ConfigAction::Load);

    EXPECT_EQ(conf.RunMode(), kModeIndividual);
    EXPECT_EQ(conf.IdFilterMode(), 1);
    EXPECT_EQ(conf.lstFrames[0], (std::vector<std::string>{"TPMS A", "TPMS B"}));
    EXPECT_EQ(conf.lstFrames[2], (std::vector<std::string>{"LSE"}));
    EXPECT_TRUE(conf.cboEnabled[0] && !conf.cboEnabled[1] && conf.cboEnabled[2]);
    EXPECT_EQ(conf.butAskFsk[1], "");
    EXPECT_FALSE(conf.butAskFskVisible[1]);
    EXPECT_EQ(conf.txtON, "5");
    EXPECT_EQ(conf.aFieldsPhase[0], "ID;List;*;;Y\x86P;Tol.;2.5;0.2;N");
    EXPECT_TRUE(conf.rdbPhase_Y[0] && conf.rdbPhase_N[1] && conf.rdbPhase_X[2]);
    EXPECT_FALSE(conf.rdbEMCCom);
    EXPECT_EQ(conf.EmcBaudRateText(), "115200");
    EXPECT_EQ(conf.TstlfBaudRateText(), "38400");
    EXPECT_TRUE(conf.rdbCycleOutput && !conf.rdbPhaseOutput);
    EXPECT_EQ(conf.txtCSVLines, "5000");
    EXPECT_EQ(conf.cboDisplayedDigits, 2);
    EXPECT_TRUE(conf.chkAlertBlink_1000[0]);
    EXPECT_EQ(conf.txtAlertWave[0], "/snd/alarm\xE9.wav");

    // Saving over the same document rewrites each key in place, leaving the key past the list
    // count, the foreign key and the other sections as they were.
    conf.processSection(&doc, ConfigAction::Save);
    EXPECT_EQ(doc.toText(), text);
}

TEST(RunConfSection, LoadDetails) {
    RunConf conf;
    IniDocument doc = IniDocument::fromText(
        "[RUNCONF]\r\nchk2=1\r\ncbo1=LF 125.00kHz\r\nMode1=ASK\r\ncbo2=RF 315.00MHz\r\n"
        "Mode2=ASK\r\nMode3=\r\n"
        // Every mode cleared: no mode selected.
        "Manual=0\r\n"
        // Item indexes beyond their lists fall back to the load default.
        "cboDisplayedDigits=9\r\nEMCBaudrate=5\r\nTSTLFBaudrate=-1\r\n"
        "rdbRFModePhase1=7\r\nEMCSimulation=0\r\n"
        // A damaged count names more items than the file holds.
        "NbDescription1=2000000000\r\nL1_0=A\r\nNbDescription2=-3\r\n");
    conf.rdbTSTLFCom = false;
    conf.chkTSTLFOutFields = true;
    conf.processSection(&doc, ConfigAction::Load);
    EXPECT_EQ(conf.butAskFsk[0], "");
    EXPECT_FALSE(conf.butAskFskVisible[0]);
    EXPECT_EQ(conf.butAskFsk[1], "ASK");
    EXPECT_TRUE(conf.butAskFskVisible[1]);
    EXPECT_EQ(conf.butAskFsk[2], "");  // loaded as stored
    EXPECT_TRUE(conf.cboEnabled[1]);
    EXPECT_FALSE(conf.cboEnabled[0]);
    EXPECT_EQ(conf.RunMode(), -1);
    EXPECT_EQ(conf.cboDisplayedDigits, 4);
    EXPECT_EQ(conf.cboEMCBaudrate, 1);
    EXPECT_EQ(conf.cboTSTLFBaudrate, 1);
    EXPECT_TRUE(conf.rdbPhase_X[0]);
    EXPECT_TRUE(conf.rdbEMCCom);
    EXPECT_LE(conf.lstFrames[0].size(), doc.keys("RUNCONF").size());
    EXPECT_EQ(conf.lstFrames[0].front(), "A");
    EXPECT_TRUE(conf.lstFrames[1].empty());
    EXPECT_TRUE(conf.rdbTSTLFCom);
    EXPECT_FALSE(conf.chkTSTLFOutFields);

    // A slot on an LF receiver saves an empty modulation.
    IniDocument out;
    conf.processSection(&out, ConfigAction::Save);
    EXPECT_EQ(out.readString("RUNCONF", "Mode1", "x"), "");
}

TEST(RunConfSection, HandlerNeverMarksModifiedAndReportsReplacedSettings) {
    RunConf conf;
    int marks = 0;
    std::vector<bool> loadingSeen;
    conf.markModified = [&] { ++marks; };
    conf.onSettingsReplaced = [&] { loadingSeen.push_back(conf.bLoading); };
    IniDocument doc = IniDocument::fromText(fixture("populated.cfg"));
    conf.processSection(&doc, ConfigAction::Load);
    conf.processSection(nullptr, ConfigAction::Defaults);
    conf.processSection(&doc, ConfigAction::Save);
    conf.InitRunConf({"RF 315.00MHz"});
    EXPECT_EQ(marks, 0);
    // Load and defaults only, once the handler is done.
    EXPECT_EQ(loadingSeen, (std::vector<bool>{false, false}));
    conf.SelectMode(kModeEmc);
    EXPECT_EQ(marks, 1);
    EXPECT_EQ(loadingSeen.size(), 2u);
}

TEST(RunConf, ReceiverTypeTableOffersItsUpperCaseNames) {
    const std::vector<std::string> names(hw::ReceiverTypes.begin(), hw::ReceiverTypes.end());
    RunConf conf;
    conf.InitRunConf(names);
    EXPECT_EQ(conf.cboItems, (std::vector<std::string>{
                                 "LF 125.00kHz", "LSE Magnetic", "LSE Optical", "RF 314.82MHz",
                                 "RF 315.00MHz", "RF 433.92MHz", "RF 434.42MHz", "Specific1",
                                 "Specific2", "Specific3", "Specific4"}));
}

TEST(RunConf, InitOffersUpperCaseReceiverTypesSorted) {
    RunConf conf;
    conf.InitRunConf({"not connected", "LF 125.00kHz", "RF 315.00MHz", "RF 433.92MHz",
                      "RF 434.42MHz", "RF 314.82MHz", "Specific1", "LSE Optical", "LSE Magnetic",
                      "not defined", ""});
    EXPECT_EQ(conf.cboItems, (std::vector<std::string>{
                                 "LF 125.00kHz", "LSE Magnetic", "LSE Optical", "RF 314.82MHz",
                                 "RF 315.00MHz", "RF 433.92MHz", "RF 434.42MHz", "Specific1"}));
    ASSERT_EQ(conf.cboInterFrameItems.size(), 256u);
    EXPECT_EQ(conf.cboInterFrameItems.front(), "0");
    EXPECT_EQ(conf.cboInterFrameItems.back(), "255");
}

TEST(RunConf, ModeSelectionPanelsAndDropDowns) {
    RunConf conf;
    struct Case {
        int mode;
        bool cyclic, broadcast, individual, emc, tstlf;
    } cases[] = {
        {kModeManual, false, false, false, false, false},
        {kModeScript, false, false, false, false, false},
        {kModeBroadcast, true, true, false, false, false},
        {kModeIndividual, true, false, true, false, false},
        {kModeEmc, false, false, false, true, false},
        {kModeTstlf, false, false, false, false, true},
    };
    for (const Case& c : cases) {
        conf.SelectMode(c.mode);
        EXPECT_EQ(conf.RunMode(), c.mode);
        const ModePanels p = conf.VisiblePanels();
        EXPECT_EQ(p.panParamCyclic, c.cyclic) << c.mode;
        EXPECT_EQ(p.panBroadcast, c.broadcast) << c.mode;
        EXPECT_EQ(p.panIndividual, c.individual) << c.mode;
        EXPECT_EQ(p.panEMC, c.emc) << c.mode;
        EXPECT_EQ(p.panTSTLF, c.tstlf) << c.mode;
    }
    conf.SelectIdFilter(false);
    EXPECT_EQ(conf.IdFilterMode(), 1);
    conf.rdbIDManual = false;
    EXPECT_EQ(conf.IdFilterMode(), 2);

    const std::vector<LfFrameInfo> lf{{"Wake", true, {}}, {"CW", false, {}}, {"Id", true, {"ID"}}};
    EXPECT_EQ(RunConf::BroadcastFrameItems(lf), (std::vector<std::string>{"Wake", "CW", "Id"}));
    EXPECT_EQ(RunConf::IndividualFrameItems(lf), (std::vector<std::string>{"Wake", "Id"}));
    EXPECT_EQ(RunConf::PhaseFrameItems(lf),
              (std::vector<std::string>{"(No emission)", "Wake", "CW", "Id"}));
    EXPECT_EQ(RunConf::DescriptionNames({"Name:TPMS\xAC"
                                         "CKS:1\xAC",
                                         "CKS:0\xAC", "Name:Key\xAC"}),
              (std::vector<std::string>{"TPMS", "", "Key"}));
}

TEST(RunConfSlots, ReceiverModulationAndEnabling) {
    RunConf conf;
    int marks = 0;
    conf.markModified = [&] { ++marks; };
    conf.chk[1] = true;
    conf.chkClick(1);
    EXPECT_TRUE(conf.cboEnabled[1]);
    conf.cbo[1] = "LF 125.00kHz";
    conf.cboChange(1);
    EXPECT_EQ(conf.butAskFsk[1], "");
    EXPECT_FALSE(conf.butAskFskVisible[1]);
    conf.butAskFskXClick(1);  // any other caption becomes FSK
    EXPECT_EQ(conf.butAskFsk[1], "FSK");
    conf.cbo[1] = "RF 433.92MHz";
    conf.cboChange(1);
    EXPECT_EQ(conf.butAskFsk[1], "FSK");
    EXPECT_TRUE(conf.butAskFskVisible[1]);
    conf.butAskFskXClick(1);
    EXPECT_EQ(conf.butAskFsk[1], "ASK");
    conf.butAskFskXClick(1);
    EXPECT_EQ(conf.butAskFsk[1], "FSK");
    EXPECT_EQ(marks, 6);
    // Out-of-range slots are ignored.
    conf.chkClick(4);
    conf.cboChange(-1);
    conf.butAskFskXClick(7);
    EXPECT_EQ(marks, 6);
}

TEST(RunConfSlots, DescriptionListCommands) {
    RunConf conf;
    int marks = 0;
    conf.markModified = [&] { ++marks; };
    const std::vector<std::string> rf{"A", "B", "C"};

    conf.butAddClick(2, rf);
    EXPECT_TRUE(conf.panListeDescriptions);
    EXPECT_EQ(conf.lstDescriptions, rf);
    EXPECT_EQ(marks, 0);
    conf.lstDescriptionsClick(1);
    EXPECT_FALSE(conf.panListeDescriptions);
    conf.butAddClick(2, rf);
    conf.lstDescriptionsClick(0);
    conf.butAddClick(2, rf);
    conf.lstDescriptionsClick(2);
    conf.butAddClick(2, rf);
    conf.ClosePopup();             // Escape or "X"
    conf.lstDescriptionsClick(0);  // a click after closing adds nothing
    conf.butAddClick(2, rf);
    conf.lstDescriptionsClick(3);  // outside the list
    EXPECT_TRUE(conf.panListeDescriptions);
    conf.ClosePopup();
    EXPECT_EQ(conf.lstFrames[2], (std::vector<std::string>{"B", "A", "C"}));
    EXPECT_EQ(marks, 3);

    auto& list = conf.lstFrames[2];
    auto& sel = conf.lstFramesIndex[2];
    sel = 0;
    conf.butHautClick(2);  // already first
    EXPECT_EQ(sel, 0);
    conf.butBasClick(2);
    EXPECT_EQ(list, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(sel, 1);
    conf.butBasClick(2);
    conf.butBasClick(2);  // already last
    EXPECT_EQ(list, (std::vector<std::string>{"A", "C", "B"}));
    EXPECT_EQ(sel, 2);
    conf.butHautClick(2);
    EXPECT_EQ(list, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(sel, 1);
    conf.butDelClick(2);
    EXPECT_EQ(list, (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(sel, -1);
    conf.butDelClick(2);  // nothing selected
    conf.butBasClick(2);
    EXPECT_EQ(list, (std::vector<std::string>{"A", "C"}));
    sel = 5;  // stale selection
    conf.butDelClick(2);
    conf.butBasClick(2);
    conf.butHautClick(2);
    EXPECT_EQ(list.size(), 2u);
    EXPECT_EQ(marks, 3 + 4);
}

TEST(RunConfIdFilter, KeyFilters) {
    const std::string accepted = "0123456789ABCDEF ,\b";
    for (char k : accepted) EXPECT_EQ(FilterIdKey(k), k) << int(k);
    EXPECT_EQ(FilterIdKey('a'), 'A');
    EXPECT_EQ(FilterIdKey('f'), 'F');
    for (char k : std::string("gGzZ;.-\t\r\x80\xAC")) EXPECT_EQ(FilterIdKey(k), 0) << int(k);

    // Pasted text: what typing could enter, without the backspaces.
    EXPECT_EQ(FilterIdText("12e67, a45;\b x\t78676eec\xAC"), "12E67, A45 78676EEC");

    for (char k : std::string("0189\b\r\x1b")) EXPECT_TRUE(DigitOnlyKey(k)) << int(k);
    for (char k : std::string("a .-+\x7f\xA0")) EXPECT_FALSE(DigitOnlyKey(k)) << int(k);
}

TEST(RunConfIdFilter, GetIdPasteAndCopy) {
    RunConf conf;
    std::vector<std::string> ids{"C3", "A1", "B2"};
    conf.panGetID = true;
    conf.cboFirst = "2";
    conf.butGetIDOkClick(ids);
    EXPECT_EQ(conf.txtID, "A1, B2");
    EXPECT_EQ(ids, (std::vector<std::string>{"A1", "B2", "C3"}));
    EXPECT_FALSE(conf.panGetID);
    conf.cboFirst = "100";
    conf.butGetIDOkClick(ids);
    EXPECT_EQ(conf.txtID, "A1, B2, C3");
    conf.cboFirst = "";
    conf.butGetIDOkClick(ids);
    EXPECT_EQ(conf.txtID, "");

    conf.txtID = "A45, 78";
    EXPECT_EQ(conf.mnuPasteID("12E67", 5, 0), 10u);
    EXPECT_EQ(conf.txtID, "A45, 12E6778");
    EXPECT_EQ(conf.mnuPasteID("X", 0, 3), 1u);  // replaces the selection
    EXPECT_EQ(conf.txtID, "X, 12E6778");
    const std::size_t caret = conf.mnuPasteID("!", 99, 99);  // caret past the end
    EXPECT_EQ(caret, conf.txtID.size());
    EXPECT_EQ(conf.txtID, "X, 12E6778!");
    EXPECT_EQ(conf.mnuCopyIDs(3, 5), "12E67");
    EXPECT_EQ(conf.mnuCopyIDs(3, 500), "12E6778!");
    EXPECT_EQ(conf.mnuCopyIDs(50, 2), "");
}

TEST(RunConf, ParseDecimalAcceptsOnlyPlainDecimalNumbers) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    } cases[] = {
        {"0.0", true, 0.0},    {"100.0", true, 100.0}, {" -1.5 ", true, -1.5}, {"+2", true, 2.0},
        {"1e3", true, 1000.0}, {"3.", true, 3.0},      {"", false, 0},         {"1,5", false, 0},
        {"inf", false, 0},     {"nan", false, 0},      {"0x10", false, 0},     {"1e999", false, 0},
        {"1.2.3", false, 0},   {"abc", false, 0},      {"-", false, 0},
    };
    for (const Case& c : cases) {
        double v = -7;
        EXPECT_EQ(parseTypedDecimal(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v, c.value) << c.text;
        }
    }
}

}  // namespace
}  // namespace vornlfrf::config
