#include "frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "clickable_label.h"
#include "cp1252.h"
#include "frm_about.h"
#include "frm_analysis.h"
#include "frm_auto_update.h"
#include "frm_autotests.h"
#include "frm_hardware.h"
#include "frm_lf_conf.h"
#include "frm_lf_confirm.h"
#include "frm_lf_stop.h"
#include "frm_log.h"
#include "frm_rf_conf.h"
#include "frm_run.h"
#include "frm_run_conf.h"
#include "frm_splash.h"
#include "icons.h"
#include "lf_level_control.h"
#include "port_provider_linux.h"
#include "thread_reader_clock.h"
#include "widget_geometry.h"

namespace vornlfrf::gui {

namespace {

struct SelectorEntry {
    const char* button;
    const char* caption;
    const char* marker;
};

constexpr SelectorEntry kSelectors[app::kTabCount] = {
    {"butLFConf", "LF Config", "shaLFConf"},      {"butRFConf", "RF Config", "shaRFConf"},
    {"butRunConfig", "Run Config", "shaRunConf"}, {"butRun", "Run", "shaRun"},
    {"butAnalysis", "Plugins", "shaAnalysis"},
};

// X11 keysyms of the two Control keys.
constexpr quint32 kControlLeft = 0xffe3;
constexpr quint32 kControlRight = 0xffe4;

constexpr char kStyle[] = R"(
#panTop { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f7f9fc, stop:1 #e6ebf2);
          border-bottom: 1px solid #c5cdd8; }
#panTop QToolButton { border: 1px solid transparent; border-radius: 4px; padding: 4px 10px;
                      color: #1d2a3a; font-weight: 600; }
#panTop QToolButton:hover { background: #dde6f2; border-color: #b9c7da; }
#panTop QToolButton:pressed { background: #cdd9ea; }
QFrame[marker="true"] { background: #2b6cb0; border-radius: 2px; }
#panHost { background: #fbfcfd; }
#panPassword, #panCreatePassword { background: white; border: 1px solid #9fb0c6;
                                   border-radius: 6px; }
#imgRunText { color: #d62f2f; font-weight: 700; }
QLineEdit[password="true"] { lineedit-password-character: 35; }
)";

QLabel* caption(const char* text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QLineEdit* passwordField(const char* name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setEchoMode(QLineEdit::Password);
    e->setProperty("password", true);
    e->setMaxLength(app::kPasswordMaxLength);
    return e;
}

void retainSpace(QWidget* w) {
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    w->setSizePolicy(p);
}

}  // namespace

TfrmMain::TfrmMain(Host& host, app::CommandLine commandLine, const QString& programFolder,
                   QWidget* parent)
    : QMainWindow(parent) {
    setObjectName("frmMain");
    setWindowTitle(app::kTitle);
    setStyleSheet(kStyle);
    shell_ = std::make_unique<app::MainShell>(host, std::move(commandLine), toPath(programFolder),
                                              *this, *this);
    ports_ = std::make_unique<platform::LinuxPortProvider>();
    readerClock_ = std::make_unique<platform::ThreadReaderClock>();
    shell_->attachHardware(*ports_, *readerClock_, [](std::function<void()> f) {
        QMetaObject::invokeMethod(qApp, std::move(f), Qt::QueuedConnection);
    });

    // Secondary windows, created once and kept until the program ends.
    frmHardware_ = new TfrmHardware(*shell_->hardware(), this);
    frmHardware_->emcMode = [this] {
        return shell_->configuration().run.RunMode() == config::kModeEmc;
    };
    frmHardware_->forcedTypes = shell_->commandLine().sRecTypes;
    frmLog_ = new TfrmLog(document().log(), this);
    frmLFConf_ = new TfrmLFConf(shell().configuration().lf, document());
    frmRFConf_ = new TfrmRFConf(shell().configuration().rf);
    frmRunConf_ =
        new TfrmRunConf(host, shell_->configuration(), [this] { return shell_->sCopiedId; });
    frmRunConf_->setPortProvider(ports_.get());
    // "Get ID" takes the IDs the current or last run received.
    frmRunConf_->setRunIdSource([this] {
        runIds_.clear();
        for (const run::IdEntry& e : shell_->runEngine()->resultLog().idEntries())
            runIds_.push_back(e.id);
        return &runIds_;
    });
    frmRun_ = new TfrmRun(host, *shell_->runEngine(), *shell_->sequencer(), shell_->configuration(),
                          *shell_->hardware());
    frmRun_->setLevelControl(
        new LfLevelControl(shell_->lfPower(), [this] { return shell_->userModeText(); }));
    frmAnalysis_ = new TfrmAnalysis;
    frmLFConfirm_ = new TfrmLFConfirm(shell_->lfPower(), this);
    frmAutoUpdate_ = new TfrmAutoUpdate(this);
    frmAutotests_ = new TfrmAutotests(this);
    frmAbout_ = new TfrmAbout(this);
    frmLFStop_ = new TfrmLFStop(shell_->lfPower(), this);
    frmSplash_ = std::make_unique<TfrmSplash>();
    tabs_ = {frmLFConf_, frmRFConf_, frmRunConf_, frmRun_, frmAnalysis_};

    auto* central = new QWidget(this);
    central->setObjectName("panMain");
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildToolBar());
    layout->addWidget(buildTabHost(), 1);
    setCentralWidget(central);
    buildMenu();
    buildPasswordPanels(panHost_);
    if (shell_->commandLine().bEndurances) frmRun_->enableEndurances();
    if (shell_->commandLine().smallPageHeight)
        frmRun_->setResultPagesHeight(*shell_->commandLine().smallPageHeight);
    shell_->bringRunModePanelToFront = [this] { frmRun_->ShowModePanel(); };
    shell_->butRunClick = [this] { frmRun_->butRunClick(false); };
    shell_->menusForRun = [this](bool running) {
        for (const char* name : {"mnuHardware", "mnuNewConfiguration", "mnuLoadConfiguration",
                                 "mnuSaveConfiguration", "mnuAutoUpdateconfiguration", "mnuQuit"})
            popMode_->findChild<QAction*>(name)->setEnabled(!running);
        mnuReloadLast_->setEnabled(running);
        // Saving is offered again unless the run replayed a recording instead of the stream.
        mnuSaveLast_->setEnabled(!running && shell_->runEngine()->reloadLastTag == 0);
    };

