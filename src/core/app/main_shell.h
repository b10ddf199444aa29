#pragma once
// The main window's behaviour without its widgets: start-up, the tab host, the run look, the
// close sequence, help, and the menu commands that are not document commands. The window
// implements MainView and UserModeView; later parts plug in through the hooks below.

#include <functional>
#include <memory>
#include <string>

#include "app/admin_password.h"
#include "app/command_line.h"
#include "app/user_mode.h"
#include "common/host.h"
#include "config/configuration_document.h"
#include "config/configuration_set.h"
#include "hw/hardware.h"
#include "hw/lf_emission.h"
#include "run/lf_sequencer.h"
#include "run/reader_clock.h"
#include "run/run_engine.h"

namespace vornlfrf::app {

inline constexpr char kVersion[] = "v1505.22a";
inline constexpr char kTitle[] = "VornLFRF v1505.22a";

enum Tab { kTabLfConf = 0, kTabRfConf, kTabRunConf, kTabRun, kTabAnalysis, kTabCount };

namespace text {
inline constexpr char kHelpFile[] = "VornLFRF.pdf";
inline constexpr char kHelpMissing[] =
    "The help file doesn't exist.\r\nDownload it from the web server and place it\r\nin the "
    "directory of application";
inline constexpr char kHelpNotOpened[] = "The help file could not be opened:\r\n";
inline constexpr char kApiFile[] = "./API.bin";
inline constexpr char kRemoteUnavailable[] =
    "IPC mode request\r\nRemote control is not available in this version\r\nClose Program";
}  // namespace text

class MainView {
  public:
    virtual ~MainView() = default;
    // Shows only the marker of tab, its window in Onglet, and Onglet.
    virtual void showTab(int tab) = 0;
    // Hides every marker and Onglet.
    virtual void hideTabs() = 0;
    virtual void setSelectorVisible(int tab, bool visible) = 0;
    virtual void setModeEnabled(bool enabled) = 0;
    virtual void setRunImageVisible(bool visible) = 0;  // imgRun
    virtual bool runImageVisible() const = 0;
    virtual void setReloadLastEnabled(bool enabled) = 0;
    // Run window controls revealed by "+EMUL" and "+DEBUG".
    virtual void showEmulationPanel() = 0;
    virtual void showSimulationButton() = 0;
    // Opens a document with the desktop's viewer; false when nothing could open it.
    virtual bool openDocument(const std::string& path) = 0;
    virtual void closeMainWindow() = 0;
};

class MainShell {
  public:
    MainShell(Host& host, CommandLine commandLine, std::string programFolder, MainView& view,
              UserModeView& userModeView);
    ~MainShell();

    config::ConfigurationDocument& document() { return document_; }
    // The configuration models behind the editing windows, registered with the document.
    config::ConfigurationSet& configuration() { return configuration_; }
    // The controller link over the given ports and the run engine on it; their sections join
    // the document. Call once, before the first show. postToUi runs a function on the
    // user-interface thread (the receiver reader's link loss).
    void attachHardware(hw::PortProvider& ports, run::ReaderClock& readerClock,
                        std::function<void(std::function<void()>)> postToUi);
    hw::Hardware* hardware() { return hardware_.get(); }
    run::RunEngine* runEngine() { return runEngine_.get(); }
    // The LF power level of the run window and its warning windows; "Fix" marks the document.
    hw::LfPowerLevel& lfPower() { return lfPower_; }
    // The LF sequencer the run engine's tmrLF drives.
    run::LfSequencer* sequencer() { return sequencer_.get(); }
    const AdminPassword& password() const { return password_; }
    UserMode& userMode() { return userMode_; }
    // "Admin" or "User", the mode in effect, which the LF power control obeys: the mode box
    // may show "Admin" while its password is still being asked, and that does not count.
    std::string userModeText() const {
        return userMode_.effective() == Mode::Admin ? text::kAdmin : text::kUser;
    }
    const CommandLine& commandLine() const { return commandLine_; }
    HostTimer& tmrDebug() { return *tmrDebug_; }
    HostTimer& tmrLblRun() { return *tmrLblRun_; }

    void InitMainWindow();
    // Acts only on the first call.
    void FormShow();

    void SelectTab(int tab);
    // Handler of the five selector buttons: the first selection also ends the start-up wait.
    void SelectOngletClick(int tag);
    void SetRunningLook();
    void SetIdleLook();
    // acRunManip (Ctrl+R) and acRunStart (Ctrl+Alt+R): the Run tab, then its START button.
    void runShortcut();

    void OpenHelp();
    bool FormCloseQuery();
    void FormClose();

    void mnuReloadLastClick();
    void mnuSaveLastClick();
    void LMDLabel1DblClick();

    bool bIpcMode = false;
    bool bFirstShow = true;
    std::string sLastAcqPath;
    std::string sCopiedId;
    // Tag of "Reload last acquisitions": 0 none, 1 replay requested, 2 replayed.
    int reloadLastTag = 0;

    // Hooks of the parts that come with the run, remote and plugin windows.
    std::function<void()> oneTimeInitialisations;    // InitMainWindow step 4
    std::function<bool()> remoteSetUp;               // opens the shared block; false on failure
    std::function<bool()> runActive;                 // bRunning of the run window
    std::function<void()> StartRun;                  // StartRun of the run window
    std::function<void()> butRunClick;               // the run window's START button
    std::function<void()> bringRunModePanelToFront;  // after the Run tab is shown
    std::function<void()> SaveLastAcquisitions;
    // Menu entries a run disables (true) and re-enables (false).
    std::function<void(bool running)> menusForRun;

  private:
    void requestReplay(const std::string& path);
    bool isRunning() const { return runActive && runActive(); }

    Host& host_;
    const CommandLine commandLine_;
    MainView& view_;
    config::ConfigurationDocument document_;
    config::ConfigurationSet configuration_;
    std::unique_ptr<hw::Hardware> hardware_;
    hw::LfPowerLevel lfPower_;
    std::unique_ptr<run::RunEngine> runEngine_;
    std::unique_ptr<run::LfSequencer> sequencer_;
    AdminPassword password_;
    UserMode userMode_;
    std::unique_ptr<HostTimer> tmrDebug_;
    std::unique_ptr<HostTimer> tmrLblRun_;
};

}  // namespace vornlfrf::app
