#include "frm_lf_conf.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/sim_host.h"
#include "config/item_text.h"
#include "cp1252.h"
#include "frm_main.h"
#include "program_folder.h"
#include "qt_printers.h"

namespace vornlfrf::gui {
namespace {

const std::string S(1, '\xAC');
const std::string A(1, '\xA0');

std::string newFrameItem(const std::string& name = "NewFrame") {
    return "Name:" + name + S + "Freq:125.0" + S + "Content:" + S + "Baudrate:3906" + S +
           "Coding:0" + S + "Data:1" + S;
}

// Widget access shared by the window-only fixture and the main-window round trip.
class Widgets {
  public:
    explicit Widgets(std::function<QWidget*()> root) : root_(std::move(root)) {}

    template <class T>
    T* find(const char* name) {
        T* found = root_()->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name) { QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton); }
    // Replaces the editor's text as the operator would.
    void type(const char* name, const QString& text) {
        QLineEdit* e = find<QLineEdit>(name);
        e->setFocus();
        e->selectAll();
        if (text.isEmpty())
            QTest::keyClick(e, Qt::Key_Backspace);
        else
            QTest::keyClicks(e, text);
    }
    void page(int index) { find<QTabWidget>("pgcLFConf")->setCurrentIndex(index); }
    void clickFrame(int row) {
        auto* list = find<QTreeWidget>("lstFrames");
        QTreeWidgetItem* item = list->topLevelItem(row);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
    }
    void clickLine(int row) {
        auto* list = find<QListWidget>("lstScriptCommands");
        QListWidgetItem* item = list->item(row);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
    }
    std::vector<QString> frameRows(int column) {
        auto* list = find<QTreeWidget>("lstFrames");
        std::vector<QString> out;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            out.push_back(list->topLevelItem(i)->text(column));
        return out;
    }
    int currentFrameRow() {
        auto* list = find<QTreeWidget>("lstFrames");
        return list->currentItem() ? list->indexOfTopLevelItem(list->currentItem()) : -1;
    }
    std::vector<QString> scriptRows() {
        auto* list = find<QListWidget>("lstScriptCommands");
        std::vector<QString> out;
        for (int i = 0; i < list->count(); ++i) out.push_back(list->item(i)->text());
        return out;
    }
    bool shown(const char* name) { return !find<QWidget>(name)->isHidden(); }

  private:
    std::function<QWidget*()> root_;
};

QString q(const std::string& bytes) {
    return fromCp1252(bytes);
}

class LfConfWindow : public ::testing::Test, public Widgets {
  protected:
    LfConfWindow() : Widgets([this] { return window.get(); }) {}

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        lf.attachTo(doc);
        window = std::make_unique<TfrmLFConf>(lf, doc);
        window->resize(1000, 600);
        window->show();
    }