    setMinimumSize(790, 200);
    resize(1024, 640);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    mainGeometry_ = new WidgetGeometry(this);
    logGeometry_ = new WidgetGeometry(frmLog_);
    mainSection_ = std::make_unique<app::MainSection>(*mainGeometry_, shell_->commandLine());
    logSection_ = std::make_unique<app::LogSection>(*logGeometry_);
    document().setHandler(config::SectionSlot::Main, mainSection_.get());
    document().setHandler(config::SectionSlot::Log, logSection_.get());
    document().onCaptionChanged = [this](const std::string& c) { setWindowTitle(fromPath(c)); };
    document().onBeforeLoad = [this] { hideTabs(); };
    document().onShowLog = [this] { showModal(*frmLog_); };

    modalRunner = [](QDialog& d) { d.exec(); };
    documentOpener = [](const QString& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };

    auto* ctrlM = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_M), this);
    connect(ctrlM, &QShortcut::activated, this, [this] { showModal(*frmAutotests_); });
    auto* acRunManip = new QAction("Run", this);
    acRunManip->setObjectName("acRunManip");
    acRunManip->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    auto* acRunStart = new QAction("Run start", this);
    acRunStart->setObjectName("acRunStart");
    acRunStart->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R));
    for (QAction* a : {acRunManip, acRunStart}) {
        addAction(a);
        connect(a, &QAction::triggered, this, [this] { shell_->runShortcut(); });
    }
    qApp->installEventFilter(this);
}

