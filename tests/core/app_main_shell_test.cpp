#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "app/main_shell.h"
#include "app_temp_folder.h"
#include "common/sim_host.h"

namespace vornlfrf::app {
namespace {

using config::ConfigAction;
using config::IniDocument;
using config::SectionSlot;

class FakeMainView : public MainView, public UserModeView {
  public:
    void showTab(int tab) override { shown = tab; }
    void hideTabs() override { shown = -1; }
    void setSelectorVisible(int tab, bool v) override { selector[tab] = v; }
    void setModeEnabled(bool e) override { modeEnabled = e; }
    void setRunImageVisible(bool v) override { runImage = v, ++runImageChanges; }
    bool runImageVisible() const override { return runImage; }
    void setReloadLastEnabled(bool e) override { reloadEnabled = e; }
    void showEmulationPanel() override { emulation = true; }
    void showSimulationButton() override { simulation = true; }
    bool openDocument(const std::string& path) override {
        opened = path;
        return openWorks;
    }
    void closeMainWindow() override { closed = true; }

    void SetAdminLayout() override { hideTabs(), selector[0] = selector[1] = true; }
    void SetUserLayout() override { hideTabs(), selector[0] = selector[1] = false; }
    void setKeySymbolVisible(bool) override {}
    void selectMode(Mode) override {}
    void showPasswordPanel(const std::string&) override {}
    void hidePasswordPanel() override {}
    void showCreatePanel(bool) override {}
    void hideCreatePanel() override {}

    int shown = -1;
    std::map<int, bool> selector;
    bool modeEnabled = true;
    bool runImage = false;
    int runImageChanges = 0;
    bool reloadEnabled = false;
    bool emulation = false, simulation = false;
    std::string opened;
    bool openWorks = true;
    bool closed = false;
};

// Counts the document actions and gives the LF count the save check needs.
class RecordingSection : public config::SectionHandler {
  public:
    int processSection(IniDocument* doc, ConfigAction action) override {
        actions.push_back(action);
        if (doc && action == ConfigAction::Load) value = doc->readString("X", "V", "");
        if (doc && action == ConfigAction::Save) doc->writeString("X", "V", value);
        return 1;
    }
    std::vector<ConfigAction> actions;
    std::string value;
};

class MainShellTest : public ::testing::Test {
  protected:
    testing::TempFolder folder;
    SimHost host;
    FakeMainView view;
    std::unique_ptr<MainShell> shell;
    RecordingSection lf;

