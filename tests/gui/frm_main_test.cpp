#include "frm_main.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/admin_password.h"
#include "common/sim_host.h"
#include "frm_log.h"
#include "frm_run.h"
#include "program_folder.h"
#include "qt_printers.h"

namespace vornlfrf::gui {
namespace {

using config::ConfigAction;
using config::SectionSlot;

// Stands in for the LF or RF window: a number of items and one key of its own.
class CountingSection : public config::SectionHandler {
  public:
    CountingSection(const char* section, int count) : section_(section), count(count) {}
    int processSection(config::IniDocument* doc, ConfigAction action) override {
        if (doc && action == ConfigAction::Save) doc->writeInteger(section_, "Count", count);
        if (doc && action == ConfigAction::Load) count = doc->readInteger(section_, "Count", 0);
        if (action == ConfigAction::Defaults) count = 0;
        return count;
    }
    const char* section_;
    int count;
};

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qputenv(kHomeVariable, home.path().toLocal8Bit());
    }
    void TearDown() override {
        window.reset();
        qunsetenv(kHomeVariable);
    }

    void start(const std::string& argument = "") {
        window =
            std::make_unique<TfrmMain>(host, app::parseFirstArgument(argument), programFolder());
        window->modalRunner = [this](QDialog& d) { modals.push_back(d.objectName()); };
        window->documentOpener = [this](const QString& path) {
            opened.push_back(path);
            return true;
        };
        window->document().setHandler(SectionSlot::LfConf, &lf);
        window->document().setHandler(SectionSlot::RfFrame, &rf);
        window->InitMainWindow();
        window->showMaximized();
    }

    template <class T>
    T* find(const char* name) {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name) { QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton); }
    void trigger(const char* name) { find<QAction>(name)->trigger(); }
    void type(const char* field, const QString& text) {
        QLineEdit* e = find<QLineEdit>(field);
        e->clear();
        QTest::keyClicks(e, text);
    }
    void chooseMode(const QString& text) {
        QComboBox* box = find<QComboBox>("cboMode");
        const int index = box->findText(text);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    QString file(const QString& name) const { return home.filePath(name); }
    std::string path(const QString& name) const { return file(name).toStdString(); }
    QByteArray read(const QString& name) const {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile f(file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& q : host.questions) out.push_back(q.text);
        return out;
    }
    bool shown(const char* name) { return find<QWidget>(name)->isVisible(); }
    int currentTab() {
        auto* onglet = find<QStackedWidget>("Onglet");
        return onglet->isVisible() ? onglet->currentIndex() : -1;
    }

    QTemporaryDir home;
    SimHost host;
    CountingSection lf{"LFCONF", 0};
    CountingSection rf{"RFFRAME", 0};
    std::unique_ptr<TfrmMain> window;
    std::vector<QString> modals;
    std::vector<QString> opened;
};

