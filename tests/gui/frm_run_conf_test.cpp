#include "frm_run_conf.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <set>

#include "common/sim_host.h"
#include "config/configuration_document.h"
#include "config/configuration_set.h"
#include "cp1252.h"
#include "frm_emc_conf.h"
#include "frm_emc_parameter.h"
#include "qt_printers.h"

namespace vornlfrf::gui {
namespace {

// Two LF frames (one data frame) and two RF descriptions, the second without frame check.
constexpr char kBench[] =
    "[LFCONF]\r\nNbFrames=2\r\n"
    "L0=Name:Wake\xAC"
    "Freq:125.0\xAC"
    "Content:FF00h @ID(24)\xAC"
    "Baudrate:3906\xAC"
    "Coding:0\xAC"
    "Data:1\xAC\r\n"
    "L1=Name:Carrier\xAC"
    "Freq:125.0\xAC"
    "Content:\xAC"
    "Baudrate:3906\xAC"
    "Coding:0\xAC"
    "Data:0\xAC\r\n"
    "[RFFRAME]\r\nNbFrames=2\r\n"
    "L0=Name:TPMS\xAC"
    "Fields:ID;32;0;1;;Y;;\x86Pressure;8;0;2.5;kPa;P;;\xAC"
    "CKS:1\xAC\r\n"
    "L1=Name:Remote\xAC"
    "Fields:Key;4;0;1;;Y;01;\xAC"
    "CKS:0\xAC\r\n";

class FakePort : public hw::SerialPort {
  public:
    explicit FakePort(int& openCount) : openCount_(openCount) { ++openCount_; }
    ~FakePort() override { --openCount_; }
    std::size_t read(std::uint8_t*, std::size_t) override { return 0; }
    bool write(const std::uint8_t*, std::size_t) override { return true; }
    bool setBaudRate(int) override { return true; }
    void setRts(bool) override {}
    void setDtr(bool) override {}
    void purge() override {}

  private:
    int& openCount_;
};

class FakePorts : public hw::PortProvider {
  public:
    std::unique_ptr<hw::SerialPort> OpenPort(int number, int baudRate, hw::LineMode,
                                             hw::LineMode) override {
        requests.push_back({number, baudRate});
        if (!present.count(number)) return nullptr;
        return std::make_unique<FakePort>(openCount);
    }
    std::vector<int> EnumeratePorts() override { return {present.begin(), present.end()}; }
    int adapterChannelPort(int) override { return 0; }

    std::set<int> present;
    std::vector<std::pair<int, int>> requests;
    int openCount = 0;
};

class RunConfWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        doc = std::make_unique<config::ConfigurationDocument>(host, home.path().toStdString(),
                                                              "VornLFRF");
        set = std::make_unique<config::ConfigurationSet>(host, *doc);
        window = std::make_unique<TfrmRunConf>(
            host, *set, [this] { return copiedId; }, &ports);
        window->modalRunner = [this](QDialog& d) { return dialogs(d); };
        write("bench.cfg", kBench);
        doc->loadFrom(path("bench.cfg"));
        window->resize(1000, 620);
        window->show();
    }
    void TearDown() override { window.reset(); }