    void start(const std::string& argument = "") {
        shell = std::make_unique<MainShell>(host, parseFirstArgument(argument), folder.str(), view,
                                            view);
        shell->document().setHandler(SectionSlot::LfConf, &lf);
        shell->InitMainWindow();
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& q : host.questions) out.push_back(q.text);
        return out;
    }
};

TEST_F(MainShellTest, RunTabIsSelectedOneSecondAfterStart) {
    start();
    host.advance(999);
    EXPECT_EQ(view.shown, -1);
    host.advance(1);
    EXPECT_EQ(view.shown, kTabRun);
    EXPECT_FALSE(shell->tmrDebug().enabled());
    shell->SelectTab(kTabLfConf);
    host.advance(5000);
    EXPECT_EQ(view.shown, kTabLfConf);
}

TEST_F(MainShellTest, AnOperatorSelectionFirstEndsTheStartUpWait) {
    start();
    host.advance(500);
    shell->SelectOngletClick(kTabRfConf);
    host.advance(2000);
    EXPECT_EQ(view.shown, kTabRfConf);
}

TEST_F(MainShellTest, NrzStartsTheRunOnceAtTheStartUpSelection) {
    for (const bool operatorFirst : {false, true}) {
        start("+NRZ");
        int starts = 0;
        shell->StartRun = [&] { ++starts; };
        if (operatorFirst) shell->SelectOngletClick(kTabRunConf);
        host.advance(3000);
        shell->SelectOngletClick(kTabRun);
        EXPECT_EQ(starts, 1) << operatorFirst;
    }
    start();
    int starts = 0;
    shell->StartRun = [&] { ++starts; };
    host.advance(1000);
    EXPECT_EQ(starts, 0);
}

TEST_F(MainShellTest, FirstShowAppliesDefaultsThenReloadsTheLastConfiguration) {
    folder.write("a.cfg", "[X]\r\nV=hello\r\n");
    folder.write("LastConfiguration.dat", folder.file("a.cfg"));
    start();
    EXPECT_TRUE(shell->document().bNoConfiguration);
    shell->FormShow();
    EXPECT_EQ(lf.actions, (std::vector<ConfigAction>{ConfigAction::Defaults, ConfigAction::Load}));
    EXPECT_EQ(lf.value, "hello");
    EXPECT_EQ(shell->document().sConfigPath, folder.file("a.cfg"));
    EXPECT_FALSE(shell->document().bNoConfiguration);
    EXPECT_EQ(shell->document().caption(), "VornLFRF v1505.22a - " + folder.file("a.cfg"));
    shell->FormShow();
    EXPECT_EQ(lf.actions.size(), 2u);
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(MainShellTest, WithoutTheLastConfigurationTheNewOneStaysAndNothingIsSaid) {
    start("+EMUL+DEBUG");
    shell->FormShow();
    EXPECT_EQ(lf.actions, std::vector<ConfigAction>{ConfigAction::Defaults});
    EXPECT_EQ(shell->document().sConfigPath, folder.file("NewConfiguration.cfg"));
    EXPECT_TRUE(shell->document().bNoConfiguration);
    EXPECT_TRUE(view.emulation);
    EXPECT_TRUE(view.simulation);
    EXPECT_EQ(view.shown, kTabRun);
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(MainShellTest, CloseWritesTheCurrentPathAndTheNextStartReloadsIt) {
    folder.write("b.cfg", "[X]\r\nV=b\r\n");
    start();
    shell->FormShow();
    shell->document().loadFrom(folder.file("b.cfg"));
    ASSERT_TRUE(shell->FormCloseQuery());
    shell->FormClose();
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(folder.read("LastConfiguration.dat"), folder.file("b.cfg"));

    lf = RecordingSection();
    start();
    shell->FormShow();
    EXPECT_EQ(lf.value, "b");
}

TEST_F(MainShellTest, FixingTheLfMaximumMarksTheDocument) {
    start();
    shell->FormShow();
    ASSERT_FALSE(shell->document().bModified);
    hw::LfPowerLevel& level = shell->lfPower();
    level.trbPuissanceLFChange(9);
    level.ApplyLevelChange("Admin");  // waits for the confirmation: nothing to save yet
    EXPECT_FALSE(shell->document().bModified);
    level.confirmYes();
    level.butFixClick("Admin");
    EXPECT_EQ(level.iLevelMax, 9);
    EXPECT_TRUE(shell->document().bModified);
    EXPECT_FALSE(shell->document().bNoConfiguration);
}

TEST_F(MainShellTest, CloseDuringARunIsRefusedSilently) {
    start();
    shell->FormShow();
    shell->document().MarkModified();
    bool running = true;
    shell->runActive = [&] { return running; };
    EXPECT_FALSE(shell->FormCloseQuery());
    EXPECT_TRUE(host.questions.empty());
    running = false;
    host.answers.push_back(MsgAnswer::Cancel);
    EXPECT_FALSE(shell->FormCloseQuery());
    host.answers.push_back(MsgAnswer::No);
    EXPECT_TRUE(shell->FormCloseQuery());
    EXPECT_EQ(messages(), (std::vector<std::string>(
                              2, "Do you want to save the actual configuration before ?")));
}

TEST_F(MainShellTest, AWindowClosedBeforeItsFirstShowKeepsTheLastConfiguration) {
    folder.write("LastConfiguration.dat", "/x/y.cfg");
    start();
    shell->FormClose();
    EXPECT_EQ(folder.read("LastConfiguration.dat"), "/x/y.cfg");
}

TEST_F(MainShellTest, RunningLookHidesEditorsAndBlinksUntilIdle) {
    start();
    bool running = true;
    shell->runActive = [&] { return running; };
    shell->SetRunningLook();
    for (int tab : {kTabLfConf, kTabRfConf, kTabRunConf, kTabAnalysis})
        EXPECT_FALSE(view.selector[tab]) << tab;
    EXPECT_FALSE(view.modeEnabled);
    host.advance(400);
    EXPECT_TRUE(view.runImage);
    host.advance(400);
    EXPECT_FALSE(view.runImage);
    host.advance(400);
    shell->SetIdleLook();
    for (int tab : {kTabLfConf, kTabRfConf, kTabRunConf, kTabAnalysis})
        EXPECT_TRUE(view.selector[tab]) << tab;
    EXPECT_TRUE(view.modeEnabled);
    EXPECT_FALSE(view.runImage);
    const int changes = view.runImageChanges;
    host.advance(2000);
    EXPECT_EQ(view.runImageChanges, changes);
}

TEST_F(MainShellTest, IdleLookKeepsTheEditorsHiddenInUserMode) {
    ASSERT_TRUE(AdminPassword(folder.str()).StorePassword("pw"));
    start();
    shell->SetRunningLook();
    shell->SetIdleLook();
    EXPECT_FALSE(view.selector[kTabLfConf]);
    EXPECT_FALSE(view.selector[kTabRfConf]);
    EXPECT_TRUE(view.selector[kTabRunConf]);
}

TEST_F(MainShellTest, HelpOpensThePdfOfTheProgramFolderOrSaysItIsMissing) {
    start();
    shell->OpenHelp();
    EXPECT_EQ(messages(), std::vector<std::string>{
                              "The help file doesn't exist.\r\nDownload it from the web server "
                              "and place it\r\nin the directory of application"});
    EXPECT_TRUE(view.opened.empty());
    host.questions.clear();
    folder.write("VornLFRF.pdf", "%PDF");
    shell->OpenHelp();
    EXPECT_EQ(view.opened, folder.file("VornLFRF.pdf"));
    EXPECT_TRUE(host.questions.empty());
    view.openWorks = false;
    shell->OpenHelp();
    EXPECT_EQ(host.questions.size(), 1u);
}

TEST_F(MainShellTest, ReloadLastAcquisitionsRequestsAReplay) {
    start();
    view.reloadEnabled = true;
    shell->mnuReloadLastClick();
    EXPECT_EQ(shell->reloadLastTag, 0);
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].filterDescription, "Binary files (*.bin)");
    EXPECT_EQ(host.dialogs[0].pattern, "*.bin");
    EXPECT_EQ(host.dialogs[0].defaultExtension, ".bin");
    host.fileAnswers.push_back("/data/acq.bin");
    shell->mnuReloadLastClick();
    EXPECT_EQ(shell->sLastAcqPath, "/data/acq.bin");
    EXPECT_EQ(shell->reloadLastTag, 1);
    EXPECT_FALSE(view.reloadEnabled);

    int saved = 0;
    shell->SaveLastAcquisitions = [&] { ++saved; };
    host.fileAnswers.push_back("/data/out.bin");
    shell->mnuSaveLastClick();
    EXPECT_EQ(shell->sLastAcqPath, "/data/out.bin");
    EXPECT_EQ(saved, 1);
}

TEST_F(MainShellTest, ModeLabelDoubleClickReplaysApiBinOfTheCurrentFolder) {
    start();
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.str());
    shell->LMDLabel1DblClick();
    EXPECT_EQ(shell->reloadLastTag, 0);
    folder.write("API.bin", "\x01\x02");
    shell->LMDLabel1DblClick();
    std::filesystem::current_path(previous);
    EXPECT_EQ(shell->sLastAcqPath, "./API.bin");
    EXPECT_EQ(shell->reloadLastTag, 1);
}

TEST_F(MainShellTest, RemoteModeWithoutTheRemoteInterfaceSaysSoAndCloses) {
    start("+IPC");
    EXPECT_TRUE(shell->bIpcMode);
    EXPECT_TRUE(view.closed);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text.rfind("IPC mode request", 0), 0u);

    view.closed = false;
    host.questions.clear();
    shell = std::make_unique<MainShell>(host, parseFirstArgument("+IPC"), folder.str(), view, view);
    shell->remoteSetUp = [] { return true; };
    shell->InitMainWindow();
    EXPECT_FALSE(view.closed);
    EXPECT_TRUE(host.questions.empty());
}

}  // namespace
}  // namespace vornlfrf::app
