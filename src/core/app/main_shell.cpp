#include "app/main_shell.h"

#include <filesystem>

#include "hw/receiver_types.h"

namespace vornlfrf::app {

namespace fs = std::filesystem;
using config::ConfigAction;

namespace {

const FileDialogOptions& acquisitionsDialog(bool save) {
    static const FileDialogOptions reload{
        "Reload last acquisitions", "Binary files (*.bin)", "*.bin", ".bin", ".", true, false};
    static const FileDialogOptions saveAs{
        "Save last acquisitions", "Binary files (*.bin)", "*.bin", ".bin", ".", false, true};
    return save ? saveAs : reload;
}

bool isFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

}  // namespace

MainShell::MainShell(Host& host, CommandLine commandLine, std::string programFolder, MainView& view,
                     UserModeView& userModeView)
    : host_(host),
      commandLine_(std::move(commandLine)),
      view_(view),
      document_(host, programFolder, kTitle),
      configuration_(host, document_),
      password_(programFolder),
      userMode_(host, password_, userModeView) {
    bIpcMode = commandLine_.bIpc;
    lfPower_.onModified = [this] { document_.MarkModified(); };
    tmrDebug_ = host_.createTimer(1000, [this] { SelectOngletClick(kTabRun); });
    tmrDebug_->setEnabled(true);
    tmrLblRun_ = host_.createTimer(400, [this] {
        if (isRunning()) view_.setRunImageVisible(!view_.runImageVisible());
    });
}

MainShell::~MainShell() = default;

void MainShell::attachHardware(hw::PortProvider& ports, run::ReaderClock& readerClock,
                               std::function<void(std::function<void()>)> postToUi) {
    hardware_ = std::make_unique<hw::Hardware>(host_, ports, document_.log());
    hardware_->onModified = [this] { document_.MarkModified(); };
    document_.setHandler(config::SectionSlot::Hardware, hardware_.get());

    runEngine_ =
        std::make_unique<run::RunEngine>(host_, document_, configuration_, *hardware_, lfPower_,
                                         ports, readerClock, std::move(postToUi));
    run::RunEngine& engine = *runEngine_;
    sequencer_ = std::make_unique<run::LfSequencer>(host_, engine, configuration_, *hardware_);
    run::attachSequencer(engine, *sequencer_);
    engine.forcedReceiverTypes = commandLine_.sRecTypes;
    engine.hooks.SetRunningLook = [this] { SetRunningLook(); };
    engine.hooks.SetIdleLook = [this] { SetIdleLook(); };
    engine.hooks.ShowLog = [this] {
        if (document_.onShowLog) document_.onShowLog();
    };
    engine.hooks.mainMenusForRun = [this](bool running) {
        if (!running) reloadLastTag = 0;
        if (menusForRun) menusForRun(running);
    };
    document_.setHandler(config::SectionSlot::Run, &engine);
    runActive = [this] { return runEngine_->bRunning; };
    StartRun = [this] { runEngine_->StartRun(); };
    butRunClick = [this] { runEngine_->butRunClick(); };
    SaveLastAcquisitions = [this] { runEngine_->saveLastAcquisitions(sLastAcqPath); };
    engine.InitRunWindow();
}

void MainShell::InitMainWindow() {
    bFirstShow = true;
    document_.bNoConfiguration = true;
    configuration_.run.InitRunConf({hw::ReceiverTypes.begin(), hw::ReceiverTypes.end()});
    if (oneTimeInitialisations) oneTimeInitialisations();
    userMode_.initialise();
    if (bIpcMode && !(remoteSetUp && remoteSetUp())) {
        host_.messageBox(text::kRemoteUnavailable, "Error", MsgIcon::Error, MsgButtons::Ok);
        view_.closeMainWindow();
    }
}

void MainShell::FormShow() {
    if (!bFirstShow) return;
    bFirstShow = false;
    if (!document_.sConfigPath.empty()) return;
    document_.sConfigPath = document_.programFile(config::text::kNewConfigurationFile);
    document_.ProcessConfiguration(document_.sConfigPath, ConfigAction::Defaults);
    if (commandLine_.bEmul) view_.showEmulationPanel();
    if (commandLine_.bDebug) {
        view_.showSimulationButton();
        SelectTab(kTabRun);
    }
    std::string last;
    if (document_.readLastConfiguration(last)) document_.loadFrom(last);
}

void MainShell::SelectTab(int tab) {
    if (tab < 0 || tab >= kTabCount) return;
    view_.showTab(tab);
    if (tab == kTabRun && bringRunModePanelToFront) bringRunModePanelToFront();
}

void MainShell::SelectOngletClick(int tag) {
    SelectTab(tag);
    if (!tmrDebug_->enabled()) return;
    tmrDebug_->setEnabled(false);
    if (commandLine_.bNrz && StartRun) StartRun();
}

void MainShell::runShortcut() {
    SelectTab(kTabRun);
    if (butRunClick) butRunClick();
}

void MainShell::SetRunningLook() {
    userMode_.abandonAdminRequest();
    view_.setSelectorVisible(kTabLfConf, false);
    view_.setSelectorVisible(kTabRfConf, false);
    view_.setSelectorVisible(kTabRunConf, false);
    view_.setSelectorVisible(kTabAnalysis, false);
    view_.setModeEnabled(false);
    tmrLblRun_->setEnabled(true);
}

void MainShell::SetIdleLook() {
    // The mode in effect, not the box: an unanswered "Admin" request must not open the editors.
    if (userMode_.effective() == Mode::Admin) {
        view_.setSelectorVisible(kTabLfConf, true);
        view_.setSelectorVisible(kTabRfConf, true);
    }
    view_.setSelectorVisible(kTabRunConf, true);
    view_.setSelectorVisible(kTabAnalysis, true);
    tmrLblRun_->setEnabled(false);
    view_.setModeEnabled(true);
    view_.setRunImageVisible(false);
}

void MainShell::OpenHelp() {
    const std::string path = document_.programFile(text::kHelpFile);
    if (!isFile(path)) {
        host_.messageBox(text::kHelpMissing, "Warning", MsgIcon::Warning, MsgButtons::Ok);
        return;
    }
    if (!view_.openDocument(path))
        host_.messageBox(text::kHelpNotOpened + path, "Warning", MsgIcon::Warning, MsgButtons::Ok);
}

bool MainShell::FormCloseQuery() {
    return document_.queryClose(isRunning());
}

void MainShell::FormClose() {
    tmrLblRun_->setEnabled(false);
    // A window closed before its first show has no configuration to remember.
    if (!document_.sConfigPath.empty()) document_.writeLastConfiguration();
}

void MainShell::requestReplay(const std::string& path) {
    sLastAcqPath = path;
    reloadLastTag = 1;
    if (runEngine_) runEngine_->requestReplay(path);
    view_.setReloadLastEnabled(false);
}

void MainShell::mnuReloadLastClick() {
    const std::string chosen = host_.openFileDialog(acquisitionsDialog(false));
    if (!chosen.empty()) requestReplay(chosen);
}

void MainShell::mnuSaveLastClick() {
    const std::string chosen = host_.saveFileDialog(acquisitionsDialog(true));
    if (chosen.empty()) return;
    sLastAcqPath = chosen;
    if (SaveLastAcquisitions) SaveLastAcquisitions();
}

void MainShell::LMDLabel1DblClick() {
    if (isFile(text::kApiFile)) requestReplay(text::kApiFile);
}

}  // namespace vornlfrf::app