    // Starts from a saved document holding these frames and lines, unmodified.
    void load(const std::vector<std::string>& frames, const std::vector<std::string>& lines = {}) {
        std::string text = "[LFCONF]\r\nNbFrames=" + std::to_string(frames.size()) + "\r\n";
        for (std::size_t i = 0; i < frames.size(); ++i)
            text += "L" + std::to_string(i) + "=" + frames[i] + "\r\n";
        text += "[LFSCRIPT]\r\nNbScript=" + std::to_string(lines.size()) + "\r\n";
        for (std::size_t i = 0; i < lines.size(); ++i)
            text += "L" + std::to_string(i) + "=" + lines[i] + "\r\n";
        QFile f(dir.filePath("start.cfg"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.data(), static_cast<qint64>(text.size()));
        f.close();
        doc.loadFrom(toPath(dir.filePath("start.cfg")));
        ASSERT_EQ(lf.frames(), frames);
        ASSERT_FALSE(doc.bModified);
    }
    const std::string& question() const { return host.questions.back().text; }

    QTemporaryDir dir;
    SimHost host;
    config::ConfigurationDocument doc{host, toPath(dir.path()), "VornLFRF"};
    config::LfConf lf{host};
    std::unique_ptr<TfrmLFConf> window;
};

// ---------------------------------------------------------------------------------------------
// Frames

TEST_F(LfConfWindow, AddShowsTheNewFrameAndEditsWriteItsItem) {
    EXPECT_FALSE(shown("panFrame"));
    EXPECT_EQ(find<QComboBox>("cboFreq")->currentText(), "125.0");
    auto* baud = find<QComboBox>("cboBaudrate");
    EXPECT_EQ(baud->itemText(0), "1960");
    EXPECT_EQ(baud->itemText(baud->count() - 1), "* 50ms/bit");

    click("butAdd");
    EXPECT_EQ(lf.frames(), std::vector<std::string>{newFrameItem()});
    EXPECT_TRUE(doc.bModified);
    EXPECT_EQ(frameRows(0), std::vector<QString>{"NewFrame"});
    EXPECT_EQ(currentFrameRow(), 0);
    EXPECT_TRUE(shown("panFrame"));
    EXPECT_TRUE(shown("panContent"));
    auto* name = find<QLineEdit>("txtName");
    EXPECT_EQ(name->text(), "NewFrame");
    EXPECT_EQ(window->focusWidget(), name);
    EXPECT_EQ(name->selectedText(), "NewFrame");
    EXPECT_EQ(baud->currentText(), "3906");
    EXPECT_TRUE(find<QRadioButton>("rdbStandard")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("rdbLFData")->isChecked());

    doc.ShowDocumentTitle();
    QTest::keyClicks(name, "Wake");  // replaces the selected default name
    EXPECT_TRUE(doc.bModified);
    type("txtComment", "first");
    type("txtContent", "FF00h @ID(24)");
    baud->setCurrentIndex(baud->findText("* 10ms/bit"));
    find<QComboBox>("cboFreq")->setCurrentIndex(4);
    click("rdbInverted");
    click("rdbLFCW");
    EXPECT_FALSE(shown("panContent"));
    click("rdbLFData");
    EXPECT_TRUE(shown("panContent"));

    EXPECT_EQ(lf.frames()[0], "Name:Wake" + S + "Freq:131.6" + S + "Content:FF00h @ID(24)" + S +
                                  "Baudrate:* 10ms/bit" + S + "Coding:1" + S + "Data:1" + S +
                                  "Comment:first" + S);
    EXPECT_EQ(frameRows(0), std::vector<QString>{"Wake"});
    EXPECT_EQ(frameRows(1), std::vector<QString>{"first"});

    // What the item cannot hold never shows as if it were stored.
    type("txtName", q("A\xAC"
                      "Z"));
    EXPECT_EQ(name->text(), "AZ");
    EXPECT_EQ(lf.frameName(0), "AZ");
}

TEST_F(LfConfWindow, SelectingAFrameFillsTheEditorsWithoutMarking) {
    const std::vector<std::string> frames = {
        "Name:Cw" + S + "Freq:121.9" + S + "Content:" + S + "Baudrate:3906" + S + "Coding:0" + S +
            "Data:0" + S + "Comment:carrier" + S,
        // No Data key, a rate outside the list, inverted.
        "Name:Old" + S + "Freq:125.0" + S + "Content:AAh" + S + "Baudrate:1234" + S + "Coding:1" +
            S,
    };
    load(frames);
    EXPECT_EQ(frameRows(0), (std::vector<QString>{"Cw", "Old"}));
    EXPECT_EQ(frameRows(1), (std::vector<QString>{"carrier", ""}));
    EXPECT_FALSE(shown("panFrame"));

    clickFrame(0);
    EXPECT_TRUE(shown("panFrame"));
    EXPECT_EQ(find<QLineEdit>("txtName")->text(), "Cw");
    EXPECT_EQ(find<QLineEdit>("txtComment")->text(), "carrier");
    EXPECT_EQ(find<QComboBox>("cboFreq")->currentText(), "121.9");
    EXPECT_TRUE(find<QRadioButton>("rdbLFCW")->isChecked());
    EXPECT_FALSE(shown("panContent"));

    clickFrame(1);
    EXPECT_EQ(find<QLineEdit>("txtContent")->text(), "AAh");
    EXPECT_EQ(find<QComboBox>("cboBaudrate")->currentIndex(), -1);
    EXPECT_TRUE(find<QRadioButton>("rdbInverted")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("rdbLFData")->isChecked());
    EXPECT_TRUE(shown("panContent"));

    EXPECT_EQ(lf.frames(), frames);
    EXPECT_FALSE(doc.bModified);
}

TEST_F(LfConfWindow, TestButtonAndEnterShowTheCodedBits) {
    const QString ff00 = QString("10").repeated(8) + QString("01").repeated(8);
    const QString ff00Inverted = QString("01").repeated(8) + QString("10").repeated(8);
    click("butAdd");
    doc.ShowDocumentTitle();
    type("txtContent", "FF00h");
    click("butTest");
    EXPECT_EQ(find<QPlainTextEdit>("txtTest")->toPlainText(), ff00);
    EXPECT_EQ(find<QLabel>("lblAnalysis")->text(), "32 binary bits");

    click("rdbInverted");
    type("txtContent", "FF00h @ID");
    QTest::keyClick(find<QLineEdit>("txtContent"), Qt::Key_Return);
    EXPECT_EQ(find<QPlainTextEdit>("txtTest")->toPlainText(), ff00Inverted + " @ID ");
    EXPECT_EQ(find<QLabel>("lblAnalysis")->text(), "37 binary bits");

    // Selecting a frame blanks the count.
    clickFrame(0);
    EXPECT_EQ(find<QLabel>("lblAnalysis")->text(), "");
}

TEST_F(LfConfWindow, DeleteAsksAndOnlyYesRemoves) {
    load({newFrameItem("A"), newFrameItem("B"), newFrameItem("C")});
    click("butDel");  // nothing selected: no question
    EXPECT_TRUE(host.questions.empty());

    clickFrame(1);
    host.answers = {MsgAnswer::No};
    click("butDel");
    EXPECT_EQ(question(), "Are you sure to delete ?");
    EXPECT_EQ(host.questions.back().caption, "Warning");
    EXPECT_EQ(host.questions.back().buttons, MsgButtons::YesNo);
    EXPECT_EQ(lf.frames().size(), 3u);
    EXPECT_FALSE(doc.bModified);
    EXPECT_TRUE(shown("panFrame"));

    host.answers = {MsgAnswer::Yes};
    click("butDel");
    EXPECT_EQ(lf.frames(), (std::vector<std::string>{newFrameItem("A"), newFrameItem("C")}));
    EXPECT_EQ(frameRows(0), (std::vector<QString>{"A", "C"}));
    EXPECT_EQ(currentFrameRow(), -1);
    EXPECT_FALSE(shown("panFrame"));
    EXPECT_TRUE(doc.bModified);
}

TEST_F(LfConfWindow, MoveAndCopyKeepTheMovedItemSelected) {
    load({newFrameItem("A"), newFrameItem("B")});
    clickFrame(0);
    click("butHaut");  // already first
    EXPECT_FALSE(doc.bModified);

    click("butBas");
    EXPECT_EQ(frameRows(0), (std::vector<QString>{"B", "A"}));
    EXPECT_EQ(lf.frames()[1], newFrameItem("A"));
    EXPECT_EQ(currentFrameRow(), 1);
    EXPECT_TRUE(doc.bModified);

    doc.ShowDocumentTitle();
    click("butBas");  // already last
    EXPECT_FALSE(doc.bModified);
    click("butHaut");
    EXPECT_EQ(frameRows(0), (std::vector<QString>{"A", "B"}));
    EXPECT_EQ(currentFrameRow(), 0);
    EXPECT_TRUE(doc.bModified);

    doc.ShowDocumentTitle();
    clickFrame(1);
    click("butFrameCopy");
    EXPECT_EQ(lf.frames(),
              (std::vector<std::string>{newFrameItem("A"), newFrameItem("B"), newFrameItem("B")}));
    EXPECT_EQ(frameRows(0), (std::vector<QString>{"A", "B", "B"}));
    EXPECT_EQ(currentFrameRow(), 2);
    EXPECT_EQ(find<QLineEdit>("txtName")->text(), "B");
    EXPECT_TRUE(doc.bModified);

    // The copy is edited, not the original.
    type("txtName", "B2");
    EXPECT_EQ(frameRows(0), (std::vector<QString>{"A", "B", "B2"}));
}

// ---------------------------------------------------------------------------------------------
// Script

TEST_F(LfConfWindow, AddMenuInsertsEachCommandBelowTheSelectionWithItsPanel) {
    struct Case {
        const char* menu;
        const char* word;
        std::string line;
    };
    const Case cases[] = {
        {"mnuComment", "COMMENT", "COMMENT;********** Comment **********"},
        {"mnuDelay", "DELAY", "DELAY;100"},
        {"mnuEnd", "END", "END;"},
        {"mnuLevel", "LEVEL", "LEVEL;30"},
        {"mnuIdStart", "IDSTART", "IDSTART;123ABC"},
        {"mnuIdStop", "IDSTOP", "IDSTOP;100" + A + "N" + A + "N"},
        {"mnuRestart", "RESTART", "RESTART;"},
        {"mnuSendCW", "SENDCW", "SENDCW;" + A + "10"},
        {"mnuSendF", "SENDF", "SENDF;" + A + "1" + A + "10"},
        {"mnuSet", "SET", "SET;ID" + A + "0000h"},
        {"mnuWaitIn", "WAITIN", "WAITIN;1"},
    };
    page(1);
    auto* menu = find<QMenu>("popScriptAdd");
    ASSERT_EQ(menu->actions().size(), static_cast<qsizetype>(std::size(cases)));
    EXPECT_EQ(find<QPushButton>("butScriptAdd")->toolTip(),
              "Add a command (just below selected line)");
    EXPECT_FALSE(shown("panScriptCommand"));

    load({}, {"DELAY;1", "DELAY;2"});
    clickLine(0);
    std::vector<std::string> expected = {"DELAY;1", "DELAY;2"};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        QAction* entry = menu->actions()[static_cast<qsizetype>(i)];
        EXPECT_EQ(entry->objectName(), c.menu);
        EXPECT_EQ(entry->text(), c.word);
        doc.ShowDocumentTitle();
        entry->trigger();
        // Each new line goes just below the one added before it.
        expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(i) + 1, c.line);
        EXPECT_EQ(lf.script().lines(), expected) << c.word;
        EXPECT_TRUE(doc.bModified) << c.word;
        EXPECT_EQ(find<QListWidget>("lstScriptCommands")->currentRow(), static_cast<int>(i) + 1);
        EXPECT_TRUE(shown("panScriptCommand"));
        EXPECT_EQ(find<QGroupBox>("panScriptCommand")->title(), c.word);
        EXPECT_EQ(find<QStackedWidget>("pgcScriptCommand")->currentWidget()->objectName(),
                  QString("pan") + c.word);
    }
    std::vector<QString> rows;
    for (const std::string& line : expected) rows.push_back(q(line));
    EXPECT_EQ(scriptRows(), rows);
}