TfrmMain::~TfrmMain() {
    qApp->removeEventFilter(this);
    document().onCaptionChanged = nullptr;
    document().onShowLog = nullptr;
    document().onBeforeLoad = nullptr;
    document().setHandler(config::SectionSlot::Main, nullptr);
    document().setHandler(config::SectionSlot::Log, nullptr);
    // The log window follows the document's log, which dies with the shell before the children;
    // the run window follows the run engine.
    delete frmLog_;
    shell_->bringRunModePanelToFront = nullptr;
    shell_->butRunClick = nullptr;
    delete frmRun_;
}

QWidget* TfrmMain::buildToolBar() {
    auto* bar = new QFrame(this);
    bar->setObjectName("panTop");
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 6, 10, 2);
    row->setSpacing(4);

    butConfig_ = new QToolButton(bar);
    butConfig_->setObjectName("butConfig");
    butConfig_->setText("Menu");
    butConfig_->setIcon(QIcon(icons::menu(20)));
    butConfig_->setIconSize(QSize(20, 20));
    butConfig_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    butConfig_->installEventFilter(this);
    connect(butConfig_, &QToolButton::clicked, this, [this] { butConfigClick(); });
    auto* configColumn = new QVBoxLayout;
    configColumn->setSpacing(2);
    configColumn->addWidget(butConfig_);
    configColumn->addSpacing(4);
    row->addLayout(configColumn);

    auto* separator = new QFrame(bar);
    separator->setFrameShape(QFrame::VLine);
    separator->setStyleSheet("color: #c5cdd8;");
    row->addWidget(separator);

    for (int tab = 0; tab < app::kTabCount; ++tab) {
        auto* b = new QToolButton(bar);
        b->setObjectName(kSelectors[tab].button);
        b->setText(kSelectors[tab].caption);
        b->setProperty("Tag", tab);
        b->setMinimumWidth(96);
        connect(b, &QToolButton::clicked, this,
                [this, b] { shell_->SelectOngletClick(b->property("Tag").toInt()); });
        auto* marker = new QFrame(bar);
        marker->setObjectName(kSelectors[tab].marker);
        marker->setProperty("marker", true);
        marker->setFixedHeight(4);
        retainSpace(marker);
        marker->hide();
        auto* column = new QVBoxLayout;
        column->setSpacing(2);
        column->addWidget(b);
        column->addWidget(marker);
        row->addLayout(column);
        selectors_[tab] = b;
        markers_[tab] = marker;
    }
    row->addStretch(1);

    imgRun_ = new QLabel(bar);
    imgRun_->setObjectName("imgRun");
    imgRun_->setPixmap(icons::runDot(16));
    imgRun_->setToolTip("Run in progress");
    retainSpace(imgRun_);
    imgRun_->hide();
    row->addWidget(imgRun_);
    row->addSpacing(12);

    LMDLabel1_ = new ClickableLabel("Mode", bar);
    LMDLabel1_->setObjectName("LMDLabel1");
    connect(LMDLabel1_, &ClickableLabel::doubleClicked, this,
            [this] { shell_->LMDLabel1DblClick(); });
    row->addWidget(LMDLabel1_);
    cboMode_ = new QComboBox(bar);
    cboMode_->setObjectName("cboMode");
    cboMode_->setMinimumWidth(90);
    // Only operator choices are acted upon, not selections made by the program.
    connect(cboMode_, &QComboBox::activated, this, [this](int index) {
        shell_->userMode().cboModeChange(toCp1252(cboMode_->itemText(index)));
    });
    row->addWidget(cboMode_);
    imgClef_ = new QLabel(bar);
    imgClef_->setObjectName("imgClef");
    imgClef_->setPixmap(icons::key(22));
    imgClef_->setToolTip("Admin mode is protected by a password");
    retainSpace(imgClef_);
    imgClef_->hide();
    row->addWidget(imgClef_);
    row->addSpacing(8);
    imgHelp_ = new ClickableLabel(bar);
    imgHelp_->setObjectName("imgHelp");
    imgHelp_->setPixmap(icons::help(22));
    imgHelp_->setToolTip("Help");
    imgHelp_->setCursor(Qt::PointingHandCursor);
    connect(imgHelp_, &ClickableLabel::clicked, this, [this] { shell_->OpenHelp(); });
    row->addWidget(imgHelp_);
    return bar;
}

