#include "frm_rf_conf.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "common/sim_host.h"
#include "config/configuration_set.h"
#include "config/item_text.h"
#include "cp1252.h"
#include "qt_printers.h"

namespace vornlfrf::gui {
namespace {

using config::ConfigAction;
using config::ItemGetValue;

// Builds an item text from Key:Value pairs.
std::string item(std::initializer_list<std::pair<const char*, std::string>> pairs) {
    std::string out;
    for (const auto& [key, value] : pairs) out += std::string(key) + ":" + value + "\xAC";
    return out;
}

const std::string kWheel =
    item({{"Name", "Wheel"},
          {"Preamble", "AAAh"},
          {"Baudrate", "9600"},
          {"Coding", "0"},
          {"Fields", "ID;32;0;1;;Y;;\x86P;8;0;2.5;kPa;P;;\x86T;8;-50;1;C;Y;;"},
          {"Comment", "front left"},
          {"CKS", "1"},
          {"Mask", "FFFF"},
          {"Method", "1"},
          {"Not", "0"},
          {"FieldsComp", "PkPa;P*1.5;kPa;Y;;"}});
const std::string kRemote = item({{"Name", "Remote"},
                                  {"Preamble", "0FFh"},
                                  {"Baudrate", "4000"},
                                  {"Coding", "3"},
                                  {"Fields", "Key;4;0;1;;Y;;"},
                                  {"Comment", ""},
                                  {"CKS", "0"}});
const std::string kTag = item({{"Name", "Tag"}, {"Preamble", "1h"}, {"Fields", "ID;8;0;1;;Y;;"}});

class RfConfWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        window.modalRunner = [this](QDialog& d) {
            ++dialogsOpened;
            d.show();
            if (onDialog) onDialog(d);
            d.hide();
        };
        window.resize(1024, 640);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    config::RfConf& rf() { return set.rf; }

    // Loads descriptions as a configuration load does: no mark, the window follows.
    void load(const std::vector<std::string>& items) {
        config::IniDocument ini;
        ini.writeInteger(config::kRfSection, "NbFrames", static_cast<int>(items.size()));
        for (std::size_t i = 0; i < items.size(); ++i)
            ini.writeString(config::kRfSection, "L" + std::to_string(i), items[i]);
        rf().processSection(&ini, ConfigAction::Load);
        doc.ShowDocumentTitle();
    }

