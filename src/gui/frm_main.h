#pragma once
// The main window: tool bar with the five tab selectors, the tab host Onglet, the menu popMode,
// the user modes and the password panels. Behaviour lives in app::MainShell and app::UserMode;
// this class only shows it.

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

#include "app/geometry_sections.h"
#include "app/main_shell.h"

class QAction;
class QComboBox;
class QDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace vornlfrf::gui {

class ClickableLabel;
class TfrmAbout;
class TfrmAnalysis;
class TfrmAutoUpdate;
class TfrmAutotests;
class TfrmHardware;
class TfrmLFConf;
class TfrmLFConfirm;
class TfrmLFStop;
class TfrmLog;
class TfrmRFConf;
class TfrmRun;
class TfrmRunConf;
class TfrmSplash;
class WidgetGeometry;

class TfrmMain : public QMainWindow, public app::MainView, public app::UserModeView {
    Q_OBJECT
  public:
    TfrmMain(Host& host, app::CommandLine commandLine, const QString& programFolder,
             QWidget* parent = nullptr);
    ~TfrmMain() override;

    app::MainShell& shell() { return *shell_; }
    config::ConfigurationDocument& document() { return shell_->document(); }

    void InitMainWindow();
    void SelectTab(int tab) { shell_->SelectTab(tab); }
    void SetRunningLook() { shell_->SetRunningLook(); }
    void SetIdleLook() { shell_->SetIdleLook(); }
    // True when the start-up closed the window before it was ever shown (remote mode failure).
    bool closedAtStart() const { return closedAtStart_; }

    TfrmSplash* frmSplash() const { return frmSplash_.get(); }
    TfrmLog* frmLog() const { return frmLog_; }
    TfrmLFConf* frmLFConf() const { return frmLFConf_; }
    TfrmRFConf* frmRFConf() const { return frmRFConf_; }
    TfrmRunConf* frmRunConf() const { return frmRunConf_; }
    TfrmRun* frmRun() const { return frmRun_; }
    TfrmAnalysis* frmAnalysis() const { return frmAnalysis_; }
    TfrmHardware* frmHardware() const { return frmHardware_; }
    TfrmLFConfirm* frmLFConfirm() const { return frmLFConfirm_; }
    TfrmLFStop* frmLFStop() const { return frmLFStop_; }

    // Modal windows are shown through this; tests replace it so nothing blocks.
    std::function<void(QDialog&)> modalRunner;
    // Opens a local document with the desktop's viewer.
    std::function<bool(const QString&)> documentOpener;
    // Windows that come with the run: the LSE sensor and alert status entries.
    std::function<void()> showLseSensorStatus;
    std::function<void()> showAlertStatus;

    // app::MainView
    void showTab(int tab) override;
    void hideTabs() override;
    void setSelectorVisible(int tab, bool visible) override;
    void setModeEnabled(bool enabled) override;
    void setRunImageVisible(bool visible) override;
    bool runImageVisible() const override;
    void setReloadLastEnabled(bool enabled) override;
    void showEmulationPanel() override;
    void showSimulationButton() override;
    bool openDocument(const std::string& path) override;
    void closeMainWindow() override;

    // app::UserModeView
    void SetAdminLayout() override;
    void SetUserLayout() override;
    void setKeySymbolVisible(bool visible) override;
    void selectMode(app::Mode mode) override;
    void showPasswordPanel(const std::string& okCaption) override;
    void hidePasswordPanel() override;
    void showCreatePanel(bool actualEnabled) override;
    void hideCreatePanel() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class ControlSide { None, Left, Right, Unknown };

    QWidget* buildToolBar();
    QWidget* buildTabHost();
    void buildMenu();
    void buildPasswordPanels(QWidget* host);
    void placePanels();
    void butConfigClick();
    void showModal(QDialog& dialog);
    void FormClose();

    std::unique_ptr<hw::PortProvider> ports_;
    std::unique_ptr<run::ReaderClock> readerClock_;
    std::vector<std::string> runIds_;
    std::unique_ptr<app::MainShell> shell_;
    WidgetGeometry* mainGeometry_ = nullptr;
    WidgetGeometry* logGeometry_ = nullptr;
    std::unique_ptr<app::MainSection> mainSection_;
    std::unique_ptr<app::LogSection> logSection_;

    TfrmHardware* frmHardware_ = nullptr;
    TfrmLog* frmLog_ = nullptr;
    TfrmLFConf* frmLFConf_ = nullptr;
    TfrmRFConf* frmRFConf_ = nullptr;
    TfrmRunConf* frmRunConf_ = nullptr;
    TfrmRun* frmRun_ = nullptr;
    TfrmAnalysis* frmAnalysis_ = nullptr;
    TfrmLFConfirm* frmLFConfirm_ = nullptr;
    TfrmLFStop* frmLFStop_ = nullptr;
    TfrmAutoUpdate* frmAutoUpdate_ = nullptr;
    TfrmAutotests* frmAutotests_ = nullptr;
    TfrmAbout* frmAbout_ = nullptr;
    std::unique_ptr<TfrmSplash> frmSplash_;

    QToolButton* butConfig_ = nullptr;
    std::array<QToolButton*, app::kTabCount> selectors_{};
    std::array<QFrame*, app::kTabCount> markers_{};
    std::array<QWidget*, app::kTabCount> tabs_{};
    QStackedWidget* Onglet_ = nullptr;
    QWidget* panHost_ = nullptr;
    QComboBox* cboMode_ = nullptr;
    ClickableLabel* LMDLabel1_ = nullptr;
    QLabel* imgClef_ = nullptr;
    QLabel* imgRun_ = nullptr;
    ClickableLabel* imgHelp_ = nullptr;

    QMenu* popMode_ = nullptr;
    QAction* mnuReloadLast_ = nullptr;
    QAction* mnuSaveLast_ = nullptr;
    QAction* mnuAutotests_ = nullptr;

    QFrame* panPassword_ = nullptr;
    QLineEdit* txtPassword_ = nullptr;
    QPushButton* butOK_ = nullptr;
    QFrame* panCreatePassword_ = nullptr;
    QLabel* lblCreateActual_ = nullptr;
    QLineEdit* txtCreateActual_ = nullptr;
    QLineEdit* txtCreatePassword_ = nullptr;
    QLineEdit* txtCreateConfirm_ = nullptr;

    Qt::KeyboardModifiers clickModifiers_;
    ControlSide controlSide_ = ControlSide::None;
    bool closedAtStart_ = false;
};

}  // namespace vornlfrf::gui