// One operator edit on a freshly added line, through the widgets.
struct ArgumentCase {
    const char* title;
    const char* menu;
    std::function<void(Widgets&)> edit;
    std::string line;
};

void PrintTo(const ArgumentCase& c, std::ostream* os) {
    *os << c.title;
}

class ScriptArguments : public LfConfWindow, public ::testing::WithParamInterface<ArgumentCase> {};

TEST_P(ScriptArguments, StoreWhatTheEditorHolds) {
    load({newFrameItem("Wake"), "Name:Cw" + S + "Data:0" + S, newFrameItem("Ping")});
    page(1);
    find<QAction>(GetParam().menu)->trigger();
    doc.ShowDocumentTitle();
    GetParam().edit(*this);
    EXPECT_EQ(lf.script().lines(), std::vector<std::string>{GetParam().line});
    EXPECT_EQ(scriptRows(), std::vector<QString>{q(GetParam().line)});
    EXPECT_TRUE(doc.bModified);
}

void chooseFrame(Widgets& w, const char* box, std::vector<QString> offered, const QString& pick) {
    auto* b = w.find<QComboBox>(box);
    b->showPopup();
    std::vector<QString> items;
    for (int i = 0; i < b->count(); ++i) items.push_back(b->itemText(i));
    b->hidePopup();
    EXPECT_EQ(items, offered);
    b->setCurrentIndex(b->findText(pick));
}