TEST_F(MainWindowTest, ToolBarMenuAndModesAsDesigned) {
    start();
    EXPECT_EQ(window->windowTitle(), "VornLFRF v1505.22a - " + file("NewConfiguration.cfg"));
    EXPECT_EQ(window->minimumSize(), QSize(790, 200));

    const char* selectors[][3] = {{"butLFConf", "LF Config", "shaLFConf"},
                                  {"butRFConf", "RF Config", "shaRFConf"},
                                  {"butRunConfig", "Run Config", "shaRunConf"},
                                  {"butRun", "Run", "shaRun"},
                                  {"butAnalysis", "Plugins", "shaAnalysis"}};
    for (int tab = 0; tab < 5; ++tab) {
        auto* b = find<QToolButton>(selectors[tab][0]);
        EXPECT_EQ(b->text(), selectors[tab][1]);
        EXPECT_EQ(b->property("Tag").toInt(), tab);
        EXPECT_NE(find<QFrame>(selectors[tab][2]), nullptr);
    }

    auto* mode = find<QComboBox>("cboMode");
    ASSERT_EQ(mode->count(), 2);
    EXPECT_EQ(mode->itemText(0), "Admin");
    EXPECT_EQ(mode->itemText(1), "User");
    EXPECT_EQ(mode->currentText(), "Admin");

    struct Entry {
        const char* name;
        const char* caption;
        bool visible, enabled;
    };
    const Entry entries[] = {
        {"mnuNewConfiguration", "New configuration", true, true},
        {"mnuLoadConfiguration", "Load configuration...", true, true},
        {"mnuSaveConfigurationAs", "Save configuration as...", true, true},
        {"mnuSaveConfiguration", "Save configuration", true, true},
        {"mnuHardware", "Hardware", true, true},
        {"mnuLOSSensor", "LSE Sensor status", false, true},
        {"mnuAlertStatus", "Alert Status", false, true},
        {"mnuReloadLast", "Reload last acquisitions", true, false},
        {"mnuSaveLast", "Save last acquisitions", true, false},
        {"mnuLog", "View Log messages", true, true},
        {"mnuAutoUpdateconfiguration", "AutoUpdate configuration", true, true},
        {"mnuPasswordEntry", "Password", true, true},
        {"mnuAbout", "Informations ...", true, true},
        {"mnuAutotests", "---------- MAINTENANCE ----------", false, true},
        {"mnuHelp", "Help", true, true},
        {"mnuQuit", "Quit", true, true},
    };
    std::vector<QString> order;
    for (QAction* a : find<QMenu>("popMode")->actions())
        if (!a->isSeparator()) order.push_back(a->objectName());
    ASSERT_EQ(order.size(), std::size(entries));
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(order[i], entries[i].name);
        QAction* a = find<QAction>(entries[i].name);
        EXPECT_EQ(a->text(), entries[i].caption);
        EXPECT_EQ(a->isVisible(), entries[i].visible) << entries[i].name;
        // Qt counts a hidden action as disabled.
        if (entries[i].visible) {
            EXPECT_EQ(a->isEnabled(), entries[i].enabled) << entries[i].name;
        }
    }
    auto* password = find<QMenu>("mnuPassword");
    ASSERT_EQ(password->actions().size(), 2);
    EXPECT_EQ(password->actions()[0]->text(), "Create or change the password");
    EXPECT_EQ(password->actions()[1]->text(), "Delete the password");
}

TEST_F(MainWindowTest, RunTabComesUpOneSecondAfterStartOnTheHostClock) {
    start();
    EXPECT_EQ(currentTab(), -1);
    host.advance(999);
    EXPECT_EQ(currentTab(), -1);
    host.advance(1);
    EXPECT_EQ(currentTab(), app::kTabRun);
    EXPECT_TRUE(shown("shaRun"));
    EXPECT_FALSE(shown("shaLFConf"));

    click("butLFConf");
    EXPECT_EQ(currentTab(), app::kTabLfConf);
    EXPECT_TRUE(shown("shaLFConf"));
    EXPECT_FALSE(shown("shaRun"));
}

TEST_F(MainWindowTest, SelectorClickBeforeTheSecondWins) {
    start();
    host.advance(300);
    click("butAnalysis");
    host.advance(3000);
    EXPECT_EQ(currentTab(), app::kTabAnalysis);
}

