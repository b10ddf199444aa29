#include "config/rf_conf.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "common/sim_host.h"
#include "config/item_text.h"

namespace vornlfrf::config {
namespace {

std::string readFixture(const std::string& name) {
    std::ifstream in(std::string(VORNLFRF_TESTDATA) + "/rf/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string kNewDescription =
    "Name:NewDescription\xAC"
    "Preamble:\xAC"
    "Baudrate:9600\xAC"
    "Coding:0\xAC"
    "Fields:\xAC"
    "Comment:\xAC"
    "CKS:\xAC"
    "Mask:\xAC"
    "Method:\xAC"
    "Not:\xAC"
    "FieldsComp:\xAC";

class RfConfTest : public ::testing::Test {
  protected:
    // Loads the two-description fixture.
    void loadFixture() {
        IniDocument doc = IniDocument::fromText(readFixture("two_descriptions.cfg"));
        ASSERT_EQ(conf.processSection(&doc, ConfigAction::Load), 2);
    }
    std::string selected(const std::string& key) const {
        return ItemGetValue(conf.selectedItem(), key);
    }

    SimHost host;
    int marks = 0;
    RfConf conf{host, [this] { ++marks; }};
};

TEST_F(RfConfTest, LoadSaveRoundTripIsByteExact) {
    const std::string original = readFixture("two_descriptions.cfg");
    ASSERT_FALSE(original.empty());
    loadFixture();
    EXPECT_EQ(marks, 0);
    EXPECT_FALSE(conf.panelVisible());
    EXPECT_EQ(conf.nameWidth(), 150);
    ASSERT_EQ(conf.count(), 2);  // L2 lies beyond NbFrames
    EXPECT_EQ(ItemGetValue(conf.items()[1], "Name"), "Remote");

    IniDocument target = IniDocument::fromText(original);
    EXPECT_EQ(conf.processSection(&target, ConfigAction::Save), 2);
    EXPECT_EQ(target.toText(), original);

    // A fresh document gets the keys in their order.
    IniDocument fresh;
    conf.processSection(&fresh, ConfigAction::Save);
    EXPECT_EQ(fresh.keys(kRfSection),
              (std::vector<std::string>{"NbFrames", "L0", "L1", "NameWidth", "PWM0", "PWM1"}));
    RfConf again{host, [] {}};
    again.processSection(&fresh, ConfigAction::Load);
    EXPECT_EQ(again.items(), conf.items());
}

TEST_F(RfConfTest, SaveOfAShorterListKeepsLaterKeys) {
    loadFixture();
    conf.lstFramesClick(0);
    host.answers.push_back(MsgAnswer::Yes);
    ASSERT_TRUE(conf.butFDelClick());
    IniDocument doc = IniDocument::fromText(readFixture("two_descriptions.cfg"));
    EXPECT_EQ(conf.processSection(&doc, ConfigAction::Save), 1);
    EXPECT_EQ(doc.readInteger(kRfSection, "NbFrames", -1), 1);
    EXPECT_EQ(ItemGetValue(doc.readString(kRfSection, "L0", ""), "Name"), "Remote");
    EXPECT_EQ(ItemGetValue(doc.readString(kRfSection, "L1", ""), "Name"), "Remote");
    EXPECT_EQ(ItemGetValue(doc.readString(kRfSection, "L2", ""), "Name"), "Stale");
    EXPECT_EQ(doc.readString("FUTURE", "Key", ""), "kept \xB0");
}

TEST_F(RfConfTest, LoadDefaultsAndDamagedCounts) {
    conf.txtPWM0 = "111";
    IniDocument empty;
    EXPECT_EQ(conf.processSection(&empty, ConfigAction::Load), 0);
    EXPECT_EQ(conf.nameWidth(), 120);
    EXPECT_EQ(conf.txtPWM0, "100");
    EXPECT_EQ(conf.txtPWM1, "110");

    IniDocument negative = IniDocument::fromText("[rfframe]\nnbframes=-4\nPWM1=011\n");
    EXPECT_EQ(conf.processSection(&negative, ConfigAction::Load), 0);
    EXPECT_EQ(conf.txtPWM1, "011");

    IniDocument huge = IniDocument::fromText("[RFFRAME]\nNbFrames=2000000000\nL0=Name:x\xAC\n");
    EXPECT_EQ(conf.processSection(&huge, ConfigAction::Load), kMaxLoadedRfItems);
    EXPECT_EQ(conf.items()[0], "Name:x\xAC");

    loadFixture();
    conf.txtPWM0 = "001";
    EXPECT_EQ(conf.processSection(nullptr, ConfigAction::Defaults), 0);
    EXPECT_EQ(conf.count(), 0);
    EXPECT_EQ(conf.txtPWM0, "100");
    EXPECT_FALSE(conf.panelVisible());
    EXPECT_EQ(marks, 0);
}

TEST_F(RfConfTest, ViewIsToldOnceTheSectionWasReplaced) {
    std::vector<int> countsSeen;
    conf.onReloaded = [&] { countsSeen.push_back(conf.count()); };
    loadFixture();
    IniDocument target;
    conf.processSection(&target, ConfigAction::Save);
    conf.processSection(nullptr, ConfigAction::Defaults);
    EXPECT_EQ(countsSeen, (std::vector<int>{2, 0}));
}

TEST_F(RfConfTest, AddWritesTheNewDescription) {
    conf.butFAddClick();
    ASSERT_EQ(conf.count(), 1);
    EXPECT_EQ(conf.items()[0], kNewDescription);
    EXPECT_EQ(conf.itemIndex(), 0);
    EXPECT_TRUE(conf.panelVisible());
    EXPECT_EQ(conf.txtName, "NewDescription");
    EXPECT_EQ(conf.cboBaudrate, "9600");
    EXPECT_EQ(conf.rdbCoding, 0);
    EXPECT_GT(marks, 0);

    // Added while a description with computed fields is selected: none are inherited.
    loadFixture();
    conf.lstFramesClick(0);
    ASSERT_EQ(conf.lstFieldsComp.size(), 1u);
    conf.butFAddClick();
    EXPECT_TRUE(conf.lstFieldsComp.empty());
    EXPECT_TRUE(conf.lstFields.empty());
    EXPECT_EQ(conf.items()[2], kNewDescription);
}

TEST_F(RfConfTest, SelectFillsEditorsWithoutWriting) {
    loadFixture();
    const auto before = conf.items();
    conf.lstFramesClick(0);
    EXPECT_EQ(conf.items(), before);
    EXPECT_EQ(marks, 0);
    EXPECT_EQ(conf.txtName, "TPMS433");
    EXPECT_EQ(conf.txtComment, "Wheel unit");
    EXPECT_EQ(conf.txtPreamble, "AAAh");
    EXPECT_EQ(conf.cboBaudrate, "9600");
    EXPECT_TRUE(conf.grbCKS);
    EXPECT_FALSE(conf.grbProcessing);
    EXPECT_EQ(conf.lblMethodProcessing, "None");
    EXPECT_EQ(conf.lstFields,
              (std::vector<std::string>{"ID;32;0;1;;Y;;", "Pressure;8;0;2.5;kPa;P;;",
                                        "Temp;8;-50;1;C;Y;;"}));
    EXPECT_EQ(conf.crcDialog.lblMask, "FFFFFFFFFF");
    EXPECT_EQ(conf.crcDialog.lblMethod, "ADD + 8bits");

    conf.lstFramesClick(1);
    EXPECT_EQ(conf.cboBaudrate, "4000");
    EXPECT_EQ(conf.rdbCoding, 3);
    conf.cboBaudrateChange("4001");  // not an entry of the list
    conf.lstFramesClick(1);
    EXPECT_EQ(conf.cboBaudrate, "");
}

TEST_F(RfConfTest, EditHandlersWriteAndMark) {
    loadFixture();
    conf.lstFramesClick(1);
    conf.txtNameChange(
        "Key\xAC"
        "fob\r\n");
    EXPECT_EQ(selected("Name"), "Keyfob");
    EXPECT_EQ(conf.txtName, "Keyfob");
    EXPECT_EQ(marks, 1);
    conf.rdbCodingClick(2);
    EXPECT_EQ(selected("Coding"), "2");
    conf.rdbCodingClick(7);  // no such button
    EXPECT_EQ(selected("Coding"), "2");
    conf.cboBaudrateChange("19200");
    EXPECT_EQ(selected("Baudrate"), "19200");
    conf.grbCKSCheckBoxClick(true);
    EXPECT_EQ(selected("CKS"), "1");
    conf.txtCommentChange("c");
    conf.txtPreambleChange("FFh");
    EXPECT_EQ(selected("Comment"), "c");
    EXPECT_EQ(selected("Preamble"), "FFh");
    EXPECT_EQ(marks, 6);

    // Processing: absent code counts as "egi".
    conf.grbProcessingCheckBoxClick(true);
    EXPECT_EQ(selected("Processing"), "Egi");
    conf.butProcessingSave(true, true);
    EXPECT_EQ(selected("Processing"), "EGI");
    EXPECT_EQ(conf.lblMethodProcessing, "- Gray Decoding\n- Invert 1st Data bit");
    conf.butProcessingSave(false, false);
    EXPECT_EQ(selected("Processing"), "Egi");
    EXPECT_EQ(marks, 9);

    // With the guard set, values are still written but the document is not marked.
    conf.editingGuard = true;
    conf.txtNameChange("Quiet");
    conf.grbProcessingCheckBoxClick(false);
    EXPECT_EQ(selected("Name"), "Quiet");
    EXPECT_EQ(selected("Processing"), "Egi");
    EXPECT_EQ(marks, 9);
    conf.editingGuard = false;

    // PWM patterns are not an operator change of a description.
    conf.txtPWM0 = "001";
    conf.setNameWidth(200);
    EXPECT_EQ(marks, 10);
}

TEST_F(RfConfTest, CrcDialogSaveWritesTheVerificationKeys) {
    loadFixture();
    conf.lstFramesClick(1);
    CrcDialog d = conf.crcDialog;
    d.method = VerifyMethod::Crc;
    d.txtMask = "FF\xAC 00";
    d.txtPolynome = "1021h";
    d.rdb16bits = true;
    conf.butCRCSave(d);
    EXPECT_EQ(marks, 1);
    EXPECT_EQ(selected("Method"), "2");
    EXPECT_EQ(selected("Mask"), "FF 00");
    EXPECT_EQ(selected("Poly"), "1021h");
    EXPECT_EQ(selected("Size"), "16");
    EXPECT_EQ(conf.crcDialog.lblMethod, "CRC 16bits + 1021h(170) + XOR 0 + Mode a");
}

TEST_F(RfConfTest, MoveAndCopyFrame) {
    loadFixture();
    const std::string first = conf.items()[0], second = conf.items()[1];
    conf.lstFramesClick(0);
    conf.butFHautClick();  // already first
    EXPECT_EQ(marks, 0);
    conf.butFBasClick();
    EXPECT_EQ(conf.items(), (std::vector<std::string>{second, first}));
    EXPECT_EQ(conf.itemIndex(), 1);
    conf.butFBasClick();  // already last
    EXPECT_EQ(marks, 1);
    conf.butFHautClick();
    EXPECT_EQ(conf.items(), (std::vector<std::string>{first, second}));
    EXPECT_EQ(conf.itemIndex(), 0);

    conf.butFrameCopyClick();
    EXPECT_EQ(conf.items(), (std::vector<std::string>{first, second, first}));
    EXPECT_EQ(conf.itemIndex(), 2);
    EXPECT_EQ(conf.txtName, "TPMS433");
    EXPECT_EQ(marks, 3);
}

TEST_F(RfConfTest, DeleteAsksAndRemovesTheSelection) {
    loadFixture();
    conf.butFAddClick();
    marks = 0;
    conf.setSelection({2, 0}, 2);
    EXPECT_EQ(conf.itemIndex(), 2);

    host.answers.push_back(MsgAnswer::No);
    EXPECT_FALSE(conf.butFDelClick());
    EXPECT_EQ(conf.count(), 3);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "Are you sure to delete ?");
    EXPECT_EQ(host.questions[0].caption, "Warning");
    EXPECT_EQ(host.questions[0].buttons, MsgButtons::YesNo);

    host.answers.push_back(MsgAnswer::Yes);
    EXPECT_TRUE(conf.butFDelClick());
    ASSERT_EQ(conf.count(), 1);
    EXPECT_EQ(ItemGetValue(conf.items()[0], "Name"), "Remote");
    EXPECT_EQ(conf.itemIndex(), -1);
    EXPECT_FALSE(conf.panelVisible());
    EXPECT_EQ(marks, 1);

    EXPECT_FALSE(conf.butFDelClick());  // nothing selected: no question
    EXPECT_EQ(host.questions.size(), 2u);
}

TEST_F(RfConfTest, CopyTwoThenPasteTwiceAppendsFour) {
    loadFixture();
    const std::string first = conf.items()[0], second = conf.items()[1];
    conf.setSelection({1, 0}, 0);
    conf.butCopierClick();
    EXPECT_EQ(conf.RxDescriptionClipboard(), first + "\r" + second + "\r");
    EXPECT_EQ(marks, 0);
    conf.butCollerClick();
    conf.butCollerClick();
    EXPECT_EQ(conf.items(),
              (std::vector<std::string>{first, second, first, second, first, second}));
    EXPECT_EQ(marks, 2);

    RfConf fresh{host, [this] { ++marks; }};
    fresh.butCollerClick();  // empty buffer
    EXPECT_EQ(fresh.count(), 0);
    EXPECT_EQ(marks, 2);
}

TEST_F(RfConfTest, FieldRowsAreWrittenBackJoinedBy0x86) {
    loadFixture();
    conf.lstFramesClick(1);
    RfFieldDialog add = conf.butPAddClick();
    ASSERT_TRUE(add.butSaveClick());
    ASSERT_TRUE(conf.addFieldRow(add));
    EXPECT_EQ(selected("Fields"),
              "Key;4;0;1;;Y;01;\x86"
              "CKS;8;0;1;;N;;;\x86"
              "NewField;8;0;1;;N;;");
    EXPECT_EQ(marks, 1);

    RfFieldDialog mod;
    ASSERT_TRUE(conf.Modification(2, mod));
    mod.txtName = "Battery";
    mod.setTableUsed(true);
    mod.txtFile = "/t/levels.txt";
    ASSERT_TRUE(mod.butSaveClick());
    ASSERT_TRUE(conf.modifyFieldRow(2, mod));
    EXPECT_EQ(conf.lstFields[2], "Battery;8;0;1;;N;;/t/levels.txt;");

    EXPECT_EQ(conf.butPHautClick(2), 1);
    EXPECT_EQ(conf.butPHautClick(0), 0);  // top: nothing moves
    EXPECT_EQ(conf.butPBasClick(1), 2);
    host.answers.push_back(MsgAnswer::Yes);
    ASSERT_TRUE(conf.butPDelClick(0));
    EXPECT_EQ(selected("Fields"),
              "CKS;8;0;1;;N;;;\x86"
              "Battery;8;0;1;;N;;/t/levels.txt;");
    EXPECT_EQ(selected("FieldsComp"), "");
    EXPECT_EQ(marks, 5);

    // A row with a stray ';' in its path opens no dialog.
    conf.lstFields.push_back("A;8;0;1;;N;;a;b;");
    RfFieldDialog none;
    EXPECT_FALSE(conf.Modification(2, none));
}

TEST_F(RfConfTest, ComputedRowsLimitAndEdit) {
    loadFixture();
    conf.lstFramesClick(0);
    RfComputedFieldDialog d;
    d.txtFormula = "ID+1";
    ASSERT_TRUE(d.butSaveClick());
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(conf.butPAddCompClick());
        ASSERT_TRUE(conf.addComputedRow(d));
    }
    EXPECT_FALSE(conf.butPAddCompClick());
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "Maximum 4 computed fields !");
    EXPECT_FALSE(conf.addComputedRow(d));
    EXPECT_EQ(conf.lstFieldsComp.size(), 4u);

    RfComputedFieldDialog m;
    ASSERT_TRUE(conf.butModifierCompClick(0, m));
    EXPECT_EQ(m.txtName, "PkPa");
    EXPECT_EQ(m.txtFormula, "Pressure*1.5");
    m.txtDisplay = "P";
    ASSERT_TRUE(conf.modifyComputedRow(0, m));
    EXPECT_EQ(conf.butPBasCompClick(0), 1);
    host.answers.push_back(MsgAnswer::Yes);
    ASSERT_TRUE(conf.butPDelCompClick(2));
    EXPECT_EQ(selected("FieldsComp"),
              "NewField;ID+1;;N;;\x86PkPa;Pressure*1.5;kPa;P;;\x86NewField;ID+1;;N;;");
    // The field rows are written back with them, unchanged.
    EXPECT_EQ(selected("Fields"),
              "ID;32;0;1;;Y;;\x86Pressure;8;0;2.5;kPa;P;;\x86Temp;8;-50;1;C;Y;;");
}

}  // namespace
}  // namespace vornlfrf::config