QWidget* TfrmMain::buildTabHost() {
    panHost_ = new QWidget(this);
    panHost_->setObjectName("panHost");
    panHost_->setAttribute(Qt::WA_StyledBackground);
    panHost_->installEventFilter(this);
    auto* layout = new QVBoxLayout(panHost_);
    layout->setContentsMargins(0, 0, 0, 0);
    Onglet_ = new QStackedWidget(panHost_);
    Onglet_->setObjectName("Onglet");
    for (QWidget* w : tabs_) Onglet_->addWidget(w);
    Onglet_->hide();
    layout->addWidget(Onglet_);
    return panHost_;
}

void TfrmMain::buildMenu() {
    popMode_ = new QMenu(this);
    popMode_->setObjectName("popMode");
    auto entry = [this](QMenu* menu, const char* name, const char* text, auto handler) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    auto& doc = document();
    entry(popMode_, "mnuNewConfiguration", "New configuration", [&doc] { doc.newConfiguration(); });
    entry(popMode_, "mnuLoadConfiguration", "Load configuration...",
          [&doc] { doc.loadConfiguration(); });
    entry(popMode_, "mnuSaveConfigurationAs", "Save configuration as...",
          [&doc] { doc.saveConfigurationAs(); });
    entry(popMode_, "mnuSaveConfiguration", "Save configuration",
          [&doc] { doc.saveConfiguration(); });
    popMode_->addSeparator();
    entry(popMode_, "mnuHardware", "Hardware", [this] { showModal(*frmHardware_); });
    entry(popMode_, "mnuLOSSensor", "LSE Sensor status", [this] {
        if (showLseSensorStatus) showLseSensorStatus();
    })->setVisible(false);
    entry(popMode_, "mnuAlertStatus", "Alert Status", [this] {
        if (showAlertStatus) showAlertStatus();
    })->setVisible(false);
    mnuReloadLast_ = entry(popMode_, "mnuReloadLast", "Reload last acquisitions",
                           [this] { shell_->mnuReloadLastClick(); });
    mnuReloadLast_->setEnabled(false);
    mnuSaveLast_ = entry(popMode_, "mnuSaveLast", "Save last acquisitions",
                         [this] { shell_->mnuSaveLastClick(); });
    mnuSaveLast_->setEnabled(false);
    entry(popMode_, "mnuLog", "View Log messages", [this] { showModal(*frmLog_); });
    entry(popMode_, "mnuAutoUpdateconfiguration", "AutoUpdate configuration", [this] {
        frmAutoUpdate_->show();
        frmAutoUpdate_->raise();
    });
    popMode_->addSeparator();
    QMenu* password = popMode_->addMenu("Password");
    password->setObjectName("mnuPassword");
    password->menuAction()->setObjectName("mnuPasswordEntry");
    entry(password, "mnuCreatePassword", "Create or change the password",
          [this] { shell_->userMode().mnuCreatePasswordClick(); });
    entry(password, "mnuDeletePassword", "Delete the password",
          [this] { shell_->userMode().mnuDeletePasswordClick(); });
    entry(popMode_, "mnuAbout", "Informations ...", [this] { showModal(*frmAbout_); });
    mnuAutotests_ = entry(popMode_, "mnuAutotests", "---------- MAINTENANCE ----------",
                          [this] { showModal(*frmAutotests_); });
    mnuAutotests_->setVisible(false);
    entry(popMode_, "mnuHelp", "Help", [this] { shell_->OpenHelp(); });
    popMode_->addSeparator();
    entry(popMode_, "mnuQuit", "Quit", [this] { close(); });
}