    template <class T>
    T* find(const QString& name) {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    void click(const QString& name) {
        QAbstractButton* b = find<QAbstractButton>(name);
        // Check boxes and radio buttons answer on their indicator and caption only.
        const bool boxed = qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b);
        QTest::mouseClick(b, Qt::LeftButton, {}, boxed ? QPoint(6, b->height() / 2) : QPoint());
    }
    void choose(QComboBox* box, const QString& text) {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
        emit box->textActivated(text);
    }
    void choose(const QString& name, const QString& text) { choose(find<QComboBox>(name), text); }
    void type(const QString& field, const QString& text) {
        QLineEdit* e = find<QLineEdit>(field);
        e->selectAll();
        QTest::keyClicks(e, text);
    }
    void clickRow(QListWidget* list, int row) {
        QCoreApplication::processEvents();  // lays the list out
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    QStringList items(const QString& name) {
        QStringList out;
        auto* list = find<QListWidget>(name);
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }
    void showTab(const char* title) {
        auto* tabs = find<QTabWidget>("pgcRunConf");
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == title) tabs->setCurrentIndex(i);
    }
    // The document's modified mark, cleared after reading it.
    bool takeModified() {
        const bool m = doc->bModified;
        doc->ShowDocumentTitle();
        return m;
    }
    std::string path(const QString& name) const { return home.filePath(name).toStdString(); }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile f(home.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray read(const QString& name) const {
        QFile f(home.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    config::RunConf& model() { return set->run; }

    QTemporaryDir home;
    SimHost host;
    FakePorts ports;
    std::string copiedId;
    std::function<int(QDialog&)> dialogs = [](QDialog&) { return int(QDialog::Rejected); };
    std::unique_ptr<config::ConfigurationDocument> doc;
    std::unique_ptr<config::ConfigurationSet> set;
    std::unique_ptr<TfrmRunConf> window;
};

TEST_F(RunConfWindowTest, ReceiverSlotAndModulation) {
    showTab("Rx Parameters");
    auto* receiver = find<QComboBox>("cbo2");
    auto* modulation = find<QPushButton>("butAskFsk2");
    EXPECT_FALSE(receiver->isEnabled());
    // Only upper-case receiver types are offered, sorted.
    QStringList offered;
    for (int i = 0; i < receiver->count(); ++i) offered << receiver->itemText(i);
    EXPECT_EQ(offered.first(), "LF 125.00kHz");
    EXPECT_EQ(offered.size(), 11);
    EXPECT_FALSE(offered.contains("not connected"));

    click("chk2");
    EXPECT_TRUE(model().chk[1]);
    EXPECT_TRUE(receiver->isEnabled());
    EXPECT_TRUE(modulation->isEnabled());
    EXPECT_TRUE(takeModified());

    choose(receiver, "LF 125.00kHz");
    EXPECT_EQ(model().cbo[1], "LF 125.00kHz");
    EXPECT_EQ(model().butAskFsk[1], "");
    EXPECT_FALSE(modulation->isVisible());
    EXPECT_TRUE(takeModified());

    choose(receiver, "RF 433.92MHz");
    EXPECT_TRUE(modulation->isVisible());
    EXPECT_EQ(modulation->text(), "FSK");
    takeModified();
    click("butAskFsk2");
    EXPECT_EQ(model().butAskFsk[1], "ASK");
    EXPECT_EQ(modulation->text(), "ASK");
    EXPECT_TRUE(takeModified());
    click("butAskFsk2");
    EXPECT_EQ(model().butAskFsk[1], "FSK");
    EXPECT_TRUE(takeModified());

    click("chk2");
    EXPECT_FALSE(receiver->isEnabled());
    EXPECT_FALSE(modulation->isEnabled());
    EXPECT_TRUE(takeModified());
}

TEST_F(RunConfWindowTest, DescriptionListCommands) {
    showTab("Rx Parameters");
    auto* popup = find<QWidget>("panListeDescriptions");
    auto* choices = find<QListWidget>("lstDescriptions");
    auto* frames = find<QListWidget>("lstFrames3");

    // Opening the pop-up changes nothing; a click on a name appends it and closes it.
    click("butAdd3");
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(items("lstDescriptions"), (QStringList{"TPMS", "Remote"}));
    EXPECT_FALSE(takeModified());
    clickRow(choices, 1);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_TRUE(takeModified());
    click("butAdd3");
    clickRow(choices, 0);
    EXPECT_TRUE(takeModified());
    // Escape and "X" close it without adding.
    click("butAdd3");
    QTest::keyClick(choices, Qt::Key_Escape);
    EXPECT_FALSE(popup->isVisible());
    click("butAdd3");
    click("butCloseDescriptions");
    EXPECT_FALSE(popup->isVisible());
    EXPECT_FALSE(takeModified());
    EXPECT_EQ(items("lstFrames3"), (QStringList{"Remote", "TPMS"}));
    EXPECT_EQ(model().lstFrames[2], (std::vector<std::string>{"Remote", "TPMS"}));

    struct Step {
        const char* button;
        QStringList after;
        int selected;
        bool marks;
    } steps[] = {
        {"butBas3", {"TPMS", "Remote"}, 1, true},
        {"butBas3", {"TPMS", "Remote"}, 1, false},  // already last
        {"butHaut3", {"Remote", "TPMS"}, 0, true},
        {"butHaut3", {"Remote", "TPMS"}, 0, false},  // already first
        {"butDel3", {"TPMS"}, -1, true},
        {"butDel3", {"TPMS"}, -1, false},  // nothing selected
    };
    clickRow(frames, 0);
    for (const Step& s : steps) {
        click(s.button);
        EXPECT_EQ(items("lstFrames3"), s.after) << s.button;
        EXPECT_EQ(frames->currentRow(), s.selected) << s.button;
        EXPECT_EQ(model().lstFramesIndex[2], s.selected) << s.button;
        EXPECT_EQ(takeModified(), s.marks) << s.button;
    }
    EXPECT_EQ(model().lstFrames[2], (std::vector<std::string>{"TPMS"}));
}

TEST_F(RunConfWindowTest, ModeButtonsShowTheirPanel) {
    struct Case {
        const char* button;
        int mode;
        bool cyclic, broadcast, individual, emc, tstlf;
    } cases[] = {
        {"rdbLFBrodcast", config::kModeBroadcast, true, true, false, false, false},
        {"rdbLFIndividual", config::kModeIndividual, true, false, true, false, false},
        {"rdbLFEMC", config::kModeEmc, false, false, false, true, false},
        {"rdbLFTSTLF", config::kModeTstlf, false, false, false, false, true},
        {"rdbLFScript", config::kModeScript, false, false, false, false, false},
        {"rdbLFManual", config::kModeManual, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        click(c.button);
        EXPECT_EQ(model().RunMode(), c.mode) << c.button;
        EXPECT_TRUE(find<QRadioButton>(c.button)->isChecked());
        EXPECT_EQ(find<QWidget>("panParamCyclic")->isVisible(), c.cyclic) << c.button;
        EXPECT_EQ(find<QWidget>("panBroadcast")->isVisible(), c.broadcast) << c.button;
        EXPECT_EQ(find<QWidget>("panIndividual")->isVisible(), c.individual) << c.button;
        EXPECT_EQ(find<QWidget>("panEMC")->isVisible(), c.emc) << c.button;
        EXPECT_EQ(find<QWidget>("panTSTLF")->isVisible(), c.tstlf) << c.button;
        EXPECT_TRUE(takeModified()) << c.button;
    }

    // The drop-downs list the current LF frames when they open: every frame for Broadcast,
    // the data frames for Individual, "(No emission)" first for the EMC phases.
    struct List {
        const char* box;
        QStringList items;
    } lists[] = {{"cboBrodcast", {"Wake", "Carrier"}},
                 {"cboIndividual", {"Wake"}},
                 {"cboLFPhase2", {"(No emission)", "Wake", "Carrier"}},
                 {"cboTSTLF", {"(No emission)", "Wake", "Carrier"}}};
    for (const List& l : lists) {
        auto* box = find<QComboBox>(l.box);
        box->showPopup();
        QStringList shown;
        for (int i = 0; i < box->count(); ++i) shown << box->itemText(i);
        box->hidePopup();
        EXPECT_EQ(shown, l.items) << l.box;
    }
    EXPECT_FALSE(takeModified());

    // A mode chosen by a load shows its panel too, without marking the document.
    write("emc.cfg", QByteArray(kBench) + "[RUNCONF]\r\nManual=0\r\nEMC=1\r\n");
    doc->loadFrom(path("emc.cfg"));
    EXPECT_TRUE(find<QRadioButton>("rdbLFEMC")->isChecked());
    EXPECT_TRUE(find<QWidget>("panEMC")->isVisible());
    EXPECT_FALSE(find<QWidget>("panParamCyclic")->isVisible());
    EXPECT_FALSE(doc->bModified);
}

TEST_F(RunConfWindowTest, IdFilterTyping) {
    showTab("ID Filter");
    auto* ids = find<QLineEdit>("txtID");
    QTest::keyClicks(ids, "12e6,7 g;Zf.");
    EXPECT_EQ(ids->text(), "12E6,7 F");
    EXPECT_EQ(model().txtID, "12E6,7 F");
    EXPECT_TRUE(takeModified());
    QTest::keyClick(ids, Qt::Key_Backspace);
    EXPECT_EQ(model().txtID, "12E6,7 ");

    // A keyboard paste keeps what typing could have entered.
    QApplication::clipboard()->setText("ab, xyz\t12");
    ids->setCursorPosition(0);
    QTest::keyClick(ids, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(model().txtID, "AB, 1212E6,7 ");

    // "Paste IDs" puts the run window's copied ID in place of the selection.
    model().txtID = "A45, 78";
    window->refresh();
    takeModified();
    copiedId = "CAFE";
    ids->setCursorPosition(5);
    find<QAction>("mnuPasteID")->trigger();
    EXPECT_EQ(ids->text(), "A45, CAFE78");
    EXPECT_EQ(model().txtID, "A45, CAFE78");
    EXPECT_EQ(ids->cursorPosition(), 9);
    EXPECT_EQ(QApplication::clipboard()->text(), "CAFE");
    EXPECT_TRUE(takeModified());
    ids->setSelection(0, 3);
    find<QAction>("mnuCopyIDs")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "A45");
    EXPECT_FALSE(takeModified());

    // The digit-only fields drop letters and stop at their length.
    click("rdbLFEMC");
    showTab("LF Parameters");
    type("txtRecalibration", "12a3b45");
    EXPECT_EQ(model().txtRecalibration, "1234");
    type("txtInterframePhase2", "9x9.99");
    EXPECT_EQ(model().txtInterframePhase[1], "999");
    EXPECT_TRUE(takeModified());
}

TEST_F(RunConfWindowTest, GetIdTakesTheFirstSortedIds) {
    showTab("ID Filter");
    std::vector<std::string> runIds{"C3", "A1", "B2"};
    // Without the run window's list there is nothing to take.
    EXPECT_FALSE(find<QPushButton>("butGetID")->isEnabled());
    window->setRunIdSource([&runIds] { return &runIds; });
    auto* panel = find<QWidget>("panGetID");
    EXPECT_FALSE(panel->isVisible());
    click("butGetID");
    EXPECT_TRUE(panel->isVisible());
    click("butGetIDCancel");
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(takeModified());

    click("butGetID");
    choose("cboFirst", "2");
    EXPECT_FALSE(takeModified());
    click("butGetIDOK");
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(find<QLineEdit>("txtID")->text(), "A1, B2");
    EXPECT_EQ(runIds, (std::vector<std::string>{"A1", "B2", "C3"}));
    EXPECT_TRUE(takeModified());
}

// Rows of the field check list as the dialog shows them.
QStringList rows(QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c) cells << list->topLevelItem(i)->text(c);
        out << cells.join('|');
    }
    return out;
}

TEST_F(RunConfWindowTest, EmcDialogDefaultRowsAndFieldSaveRule) {
    click("rdbLFEMC");
    type("txtPhase1", "Low");
    choose("cboLFPhase1", "(No emission)");
    takeModified();

    bool sentRefused = false;
    dialogs = [&](QDialog& d) -> int {
        if (auto* field = qobject_cast<TfrmEMCParameter*>(&d)) {
            EXPECT_EQ(field->windowTitle(), "Field description");
            EXPECT_EQ(field->findChild<QLineEdit*>("txtName")->text(), "ID");
            EXPECT_EQ(field->findChild<QLineEdit*>("txtSent")->text(), "N");
            auto* mode = field->findChild<QComboBox*>("cboMode");
            mode->setCurrentIndex(mode->findText("List"));
            emit mode->textActivated("List");
            EXPECT_EQ(field->findChild<QLineEdit*>("txtValues")->text(), "*");
            auto* sent = field->findChild<QLineEdit*>("txtSent");
            auto* save = field->findChild<QPushButton*>("butSave");
            sent->selectAll();
            QTest::keyClicks(sent, "y");
            QTest::mouseClick(save, Qt::LeftButton);
            sentRefused = field->result() != QDialog::Accepted;
            sent->selectAll();
            QTest::keyClicks(sent, "Y");
            QTest::mouseClick(save, Qt::LeftButton);
            return field->result();
        }
        auto& conf = dynamic_cast<TfrmEMCConf&>(d);
        EXPECT_EQ(conf.windowTitle(), "EMC : RF Configuration");
        EXPECT_FALSE(conf.findChild<QWidget*>("panPhase")->isHidden());
        EXPECT_FALSE(conf.findChild<QWidget*>("panNbFrames")->isHidden());
        EXPECT_EQ(conf.findChild<QLabel*>("lblPhase")->text(), "Low");
        EXPECT_EQ(conf.findChild<QLabel*>("lblLF")->text(), "(No emission)");
        auto* frame = conf.findChild<QComboBox*>("cboRFFrame");
        auto* list = conf.findChild<QTreeWidget*>("lstFields");
        EXPECT_EQ(frame->currentIndex(), -1);
        EXPECT_EQ(list->topLevelItemCount(), 0);

        choose(frame, "TPMS");
        EXPECT_EQ(rows(list), (QStringList{"ID|None|||", "Pressure|None|||", "CKSGood|None|||"}));
        choose(frame, "Remote");
        EXPECT_EQ(rows(list), (QStringList{"Key|None|||"}));
        choose(frame, "TPMS");
        list->setCurrentItem(list->topLevelItem(0));
        QTest::mouseClick(conf.findChild<QPushButton*>("butModifier"), Qt::LeftButton);
        EXPECT_EQ(rows(list).first(), "ID|List|*||Y");
        choose(conf.findChild<QComboBox*>("cboNbFrames"), "3");
        QTest::mouseClick(conf.findChild<QPushButton*>("butSave"), Qt::LeftButton);
        return conf.result();
    };
    click("butConfPhase1");
    EXPECT_TRUE(sentRefused);
    EXPECT_EQ(model().aRFFramePhase[0], "TPMS");
    EXPECT_EQ(model().iNbFramesPhase[0], 3);
    EXPECT_EQ(model().aFieldsPhase[0],
              "ID;List;*;;Y\x86Pressure;None;;;\x86"
              "CKSGood;None;;");
    EXPECT_TRUE(takeModified());

    // Shown again, the dialog starts from the stored rows; Cancel keeps them.
    dialogs = [&](QDialog& d) -> int {
        auto* list = d.findChild<QTreeWidget*>("lstFields");
        EXPECT_EQ(d.findChild<QComboBox*>("cboRFFrame")->currentText(), "TPMS");
        EXPECT_EQ(rows(list).first(), "ID|List|*||Y");
        choose(d.findChild<QComboBox*>("cboRFFrame"), "Remote");
        QTest::mouseClick(d.findChild<QPushButton*>("butCancel"), Qt::LeftButton);
        return d.result();
    };
    click("butConfPhase1");
    EXPECT_EQ(model().aRFFramePhase[0], "TPMS");
    EXPECT_FALSE(takeModified());

    // TSTLF: its own caption, no phase or frame-count panel.
    click("rdbLFTSTLF");
    takeModified();
    dialogs = [&](QDialog& d) -> int {
        EXPECT_EQ(d.windowTitle(), "TSTLF : RF Configuration");
        EXPECT_TRUE(d.findChild<QWidget*>("panPhase")->isHidden());
        EXPECT_TRUE(d.findChild<QWidget*>("panNbFrames")->isHidden());
        choose(d.findChild<QComboBox*>("cboRFFrame"), "Remote");
        QTest::mouseClick(d.findChild<QPushButton*>("butSave"), Qt::LeftButton);
        return d.result();
    };
    click("butTSTLFconfigure");
    EXPECT_EQ(model().aRFFrameTSTLF, "Remote");
    EXPECT_EQ(model().aFieldsTSTLF, "Key;None;;;");
    EXPECT_TRUE(takeModified());
}

TEST_F(RunConfWindowTest, PortTestButtons) {
    ports.present = {3};
    click("rdbLFEMC");
    type("txtEMCPort", "3");
    choose("cboEMCBaudrate", "57600");
    takeModified();
    click("butEMCTest");
    type("txtEMCPort", "4");
    click("butEMCTest");
    ASSERT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.questions[0].text, "Yes, COM Port is valid.");
    EXPECT_EQ(host.questions[1].text, "COM port can not be opened.");
    EXPECT_EQ(ports.requests, (std::vector<std::pair<int, int>>{{3, 57600}, {4, 57600}}));
    EXPECT_EQ(ports.openCount, 0);  // closed again after the test

    click("rdbLFTSTLF");
    type("txtTSTLFPort", "3");
    click("butTSTLFTest");
    EXPECT_EQ(host.questions.back().text, "Yes, COM Port is valid.");
    // A file without the key gives the second rate.
    EXPECT_EQ(ports.requests.back(), (std::pair<int, int>{3, 19200}));
    EXPECT_EQ(find<QPushButton>("butTSTLFTest")->toolTip(), "Test the COM port presence");

    window->setPortProvider(nullptr);
    EXPECT_FALSE(find<QPushButton>("butEMCTest")->isEnabled());
    EXPECT_FALSE(find<QPushButton>("butTSTLFTest")->isEnabled());
}

TEST_F(RunConfWindowTest, AlertSoundFileIsChosenWithAWaveDialog) {
    showTab("Alert");
    click("butAlertWave2");  // cancelled
    EXPECT_EQ(model().txtAlertWave[1], "-none-");
    EXPECT_FALSE(takeModified());
    host.fileAnswers.push_back("/bench/sounds/alarm.wav");
    click("butAlertWave2");
    ASSERT_EQ(host.dialogs.size(), 2u);
    EXPECT_EQ(host.dialogs[1].pattern, "*.wav");
    EXPECT_TRUE(host.dialogs[1].mustExist);
    EXPECT_EQ(model().txtAlertWave[1], "/bench/sounds/alarm.wav");
    EXPECT_EQ(find<QLineEdit>("txtAlertWave2")->text(), "/bench/sounds/alarm.wav");
    EXPECT_EQ(model().txtAlertWave[0], "-none-");
    EXPECT_TRUE(takeModified());
}

TEST_F(RunConfWindowTest, SaveLoadRoundTripThroughTheDocument) {
    click("rdbLFIndividual");
    QTest::keyClicks(find<QComboBox>("cboIndividual")->lineEdit(), "Wake");
    type("txtON", "30");
    choose("cboInterFrame", "25");
    showTab("Rx Parameters");
    click("chk1");
    choose("cbo1", "RF 433.92MHz");
    click("butAskFsk1");
    click("chk3");
    choose("cbo3", "LF 125.00kHz");
    click("butAdd1");
    clickRow(find<QListWidget>("lstDescriptions"), 0);
    showTab("ID Filter");
    click("rdbIDManual");
    QTest::keyClicks(find<QLineEdit>("txtID"), "a45, 12e67");
    click("chkReject");  // not stored
    showTab("Options");
    choose("cboNFull", "200");
    choose("cboDisplayedDigits", "2");
    showTab("Alert");
    click("chkAlertActive");
    click("chkAlertSup2");
    click("chkAlertBlink1_1000");
    EXPECT_TRUE(find<QLabel>("imgAlertActiveON")->isVisible());
    ASSERT_TRUE(doc->bModified);

    doc->sConfigPath = path("round.cfg");
    doc->saveConfiguration();
    EXPECT_FALSE(doc->bModified);
    const QByteArray saved = read("round.cfg");
    for (const char* line :
         {"Individual=1", "cboIndividual=Wake", "cboON=30", "cboInterFrame=25", "cbo1=RF 433.92MHz",
          "Mode1=ASK", "Mode3=\r\n", "L1_0=TPMS", "txtID=A45, 12E67", "cboNFull=200",
          "cboDisplayedDigits=2", "chkAlertSup2=1", "chkAlertBlink1_1000=1"})
        EXPECT_TRUE(saved.contains(line)) << line;
    EXPECT_FALSE(saved.contains("chkReject"));

    // A new configuration shows the defaults, the load shows the file again.
    ASSERT_TRUE(doc->newConfiguration());
    EXPECT_TRUE(find<QRadioButton>("rdbLFManual")->isChecked());
    EXPECT_EQ(find<QLineEdit>("txtID")->text(), "");
    EXPECT_FALSE(find<QCheckBox>("chk1")->isChecked());
    EXPECT_EQ(find<QListWidget>("lstFrames1")->count(), 0);
    EXPECT_EQ(find<QComboBox>("cboNFull")->currentText(), "100");

    doc->loadFrom(path("round.cfg"));
    EXPECT_FALSE(doc->bModified);
    EXPECT_TRUE(find<QRadioButton>("rdbLFIndividual")->isChecked());
    EXPECT_EQ(find<QComboBox>("cboIndividual")->currentText(), "Wake");
    EXPECT_EQ(find<QLineEdit>("txtON")->text(), "30");
    EXPECT_EQ(find<QComboBox>("cboInterFrame")->currentText(), "25");
    EXPECT_TRUE(find<QCheckBox>("chk1")->isChecked());
    EXPECT_TRUE(find<QComboBox>("cbo1")->isEnabled());
    EXPECT_EQ(find<QComboBox>("cbo1")->currentText(), "RF 433.92MHz");
    EXPECT_EQ(find<QPushButton>("butAskFsk1")->text(), "ASK");
    EXPECT_TRUE(find<QPushButton>("butAskFsk3")->isHidden());
    EXPECT_EQ(items("lstFrames1"), QStringList{"TPMS"});
    EXPECT_TRUE(find<QRadioButton>("rdbIDManual")->isChecked());
    EXPECT_EQ(find<QLineEdit>("txtID")->text(), "A45, 12E67");
    EXPECT_EQ(find<QComboBox>("cboNFull")->currentText(), "200");
    EXPECT_EQ(find<QComboBox>("cboDisplayedDigits")->currentText(), "2");
    EXPECT_TRUE(find<QCheckBox>("chkAlertActive")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("chkAlertSup2")->isChecked());
    EXPECT_FALSE(find<QRadioButton>("chkAlertInf2")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("chkAlertBlink1_1000")->isChecked());
    EXPECT_FALSE(find<QRadioButton>("chkAlertBlink1_500")->isChecked());
}

}  // namespace
}  // namespace vornlfrf::gui