const ArgumentCase kArgumentCases[] = {
    {"SendFFrameFromDataFrames", "mnuSendF",
     [](Widgets& w) {
         chooseFrame(w, "cboScriptFrame", {"Wake", "Ping"}, "Ping");
     },
     "SENDF;Ping" + A + "1" + A + "10"},
    {"SendFEmptyRepetitionIsError", "mnuSendF",
     [](Widgets& w) { w.type("txtScriptRepetition", ""); }, "SENDF;" + A + "(ERROR)" + A + "10"},
    {"SendFInterframe", "mnuSendF", [](Widgets& w) { w.type("txtScriptInterframe", "25"); },
     "SENDF;" + A + "1" + A + "25"},
    {"SendCWFrameFromCwFrames", "mnuSendCW",
     [](Widgets& w) { chooseFrame(w, "cboSendCWFrame", {"Cw"}, "Cw"); }, "SENDCW;Cw" + A + "10"},
    {"SendCWDuration", "mnuSendCW", [](Widgets& w) { w.type("txtScriptDuration", "500"); },
     "SENDCW;" + A + "500"},
    {"Delay", "mnuDelay", [](Widgets& w) { w.type("txtScriptDuring", "2500"); }, "DELAY;2500"},
    {"LevelInRange", "mnuLevel", [](Widgets& w) { w.type("txtScriptLevel", "100"); }, "LEVEL;100"},
    {"LevelAboveRange", "mnuLevel", [](Widgets& w) { w.type("txtScriptLevel", "101"); },
     "LEVEL;(ERROR)"},
    {"LevelNotANumber", "mnuLevel", [](Widgets& w) { w.type("txtScriptLevel", "abc"); },
     "LEVEL;(ERROR)"},
    {"IdStart", "mnuIdStart", [](Widgets& w) { w.type("txtIdStart", "A1B2C3"); }, "IDSTART;A1B2C3"},
    {"IdStopFlags", "mnuIdStop",
     [](Widgets& w) {
         w.click("chkIdStopAbort");
         w.click("chkIdStopDisplay");
         w.click("chkIdStopAbort");
     },
     "IDSTOP;100" + A + "N" + A + "Y"},
    {"IdStopDuration", "mnuIdStop", [](Widgets& w) { w.type("txtIdStopDuring", "40"); },
     "IDSTOP;40" + A + "N" + A + "N"},
    {"SetBoth", "mnuSet",
     [](Widgets& w) {
         w.type("txtSETParameter", "KEY");
         w.type("txtSETValue", "0101b");
     },
     "SET;KEY" + A + "0101b"},
    {"CommentDropsTheLineSeparator", "mnuComment",
     [](Widgets& w) {
         w.type("txtCOMMENTValue", "warm;up");
         EXPECT_EQ(w.find<QLineEdit>("txtCOMMENTValue")->text(), "warmup");
     },
     "COMMENT;warmup"},
    {"WaitInLevel0", "mnuWaitIn", [](Widgets& w) { w.click("rdbWAITINLevel0"); }, "WAITIN;0"},
};