    template <class T>
    T* in(QObject* parent, const char* name) {
        T* found = parent->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Editors of the description panel (the dialogs reuse some of their names).
    template <class T>
    T* editor(const char* name) {
        return in<T>(panel(), name);
    }
    QWidget* panel() { return in<QWidget>(&window, "panEdit"); }
    QTreeWidget* frames() { return in<QTreeWidget>(&window, "lstFrames"); }

    void click(QObject* parent, const char* name) {
        QAbstractButton* b = in<QAbstractButton>(parent, name);
        // Check boxes and radio buttons react on their indicator and caption only.
        const bool indicator = qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b);
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier,
                          indicator ? QPoint(6, b->height() / 2) : b->rect().center());
    }
    void clickButton(const char* name) { click(&window, name); }
    void clickRow(QTreeWidget* list, int row, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTreeWidgetItem* item = list->topLevelItem(row);
        if (!item) {
            ADD_FAILURE() << list->objectName().toStdString() << " has no row " << row;
            return;
        }
        const QRect r = list->visualItemRect(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, mods, r.center());
    }
    void doubleClickRow(QTreeWidget* list, int row) {
        clickRow(list, row);
        if (QTreeWidgetItem* item = list->topLevelItem(row))
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                               list->visualItemRect(item).center());
    }
    void type(QObject* parent, const char* name, const QString& text) {
        QLineEdit* e = in<QLineEdit>(parent, name);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        typeKeys(e, text);
    }
    // keyClicks knows ASCII only; other characters arrive as their text, as from a keyboard.
    static void typeKeys(QWidget* w, const QString& text) {
        for (QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(w, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    // The check box of a checkable group, as the operator toggles it from the keyboard.
    void toggleGroup(const char* name) {
        auto* g = editor<QGroupBox>(name);
        QTest::keyClick(g, Qt::Key_Space);
    }

    std::vector<QString> rowTexts(QTreeWidget* list, int column = 0) {
        std::vector<QString> out;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            out.push_back(list->topLevelItem(i)->text(column));
        return out;
    }
    std::vector<std::string> names() {
        std::vector<std::string> out;
        for (const std::string& i : rf().items()) out.push_back(ItemGetValue(i, "Name"));
        return out;
    }
    std::string selected(const char* key) { return ItemGetValue(rf().selectedItem(), key); }
    std::vector<std::string> messages() {
        std::vector<std::string> out;
        for (const auto& q : host.questions) out.push_back(q.text);
        host.questions.clear();
        return out;
    }
    // Reads the document's modified mark and clears it for the next step.
    bool takeModified() {
        const bool was = doc.bModified;
        doc.ShowDocumentTitle();
        return was;
    }

    QTemporaryDir home;
    SimHost host;
    config::ConfigurationDocument doc{host, home.path().toStdString(), "VornLFRF"};
    config::ConfigurationSet set{host, doc};
    TfrmRFConf window{set.rf};
    std::function<void(QDialog&)> onDialog;
    int dialogsOpened = 0;
};

TEST_F(RfConfWindowTest, AddAppendsTheNewDescriptionWithoutComputedFields) {
    load({kWheel});
    clickRow(frames(), 0);
    EXPECT_EQ(editor<QTreeWidget>("lstFieldsComp")->topLevelItemCount(), 1);
    EXPECT_FALSE(takeModified());  // selecting writes nothing

    clickButton("butFAdd");
    ASSERT_EQ(rf().count(), 2);
    EXPECT_EQ(rf().items()[0], kWheel);
    EXPECT_EQ(rf().items()[1],
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
              "FieldsComp:\xAC");
    EXPECT_TRUE(takeModified());
    EXPECT_EQ(rowTexts(frames()), (std::vector<QString>{"Wheel", "NewDescription"}));
    EXPECT_TRUE(frames()->topLevelItem(1)->isSelected());
    EXPECT_FALSE(frames()->topLevelItem(0)->isSelected());
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_EQ(editor<QLineEdit>("txtName")->text(), "NewDescription");
    EXPECT_EQ(window.focusWidget(), editor<QLineEdit>("txtName"));
    EXPECT_EQ(editor<QComboBox>("cboBaudrate")->currentText(), "9600");
    EXPECT_TRUE(editor<QRadioButton>("rdbStandard")->isChecked());
    EXPECT_EQ(editor<QTreeWidget>("lstFields")->topLevelItemCount(), 0);
    EXPECT_EQ(editor<QTreeWidget>("lstFieldsComp")->topLevelItemCount(), 0);
    EXPECT_FALSE(editor<QGroupBox>("grbCKS")->isChecked());
}

TEST_F(RfConfWindowTest, EditorsWriteTheSelectedDescriptionAndMark) {
    load({kWheel, kRemote});
    EXPECT_FALSE(panel()->isVisible());
    clickRow(frames(), 1);
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_EQ(editor<QLineEdit>("txtName")->text(), "Remote");
    EXPECT_TRUE(editor<QRadioButton>("rdbPWM")->isChecked());
    EXPECT_EQ(editor<QComboBox>("cboBaudrate")->currentText(), "4000");
    EXPECT_FALSE(takeModified());

    auto* baud = editor<QComboBox>("cboBaudrate");
    struct Edit {
        const char* what;
        std::function<void()> act;
        const char* key;
        std::string expected;
    };
    const Edit edits[] = {
        {"name", [&] { type(panel(), "txtName", "Key fob"); }, "Name", "Key fob"},
        // 0xAC would cut the item apart: the model drops it and the edit shows what was kept.
        {"name with separator", [&] { type(panel(), "txtName", QString("A") + QChar(0xAC) + "B"); },
         "Name", "AB"},
        {"comment", [&] { type(panel(), "txtComment", "rear"); }, "Comment", "rear"},
        {"preamble", [&] { type(panel(), "txtPreamble", "5555h"); }, "Preamble", "5555h"},
        {"baud rate",
         [&] {
             const int i = baud->findText("4800");
             baud->setCurrentIndex(i);
             emit baud->activated(i);
         },
         "Baudrate", "4800"},
        {"Biphase-S", [&] { click(panel(), "rdbBiphaseS"); }, "Coding", "2"},
        {"Manchester inverted", [&] { click(panel(), "rdbInverted"); }, "Coding", "1"},
        {"verification on", [&] { toggleGroup("grbCKS"); }, "CKS", "1"},
        {"verification off", [&] { toggleGroup("grbCKS"); }, "CKS", "0"},
        {"processing on", [&] { toggleGroup("grbProcessing"); }, "Processing", "Egi"},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.what);
        e.act();
        EXPECT_EQ(selected(e.key), e.expected);
        EXPECT_TRUE(takeModified());
    }
    EXPECT_EQ(editor<QLineEdit>("txtName")->text(), "AB");
    EXPECT_EQ(rowTexts(frames()), (std::vector<QString>{"Wheel", "AB"}));
    EXPECT_EQ(frames()->topLevelItem(1)->text(1), "rear");
    EXPECT_EQ(rf().items()[0], kWheel);
}

TEST_F(RfConfWindowTest, MoveAndDuplicateKeepTheMovedDescriptionSelected) {
    load({kWheel, kRemote, kTag});
    clickRow(frames(), 0);

    clickButton("butFBas");
    EXPECT_EQ(names(), (std::vector<std::string>{"Remote", "Wheel", "Tag"}));
    EXPECT_TRUE(takeModified());
    EXPECT_EQ(rowTexts(frames()), (std::vector<QString>{"Remote", "Wheel", "Tag"}));
    EXPECT_TRUE(frames()->topLevelItem(1)->isSelected());

    clickButton("butFBas");
    clickButton("butFBas");  // already last: nothing to do
    EXPECT_EQ(names(), (std::vector<std::string>{"Remote", "Tag", "Wheel"}));
    takeModified();

    clickButton("butFHaut");
    EXPECT_EQ(names(), (std::vector<std::string>{"Remote", "Wheel", "Tag"}));
    EXPECT_TRUE(takeModified());

    clickButton("butFrameCopy");
    ASSERT_EQ(rf().count(), 4);
    EXPECT_EQ(rf().items()[3], kWheel);
    EXPECT_TRUE(takeModified());
    EXPECT_TRUE(frames()->topLevelItem(3)->isSelected());
    EXPECT_EQ(editor<QLineEdit>("txtName")->text(), "Wheel");

    clickRow(frames(), 0);
    clickButton("butFHaut");  // already first
    EXPECT_EQ(rf().items()[0], kRemote);
    EXPECT_FALSE(takeModified());
}

TEST_F(RfConfWindowTest, CopyPasteAndDeleteWorkOnTheMultipleSelection) {
    load({kWheel, kRemote, kTag});
    clickRow(frames(), 0);
    clickRow(frames(), 2, Qt::ControlModifier);
    EXPECT_EQ(rf().selection(), (std::vector<int>{0, 2}));

    clickButton("butColler");  // nothing copied yet
    EXPECT_EQ(rf().count(), 3);
    EXPECT_FALSE(takeModified());

    clickButton("butCopier");
    EXPECT_FALSE(takeModified());
    clickButton("butColler");
    clickButton("butColler");
    EXPECT_EQ(rf().items(),
              (std::vector<std::string>{kWheel, kRemote, kTag, kWheel, kTag, kWheel, kTag}));
    EXPECT_EQ(frames()->topLevelItemCount(), 7);
    EXPECT_TRUE(takeModified());

    // Delete asks first; No keeps everything.
    clickRow(frames(), 1);
    clickRow(frames(), 3, Qt::ControlModifier);
    clickRow(frames(), 4, Qt::ControlModifier);
    host.answers = {MsgAnswer::No};
    clickButton("butFDel");
    EXPECT_EQ(rf().count(), 7);
    EXPECT_FALSE(takeModified());
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].caption, "Warning");
    EXPECT_EQ(host.questions[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Are you sure to delete ?"}));

    host.answers = {MsgAnswer::Yes};
    clickButton("butFDel");
    EXPECT_EQ(rf().items(), (std::vector<std::string>{kWheel, kTag, kWheel, kTag}));
    EXPECT_TRUE(takeModified());
    EXPECT_EQ(rowTexts(frames()), (std::vector<QString>{"Wheel", "Tag", "Wheel", "Tag"}));
    EXPECT_TRUE(frames()->selectedItems().isEmpty());
    EXPECT_FALSE(panel()->isVisible());
}

TEST_F(RfConfWindowTest, FieldDialogAddsWithKeyFiltersAndRefusesABadSize) {
    load({kRemote});
    clickRow(frames(), 0);
    onDialog = [&](QDialog& d) {
        EXPECT_EQ(d.objectName(), "frmRFParameter");
        EXPECT_EQ(d.windowTitle(), "Field description");
        EXPECT_EQ(in<QLineEdit>(&d, "txtName")->text(), "NewField");
        EXPECT_EQ(in<QLineEdit>(&d, "txtDisplay")->text(), "N");
        type(&d, "txtName", "Tyre temp;");  // space and separator dropped as typed
        type(&d, "txtUnite", QString("deg ") + QChar(0xB0) + "C");
        QLineEdit* display = in<QLineEdit>(&d, "txtDisplay");
        display->selectAll();
        typeKeys(display, "yx");  // raised, then full
        QTest::keyClick(display, Qt::Key_Backspace);
        EXPECT_EQ(display->text(), "Y");
        type(&d, "txtSize", "65");
        click(&d, "butSave");
        EXPECT_TRUE(d.isVisible());  // refused: the dialog stays open
        EXPECT_EQ(messages(), (std::vector<std::string>{"Error with 'Size' field"}));
        type(&d, "txtSize", " 12");
        type(&d, "txtResolution", "0.50");
        click(&d, "butSave");
        EXPECT_TRUE(messages().empty());
    };
    clickButton("butPAdd");
    EXPECT_EQ(dialogsOpened, 1);
    EXPECT_EQ(rf().lstFields.back(), "Tyretemp;12;0;0.5;degC;Y;;");
    EXPECT_EQ(selected("Fields"), "Key;4;0;1;;Y;;\x86Tyretemp;12;0;0.5;degC;Y;;");
    EXPECT_TRUE(takeModified());
    auto* list = editor<QTreeWidget>("lstFields");
    EXPECT_EQ(rowTexts(list), (std::vector<QString>{"Key", "Tyretemp"}));
    EXPECT_EQ(list->topLevelItem(1)->text(4), "degC");
    EXPECT_TRUE(list->topLevelItem(1)->isSelected());

    // Cancel after a refused Save writes nothing.
    onDialog = [&](QDialog& d) {
        type(&d, "txtName", "");
        click(&d, "butSave");
        EXPECT_EQ(messages(),
                  (std::vector<std::string>{"Error with 'Name' field (mustn't be NULL)"}));
        click(&d, "butCancel");
    };
    clickButton("butPAdd");
    EXPECT_EQ(rf().lstFields.size(), 2u);
    EXPECT_EQ(selected("Fields"), "Key;4;0;1;;Y;;\x86Tyretemp;12;0;0.5;degC;Y;;");
    EXPECT_FALSE(takeModified());
}

TEST_F(RfConfWindowTest, FieldDialogModifiesWithATableFile) {
    load({kWheel});
    clickRow(frames(), 0);
    auto* list = editor<QTreeWidget>("lstFields");
    const std::string table = home.filePath("states.txt").toStdString();
    host.fileAnswers = {table};
    onDialog = [&](QDialog& d) {
        EXPECT_EQ(in<QLineEdit>(&d, "txtName")->text(), "P");
        EXPECT_EQ(in<QLineEdit>(&d, "txtUnite")->text(), "kPa");
        EXPECT_FALSE(in<QLineEdit>(&d, "txtFile")->isVisible());
        click(&d, "chkTableUsed");
        EXPECT_TRUE(in<QLineEdit>(&d, "txtFile")->isVisible());
        click(&d, "butFile");
        type(&d, "txtName", "State");
        click(&d, "butSave");
    };
    doubleClickRow(list, 1);
    EXPECT_EQ(dialogsOpened, 1);
    EXPECT_EQ(rf().lstFields[1], "State;8;0;2.5;kPa;P;;" + table + ";");
    EXPECT_TRUE(takeModified());

    // Turning the table off empties the unit and writes an empty table piece.
    onDialog = [&](QDialog& d) {
        EXPECT_TRUE(in<QCheckBox>(&d, "chkTableUsed")->isChecked());
        click(&d, "chkTableUsed");
        EXPECT_EQ(in<QLineEdit>(&d, "txtUnite")->text(), "");
        EXPECT_FALSE(in<QLineEdit>(&d, "txtFile")->isVisible());
        click(&d, "butSave");
    };
    clickRow(list, 1);
    clickButton("butModifier");
    EXPECT_EQ(rf().lstFields[1], "State;8;0;2.5;;P;;;");
    EXPECT_EQ(ItemGetValue(rf().items()[0], "Fields"),
              "ID;32;0;1;;Y;;\x86State;8;0;2.5;;P;;;\x86T;8;-50;1;C;Y;;");
    EXPECT_TRUE(takeModified());
}

TEST_F(RfConfWindowTest, FieldRowsMoveAndDelete) {
    load({kWheel});
    clickRow(frames(), 0);
    auto* list = editor<QTreeWidget>("lstFields");
    clickRow(list, 0);
    clickButton("butPBas");
    EXPECT_EQ(selected("Fields"), "P;8;0;2.5;kPa;P;;\x86ID;32;0;1;;Y;;\x86T;8;-50;1;C;Y;;");
    EXPECT_TRUE(takeModified());
    EXPECT_TRUE(list->topLevelItem(1)->isSelected());
    clickButton("butPHaut");
    clickButton("butPHaut");  // already first
    EXPECT_EQ(selected("Fields"), "ID;32;0;1;;Y;;\x86P;8;0;2.5;kPa;P;;\x86T;8;-50;1;C;Y;;");
    EXPECT_TRUE(takeModified());

    clickRow(list, 2);
    host.answers = {MsgAnswer::No, MsgAnswer::Yes};
    clickButton("butPDel");
    EXPECT_EQ(rf().lstFields.size(), 3u);
    EXPECT_FALSE(takeModified());
    clickButton("butPDel");
    EXPECT_EQ(messages(), (std::vector<std::string>(2, "Are you sure to delete ?")));
    EXPECT_EQ(selected("Fields"), "ID;32;0;1;;Y;;\x86P;8;0;2.5;kPa;P;;");
    EXPECT_EQ(selected("FieldsComp"), "PkPa;P*1.5;kPa;Y;;");
    EXPECT_TRUE(takeModified());
    EXPECT_EQ(rowTexts(list), (std::vector<QString>{"ID", "P"}));
}

TEST_F(RfConfWindowTest, ComputedFieldsUpToFour) {
    load({kWheel});
    clickRow(frames(), 0);
    auto* list = editor<QTreeWidget>("lstFieldsComp");
    int n = 1;
    onDialog = [&](QDialog& d) {
        EXPECT_EQ(d.objectName(), "frmRFParameterComp");
        EXPECT_EQ(d.windowTitle(), "Computed Field description");
        click(&d, "butSave");  // empty formula
        EXPECT_EQ(messages(),
                  (std::vector<std::string>{"Error with 'Formula' field (must not be empty)"}));
        type(&d, "txtName", QString("C%1").arg(++n));
        type(&d, "txtFormula", "T+1");
        type(&d, "txtContent", " 12 ");
        click(&d, "butSave");
    };
    clickButton("butPAddComp");
    EXPECT_EQ(selected("FieldsComp"),
              "PkPa;P*1.5;kPa;Y;;\x86"
              "C2;T+1;;N;12;");
    EXPECT_TRUE(takeModified());
    clickButton("butPAddComp");
    clickButton("butPAddComp");
    EXPECT_EQ(rf().lstFieldsComp.size(), 4u);
    EXPECT_EQ(dialogsOpened, 3);

    clickButton("butPAddComp");
    EXPECT_EQ(dialogsOpened, 3);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Maximum 4 computed fields !"}));
    EXPECT_EQ(rf().lstFieldsComp.size(), 4u);
    takeModified();

    onDialog = [&](QDialog& d) {
        EXPECT_EQ(in<QLineEdit>(&d, "txtFormula")->text(), "P*1.5");
        type(&d, "txtFormula", "P/100");
        click(&d, "butSave");
    };
    doubleClickRow(list, 0);
    EXPECT_EQ(rf().lstFieldsComp[0], "PkPa;P/100;kPa;Y;;");
    EXPECT_TRUE(takeModified());

    clickRow(list, 0);
    clickButton("butPBasComp");
    EXPECT_EQ(rf().lstFieldsComp[1], "PkPa;P/100;kPa;Y;;");
    EXPECT_TRUE(takeModified());
    clickButton("butPHautComp");
    EXPECT_EQ(rf().lstFieldsComp[0], "PkPa;P/100;kPa;Y;;");
    EXPECT_TRUE(takeModified());
    host.answers = {MsgAnswer::Yes};
    clickButton("butPDelComp");
    EXPECT_EQ(selected("FieldsComp"),
              "C2;T+1;;N;12;\x86"
              "C3;T+1;;N;12;\x86"
              "C4;T+1;;N;12;");
    EXPECT_TRUE(takeModified());
    EXPECT_EQ(rowTexts(list), (std::vector<QString>{"C2", "C3", "C4"}));
}

TEST_F(RfConfWindowTest, CrcDialogSaveWritesAllTenKeys) {
    struct Case {
        const char* what;
        std::function<void(QDialog&)> edit;
        std::vector<std::pair<const char*, std::string>> keys;
        const char* lblMethod;
    };
    const Case cases[] = {
        {"CRC",
         [&](QDialog& d) {
             click(&d, "rdbCRC");
             type(&d, "txtPolynome", "1021h");
             type(&d, "txtInitialization", "FFFFh");
             type(&d, "txtXOR", "0");
             click(&d, "rdb16bits");
             click(&d, "rdbCRCb");
         },
         {{"Method", "2"},
          {"Not", ""},
          {"Poly", "1021h"},
          {"Init", "FFFFh"},
          {"Xor", "0"},
          {"Size", "16"},
          {"aCRCx", "b"},
          {"2bits", ""}},
         "CRC 16bits + 1021h(FFFFh) + XOR 0 + Mode b"},
        {"ADD",
         [&](QDialog& d) {
             click(&d, "rdbADD");
             click(&d, "chkADD_NOT");
             click(&d, "rdbAdd2bits");
         },
         {{"Method", "1"},
          {"Not", "1"},
          {"Poly", ""},
          {"Init", ""},
          {"Xor", ""},
          {"Size", ""},
          {"aCRCx", ""},
          {"2bits", "1"}},
         "ADD + NOT + 2bits"},
        {"XOR",
         [&](QDialog& d) {
             click(&d, "rdbXOR");
             click(&d, "chkXOR_NOT");
         },
         {{"Method", "0"},
          {"Not", "1"},
          {"Poly", ""},
          {"Init", ""},
          {"Xor", ""},
          {"Size", ""},
          {"aCRCx", ""},
          {"2bits", ""}},
         "XOR + NOT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        load({kWheel});
        clickRow(frames(), 0);
        onDialog = [&](QDialog& d) {
            EXPECT_EQ(d.objectName(), "frmCRC");
            // Opens on the stored method: ADD, 8 bits, no NOT.
            EXPECT_TRUE(in<QRadioButton>(&d, "rdbADD")->isChecked());
            EXPECT_TRUE(in<QRadioButton>(&d, "rdbAdd8bits")->isChecked());
            EXPECT_EQ(in<QLineEdit>(&d, "txtMask")->text(), "FFFF");
            c.edit(d);
            type(&d, "txtMask", "FF 00");
            type(&d, "txtPreambleMask", "00F");
            click(&d, "butOK");
        };
        clickButton("butConfig");
        std::vector<std::pair<const char*, std::string>> expected = c.keys;
        expected.push_back({"Mask", "FF 00"});
        expected.push_back({"PMask", "00F"});
        ASSERT_EQ(expected.size(), 10u);
        for (const auto& [key, value] : expected) EXPECT_EQ(selected(key), value) << key;
        EXPECT_EQ(editor<QLabel>("lblMask")->text(), "00F+FF 00");
        EXPECT_EQ(editor<QLabel>("lblMethod")->text(), c.lblMethod);
        EXPECT_TRUE(takeModified());
    }

    // Cancel writes nothing; the dialog reopens on what was saved.
    const std::string saved = rf().items()[0];
    onDialog = [&](QDialog& d) {
        EXPECT_TRUE(in<QRadioButton>(&d, "rdbXOR")->isChecked());
        EXPECT_TRUE(in<QCheckBox>(&d, "chkXOR_NOT")->isChecked());
        EXPECT_EQ(in<QLineEdit>(&d, "txtPreambleMask")->text(), "00F");
        click(&d, "rdbCRC");
        type(&d, "txtMask", "0");
        click(&d, "butCancel");
    };
    clickButton("butConfig");
    EXPECT_EQ(rf().items()[0], saved);
    EXPECT_FALSE(takeModified());
}

TEST_F(RfConfWindowTest, CrcDialogCalcShowsTheChecksAndReportsBadValues) {
    load({kWheel});
    clickRow(frames(), 0);
    onDialog = [&](QDialog& d) {
        type(&d, "txtPreambleMask", "");
        type(&d, "txtMask", "FF FF");
        type(&d, "txtFrameDatas", "01 02");
        click(&d, "rdbCRC");
        type(&d, "txtPolynome", "7");
        type(&d, "txtInitialization", "0");
        type(&d, "txtXOR", "0");
        click(&d, "butTest");
        // Bytes 0x01 0x02: sum 3, xor 3, CRC-8 (poly 7, init 0) 0x1B in both variants.
        const std::pair<const char*, QString> results[] = {
            {"txtADDResult", "3"},     {"txtADDResult_h", "03h"}, {"txtXORResult", "3"},
            {"txtXORResult_h", "03h"}, {"txtCRC1", "27"},         {"txtCRC1H", "1Bh"},
            {"txtCRC2", "27"},         {"txtCRC2H", "1Bh"},
        };
        for (const auto& [name, text] : results)
            EXPECT_EQ(in<QLineEdit>(&d, name)->text(), text) << name;
        EXPECT_EQ(in<QLabel>(&d, "lblUsed")->text(), "0102");
        EXPECT_TRUE(messages().empty());

        type(&d, "txtPolynome", "12G");
        click(&d, "butTest");
        ASSERT_EQ(host.questions.size(), 1u);
        EXPECT_EQ(host.questions[0].caption, "ERROR");
        EXPECT_EQ(messages(), (std::vector<std::string>{"Syntax error with the value\n12G"}));
        click(&d, "butCancel");
    };
    clickButton("butConfig");
    EXPECT_EQ(dialogsOpened, 1);
    EXPECT_EQ(rf().items()[0], kWheel);
    EXPECT_FALSE(takeModified());
}

TEST_F(RfConfWindowTest, ProcessingGroupAndDialogWriteTheCode) {
    load({kRemote});
    clickRow(frames(), 0);
    EXPECT_EQ(editor<QLabel>("lblMethodProcessing")->text(), "None");
    EXPECT_FALSE(editor<QGroupBox>("grbProcessing")->isChecked());

    toggleGroup("grbProcessing");
    EXPECT_EQ(selected("Processing"), "Egi");
    EXPECT_TRUE(takeModified());

    onDialog = [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Processing");
        EXPECT_FALSE(in<QCheckBox>(&d, "chkDecodeGray")->isChecked());
        click(&d, "chkDecodeGray");
        click(&d, "chkInvertFirstBit");
        click(&d, "butSave");
    };
    clickButton("butProcessingConfig");
    EXPECT_EQ(selected("Processing"), "EGI");
    EXPECT_EQ(editor<QLabel>("lblMethodProcessing")->text(),
              "- Gray Decoding\n- Invert 1st Data bit");
    EXPECT_TRUE(takeModified());

    onDialog = [&](QDialog& d) {
        EXPECT_TRUE(in<QCheckBox>(&d, "chkDecodeGray")->isChecked());
        EXPECT_TRUE(in<QCheckBox>(&d, "chkInvertFirstBit")->isChecked());
        click(&d, "chkDecodeGray");
        click(&d, "butCancel");
    };
    clickButton("butProcessingConfig");
    EXPECT_EQ(selected("Processing"), "EGI");
    EXPECT_FALSE(takeModified());

    onDialog = [&](QDialog& d) {
        click(&d, "chkDecodeGray");
        click(&d, "chkInvertFirstBit");
        click(&d, "butSave");
    };
    clickButton("butProcessingConfig");
    EXPECT_EQ(selected("Processing"), "Egi");
    EXPECT_EQ(editor<QLabel>("lblMethodProcessing")->text(), "None");
    EXPECT_TRUE(takeModified());
}

TEST_F(RfConfWindowTest, SaveAndLoadThroughTheDocument) {
    doc.sConfigPath = home.filePath("bench.cfg").toStdString();
    clickButton("butFAdd");
    type(panel(), "txtName", "Wheel");
    type(panel(), "txtComment", QString("caf") + QChar(0xE9));  // Windows-1252 in the file
    onDialog = [&](QDialog& d) { click(&d, "butSave"); };
    clickButton("butPAdd");
    toggleGroup("grbCKS");
    frames()->header()->resizeSection(0, 170);
    EXPECT_EQ(rf().nameWidth(), 170);
    EXPECT_TRUE(takeModified());
    // The PWM patterns belong to the section: saved, but not an edit of the document.
    type(&window, "txtPWM0", "101");
    EXPECT_FALSE(doc.bModified);

    const std::vector<std::string> saved = rf().items();
    doc.saveConfiguration();
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(doc.bModified);

    doc.newConfiguration();
    EXPECT_EQ(frames()->topLevelItemCount(), 0);
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_EQ(in<QLineEdit>(&window, "txtPWM0")->text(), "100");
    frames()->header()->resizeSection(0, 90);

    doc.loadFrom(doc.programFile("bench.cfg"));
    EXPECT_FALSE(doc.bModified);
    EXPECT_EQ(rf().items(), saved);
    EXPECT_EQ(rowTexts(frames()), (std::vector<QString>{"Wheel"}));
    EXPECT_EQ(frames()->topLevelItem(0)->text(1), QString("caf") + QChar(0xE9));
    EXPECT_EQ(frames()->header()->sectionSize(0), 170);
    EXPECT_EQ(in<QLineEdit>(&window, "txtPWM0")->text(), "101");
    EXPECT_EQ(in<QLineEdit>(&window, "txtPWM1")->text(), "110");
    EXPECT_FALSE(panel()->isVisible());

    clickRow(frames(), 0);
    EXPECT_FALSE(doc.bModified);
    EXPECT_EQ(rowTexts(editor<QTreeWidget>("lstFields")), (std::vector<QString>{"NewField"}));
    EXPECT_TRUE(editor<QGroupBox>("grbCKS")->isChecked());
    EXPECT_EQ(selected("Fields"), "NewField;8;0;1;;N;;");
}

}  // namespace
}  // namespace vornlfrf::gui
