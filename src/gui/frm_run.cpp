#include "frm_run.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <string_view>

#include "clickable_label.h"
#include "cp1252.h"
#include "fra_graphic.h"
#include "run_lists.h"
#include "run_pictures.h"

namespace vornlfrf::gui {

namespace {

constexpr int kLedPeriodMs = 50;
constexpr int kPerfPeriodMs = 1000;
constexpr int kEndurancePeriodMs = 4000;
constexpr int kLedSize = 16;
constexpr int kSamplesPerScroll = 100000;
constexpr char kStartTime[] = "00h 00mn 00s";
constexpr char kDtlgInitial[] = "2.61950000E+01 , 00000000.017 , 104 , 0";
const char* const kReceiverNames[4] = {"Ext", "Ant 1", "Ant 2", "Ant 3"};

constexpr char kStyle[] = R"(
#panRunTop { background: #f3f6fa; border-bottom: 1px solid #c5cdd8; }
#butRun { font-size: 15px; font-weight: 700; border-radius: 6px; padding: 6px 18px;
          color: white; background: #2e8b46; border: 1px solid #236b36; min-width: 96px; }
#butRun:hover { background: #339c4e; }
#butRun[state="stop"] { background: #c62828; border-color: #962020; }
#butRun[state="stop"]:hover { background: #d83434; }
#butRun:disabled { background: #9aa4b0; border-color: #86909c; }
#shaRun { color: white; background: #c62828; border-radius: 9px; padding: 2px 10px;
          font-weight: 700; }
QFrame[channelBox="true"] { background: white; border: 1px solid #d3dae3; border-radius: 5px; }
QLabel[caption="true"] { color: #5a6676; }
QLabel[value="true"] { color: #1d2a3a; }
#lblDirectory { color: #1d2a3a; }
#lblDeltaT, #lblDeltaT_ID { font-weight: 700; color: #2b4c7e; min-width: 70px; }
#lblSCRIPTCommande, #lblCurrentID { font-family: monospace; color: #1d2a3a; }
#panViewScript { background: white; border: 1px solid #8fa3bd; border-radius: 5px; }
#panViewScriptTitle { background: #dde6f2; padding: 3px 6px; font-weight: 600; }
QGroupBox { font-weight: 600; }
)";

void setMark(QWidget* w, const char* property) {
    w->setProperty(property, true);
    // Bold through the font, so that the label measures its text as it is drawn.
    if (std::string_view(property) == "value") {
        QFont f = w->font();
        f.setWeight(QFont::DemiBold);
        w->setFont(f);
    }
}

void repolish(QWidget* w) {
    w->style()->unpolish(w);
    w->style()->polish(w);
}

void setTextIfChanged(QLabel* l, const QString& text) {
    if (l->text() != text) l->setText(text);
}

// Caption bar of a floating panel: dragging it moves the panel.
class DragBar : public QLabel {
  public:
    DragBar(const QString& text, QWidget* panel) : QLabel(text, panel), panel_(panel) {
        setCursor(Qt::SizeAllCursor);
    }

  protected:
    void mousePressEvent(QMouseEvent* e) override {
        grab_ = e->globalPosition().toPoint() - panel_->pos();
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (e->buttons() & Qt::LeftButton) panel_->move(e->globalPosition().toPoint() - grab_);
    }

  private:
    QWidget* panel_;
    QPoint grab_;
};

}  // namespace

TfrmRun::TfrmRun(Host& host, run::RunEngine& engine, run::LfSequencer& sequencer,
                 config::ConfigurationSet& cfg, hw::Hardware& hardware, QWidget* parent)
    : QWidget(parent), host_(host), engine_(engine), seq_(sequencer), cfg_(cfg), hw_(hardware) {
    setObjectName("frmRun");
    setStyleSheet(kStyle);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTopBar());

    auto* body = new QSplitter(Qt::Horizontal, this);
    body->setObjectName("splRun");
    body->setChildrenCollapsible(false);
    auto* side = new QWidget(body);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout_ = sideLayout;
    sideLayout->setContentsMargins(8, 8, 4, 8);
    sideLayout->addWidget(buildModePanels());
    sideLayout->addWidget(buildInformationsPanel());
    sideLayout->addWidget(buildDebugPanel());
    sideLayout->addStretch(1);
    side->setMinimumWidth(270);
    body->addWidget(side);
    body->addWidget(buildPages());
    body->setStretchFactor(1, 1);
    body->setSizes({300, 900});
    layout->addWidget(body, 1);
    buildViewScriptPanel();

    bindEngine();
    bindSequencer();
    tmrLED_ = host_.createTimer(kLedPeriodMs, [this] { tmrLEDTimer(); });
    tmrLED_->setEnabled(true);
    tmrPerf_ = host_.createTimer(kPerfPeriodMs, [this] { tmrPerfTimer(); });
    tmrPerf_->setEnabled(true);
    ShowModePanel();
}

TfrmRun::~TfrmRun() {
    tmrLED_->setEnabled(false);
    tmrPerf_->setEnabled(false);
    if (tmrEndurancesStartStop_) tmrEndurancesStartStop_->setEnabled(false);
    engine_.hooks = savedHooks_;
    engine_.resultLog().hooks = savedLogHooks_;
}

QLabel* TfrmRun::label(const char* name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

// --- building ---

void TfrmRun::setLevelControl(QWidget* control) {
    // Under the mode panels: the level is set before and during the emissions they drive.
    sideLayout_->insertWidget(1, control);
}

QWidget* TfrmRun::buildTopBar() {
    auto* bar = new QFrame(this);
    bar->setObjectName("panRunTop");
    bar->setAttribute(Qt::WA_StyledBackground);
    auto* column = new QVBoxLayout(bar);
    column->setContentsMargins(10, 8, 10, 6);
    column->setSpacing(6);
    auto* row = new QHBoxLayout;
    row->setSpacing(12);

    butRun_ = new QPushButton(run::text::kStart, bar);
    butRun_->setObjectName("butRun");
    butRun_->setMinimumHeight(40);
    butRun_->setToolTip("Start or stop the run (Ctrl+click: performance counters)");
    connect(butRun_, &QPushButton::clicked, this, [this] {
        const Qt::KeyboardModifiers m = QApplication::keyboardModifiers();
        butRunClick((m & Qt::ControlModifier) && !(m & Qt::AltModifier));
    });
    row->addWidget(butRun_);
    shaRun_ = label("shaRun", "RUN", bar);
    shaRun_->setToolTip("Run in progress");
    QSizePolicy keep = shaRun_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    shaRun_->setSizePolicy(keep);
    shaRun_->hide();
    row->addWidget(shaRun_);

    // Controllers.
    auto* controllers = new QGridLayout;
    controllers->setHorizontalSpacing(6);
    controllers->setVerticalSpacing(1);
    imgVornTx_ = label("imgVornTx", {}, bar);
    imgVornRx_ = new ClickableLabel(bar);
    imgVornRx_->setObjectName("imgVornRx");
    connect(imgVornRx_, &ClickableLabel::doubleClicked, this, [this] { imgVornRxDblClick(); });
    lblLED_TX_ = new ClickableLabel("TX", bar);
    lblLED_TX_->setObjectName("lblLED_TX");
    lblLED_RX_ = new ClickableLabel("RX", bar);
    lblLED_RX_->setObjectName("lblLED_RX");
    connect(lblLED_RX_, &ClickableLabel::doubleClicked, this, [this] { lblLED_RXDblClick(); });
    for (QLabel* l : {static_cast<QLabel*>(lblLED_TX_), static_cast<QLabel*>(lblLED_RX_)}) {
        setMark(l, "caption");
        l->setAlignment(Qt::AlignCenter);
    }
    controllers->addWidget(imgVornTx_, 0, 0, Qt::AlignCenter);
    controllers->addWidget(imgVornRx_, 0, 1, Qt::AlignCenter);
    controllers->addWidget(lblLED_TX_, 1, 0);
    controllers->addWidget(lblLED_RX_, 1, 1);
    row->addLayout(controllers);
    setControllerImage(true, engine_.imgVornTx);
    setControllerImage(false, engine_.imgVornRx);

    // Channels: LED, receiver name and receiver type.
    for (int c = 0; c < 4; ++c) {
        auto* box = new QFrame(bar);
        box->setObjectName(QString("panChannel%1").arg(c + 1));
        setMark(box, "channelBox");
        auto* g = new QGridLayout(box);
        g->setContentsMargins(8, 4, 10, 4);
        g->setHorizontalSpacing(6);
        g->setVerticalSpacing(0);
        const QByteArray n = QByteArray::number(c + 1);
        imgCh_[c] = label(("imgCh" + n).constData(), {}, box);
        lblRecepteur_[c] = label(("lblRecepteur" + n).constData(), kReceiverNames[c], box);
        setMark(lblRecepteur_[c], "caption");
        lblChannel_[c] = label(("lblChannel" + n).constData(), "?", box);
        setMark(lblChannel_[c], "value");
        lblChannel_[c]->setMinimumWidth(80);
        g->addWidget(imgCh_[c], 0, 0, 2, 1, Qt::AlignVCenter);
        g->addWidget(lblRecepteur_[c], 0, 1);
        g->addWidget(lblChannel_[c], 1, 1);
        row->addWidget(box);
        showLed(c, false);
    }

    auto* lf = new QVBoxLayout;
    lf->setSpacing(1);
    imgLF_ = label("imgLF", {}, bar);
    imgLF_->setToolTip("LF emission");
    auto* lfCaption = new QLabel("LF", bar);
    setMark(lfCaption, "caption");
    lf->addWidget(imgLF_, 0, Qt::AlignCenter);
    lf->addWidget(lfCaption, 0, Qt::AlignCenter);
    row->addLayout(lf);
    row->addStretch(1);
    column->addLayout(row);

    auto* folder = new QHBoxLayout;
    auto* caption = new QLabel("Results folder:", bar);
    setMark(caption, "caption");
    folder->addWidget(caption);
    lblDirectory_ = label("lblDirectory", "-", bar);
    lblDirectory_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    folder->addWidget(lblDirectory_, 1);
    column->addLayout(folder);
    return bar;
}

QWidget* TfrmRun::buildModePanels() {
    panModes_ = new QStackedWidget(this);
    panModes_->setObjectName("panLF");
    panNone_ = new QGroupBox("No LF emission", panModes_);
    panNone_->setObjectName("panNoMode");
    auto* none = new QVBoxLayout(panNone_);
    auto* noneText = new QLabel("Reception only: no LF mode is selected.", panNone_);
    noneText->setWordWrap(true);
    setMark(noneText, "caption");
    none->addWidget(noneText);
    modePanels_ = {buildManualPanel(),
                   buildScriptPanel(),
                   buildCyclicPanel(0, "panBrodcast", "Broadcast", "BROD"),
                   buildCyclicPanel(1, "panIndividual", "Individual", "IND"),
                   buildTestPanel(0, "panEMC", "EMC", "EMC"),
                   buildTestPanel(1, "panTSTLF", "TSTLF", "TSTLF")};
    for (QWidget* p : modePanels_) panModes_->addWidget(p);
    panModes_->addWidget(panNone_);
    panModes_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    return panModes_;
}

QWidget* TfrmRun::buildManualPanel() {
    auto* pan = new QGroupBox("Manual", this);
    pan->setObjectName("panManual");
    auto* grid = new QGridLayout(pan);
    grid->setVerticalSpacing(6);
    cboManualFrames_ = new QComboBox(pan);
    cboManualFrames_->setObjectName("cboManualFrames");
    cboManualFrames_->setEnabled(false);
    cboManualFrames_->setMinimumWidth(150);
    connect(cboManualFrames_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (fillingManualFrames_) return;
        engine_.cboManualFramesIndex = index;
        seq_.cboManualFramesChange();
    });
    grid->addWidget(new QLabel("Frame:", pan), 0, 0);
    grid->addWidget(cboManualFrames_, 0, 1, 1, 2);

    lblNFrame_ = label("lblNFrame", "Frames:", pan);
    cboNFrame_ = new QComboBox(pan);
    cboNFrame_->setObjectName("cboNFrame");
    cboNFrame_->setEditable(true);
    cboNFrame_->addItem("Cont");
    for (int i = 1; i <= 255; ++i) cboNFrame_->addItem(QString::number(i));
    connect(cboNFrame_, &QComboBox::currentTextChanged, this,
            [this](const QString& t) { seq_.cboNFrame = toCp1252(t); });
    lblInterFrame_ = label("lblInterFrame", "Interframe:", pan);
    cboInterFrame_ = new QComboBox(pan);
    cboInterFrame_->setObjectName("cboInterFrame");
    cboInterFrame_->setEditable(true);
    for (int i = 0; i <= 255; ++i) cboInterFrame_->addItem(QString::number(i));
    connect(cboInterFrame_, &QComboBox::currentTextChanged, this,
            [this](const QString& t) { seq_.cboInterFrame = toCp1252(t); });
    grid->addWidget(lblNFrame_, 1, 0);
    grid->addWidget(cboNFrame_, 1, 1);
    grid->addWidget(lblInterFrame_, 2, 0);
    grid->addWidget(cboInterFrame_, 2, 1);
    grid->addWidget(new QLabel("ms", pan), 2, 2);

    lblDuration_ = label("lblDuration", "Duration:", pan);
    txtDuration_ = new QLineEdit(pan);
    txtDuration_->setObjectName("txtDuration");
    connect(txtDuration_, &QLineEdit::textChanged, this,
            [this](const QString& t) { seq_.txtDuration = toCp1252(t); });
    lblDurationms_ = label("lblDurationms", "ms", pan);
    grid->addWidget(lblDuration_, 3, 0);
    grid->addWidget(txtDuration_, 3, 1);
    grid->addWidget(lblDurationms_, 3, 2);

    for (int i = 0; i < 3; ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        lblParam_[i] = label(("lblParam" + n).constData(), {}, pan);
        txtParam_[i] = new QLineEdit(pan);
        txtParam_[i]->setObjectName(QString("txtParam%1").arg(i + 1));
        connect(txtParam_[i], &QLineEdit::textChanged, this, [this, i](const QString& t) {
            seq_.txtParam[static_cast<std::size_t>(i)] = toCp1252(t);
        });
        grid->addWidget(lblParam_[i], 4 + i, 0);
        grid->addWidget(txtParam_[i], 4 + i, 1, 1, 2);
        lblParam_[i]->hide();
        txtParam_[i]->hide();
    }

    auto* buttons = new QHBoxLayout;
    butSend_ = new QPushButton("Send", pan);
    butSend_->setObjectName("butSend");
    butSend_->setEnabled(false);
    connect(butSend_, &QPushButton::clicked, this, [this] { seq_.butSendClick(); });
    butSendStop_ = new QPushButton("Stop", pan);
    butSendStop_->setObjectName("butSendStop");
    butSendStop_->setToolTip(run::lftext::kSendStopHint);
    butSendStop_->hide();
    connect(butSendStop_, &QPushButton::clicked, this, [this] { seq_.butSendStopClick(); });
    buttons->addWidget(butSend_);
    buttons->addWidget(butSendStop_);
    buttons->addStretch(1);
    grid->addLayout(buttons, 7, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    return pan;
}

QWidget* TfrmRun::buildScriptPanel() {
    auto* pan = new QGroupBox("Script", this);
    pan->setObjectName("panScript");
    auto* form = new QFormLayout(pan);
    lblSCRIPTElapsed_ = label("lblSCRIPTElapsed", {}, pan);
    setMark(lblSCRIPTElapsed_, "value");
    form->addRow("Elapsed:", lblSCRIPTElapsed_);
    lblSCRIPTCommande_ = label("lblSCRIPTCommande", {}, pan);
    lblSCRIPTCommande_->setWordWrap(true);
    form->addRow("Command:", lblSCRIPTCommande_);
    auto* buttons = new QHBoxLayout;
    butReExecStop_ = new QPushButton(pan);
    butReExecStop_->setObjectName("butReExecStop");
    connect(butReExecStop_, &QPushButton::clicked, this, [this] { seq_.butReExecStopClick(); });
    auto* butViewScript = new QPushButton("View", pan);
    butViewScript->setObjectName("butViewScript");
    butViewScript->setToolTip(run::lftext::kViewHint);
    connect(butViewScript, &QPushButton::clicked, this, [this] { seq_.butViewScriptClick(); });
    buttons->addWidget(butReExecStop_);
    buttons->addWidget(butViewScript);
    buttons->addStretch(1);
    form->addRow(buttons);
    return pan;
}

QWidget* TfrmRun::buildCyclicPanel(int k, const char* name, const char* title, const char* prefix) {
    auto* pan = new QGroupBox(title, this);
    pan->setObjectName(name);
    auto* form = new QFormLayout(pan);
    const QString p = QString::fromLatin1(prefix);
    auto value = [this, pan, &p](const char* suffix, const char* text) {
        QLabel* l = new QLabel(text, pan);
        l->setObjectName("lbl" + p + suffix);
        setMark(l, "value");
        return l;
    };
    CyclicLabels& c = cyclic_[static_cast<std::size_t>(k)];
    c.frame = value("Frame", "-");
    c.cycle = value("Cycle", "0");
    c.elapsed = value("Elapsed", kStartTime);
    c.sentFrames = value("SentFrames", "0");
    form->addRow("Frame:", c.frame);
    form->addRow("Cycle:", c.cycle);
    form->addRow("Elapsed:", c.elapsed);
    form->addRow("Sent frames:", c.sentFrames);
    if (k == 1) {
        lblCurrentID_ = label("lblCurrentID", {}, pan);
        form->addRow("Current ID:", lblCurrentID_);
    }
    return pan;
}

QWidget* TfrmRun::buildTestPanel(int k, const char* name, const char* title, const char* prefix) {
    auto* pan = new QGroupBox(title, this);
    pan->setObjectName(name);
    auto* form = new QFormLayout(pan);
    const QString p = QString::fromLatin1(prefix);
    TestLabels& t = tests_[static_cast<std::size_t>(k)];
    t.cycle = new QLabel("0", pan);
    t.cycle->setObjectName("lbl" + p + "Cycle");
    t.elapsed = new QLabel(kStartTime, pan);
    t.elapsed->setObjectName("lbl" + p + "Elapsed");
    setMark(t.cycle, "value");
    setMark(t.elapsed, "value");
    form->addRow("Cycle:", t.cycle);
    form->addRow("Elapsed:", t.elapsed);
    return pan;
}

QWidget* TfrmRun::buildInformationsPanel() {
    panInformations_ = new QGroupBox("Performances", this);
    panInformations_->setObjectName("panInformations");
    auto* grid = new QGridLayout(panInformations_);
    auto value = [this](const char* name) {
        QLabel* l = label(name, "0", panInformations_);
        setMark(l, "value");
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    lblBouclesCourant_ = value("lblBouclesCourant");
    lblBoucle_ = value("lblBoucle");
    lblBouclesCourantMsg_ = value("lblBouclesCourantMsg");
    lblBoucleMsg_ = value("lblBoucleMsg");
    lblNoRecept_ = value("lblNoRecept");
    grid->addWidget(new QLabel("", panInformations_), 0, 0);
    grid->addWidget(new QLabel("last", panInformations_), 0, 1, Qt::AlignRight);
    grid->addWidget(new QLabel("max", panInformations_), 0, 2, Qt::AlignRight);
    grid->addWidget(new QLabel("Reader reads", panInformations_), 1, 0);
    grid->addWidget(lblBouclesCourant_, 1, 1);
    grid->addWidget(lblBoucle_, 1, 2);
    grid->addWidget(new QLabel("Decoded KiB", panInformations_), 2, 0);
    grid->addWidget(lblBouclesCourantMsg_, 2, 1);
    grid->addWidget(lblBoucleMsg_, 2, 2);
    grid->addWidget(new QLabel("Silent links", panInformations_), 3, 0);
    grid->addWidget(lblNoRecept_, 3, 2);
    auto* buttons = new QHBoxLayout;
    auto* raz = new QPushButton("Raz", panInformations_);
    raz->setObjectName("butRazInformations");
    connect(raz, &QPushButton::clicked, this, [this] { butRazInformationsClick(); });
    butDebug_ = new QPushButton("Simulation", panInformations_);
    butDebug_->setObjectName("butDebug");
    butDebug_->hide();
    connect(butDebug_, &QPushButton::clicked, this, [this] { panDebug_->show(); });
    auto* close = new QPushButton("X", panInformations_);
    close->setObjectName("butCloseInformations");
    close->setFixedWidth(32);
    connect(close, &QPushButton::clicked, panInformations_, &QWidget::hide);
    buttons->addWidget(raz);
    buttons->addWidget(butDebug_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    grid->addLayout(buttons, 4, 0, 1, 3);
    panInformations_->hide();
    return panInformations_;
}

QWidget* TfrmRun::buildDebugPanel() {
    panDebug_ = new QGroupBox("Emulation", this);
    panDebug_->setObjectName("panDebug");
    auto* column = new QVBoxLayout(panDebug_);
    lstControleur_ = new QListWidget(panDebug_);
    lstControleur_->setObjectName("lstControleur");
    lstControleur_->setMaximumHeight(90);
    column->addWidget(new QLabel("Test-site lines:", panDebug_));
    column->addWidget(lstControleur_);
    auto* dtlg = new QHBoxLayout;
    txtDtlg_ = new QLineEdit(kDtlgInitial, panDebug_);
    txtDtlg_->setObjectName("txtDtlg");
    auto* ok = new QPushButton("OK", panDebug_);
    ok->setObjectName("butDtlg");
    connect(ok, &QPushButton::clicked, this, [this] { butDtlgClick(); });
    dtlg->addWidget(txtDtlg_, 1);
    dtlg->addWidget(ok);
    column->addWidget(new QLabel("Data logger reading:", panDebug_));
    column->addLayout(dtlg);
    auto* close = new QPushButton("X", panDebug_);
    close->setObjectName("butCloseDebug");
    close->setFixedWidth(32);
    connect(close, &QPushButton::clicked, panDebug_, &QWidget::hide);
    column->addWidget(close, 0, Qt::AlignRight);
    panDebug_->hide();
    return panDebug_;
}

QWidget* TfrmRun::buildPages() {
    PageControl_ = new QTabWidget(this);
    PageControl_->setObjectName("PageControl");
    PageControl_->setDocumentMode(true);
    auto* delegate = new RowDelegate([this] { return cfg_.run.chkColoration; }, this);

    auto rowList = [delegate](const char* name, RowListModel* model, QWidget* parent) {
        auto* v = new QListView(parent);
        v->setObjectName(name);
        v->setModel(model);
        v->setItemDelegate(delegate);
        v->setSelectionMode(QAbstractItemView::SingleSelection);
        v->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        v->setUniformItemSizes(true);
        v->setEditTriggers(QAbstractItemView::NoEditTriggers);
        return v;
    };
    auto rowLine = [](const char* name, QWidget* parent) {
        auto* e = new QLineEdit(parent);
        e->setObjectName(name);
        e->setReadOnly(true);
        return e;
    };
    auto caption = [](const char* text, QWidget* parent) {
        auto* l = new QLabel(text, parent);
        setMark(l, "caption");
        return l;
    };

    // Every row.
    auto* tabFull = new QWidget(PageControl_);
    tabFull->setObjectName("tabFull");
    {
        auto* column = new QVBoxLayout(tabFull);
        column->setContentsMargins(6, 6, 6, 6);
        fullModel_ = new RowListModel(this);
        lstFull_ = rowList("lstFull", fullModel_, tabFull);
        connect(lstFull_, &QListView::clicked, this,
                [this](const QModelIndex& i) { rowClicked(true, i); });
        column->addWidget(lstFull_, 1);
        auto* bar = new QHBoxLayout;
        bar->addWidget(caption("Rows:", tabFull));
        lblNbFull_ = label("lblNbFull", "-", tabFull);
        setMark(lblNbFull_, "value");
        lblNbFull_->setMinimumWidth(60);
        bar->addWidget(lblNbFull_);
        chkAutoScrollFull_ = new QCheckBox("Autoscroll", tabFull);
        chkAutoScrollFull_->setObjectName("chkAutoScrollFull");
        chkAutoScrollFull_->setChecked(true);
        bar->addWidget(chkAutoScrollFull_);
        bar->addSpacing(16);
        bar->addWidget(caption("Time difference:", tabFull));
        lblDeltaT_ = label("lblDeltaT", "-", tabFull);
        bar->addWidget(lblDeltaT_);
        txtLigneFull_ = rowLine("txtLigneFull", tabFull);
        bar->addWidget(txtLigneFull_, 1);
        column->addLayout(bar);
    }
    PageControl_->addTab(tabFull, "Rx Full-Datas");

    // Per ID: the IDs, their bar graph and the rows of the selected one.
    auto* tabID = new QWidget(PageControl_);
    tabID->setObjectName("tabID");
    {
        auto* column = new QVBoxLayout(tabID);
        column->setContentsMargins(6, 6, 6, 6);
        idModel_ = new IdTableModel(this);
        auto* split = new QSplitter(Qt::Vertical, tabID);
        auto* top = new QSplitter(Qt::Horizontal, split);
        lstID_ = new QListView(top);
        lstID_->setObjectName("lstID");
        lstID_->setModel(idModel_);
        lstID_->setModelColumn(IdTableModel::kId);
        lstID_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        lstID_->setSelectionBehavior(QAbstractItemView::SelectRows);
        lstGraphic_ = new QTreeView(top);
        lstGraphic_->setObjectName("lstGraphic");
        lstGraphic_->setModel(idModel_);
        lstGraphic_->setItemDelegate(delegate);
        lstGraphic_->setRootIsDecorated(false);
        lstGraphic_->setUniformRowHeights(true);
        lstGraphic_->setAllColumnsShowFocus(true);
        lstGraphic_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        lstGraphic_->setSelectionBehavior(QAbstractItemView::SelectRows);
        lstGraphic_->header()->setStretchLastSection(true);
        // One selection for both views: picking an ID in either shows its rows.
        lstID_->setSelectionModel(lstGraphic_->selectionModel());
        connect(lstGraphic_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex& current) {
                    selectEntry(current.isValid() ? current.row() : -1);
                });
        connect(lstGraphic_->header(), &QHeaderView::sectionResized, this,
                [this](int section, int, int size) {
                    if (section == IdTableModel::kId) engine_.runSection.TabG0 = size;
                    if (section == IdTableModel::kBar) engine_.runSection.TabG1 = size;
                    if (section == IdTableModel::kCount) engine_.runSection.TabG2 = size;
                });
        top->addWidget(lstID_);
        top->addWidget(lstGraphic_);
        top->setStretchFactor(1, 1);
        top->setSizes({130, 700});
        split->addWidget(top);

        auto* datas = new QWidget(split);
        auto* datasColumn = new QVBoxLayout(datas);
        datasColumn->setContentsMargins(0, 0, 0, 0);
        datasModel_ = new RowListModel(this);
        lstDatas_ = rowList("lstDatas", datasModel_, datas);
        connect(lstDatas_, &QListView::clicked, this,
                [this](const QModelIndex& i) { rowClicked(false, i); });
        datasColumn->addWidget(lstDatas_, 1);
        auto* bar = new QHBoxLayout;
        bar->addWidget(caption("Frames:", datas));
        lblNbID_ = label("lblNbID", "-", datas);
        setMark(lblNbID_, "value");
        lblNbID_->setMinimumWidth(60);
        bar->addWidget(lblNbID_);
        chkAutoScrollDatas_ = new QCheckBox("Autoscroll", datas);
        chkAutoScrollDatas_->setObjectName("chkAutoScrollDatas");
        chkAutoScrollDatas_->setChecked(true);
        bar->addWidget(chkAutoScrollDatas_);
        bar->addSpacing(16);
        bar->addWidget(caption("Time difference:", datas));
        lblDeltaT_ID_ = label("lblDeltaT_ID", "-", datas);
        bar->addWidget(lblDeltaT_ID_);
        txtLigneDatas_ = rowLine("txtLigneDatas", datas);
        bar->addWidget(txtLigneDatas_, 1);
        datasColumn->addLayout(bar);
        split->addWidget(datas);
        split->setSizes({220, 300});
        column->addWidget(split);
    }
    PageControl_->addTab(tabID, "Rx ID-Datas");

    // Graphic frames of the first IDs.
    auto* scroll = new QScrollArea(PageControl_);
    scroll->setObjectName("tabGraphic");
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* frames = new QWidget(scroll);
    auto* framesColumn = new QVBoxLayout(frames);
    framesColumn->setContentsMargins(6, 6, 6, 6);
    framesColumn->setSpacing(4);
    for (int k = 0; k < kGraphicFrames; ++k) {
        graphics_[k] = new TfraGraphic(k + 1, frames);
        graphics_[k]->hide();
        framesColumn->addWidget(graphics_[k]);
    }
    framesColumn->addStretch(1);
    scroll->setWidget(frames);
    PageControl_->addTab(scroll, "Graphics");
    applyColumnWidths();
    return PageControl_;
}

QWidget* TfrmRun::buildViewScriptPanel() {
    auto* pan = new QFrame(this);
    pan->setObjectName("panViewScript");
    auto* column = new QVBoxLayout(pan);
    column->setContentsMargins(1, 1, 1, 6);
    auto* title = new QHBoxLayout;
    auto* drag = new DragBar("Script", pan);
    drag->setObjectName("panViewScriptTitle");
    title->addWidget(drag, 1);
    auto* close = new QPushButton("X", pan);
    close->setObjectName("butScriptViewClose");
    close->setFixedWidth(32);
    connect(close, &QPushButton::clicked, this, [this] { seq_.butScriptViewCloseClick(); });
    title->addWidget(close);
    column->addLayout(title);
    lstScriptView_ = new QListWidget(pan);
    lstScriptView_->setObjectName("lstScriptView");
    column->addWidget(lstScriptView_, 1);
    pan->resize(460, 300);
    pan->hide();
    panViewScript_ = pan;
    return pan;
}

// --- engine ---

void TfrmRun::bindEngine() {
    savedHooks_ = engine_.hooks;
    savedLogHooks_ = engine_.resultLog().hooks;
    run::RunHooks& h = engine_.hooks;
    // Hooks others set before stay in force; the window is shown after them.
    auto chain = [](auto previous, auto mine) {
        return [previous, mine](auto&&... args) {
            if (previous) previous(args...);
            mine(args...);
        };
    };
    h.butRun = chain(h.butRun, [this](const std::string& c, bool e) { showButRun(c, e); });
    h.controllerImage =
        chain(h.controllerImage, [this](bool tx, int image) { setControllerImage(tx, image); });
    h.channelsChanged = chain(h.channelsChanged, [this] { showChannels(); });
    h.resultsFolder = chain(h.resultsFolder, [this](const std::string& folder) {
        lblDirectory_->setText(fromPath(folder) + " ");
        lblDirectory_->setToolTip(fromPath(folder));
    });
    h.modeStarted = chain(h.modeStarted, [this] { modeStarted(); });

    run::ResultLogHooks& l = engine_.resultLog().hooks;
    l.fullListChanged = chain(l.fullListChanged, [this] { fullListChanged(); });
    l.idEntryUpdated = chain(l.idEntryUpdated, [this](std::size_t e, const run::ResultRow& r,
                                                      bool n) { idEntryUpdated(e, r, n); });
    l.channelActivity = chain(l.channelActivity, [this](int c) { leds_.activity(c); });
}

void TfrmRun::butRunClick(bool leftControlOnly) {
    engine_.butRunClick(leftControlOnly);
    if (engine_.panInformationsVisible) {
        panInformations_->show();
        engine_.panInformationsVisible = false;
    }
}

void TfrmRun::showButRun(const std::string& caption, bool enabled) {
    butRun_->setText(fromCp1252(caption));
    butRun_->setEnabled(enabled);
    butRun_->setProperty("state", caption == run::text::kStop ? "stop" : "start");
    repolish(butRun_);
    if (caption == run::text::kInit) {
        if (butRun_->isVisible()) butRun_->repaint();
        runStarting();
    } else if (caption == run::text::kStop) {
        runStarted();
    } else if (caption == run::text::kStart) {
        runStopped();
    }
}

void TfrmRun::runStarting() {
    for (QLabel* l : lblChannel_) l->setText("?");
    for (QLabel* l : lblRecepteur_) l->setEnabled(true);
    lblDeltaT_->setText("-");
    lblDeltaT_ID_->setText("-");
    deltaFull_.reset();
    deltaId_.reset();
    txtLigneFull_->clear();
    txtLigneDatas_->clear();
    lblNbFull_->setText("-");
    lblNbID_->setText("-");
    lblDirectory_->setText("-");
    lblDirectory_->setToolTip({});
    rowsReceived_ = 0;
    lastSampleMark_ = 0;
    selectedEntry_ = -1;
    barScale_.reset();
    fullModel_->clear();
    idModel_->clear();
    datasModel_->clear();
    leds_.reset();
    for (int c = 0; c < 4; ++c) showLed(c, false);
    for (TfraGraphic* g : graphics_) g->hide();
    applyColumnWidths();
}

void TfrmRun::modeStarted() {
    const int mode = engine_.iRunMode;
    fillingManualFrames_ = true;
    cboManualFrames_->clear();
    for (const std::string& name : engine_.cboManualFrames)
        cboManualFrames_->addItem(fromCp1252(name));
    cboManualFrames_->setCurrentIndex(engine_.cboManualFramesIndex);
    fillingManualFrames_ = false;
    showSequencer();

    switch (mode) {
        case config::kModeBroadcast:
        case config::kModeIndividual:
            cyclic_[mode == config::kModeBroadcast ? 0 : 1].frame->setText(
                fromCp1252(cfg_.cyclic.FrameName));
            break;
        case config::kModeEmc:
        case config::kModeTstlf: {
            const TestLabels& t = tests_[mode == config::kModeEmc ? 0 : 1];
            t.cycle->setText("0");
            t.elapsed->setText(kStartTime);
            break;
        }
        default:
            break;
    }
    ShowModePanel();
    resetGraphicFrames();
}

void TfrmRun::runStarted() {
    shaRun_->show();
    // Channel 1 is in use as the LSE sensor, the trigger input or a receiver.
    const auto& channels = engine_.attribution().channels;
    for (std::size_t c = 0; c < 4; ++c) {
        bool used = !channels[c].descriptions.empty();
        if (c == 0) used = used || hw_.lseReceiver || engine_.bTriggerInput;
        lblRecepteur_[c]->setEnabled(used);
        imgCh_[c]->setEnabled(used);
    }
    if (engine_.bTriggerInput) lblChannel_[0]->setText("Trigger");
    showLed(0, false);
}

void TfrmRun::runStopped() {
    shaRun_->hide();
}

void TfrmRun::setControllerImage(bool tx, int image) {
    QLabel* l = tx ? imgVornTx_ : imgVornRx_;
    l->setPixmap(pictures::controller(image, 30, 22));
    l->setProperty("image", image);
    static const char* const kStates[] = {"idle", "idle", "idle", "found", "error"};
    l->setToolTip(QString(tx ? "TX controller: %1" : "RX controller: %1")
                      .arg(kStates[std::clamp(image, 0, 4)]));
}

void TfrmRun::showChannels() {
    for (std::size_t c = 0; c < 4; ++c) lblChannel_[c]->setText(fromCp1252(engine_.lblChannel[c]));
}

void TfrmRun::ShowModePanel() {
    const int mode = cfg_.run.RunMode();
    QWidget* front = mode >= 0 && mode < static_cast<int>(modePanels_.size())
                         ? modePanels_[static_cast<std::size_t>(mode)]
                         : panNone_;
    // The stack takes the height of the panel in front, not of the tallest one.
    for (int i = 0; i < panModes_->count(); ++i) {
        QWidget* w = panModes_->widget(i);
        w->setSizePolicy(w == front ? QSizePolicy::Preferred : QSizePolicy::Ignored,
                         w == front ? QSizePolicy::Maximum : QSizePolicy::Ignored);
    }
    panModes_->setCurrentWidget(front);
    panModes_->updateGeometry();
}

// --- result lists ---

void TfrmRun::fullListChanged() {
    const run::ResultLog& log = engine_.resultLog();
    const auto& rows = log.fullList();
    if (log.idEntries().empty() && idModel_->rowCount() > 0) {
        idModel_->clear();
        datasModel_->clear();
        selectedEntry_ = -1;
        barScale_.reset();
        for (TfraGraphic* g : graphics_) g->hide();
    }
    if (rows.empty()) {
        fullModel_->clear();
        return;
    }
    // One row came in; the oldest ones beyond the length went.
    const int size = static_cast<int>(rows.size());
    if (fullModel_->rowCount() + 1 < size) {
        fullModel_->assign(rows);
    } else {
        fullModel_->append(rows.back().text, rows.back().channel);
        fullModel_->removeFront(fullModel_->rowCount() - size);
    }
    lblNbFull_->setText(QString::number(++rowsReceived_));
    scrollFull_ = true;
}

void TfrmRun::idEntryUpdated(std::size_t entry, const run::ResultRow& row, bool newEntry) {
    const auto& entries = engine_.resultLog().idEntries();
    if (entry >= entries.size()) return;
    const run::IdEntry& e = entries[entry];
    if (barScale_.update(e.framesReceived)) idModel_->setScale(barScale_.value());
    idModel_->setEntry(entry, e);

    const int index = static_cast<int>(entry);
    if (index == selectedEntry_) {
        if (newEntry) {
            selectEntry(index);
        } else {
            const run::ListRow& last = e.rows.back();
            datasModel_->append(last.text, last.channel);
            datasModel_->removeFront(datasModel_->rowCount() - static_cast<int>(e.rows.size()));
            lblNbID_->setText(QString::number(e.framesReceived));
            scrollDatas_ = true;
        }
    }
    if (entry < graphics_.size()) {
        TfraGraphic* g = graphics_[entry];
        if (newEntry) {
            const config::RunConfDerived& d = cfg_.runDerived;
            g->reset(fromCp1252(e.id), d.meterMin, d.meterScale, d.meterStep);
            g->show();
        }
        if (row.graphic) g->showFrame(*row.graphic);
    }
}

void TfrmRun::selectEntry(int entry) {
    selectedEntry_ = entry;
    deltaId_.reset();
    lblDeltaT_ID_->setText("-");
    txtLigneDatas_->clear();
    const auto& entries = engine_.resultLog().idEntries();
    if (entry < 0 || entry >= static_cast<int>(entries.size())) {
        datasModel_->clear();
        lblNbID_->setText("-");
        return;
    }
    const run::IdEntry& e = entries[static_cast<std::size_t>(entry)];
    datasModel_->assign(e.rows);
    lblNbID_->setText(QString::number(e.framesReceived));
    if (chkAutoScrollDatas_->isChecked()) lstDatas_->scrollToBottom();
}

void TfrmRun::rowClicked(bool fullList, const QModelIndex& index) {
    const QString text = index.data(Qt::DisplayRole).toString();
    (fullList ? txtLigneFull_ : txtLigneDatas_)->setText(text);
    (fullList ? txtLigneFull_ : txtLigneDatas_)->setCursorPosition(0);
    run::TimeDelta& delta = fullList ? deltaFull_ : deltaId_;
    (fullList ? lblDeltaT_ : lblDeltaT_ID_)->setText(fromCp1252(delta.click(toCp1252(text))));
}

void TfrmRun::resetGraphicFrames() {
    const config::RunConfDerived& d = cfg_.runDerived;
    for (TfraGraphic* g : graphics_) {
        g->reset({}, d.meterMin, d.meterScale, d.meterStep);
        g->hide();
    }
}

void TfrmRun::applyColumnWidths() {
    QHeaderView* h = lstGraphic_->header();
    h->resizeSection(IdTableModel::kId, engine_.runSection.TabG0);
    h->resizeSection(IdTableModel::kBar, engine_.runSection.TabG1);
    h->resizeSection(IdTableModel::kCount, engine_.runSection.TabG2);
}

// --- timers ---

void TfrmRun::showLed(int channel, bool lit) {
    const std::size_t c = static_cast<std::size_t>(channel);
    const bool trigger = channel == 0 && engine_.bTriggerInput;
    const int state = (lit ? 1 : 0) + (trigger ? 2 : 0);
    if (ledShown_[c] == state) return;
    ledShown_[c] = state;
    QLabel* l = imgCh_[c];
    l->setPixmap(trigger ? pictures::trigger(lit, kLedSize)
                         : pictures::led(pictures::channelColour(channel), lit, kLedSize));
    l->setProperty("lit", lit);
}

void TfrmRun::tmrLEDTimer() {
    const std::array<bool, 4>& lit = leds_.tick();
    for (int c = 0; c < 4; ++c) showLed(c, lit[static_cast<std::size_t>(c)]);
    // Scrolling lays the list out again: once per tick, not once per row.
    if (scrollFull_ && chkAutoScrollFull_->isChecked()) lstFull_->scrollToBottom();
    if (scrollDatas_ && chkAutoScrollDatas_->isChecked()) lstDatas_->scrollToBottom();
    scrollFull_ = scrollDatas_ = false;
    if (!engine_.bRunning) return;
    // The history charts move on with the stream: 2 pixels per second of samples.
    const std::uint64_t mark = engine_.acquisition().sampleCounter() / kSamplesPerScroll;
    if (mark < lastSampleMark_) lastSampleMark_ = mark;
    for (; lastSampleMark_ < mark; ++lastSampleMark_)
        for (TfraGraphic* g : graphics_) g->scrollHistory();
}

void TfrmRun::tmrPerfTimer() {
    const run::RxReader& r = engine_.reader();
    lblBouclesCourant_->setText(QString::number(r.readsLastTick()));
    lblBoucle_->setText(QString::number(r.readsMax()));
    lblBouclesCourantMsg_->setText(QString::number(engine_.acquisitionBlocks()));
    lblBoucleMsg_->setText(QString::number(engine_.acquisitionBlocksMax()));
    lblNoRecept_->setText(QString::number(r.noReceptCount()));
}

void TfrmRun::butRazInformationsClick() {
    engine_.butRazInformationsClick();
    tmrPerfTimer();
    lblNoRecept_->setText("0");
}

void TfrmRun::enableEndurances() {
    if (!tmrEndurancesStartStop_)
        tmrEndurancesStartStop_ =
            host_.createTimer(kEndurancePeriodMs, [this] { tmrEndurancesStartStopTimer(); });
    tmrEndurancesStartStop_->setEnabled(true);
}

void TfrmRun::tmrEndurancesStartStopTimer() {
    ++enduranceTag_;
    lblLED_TX_->setText(QString::number(enduranceTag_ / 2));
    if (engine_.imgVornRx == run::kImageError) {
        tmrEndurancesStartStop_->setEnabled(false);
        return;
    }
    butRunClick(false);
}

void TfrmRun::imgVornRxDblClick() {
    if (!tmrEndurancesStartStop_) return;
    tmrEndurancesStartStop_->setEnabled(true);
    engine_.imgVornRx = run::kImageGood;
    setControllerImage(false, run::kImageGood);
}

void TfrmRun::setResultPagesHeight(int pixels) {
    PageControl_->setFixedHeight(pixels);
}

// --- mode panels ---

void TfrmRun::bindSequencer() {
    seqSubscription_ = seq_.listeners.subscribe([this] { showSequencer(); });
    powerSubscription_ = engine_.power.listeners.subscribe([this] { showSendEnabled(); });
    showSequencer();
}

void TfrmRun::showSendEnabled() {
    // The power warnings enable Send at any time; outside a Manual run it stays off.
    const bool enabled = engine_.power.butSendEnabled && seq_.cboManualFramesEnabled;
    if (butSend_->isEnabled() == enabled) return;
    butSend_->setEnabled(enabled);
    // The frame command holds the event loop until the TX replies: show the change now.
    if (!enabled && butSend_->isVisible()) butSend_->repaint();
}

void TfrmRun::showSequencer() {
    const run::LfSequencer& s = seq_;
    const auto setText = [](QLineEdit* e, const std::string& text) {
        const QString t = fromCp1252(text);
        if (e->text() != t) e->setText(t);
    };
    const auto setCombo = [](QComboBox* c, const std::string& text) {
        const QString t = fromCp1252(text);
        if (c->currentText() != t) c->setCurrentText(t);
    };

    // Manual.
    cboManualFrames_->setEnabled(s.cboManualFramesEnabled);
    showSendEnabled();
    butSendStop_->setVisible(s.butSendStopVisible);
    for (QWidget* w :
         std::initializer_list<QWidget*>{lblInterFrame_, cboInterFrame_, lblNFrame_, cboNFrame_})
        w->setVisible(s.frameCountVisible);
    for (QWidget* w : std::initializer_list<QWidget*>{lblDuration_, txtDuration_, lblDurationms_})
        w->setVisible(s.durationVisible);
    setCombo(cboNFrame_, s.cboNFrame);
    setCombo(cboInterFrame_, s.cboInterFrame);
    setText(txtDuration_, s.txtDuration);
    for (std::size_t i = 0; i < 3; ++i) {
        lblParam_[i]->setVisible(s.paramVisible[i]);
        txtParam_[i]->setVisible(s.paramVisible[i]);
        setTextIfChanged(lblParam_[i], fromCp1252(s.lblParam[i]));
        setText(txtParam_[i], s.txtParam[i]);
    }
    if (imgLF_->property("image") != QVariant(s.imgLF)) {
        imgLF_->setPixmap(pictures::lfEmission(s.imgLF, 26));
        imgLF_->setProperty("image", s.imgLF);
    }

    // Script.
    setTextIfChanged(lblSCRIPTElapsed_, fromCp1252(s.lblSCRIPTElapsed));
    setTextIfChanged(lblSCRIPTCommande_, fromCp1252(s.lblSCRIPTCommande));
    butReExecStop_->setText(fromCp1252(s.butReExecStopCaption));
    butReExecStop_->setToolTip(fromCp1252(s.butReExecStopHint));
    butReExecStop_->setEnabled(s.butReExecStopEnabled);
    bool sameScript = lstScriptView_->count() == static_cast<int>(s.lstScriptView.size());
    for (int i = 0; sameScript && i < lstScriptView_->count(); ++i)
        sameScript = lstScriptView_->item(i)->text() ==
                     fromCp1252(s.lstScriptView[static_cast<std::size_t>(i)]);
    if (!sameScript) {
        lstScriptView_->clear();
        for (const std::string& line : s.lstScriptView) lstScriptView_->addItem(fromCp1252(line));
    }
    if (s.panViewScriptVisible && panViewScript_->isHidden()) {
        const QSize size = panViewScript_->size();
        panViewScript_->move(std::max(0, (width() - size.width()) / 2),
                             std::max(0, (height() - size.height()) / 3));
        panViewScript_->show();
        panViewScript_->raise();
    } else if (!s.panViewScriptVisible) {
        panViewScript_->hide();
    }

    // Broadcast and Individual.
    const CyclicLabels& brod = cyclic_[0];
    setTextIfChanged(brod.cycle, fromCp1252(s.lblBRODCycle));
    setTextIfChanged(brod.elapsed, fromCp1252(s.lblBRODElapsed));
    setTextIfChanged(brod.sentFrames, fromCp1252(s.lblBRODSentFrames));
    const CyclicLabels& ind = cyclic_[1];
    setTextIfChanged(ind.cycle, fromCp1252(s.lblINDCycle));
    setTextIfChanged(ind.elapsed, fromCp1252(s.lblINDElapsed));
    setTextIfChanged(ind.sentFrames, fromCp1252(s.lblINDSentFrames));
    setTextIfChanged(lblCurrentID_, fromCp1252(s.lblCurrentID));
}

// --- emulation ---

void TfrmRun::butDtlgClick() {
    sDtlgSimLine = toCp1252(txtDtlg_->text());
}

void TfrmRun::lblLED_RXDblClick() {
    run::ResultLog& log = engine_.resultLog();
    run::RowText row;
    run::RowWriter w = row.writer();
    log.BuildRowPrefix(w);
    w.attr("Channel", "2-" + engine_.lblChannel[2]);
    w.attr("Desc", run::kContentFrameName);
    w.attr("Hex", "A0150B35C");
    w.attr("ID", "A01");
    w.attr("Pressure", "2.150");
    w.attr("PressureU", "bar");
    w.attr("Temp", "25");
    w.attr("TempU", "C");
    w.attr("CKS", "5C");
    w.attr("CKSCalc", "5C");
    w.lastAttr("CKSGood", "1");
    log.received().push(row.text, "Test HEXA");
    log.addToFullList(row.text, 2);
}

void TfrmRun::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    applyColumnWidths();
}

}  // namespace vornlfrf::gui