INSTANTIATE_TEST_SUITE_P(Editors, ScriptArguments, ::testing::ValuesIn(kArgumentCases),
                         [](const auto& info) { return std::string(info.param.title); });

TEST_F(LfConfWindow, SelectingALineFillsItsEditorsWithoutMarking) {
    const std::vector<std::string> lines = {"SENDF;Wake" + A + "3" + A + "20",
                                            "IDSTOP;250" + A + "Y" + A + "N", "WAITIN;0",
                                            "LEVEL;abc"};
    load({}, lines);
    page(1);
    clickLine(0);
    EXPECT_EQ(find<QComboBox>("cboScriptFrame")->currentText(), "Wake");
    EXPECT_EQ(find<QLineEdit>("txtScriptRepetition")->text(), "3");
    EXPECT_EQ(find<QLineEdit>("txtScriptInterframe")->text(), "20");
    clickLine(1);
    EXPECT_EQ(find<QLineEdit>("txtIdStopDuring")->text(), "250");
    EXPECT_TRUE(find<QCheckBox>("chkIdStopAbort")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("chkIdStopDisplay")->isChecked());
    clickLine(2);
    EXPECT_TRUE(find<QRadioButton>("rdbWAITINLevel0")->isChecked());
    clickLine(3);
    EXPECT_EQ(find<QLineEdit>("txtScriptLevel")->text(), "abc");
    EXPECT_EQ(find<QStackedWidget>("pgcScriptCommand")->currentWidget()->objectName(), "panLEVEL");

    EXPECT_EQ(lf.script().lines(), lines);
    EXPECT_FALSE(doc.bModified);
}