void TfrmMain::buildPasswordPanels(QWidget* host) {
    panPassword_ = new QFrame(host);
    panPassword_->setObjectName("panPassword");
    {
        auto* grid = new QGridLayout(panPassword_);
        grid->setContentsMargins(16, 12, 16, 12);
        grid->addWidget(caption("Enter the actual password :", panPassword_), 0, 0, 1, 2);
        txtPassword_ = passwordField("txtPassword", panPassword_);
        grid->addWidget(txtPassword_, 1, 0, 1, 2);
        butOK_ = new QPushButton("OK", panPassword_);
        butOK_->setObjectName("butOK");
        butOK_->setDefault(true);
        auto* butCancel = new QPushButton("Cancel", panPassword_);
        butCancel->setObjectName("butCancel");
        grid->addWidget(butOK_, 2, 0);
        grid->addWidget(butCancel, 2, 1);
        auto ok = [this] { shell_->userMode().butOKClick(toCp1252(txtPassword_->text())); };
        connect(butOK_, &QPushButton::clicked, this, ok);
        connect(txtPassword_, &QLineEdit::returnPressed, this, ok);
        connect(butCancel, &QPushButton::clicked, this,
                [this] { shell_->userMode().butCancelClick(); });
    }
    panPassword_->adjustSize();
    panPassword_->hide();

    panCreatePassword_ = new QFrame(host);
    panCreatePassword_->setObjectName("panCreatePassword");
    {
        auto* grid = new QGridLayout(panCreatePassword_);
        grid->setContentsMargins(16, 12, 16, 12);
        grid->addWidget(caption("Create a new password :", panCreatePassword_), 0, 0, 1, 3);
        lblCreateActual_ = new QLabel("Actual :", panCreatePassword_);
        lblCreateActual_->setObjectName("lblCreateActual");
        txtCreateActual_ = passwordField("txtCreateActual", panCreatePassword_);
        txtCreatePassword_ = passwordField("txtCreatePassword", panCreatePassword_);
        txtCreateConfirm_ = passwordField("txtCreateConfirm", panCreatePassword_);
        grid->addWidget(lblCreateActual_, 1, 0);
        grid->addWidget(txtCreateActual_, 1, 1, 1, 2);
        grid->addWidget(new QLabel("New :", panCreatePassword_), 2, 0);
        grid->addWidget(txtCreatePassword_, 2, 1, 1, 2);
        grid->addWidget(new QLabel("Confirm :", panCreatePassword_), 3, 0);
        grid->addWidget(txtCreateConfirm_, 3, 1, 1, 2);
        auto* butCreateOK = new QPushButton("OK", panCreatePassword_);
        butCreateOK->setObjectName("butCreateOK");
        auto* butCreateCancel = new QPushButton("Cancel", panCreatePassword_);
        butCreateCancel->setObjectName("butCreateCancel");
        grid->addWidget(butCreateOK, 4, 1);
        grid->addWidget(butCreateCancel, 4, 2);
        connect(butCreateOK, &QPushButton::clicked, this, [this] {
            shell_->userMode().butCreateOKClick(toCp1252(txtCreateActual_->text()),
                                                toCp1252(txtCreatePassword_->text()),
                                                toCp1252(txtCreateConfirm_->text()));
        });
        connect(butCreateCancel, &QPushButton::clicked, this,
                [this] { shell_->userMode().butCreateCancelClick(); });
    }
    panCreatePassword_->adjustSize();
    panCreatePassword_->hide();
}

void TfrmMain::placePanels() {
    for (QFrame* p : {panPassword_, panCreatePassword_}) {
        const QSize s = p->sizeHint().expandedTo(QSize(280, 0));
        p->setGeometry(QRect(QPoint((panHost_->width() - s.width()) / 2, 40), s));
    }
}

void TfrmMain::InitMainWindow() {
    cboMode_->clear();
    cboMode_->addItem(app::text::kAdmin);
    cboMode_->addItem(app::text::kUser);
    shell_->InitMainWindow();
}

void TfrmMain::butConfigClick() {
    const bool control = clickModifiers_ & Qt::ControlModifier;
    if (control && controlSide_ != ControlSide::Right) mnuAutotests_->setVisible(true);
    popMode_->popup(butConfig_->mapToGlobal(QPoint(0, butConfig_->height())));
}

void TfrmMain::showModal(QDialog& dialog) {
    modalRunner(dialog);
}