TEST_F(MainWindowTest, CaptionFollowsEditsAndSaves) {
    start();
    lf.count = 1;
    window->document().MarkModified();
    const QString base = "VornLFRF v1505.22a - " + file("NewConfiguration.cfg");
    EXPECT_EQ(window->windowTitle(), base + " (modified)");
    trigger("mnuSaveConfiguration");
    EXPECT_EQ(window->windowTitle(), base);
    EXPECT_TRUE(read("NewConfiguration.cfg").contains("[LFCONF]\r\nCount=1\r\n"));
    EXPECT_TRUE(read("NewConfiguration.cfg").contains("[MAIN]\r\nClientWidth="));
    EXPECT_TRUE(read("NewConfiguration.cfg").contains("[LOG]\r\nTop="));
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(MainWindowTest, LoadAsksToSaveFirstAndObeysTheAnswer) {
    write("other.cfg", "[LFCONF]\r\nCount=7\r\n");
    start();
    lf.count = 2;
    window->document().MarkModified();

    host.answers.push_back(MsgAnswer::Cancel);
    trigger("mnuLoadConfiguration");
    EXPECT_TRUE(host.dialogs.empty());
    EXPECT_EQ(lf.count, 2);

    host.answers.push_back(MsgAnswer::No);
    host.fileAnswers.push_back(path("other.cfg"));
    trigger("mnuLoadConfiguration");
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].title, "Load a configuration");
    EXPECT_TRUE(host.dialogs[0].mustExist);
    EXPECT_EQ(lf.count, 7);
    EXPECT_FALSE(QFile::exists(file("NewConfiguration.cfg")));
    EXPECT_EQ(window->windowTitle(), "VornLFRF v1505.22a - " + file("other.cfg"));
    EXPECT_FALSE(window->document().bNoConfiguration);
    EXPECT_EQ(currentTab(), -1);  // a load hides the tab host

    lf.count = 3;
    window->document().MarkModified();
    host.answers.push_back(MsgAnswer::Yes);
    host.fileAnswers.push_back(path("third.cfg"));
    write("third.cfg", "[LFCONF]\r\nCount=9\r\n");
    trigger("mnuLoadConfiguration");
    EXPECT_TRUE(read("other.cfg").contains("Count=3"));
    EXPECT_EQ(lf.count, 9);
    EXPECT_EQ(messages(),
              std::vector<std::string>(3, "Do you want to save the actual configuration before ?"));
}

TEST_F(MainWindowTest, SaveAsAndNew) {
    start();
    rf.count = 4;
    host.fileAnswers.push_back(path("saved.cfg"));
    trigger("mnuSaveConfigurationAs");
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].title, "Save the actual configuration");
    EXPECT_TRUE(host.dialogs[0].confirmOverwrite);
    EXPECT_TRUE(read("saved.cfg").contains("[RFFRAME]\r\nCount=4\r\n"));
    EXPECT_EQ(window->windowTitle(), "VornLFRF v1505.22a - " + file("saved.cfg"));

    trigger("mnuSaveConfigurationAs");  // cancelled dialog: nothing changes
    EXPECT_EQ(window->windowTitle(), "VornLFRF v1505.22a - " + file("saved.cfg"));

    window->document().MarkModified();
    host.answers.push_back(MsgAnswer::No);
    trigger("mnuNewConfiguration");
    EXPECT_EQ(rf.count, 0);
    EXPECT_EQ(window->windowTitle(), "VornLFRF v1505.22a - " + file("NewConfiguration.cfg"));
    EXPECT_FALSE(QFile::exists(file("NewConfiguration.cfg")));
}

TEST_F(MainWindowTest, ReadOnlyFileWarnsThenLoadsAndRefusesTheSave) {
    write("ro.cfg", "[LFCONF]\r\nCount=5\r\n");
    QFile::setPermissions(file("ro.cfg"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    start();
    host.fileAnswers.push_back(path("ro.cfg"));
    trigger("mnuLoadConfiguration");
    EXPECT_EQ(lf.count, 5);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text,
              "Be careful : the choosen configuration file has Read Only attribute.\r\nIt can't "
              "be modified !");

    host.questions.clear();
    lf.count = 6;
    window->document().MarkModified();
    trigger("mnuSaveConfiguration");
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "Be careful : the choosen configuration file has Read Only "
                              "attribute.\r\nIt can't be modified !",
                              "Error during configuration writing !\r\nVerify that the file "
                              "can be updated."}));
    EXPECT_EQ(read("ro.cfg"), "[LFCONF]\r\nCount=5\r\n");
}

TEST_F(MainWindowTest, FailedSaveLeavesTheFileAsItWas) {
    write("keep.cfg", "[LFCONF]\r\nCount=1\r\n[OTHER]\r\nX=1\r\n");
    start();
    host.fileAnswers.push_back(path("keep.cfg"));
    trigger("mnuLoadConfiguration");
    lf.count = 8;
    // The temporary file of the save cannot be created.
    ASSERT_TRUE(QDir(home.path()).mkpath("keep.cfg.saving~/blocker"));
    trigger("mnuSaveConfiguration");
    EXPECT_EQ(messages(), std::vector<std::string>{"Error during configuration writing !\r\nVerify "
                                                   "that the file can be updated."});
    EXPECT_EQ(read("keep.cfg"), "[LFCONF]\r\nCount=1\r\n[OTHER]\r\nX=1\r\n");
}