TEST_F(LfConfWindow, DeleteLinesAskFirst) {
    load({}, {"DELAY;1", "DELAY;2", "DELAY;3"});
    page(1);
    EXPECT_EQ(find<QPushButton>("butScriptDel")->toolTip(), "Delete the selected line");
    EXPECT_EQ(find<QPushButton>("butSupprimerTout")->toolTip(), "Delete all the script");

    clickLine(2);
    host.answers = {MsgAnswer::No};
    click("butScriptDel");
    EXPECT_EQ(question(), "Are you sure to delete ?");
    EXPECT_EQ(lf.script().lines().size(), 3u);
    EXPECT_FALSE(doc.bModified);

    // The last line goes: the new last line is selected, the editor hidden until clicked.
    host.answers = {MsgAnswer::Yes};
    click("butScriptDel");
    EXPECT_EQ(lf.script().lines(), (std::vector<std::string>{"DELAY;1", "DELAY;2"}));
    EXPECT_EQ(scriptRows(), (std::vector<QString>{"DELAY;1", "DELAY;2"}));
    EXPECT_EQ(find<QListWidget>("lstScriptCommands")->currentRow(), 1);
    EXPECT_FALSE(shown("panScriptCommand"));
    EXPECT_TRUE(doc.bModified);
    clickLine(1);
    EXPECT_TRUE(shown("panScriptCommand"));

    doc.ShowDocumentTitle();
    host.answers = {MsgAnswer::No};
    click("butSupprimerTout");
    EXPECT_EQ(lf.script().lines().size(), 2u);
    EXPECT_FALSE(doc.bModified);
    host.answers = {MsgAnswer::Yes};
    click("butSupprimerTout");
    EXPECT_TRUE(lf.script().lines().empty());
    EXPECT_TRUE(scriptRows().empty());
    EXPECT_FALSE(shown("panScriptCommand"));
    EXPECT_TRUE(doc.bModified);

    // Nothing left: no question.
    const std::size_t asked = host.questions.size();
    click("butSupprimerTout");
    click("butScriptDel");
    EXPECT_EQ(host.questions.size(), asked);
}

TEST_F(LfConfWindow, MoveAndCopyLines) {
    load({}, {"DELAY;1", "END;"});
    page(1);
    clickLine(0);
    click("butScriptBas");
    EXPECT_EQ(scriptRows(), (std::vector<QString>{"END;", "DELAY;1"}));
    EXPECT_EQ(find<QListWidget>("lstScriptCommands")->currentRow(), 1);
    EXPECT_TRUE(doc.bModified);

    doc.ShowDocumentTitle();
    click("butScriptBas");  // already last
    EXPECT_FALSE(doc.bModified);
    click("butScriptCopy");  // the copy goes last, the selection stays
    EXPECT_EQ(lf.script().lines(), (std::vector<std::string>{"END;", "DELAY;1", "DELAY;1"}));
    EXPECT_EQ(find<QListWidget>("lstScriptCommands")->currentRow(), 1);
    EXPECT_TRUE(doc.bModified);
    click("butScriptHaut");
    EXPECT_EQ(scriptRows(), (std::vector<QString>{"DELAY;1", "END;", "DELAY;1"}));
    EXPECT_EQ(find<QListWidget>("lstScriptCommands")->currentRow(), 0);
}