// --- app::MainView ---

void TfrmMain::showTab(int tab) {
    for (QFrame* m : markers_) m->hide();
    markers_[static_cast<std::size_t>(tab)]->show();
    Onglet_->setCurrentWidget(tabs_[static_cast<std::size_t>(tab)]);
    Onglet_->show();
}

void TfrmMain::hideTabs() {
    for (QFrame* m : markers_) m->hide();
    Onglet_->hide();
}

void TfrmMain::setSelectorVisible(int tab, bool visible) {
    selectors_[static_cast<std::size_t>(tab)]->setVisible(visible);
}

void TfrmMain::setModeEnabled(bool enabled) {
    cboMode_->setEnabled(enabled);
}

void TfrmMain::setRunImageVisible(bool visible) {
    imgRun_->setVisible(visible);
}

bool TfrmMain::runImageVisible() const {
    return !imgRun_->isHidden();
}

void TfrmMain::setReloadLastEnabled(bool enabled) {
    mnuReloadLast_->setEnabled(enabled);
}

void TfrmMain::showEmulationPanel() {
    frmRun_->panDebug()->show();
}

void TfrmMain::showSimulationButton() {
    frmRun_->butDebug()->show();
}

bool TfrmMain::openDocument(const std::string& path) {
    return documentOpener(fromPath(path));
}

void TfrmMain::closeMainWindow() {
    if (!isVisible()) closedAtStart_ = true;
    close();
}

// --- app::UserModeView ---

void TfrmMain::SetAdminLayout() {
    hideTabs();
    selectors_[app::kTabLfConf]->show();
    selectors_[app::kTabRfConf]->show();
}

void TfrmMain::SetUserLayout() {
    hideTabs();
    selectors_[app::kTabLfConf]->hide();
    selectors_[app::kTabRfConf]->hide();
}

void TfrmMain::setKeySymbolVisible(bool visible) {
    imgClef_->setVisible(visible);
}

void TfrmMain::selectMode(app::Mode mode) {
    cboMode_->setCurrentIndex(static_cast<int>(mode));
}

void TfrmMain::showPasswordPanel(const std::string& okCaption) {
    butOK_->setText(fromCp1252(okCaption));
    txtPassword_->clear();
    placePanels();
    panPassword_->show();
    panPassword_->raise();
    txtPassword_->setFocus();
}

void TfrmMain::hidePasswordPanel() {
    panPassword_->hide();
}

void TfrmMain::showCreatePanel(bool actualEnabled) {
    lblCreateActual_->setEnabled(actualEnabled);
    txtCreateActual_->setEnabled(actualEnabled);
    txtCreateActual_->clear();
    txtCreatePassword_->clear();
    txtCreateConfirm_->clear();
    placePanels();
    panCreatePassword_->show();
    panCreatePassword_->raise();
    (actualEnabled ? txtCreateActual_ : txtCreatePassword_)->setFocus();
}

void TfrmMain::hideCreatePanel() {
    panCreatePassword_->hide();
}

// --- events ---

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    shell_->FormShow();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!shell_->FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TfrmMain::FormClose() {
    shell_->FormClose();
    for (QWidget* w : std::initializer_list<QWidget*>{frmSplash_.get(), frmAbout_, frmLog_,
                                                      frmHardware_, frmAutotests_, frmAutoUpdate_})
        w->close();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Control && !key->isAutoRepeat()) {
                if (event->type() == QEvent::KeyRelease)
                    controlSide_ = ControlSide::None;
                else if (key->nativeVirtualKey() == kControlLeft)
                    controlSide_ = ControlSide::Left;
                else if (key->nativeVirtualKey() == kControlRight)
                    controlSide_ = ControlSide::Right;
                else
                    controlSide_ = ControlSide::Unknown;
            }
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            if (watched == butConfig_)
                clickModifiers_ = static_cast<QMouseEvent*>(event)->modifiers();
            break;
        case QEvent::Resize:
            if (watched == panHost_) placePanels();
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace vornlfrf::gui