TEST_F(MainWindowTest, EmptyListsAreNotSavedButTheMarkIsCleared) {
    start();
    window->document().MarkModified();
    trigger("mnuSaveConfiguration");
    EXPECT_EQ(messages(),
              std::vector<std::string>{"It is not possible to save the configuration "
                                       "if the LF list\r\nand the RF list are empty !"});
    EXPECT_FALSE(QFile::exists(file("NewConfiguration.cfg")));
    EXPECT_FALSE(window->windowTitle().endsWith("(modified)"));
}

TEST_F(MainWindowTest, CloseAsksOnlyWhenModifiedAndRemembersTheConfiguration) {
    write("a.cfg", "[LFCONF]\r\nCount=2\r\n");
    start();
    host.fileAnswers.push_back(path("a.cfg"));
    trigger("mnuLoadConfiguration");
    window->document().MarkModified();
    host.answers.push_back(MsgAnswer::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(QFile::exists(file("LastConfiguration.dat")));

    bool running = true;
    window->shell().runActive = [&] { return running; };
    host.questions.clear();
    trigger("mnuQuit");
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(host.questions.empty());

    running = false;
    host.answers.push_back(MsgAnswer::No);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(read("LastConfiguration.dat"), file("a.cfg").toLocal8Bit());

    // The next start reloads it.
    lf.count = 0;
    start();
    EXPECT_EQ(lf.count, 2);
    EXPECT_EQ(window->windowTitle(), "VornLFRF v1505.22a - " + file("a.cfg"));
}

TEST_F(MainWindowTest, ModeSwitchWithoutPassword) {
    start();
    EXPECT_FALSE(shown("imgClef"));
    chooseMode("User");
    EXPECT_FALSE(shown("butLFConf"));
    EXPECT_FALSE(shown("butRFConf"));
    EXPECT_TRUE(shown("butRunConfig"));
    chooseMode("Admin");
    EXPECT_TRUE(shown("butLFConf"));
    EXPECT_FALSE(shown("panPassword"));
}

TEST_F(MainWindowTest, ModeSwitchWithPassword) {
    ASSERT_TRUE(app::AdminPassword(home.path().toStdString()).StorePassword("s3cret"));
    start();
    EXPECT_EQ(find<QComboBox>("cboMode")->currentText(), "User");
    EXPECT_TRUE(shown("imgClef"));
    EXPECT_FALSE(shown("butLFConf"));

    chooseMode("Admin");
    EXPECT_TRUE(shown("panPassword"));
    EXPECT_EQ(find<QPushButton>("butOK")->text(), "OK");
    EXPECT_EQ(find<QLineEdit>("txtPassword")->maxLength(), 8);
    EXPECT_EQ(find<QLineEdit>("txtPassword")->echoMode(), QLineEdit::Password);
    type("txtPassword", "wrong");
    click("butOK");
    EXPECT_EQ(messages(), std::vector<std::string>{"The password is not correct"});
    EXPECT_FALSE(shown("panPassword"));
    EXPECT_EQ(find<QComboBox>("cboMode")->currentText(), "User");
    EXPECT_FALSE(shown("butLFConf"));

    chooseMode("Admin");
    type("txtPassword", "s3cret");
    QTest::keyClick(find<QLineEdit>("txtPassword"), Qt::Key_Return);
    EXPECT_FALSE(shown("panPassword"));
    EXPECT_TRUE(shown("butLFConf"));
    EXPECT_EQ(find<QComboBox>("cboMode")->currentText(), "Admin");
}

TEST_F(MainWindowTest, PasswordCreateAndDeletePanels) {
    start();
    trigger("mnuCreatePassword");
    EXPECT_TRUE(shown("panCreatePassword"));
    EXPECT_FALSE(find<QLineEdit>("txtCreateActual")->isEnabled());
    EXPECT_FALSE(find<QLabel>("lblCreateActual")->isEnabled());
    type("txtCreatePassword", "abcdefghij");  // the field stops at 8
    type("txtCreateConfirm", "abcdefgh");
    click("butCreateOK");
    EXPECT_FALSE(shown("panCreatePassword"));
    EXPECT_TRUE(shown("imgClef"));
    app::AdminPassword stored(home.path().toStdString());
    EXPECT_TRUE(stored.CheckPassword("abcdefgh"));

    trigger("mnuCreatePassword");
    EXPECT_TRUE(find<QLineEdit>("txtCreateActual")->isEnabled());
    EXPECT_TRUE(find<QLineEdit>("txtCreatePassword")->text().isEmpty());
    click("butCreateCancel");
    EXPECT_FALSE(shown("panCreatePassword"));

    trigger("mnuDeletePassword");
    EXPECT_TRUE(shown("panPassword"));
    EXPECT_EQ(find<QPushButton>("butOK")->text(), "Delete");
    type("txtPassword", "abcdefgh");
    click("butOK");
    EXPECT_FALSE(stored.PasswordFileExists());
    EXPECT_FALSE(shown("imgClef"));
    EXPECT_EQ(messages(), std::vector<std::string>{"The password is deleted.\nNo password will "
                                                   "be needed to go into Admin mode"});
}

TEST_F(MainWindowTest, LeftControlClickRevealsTheMaintenanceEntryForGood) {
    start();
    auto* maintenance = find<QAction>("mnuAutotests");
    auto* menu = find<QMenu>("popMode");
    // The right Control key does not count.
    QKeyEvent rightDown(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, 0x69, 0xffe4, 0);
    QCoreApplication::sendEvent(window.get(), &rightDown);
    QTest::mouseClick(find<QToolButton>("butConfig"), Qt::LeftButton, Qt::ControlModifier);
    QKeyEvent rightUp(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier, 0x69, 0xffe4, 0);
    QCoreApplication::sendEvent(window.get(), &rightUp);
    EXPECT_FALSE(maintenance->isVisible());
    menu->hide();
    click("butConfig");
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(maintenance->isVisible());
    menu->hide();
    QTest::mouseClick(find<QToolButton>("butConfig"), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_TRUE(maintenance->isVisible());
    menu->hide();
    click("butConfig");
    EXPECT_TRUE(maintenance->isVisible());
    menu->hide();
    maintenance->trigger();
    EXPECT_EQ(modals, std::vector<QString>{"frmAutotests"});
}

TEST_F(MainWindowTest, MenuWindowsAndShortcuts) {
    start();
    trigger("mnuHardware");
    trigger("mnuAbout");
    trigger("mnuLog");
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(modals, (std::vector<QString>{"frmHardware", "frmAbout", "frmLog", "frmAutotests"}));

    QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(currentTab(), app::kTabRun);
}

TEST_F(MainWindowTest, HelpImageOpensThePdfOrSaysItIsMissing) {
    start();
    QTest::mouseClick(find<QLabel>("imgHelp"), Qt::LeftButton);
    EXPECT_EQ(messages(), std::vector<std::string>{
                              "The help file doesn't exist.\r\nDownload it from the web server "
                              "and place it\r\nin the directory of application"});
    write("VornLFRF.pdf", "%PDF-1.4");
    trigger("mnuHelp");
    EXPECT_EQ(opened, std::vector<QString>{file("VornLFRF.pdf")});
}

TEST_F(MainWindowTest, RunLookHidesTheEditorsAndBlinks) {
    start();
    bool running = true;
    window->shell().runActive = [&] { return running; };
    window->SetRunningLook();
    for (const char* b : {"butLFConf", "butRFConf", "butRunConfig", "butAnalysis"})
        EXPECT_FALSE(shown(b)) << b;
    EXPECT_TRUE(shown("butRun"));
    EXPECT_FALSE(find<QComboBox>("cboMode")->isEnabled());
    host.advance(400);
    EXPECT_TRUE(shown("imgRun"));
    host.advance(400);
    EXPECT_FALSE(shown("imgRun"));
    host.advance(400);
    running = false;
    window->SetIdleLook();
    for (const char* b : {"butLFConf", "butRFConf", "butRunConfig", "butAnalysis"})
        EXPECT_TRUE(shown(b)) << b;
    EXPECT_TRUE(find<QComboBox>("cboMode")->isEnabled());
    EXPECT_FALSE(shown("imgRun"));
}

TEST_F(MainWindowTest, DebugAndEmulSwitchesRevealTheRunWindowControls) {
    start("+EMUL+DEBUG");
    EXPECT_EQ(currentTab(), app::kTabRun);
    EXPECT_TRUE(window->frmRun()->panDebug()->isVisibleTo(window->frmRun()));
    // The simulation button sits on the performance panel, which Ctrl+START opens.
    EXPECT_FALSE(window->frmRun()->butDebug()->isHidden());
    start();
    EXPECT_FALSE(window->frmRun()->panDebug()->isVisibleTo(window->frmRun()));
    EXPECT_TRUE(window->frmRun()->butDebug()->isHidden());
}

TEST_F(MainWindowTest, LogWindowFollowsTheLogAndClearEmptiesIt) {
    start();
    auto* memo = window->frmLog()->findChild<QPlainTextEdit*>("memLog");
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(window->frmLog()->windowTitle(), "Log messages");
    window->document().log().LogLine("----- LF frames -----");
    window->document().log().LogLine(
        "Frame \xAC"
        "1");
    EXPECT_EQ(memo->toPlainText(), QString::fromUtf8("----- LF frames -----\nFrame \u00AC1"));
    QTest::mouseClick(window->frmLog()->findChild<QPushButton*>("butClear"), Qt::LeftButton);
    EXPECT_TRUE(window->document().log().lines().empty());
    EXPECT_TRUE(memo->toPlainText().isEmpty());
}

TEST_F(MainWindowTest, LogGeometryIsSavedAndLoaded) {
    write("g.cfg",
          "[LFCONF]\r\nCount=1\r\n[LOG]\r\nTop=120\r\nLeft=130\r\nWidth=640\r\n"
          "Height=480\r\n");
    start();
    host.fileAnswers.push_back(path("g.cfg"));
    trigger("mnuLoadConfiguration");
    EXPECT_EQ(window->frmLog()->pos(), QPoint(130, 120));
    EXPECT_EQ(window->frmLog()->size(), QSize(640, 480));
    window->frmLog()->move(10, 20);
    trigger("mnuSaveConfiguration");
    EXPECT_TRUE(read("g.cfg").contains("[LOG]\r\nTop=20\r\nLeft=10\r\nWidth=640\r\nHeight=480"));
}

TEST_F(MainWindowTest, MaximisedWindowKeepsLoadedGeometryForItsRestore) {
    write("m.cfg",
          "[LFCONF]\r\nCount=1\r\n[MAIN]\r\nClientWidth=900\r\nClientHeight=500\r\n"
          "Left=30\r\nTop=40\r\n");
    start();
    ASSERT_TRUE(window->isMaximized());
    host.fileAnswers.push_back(path("m.cfg"));
    trigger("mnuLoadConfiguration");
    EXPECT_TRUE(window->isMaximized());
    trigger("mnuSaveConfiguration");
    EXPECT_TRUE(read("m.cfg").contains(
        "[MAIN]\r\nClientWidth=900\r\nClientHeight=500\r\nLeft=30\r\nTop=40\r\n"));
    window->showNormal();
    EXPECT_EQ(window->size(), QSize(900, 500));
    EXPECT_EQ(window->pos(), QPoint(30, 40));
}

TEST_F(MainWindowTest, SmallSwitchGivesA800x600WindowAtTheCornerAfterTheStartUpLoad) {
    write("s.cfg",
          "[LFCONF]\r\nCount=1\r\n[MAIN]\r\nClientWidth=1000\r\nClientHeight=700\r\n"
          "Left=30\r\nTop=40\r\n");
    write("LastConfiguration.dat", file("s.cfg").toLocal8Bit());
    start("+SMALL");
    EXPECT_FALSE(window->isMaximized());
    EXPECT_EQ(window->frameGeometry(), QRect(0, 0, 800, 600));
}

}  // namespace
}  // namespace vornlfrf::gui