// ---------------------------------------------------------------------------------------------
// The tab in the main window, saved and loaded through the program's document.

class LfConfRoundTrip : public ::testing::Test, public Widgets {
  protected:
    LfConfRoundTrip() : Widgets([this] { return main->frmLFConf(); }) {}
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qputenv(kHomeVariable, home.path().toLocal8Bit());
        main = std::make_unique<TfrmMain>(host, app::parseFirstArgument(""), programFolder());
        main->modalRunner = [](QDialog&) {};
        main->InitMainWindow();
        main->showMaximized();
        main->SelectTab(app::kTabLfConf);
    }
    void TearDown() override {
        main.reset();
        qunsetenv(kHomeVariable);
    }
    QTemporaryDir home;
    SimHost host;
    std::unique_ptr<TfrmMain> main;
};

TEST_F(LfConfRoundTrip, SavedEditsComeBackAfterANewConfiguration) {
    config::ConfigurationDocument& doc = main->document();
    click("butAdd");
    type("txtName", "Wake");
    type("txtContent", "AAh @ID(8)");
    click("butAdd");
    type("txtName", "Cw");
    click("rdbLFCW");
    find<QTreeWidget>("lstFrames")->header()->resizeSection(0, 210);
    page(1);
    find<QAction>("mnuSendF")->trigger();
    chooseFrame(*this, "cboScriptFrame", {"Wake"}, "Wake");
    find<QAction>("mnuEnd")->trigger();
    EXPECT_TRUE(main->windowTitle().endsWith(" (modified)"));
    const std::vector<std::string> frames = main->shell().configuration().lf.frames();
    const std::vector<std::string> lines = {"SENDF;Wake" + A + "1" + A + "10", "END;"};
    ASSERT_EQ(main->shell().configuration().lf.script().lines(), lines);

    doc.sConfigPath = toPath(home.filePath("bench.cfg"));
    doc.saveConfiguration();
    EXPECT_FALSE(doc.bModified);
    QFile saved(home.filePath("bench.cfg"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_TRUE(bytes.contains("[LFCONF]\r\nNbFrames=2\r\nL0=Name:Wake\xAC"));
    EXPECT_TRUE(bytes.contains("NameWidth=210\r\n"));
    EXPECT_TRUE(bytes.contains("[LFSCRIPT]\r\nNbScript=2\r\n"));

    ASSERT_TRUE(doc.newConfiguration());
    EXPECT_TRUE(frameRows(0).empty());
    EXPECT_TRUE(scriptRows().empty());
    EXPECT_FALSE(shown("panFrame"));
    EXPECT_FALSE(shown("panScriptCommand"));

    doc.loadFrom(toPath(home.filePath("bench.cfg")));
    EXPECT_EQ(main->shell().configuration().lf.frames(), frames);
    EXPECT_EQ(frameRows(0), (std::vector<QString>{"Wake", "Cw"}));
    EXPECT_EQ(scriptRows(), (std::vector<QString>{q(lines[0]), "END;"}));
    EXPECT_EQ(find<QTreeWidget>("lstFrames")->header()->sectionSize(0), 210);
    EXPECT_EQ(currentFrameRow(), -1);
    EXPECT_FALSE(shown("panFrame"));
    EXPECT_FALSE(shown("panScriptCommand"));
    EXPECT_FALSE(doc.bModified);
    EXPECT_FALSE(main->windowTitle().endsWith(" (modified)"));
}

}  // namespace
}  // namespace vornlfrf::gui
