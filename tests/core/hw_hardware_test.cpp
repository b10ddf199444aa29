#include <gtest/gtest.h>

#include "common/sim_host.h"
#include "config/analysis_log.h"
#include "config/ini_document.h"
#include "hw/hardware.h"
#include "hw_fake_controller.h"

namespace vornlfrf::hw {
namespace {

using testing::FakeController;
using testing::FakePorts;
using Lines = std::vector<std::string>;

class HardwareTest : public ::testing::Test {
  protected:
    HardwareTest() {
        for (FakeController* c : {&tx, &rx, &other}) c->host = &host;
        rx.identity = 150;
    }
    FakeController& at(int number, FakeController& c) {
        ports.controllers[number] = &c;
        return c;
    }
    // The log lines from the first one that starts with prefix.
    Lines logFrom(const std::string& prefix) const {
        const auto& all = log.lines();
        for (std::size_t i = 0; i < all.size(); ++i)
            if (all[i].rfind(prefix, 0) == 0) return Lines(all.begin() + long(i), all.end());
        return {};
    }

    SimHost host;
    FakePorts ports;
    config::AnalysisLog log;
    Hardware hw{host, ports, log};
    FakeController tx, rx, other;
};

TEST_F(HardwareTest, TestOfAnsweringControllerReportsItsVersionsAndKeepsThePort) {
    at(12, tx);
    hw.cboManualTx = "COM12";
    EXPECT_EQ(hw.TestController(true), "OK v4.1.1");
    EXPECT_EQ(log.lines(), (Lines{"----- Test Tx COM port -----", "Available COM ports : COM12",
                                  "Try COM12", "  OK v4.1.1"}));
    EXPECT_EQ(hw.panTestTx, "OK v4.1.1");
    EXPECT_TRUE(hw.butTestTxEnabled);
    EXPECT_EQ(hw.lastPortNumber, 12);
    ASSERT_TRUE(hw.txPort);
    // Open sequence: DTR and RTS raised after a purge, 50 ms before the first command.
    EXPECT_TRUE(tx.dtr && tx.rts);
    EXPECT_GE(tx.purges, 1);
    EXPECT_EQ(tx.writes.front().atMs, 100);

    hw.butTestClick(true);  // the button closes it again
    EXPECT_FALSE(hw.txPort);
    EXPECT_FALSE(tx.open);
}

TEST_F(HardwareTest, TestOutcomesOfBrokenOrMissingControllers) {
    struct Case {
        const char* name;
        void (*setup)(FakeController&, FakePorts&);
        const char* caption;
        const char* lastLine;
        bool portKept;
    };
    const Case cases[] = {
        {"full", [](FakeController&, FakePorts&) {}, "OK v4.1.1", "  OK v4.1.1", true},
        {"silent", [](FakeController& c, FakePorts&) { c.answersBoot = false; }, "No response",
         "  No response", true},
        {"bad ack", [](FakeController& c, FakePorts&) { c.versionAck = 0x12; }, "Error A1",
         "  Error A1", true},
        {"no version", [](FakeController& c, FakePorts&) { c.versionBytes = 0; }, "Error A1",
         "  Error A1", true},
        {"F8 then nothing", [](FakeController& c, FakePorts&) { c.versionBytes = 1; }, "Error A2",
         "  Error A2", true},
        {"no minor", [](FakeController& c, FakePorts&) { c.versionBytes = 2; }, "Error A3",
         "  Error A3", true},
        {"busy",
         [](FakeController&, FakePorts& p) {
             p.controllers.clear();
             p.busy.insert(3);
         },
         "Port busy", "Port busy", false},
        {"missing", [](FakeController&, FakePorts& p) { p.controllers.clear(); },
         "Port not available", "Port not available", false},
    };
    for (const Case& c : cases) {
        SimHost h;
        FakePorts p;
        config::AnalysisLog l;
        FakeController fc;
        fc.host = &h;
        p.controllers[3] = &fc;
        c.setup(fc, p);
        Hardware hardware(h, p, l);
        EXPECT_EQ(hardware.TestController(true), c.caption) << c.name;
        EXPECT_EQ(l.lines().back(), c.lastLine) << c.name;
        EXPECT_EQ(bool(hardware.txPort), c.portKept) << c.name;
    }
}

TEST_F(HardwareTest, TestReadsThePortNumberOfTheComboAndRewritesIt) {
    at(3, rx);
    struct Case {
        const char* text;
        const char* rewritten;
        const char* caption;
    };
    const Case cases[] = {
        {"COM3", "COM3", "OK v4.1.1"},
        {"COM03", "COM3", "OK v4.1.1"},
        {"COM12", "COM12", "Port not available"},
        {"COMx", "COMx", "Port not available"},
        {"", "", "Port not available"},
    };
    for (const Case& c : cases) {
        hw.cboManualRx = c.text;
        EXPECT_EQ(hw.TestController(false), c.caption) << c.text;
        EXPECT_EQ(hw.cboManualRx, c.rewritten) << c.text;
        EXPECT_EQ(log.lines()[log.lines().size() - 2], std::string("Try ") + c.rewritten);
        hw.ClosePort(hw.rxPort);
    }
}

TEST_F(HardwareTest, FindTriesTheRememberedPortFirstThenTheOthersInOrder) {
    // Ports 3, 5 and 9 are listed; none of them answers.
    for (FakeController* c : {&tx, &rx, &other}) c->answersBoot = false;
    at(3, tx);
    at(5, rx);
    at(9, other);
    hw.txtAutomaticTx = "COM5";
    EXPECT_EQ(hw.FindController(true), "not found");
    EXPECT_EQ(
        log.lines(),
        (Lines{"----- Find Tx COM port -----", "Available COM ports : COM3, COM5, COM9", "Try COM5",
               "  No response", "Try COM3", "  No response", "Try COM9", "  No response"}));
    EXPECT_EQ(ports.opened, (std::vector<int>{5, 3, 9}));
    EXPECT_EQ(hw.txtAutomaticTx, "");
    EXPECT_EQ(hw.panFindTx, "not found");
    EXPECT_FALSE(hw.txPort);
    EXPECT_FALSE(tx.open || rx.open || other.open);
}

TEST_F(HardwareTest, FindSkipsWrongControllersUntilTheRightIdentity) {
    at(3, tx);  // TX controller, but we look for RX
    ports.busy.insert(5);
    at(9, rx);
    rx.boot = 5;
    rx.major = 2;
    rx.minor = 13;
    EXPECT_EQ(hw.FindController(false), "OK v5.2.13");
    EXPECT_EQ(log.lines(),
              (Lines{"----- Find Rx COM port -----", "Available COM ports : COM3, COM5, COM9",
                     "Try COM1", "  Not available", "Try COM3", "  Bad ID", "Try COM5", "  Busy",
                     "Try COM9", "  Found : OK v5.2.13"}));
    EXPECT_EQ(hw.txtAutomaticRx, "COM9");
    EXPECT_TRUE(hw.rxPort);
    EXPECT_TRUE(rx.open);
    EXPECT_FALSE(tx.open);
    EXPECT_EQ(hw.bootVersion * 100 + hw.fwMajor * 10 + hw.fwMinor, 5 * 100 + 20 + 13);
}

TEST_F(HardwareTest, FindReportsEachIncompleteReply) {
    struct Case {
        void (*setup)(FakeController&);
        const char* line;
    };
    const Case cases[] = {
        {[](FakeController& c) { c.answersIdentity = false; }, "  Error 4"},
        {[](FakeController& c) { c.versionAck = 0x00; }, "  Error 2"},
        {[](FakeController& c) { c.versionBytes = 1; }, "  Error 3"},
        {[](FakeController& c) { c.versionBytes = 2; }, "  Error 3"},
    };
    for (const Case& c : cases) {
        SimHost h;
        FakePorts p;
        config::AnalysisLog l;
        FakeController fc;
        fc.host = &h;
        c.setup(fc);
        p.controllers[7] = &fc;
        Hardware hardware(h, p, l);
        hardware.txtAutomaticTx = "COM7";
        EXPECT_EQ(hardware.FindController(true), "not found") << c.line;
        EXPECT_EQ(l.lines().back(), c.line);
        EXPECT_FALSE(fc.open);
    }
}

TEST_F(HardwareTest, VersionGateRefusesOldFirmwareUnlessUpgraded) {
    at(4, tx);
    tx.minor = 10;
    tx.major = 0;  // 4.0.10 = 410
    EXPECT_FALSE(hw.CheckTxController());
    EXPECT_FALSE(hw.txPort);
    EXPECT_EQ(log.lines().back(), "  Firmware v4.0.10 too old : upgrade required");

    int offers = 0;
    hw.OfferFirmwareUpgrade = [&](bool isTx) {
        ++offers;
        EXPECT_TRUE(isTx);
        EXPECT_FALSE(tx.open);  // the prompt reopens the port itself
        tx.major = 1;
        tx.minor = 1;
        return true;
    };
    EXPECT_TRUE(hw.CheckTxController());
    EXPECT_EQ(offers, 1);
    EXPECT_TRUE(hw.txPort);

    hw.OfferFirmwareUpgrade = [&](bool) { return false; };
    hw.ClosePort(hw.txPort);
    tx.major = 0;
    tx.minor = 10;
    EXPECT_FALSE(hw.CheckTxController());
}

TEST_F(HardwareTest, CheckUsesTheManualPortWhenChosen) {
    at(4, rx);
    hw.rdbAutomaticRx = false;
    hw.rdbManualRx = true;
    hw.cboManualRx = "COM4";
    EXPECT_TRUE(hw.CheckRxController());
    EXPECT_EQ(logFrom("-----").front(), "----- Test Rx COM port -----");
    EXPECT_TRUE(hw.rxPort);

    rx.versionBytes = 1;
    EXPECT_FALSE(hw.CheckRxController());
    EXPECT_FALSE(hw.rxPort);  // only a usable controller keeps its port
}

TEST_F(HardwareTest, GetTypesReadsEveryChannelThenClosesBothPorts) {
    at(3, tx);
    at(4, rx);
    tx.receiverCodes = {224, 225, 1023, 10};
    EXPECT_TRUE(hw.GetTypes(false));
    EXPECT_EQ(logFrom("----- Get Receivers list"),
              (Lines{"----- Get Receivers list -----", "Channel1=RF 433.92MHz",
                     "Channel2=RF 434.42MHz", "Channel3=not defined", "Channel4=not connected"}));
    const std::vector<std::pair<int, int>> rxRegisters = {{0x87, 0xFF}, {0x07, 0x07}, {0x87, 0xF8}};
    EXPECT_EQ(rx.registerWrites, rxRegisters);
    EXPECT_FALSE(hw.txPort || hw.rxPort);
    EXPECT_FALSE(tx.open || rx.open);
    EXPECT_FALSE(hw.lseReceiver);
    EXPECT_FALSE(hw.emcOutput);
}

TEST_F(HardwareTest, GetTypesWithoutBothControllersMarksTheChannelsUnknown) {
    at(4, rx);
    EXPECT_FALSE(hw.GetTypes(false));
    for (int c = 0; c < 4; ++c) EXPECT_EQ(hw.channelLabel(c), "?");
    EXPECT_TRUE(logFrom("----- Get Receivers list").empty());
    EXPECT_FALSE(rx.open);
}

TEST_F(HardwareTest, ForcedTypesAndChannelOneRoles) {
    at(3, tx);
    at(4, rx);
    tx.receiverCodes = {700, 0, 0, 0};  // LSE Magnetic on channel 1
    struct Case {
        const char* argument;
        bool emc;
        Lines labels;
        bool lse;
        char kind;
        bool emcOutput;
    };
    const Case cases[] = {
        {"+REC35A0",
         false,
         {"RF 433.92MHz", "RF 314.82MHz", "LSE Optical", "not connected"},
         false,
         'O',
         false},
        {"x+RECa",
         false,
         {"LSE Optical", "not connected", "not connected", "not connected"},
         true,
         'O',
         false},
        {"",
         false,
         {"LSE Magnetic", "not connected", "not connected", "not connected"},
         true,
         'M',
         false},
        {"+REC0",
         true,
         {"EMC Output", "not connected", "not connected", "not connected"},
         false,
         'M',
         true},
        {"+REC0",
         false,
         {"not connected", "not connected", "not connected", "not connected"},
         false,
         'M',
         false},
        {"+RECz1",
         false,
         {"LSE Magnetic", "LF 125.00kHz", "not connected", "not connected"},
         true,
         'M',
         false},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(hw.GetTypes(c.emc, ForcedReceiverTypes(c.argument))) << c.argument;
        EXPECT_EQ((Lines{hw.lblChannel1, hw.lblChannel2, hw.lblChannel3, hw.lblChannel4}), c.labels)
            << c.argument;
        EXPECT_EQ(hw.lseReceiver, c.lse) << c.argument;
        if (c.lse) {
            EXPECT_EQ(hw.lseKind, c.kind) << c.argument;
        }
        EXPECT_EQ(hw.emcOutput, c.emcOutput) << c.argument;
        EXPECT_EQ(log.lines().back(), "Channel4=" + c.labels[3]);
    }
}

TEST_F(HardwareTest, EnumerationKeepsPortsOneTo127InListingOrder) {
    ports.extraListed = {200, 1, 0, 127, 128, 7};
    hw.EnumeratePorts();
    EXPECT_EQ(hw.availablePortsText, "COM1, COM127, COM7");
    EXPECT_TRUE(hw.availablePorts[127]);
    EXPECT_FALSE(hw.availablePorts[0]);
    int flagged = 0;
    for (bool f : hw.availablePorts) flagged += f;
    EXPECT_EQ(flagged, 3);
}

TEST_F(HardwareTest, SectionRoundTripKeepsEveryKeyInOrder) {
    int modified = 0;
    hw.onModified = [&] { ++modified; };
    hw.chkTx = false;
    hw.rdbAutomaticTx = false;
    hw.rdbManualTx = true;
    hw.txtAutomaticTx = "COM17";
    hw.cboManualTx = "COM21";
    hw.chkRx = true;
    hw.rdbAutomaticRx = true;
    hw.rdbManualRx = false;
    hw.txtAutomaticRx = "COM18";
    hw.cboManualRx = "COM22";
    hw.chkSimulation = true;
    hw.chkAcqFilter = true;
    hw.chkRxPin2Used = true;
    hw.chkTriggerChan1 = false;
    hw.chkTriggerChan2 = true;
    hw.chkTriggerChan3 = false;

    config::IniDocument doc = config::IniDocument::fromText("[HARDWARE]\r\nUnknown=kept\r\n");
    hw.HardwareSection(&doc, config::ConfigAction::Save);
    EXPECT_EQ(doc.keys("HARDWARE"),
              (Lines{"Unknown", "TxEnabled", "rdbAutomaticTx", "rdbManualTx", "txtAutomaticTx",
                     "cboManualTx", "RxEnabled", "rdbAutomaticRx", "rdbManualRx", "txtAutomaticRx",
                     "cboManualRx", "chkSimulation", "chkAcqFilter", "chkRxPin2Used",
                     "chkTriggerChan1", "chkTriggerChan2", "chkTriggerChan3"}));
    EXPECT_EQ(doc.readString("HARDWARE", "TxEnabled", ""), "0");
    EXPECT_EQ(doc.readString("HARDWARE", "chkTriggerChan2", ""), "1");

    SimHost h2;
    Hardware loaded(h2, ports, log);
    int loadedModified = 0;
    loaded.onModified = [&] { ++loadedModified; };
    loaded.processSection(&doc, config::ConfigAction::Load);
    EXPECT_EQ(loadedModified, 0);  // a load is not an operator change
    EXPECT_FALSE(loaded.chkTx);
    EXPECT_FALSE(loaded.rdbAutomaticTx);
    EXPECT_TRUE(loaded.rdbManualTx);
    EXPECT_EQ(loaded.txtAutomaticTx, "COM17");
    EXPECT_EQ(loaded.cboManualTx, "COM21");
    EXPECT_EQ(loaded.txtAutomaticRx, "COM18");
    EXPECT_EQ(loaded.cboManualRx, "COM22");
    EXPECT_TRUE(loaded.chkSimulation && loaded.chkAcqFilter && loaded.chkRxPin2Used);
    EXPECT_FALSE(loaded.chkTriggerChan1 || loaded.chkTriggerChan3);
    EXPECT_TRUE(loaded.chkTriggerChan2);
    EXPECT_EQ(loaded.lblExt(), "Trg");

    loaded.controlChanged();
    EXPECT_EQ(loadedModified, 1);
    EXPECT_EQ(modified, 0);
}

TEST_F(HardwareTest, MissingKeysAndTheDefaultsActionGiveTheSameDefaults) {
    auto expectDefaults = [](const Hardware& h) {
        EXPECT_TRUE(h.chkTx && h.rdbAutomaticTx && h.chkRx && h.rdbAutomaticRx);
        EXPECT_FALSE(h.rdbManualTx || h.rdbManualRx || h.chkSimulation || h.chkAcqFilter ||
                     h.chkRxPin2Used || h.chkTriggerChan1 || h.chkTriggerChan2 ||
                     h.chkTriggerChan3);
        EXPECT_EQ(h.txtAutomaticTx, "");
        EXPECT_EQ(h.txtAutomaticRx, "");
        EXPECT_EQ(h.cboManualTx, "COM3");
        EXPECT_EQ(h.cboManualRx, "COM4");
        EXPECT_EQ(h.lblExt(), "Ext");
    };
    auto scramble = [](Hardware& h) {
        h.chkTx = h.rdbAutomaticRx = false;
        h.rdbManualTx = h.chkRxPin2Used = h.chkTriggerChan3 = true;
        h.cboManualTx = "COM9";
        h.txtAutomaticRx = "COM1";
    };
    scramble(hw);
    config::IniDocument empty = config::IniDocument::fromText("[HARDWARE]\r\nTxEnabled=maybe\r\n");
    hw.HardwareSection(&empty, config::ConfigAction::Load);
    expectDefaults(hw);
    scramble(hw);
    hw.HardwareSection(nullptr, config::ConfigAction::Defaults);
    expectDefaults(hw);
}

TEST(PortText, NumberOfComText) {
    const std::pair<const char*, int> cases[] = {
        {"COM3", 3}, {"COM12", 12}, {"COM127", 127}, {"COM", 0},
        {"COMx", 0}, {"COM1a", 0},  {"", 0},         {"COM1234", 0},
    };
    for (const auto& [text, n] : cases) EXPECT_EQ(PortNumberOfText(text), n) << text;
}

}  // namespace
}  // namespace vornlfrf::hw
