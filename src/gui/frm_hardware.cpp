#include "frm_hardware.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "cp1252.h"

namespace vornlfrf::gui {

namespace {

constexpr int kManualPortItems = 32;

constexpr char kStyle[] = R"(
QLabel[result="idle"] { color: #6b7683; }
QLabel[result="ok"] { color: #1b7a35; font-weight: 600; }
QLabel[result="failed"] { color: #b3261e; font-weight: 600; }
QLabel[result] { background: white; border: 1px solid #b9c3cf; border-radius: 3px;
                 padding: 2px 6px; }
QLabel[channel="true"] { background: white; border: 1px solid #b9c3cf; border-radius: 3px;
                         padding: 2px 6px; }
#panTrigger { border: 1px solid transparent; border-radius: 4px; }
#panTrigger[active="true"] { background: #fff4c7; border-color: #e2b93b; }
)";

// Restyles a widget after a change of the property its style depends on.
void setStyleProperty(QWidget* w, const char* name, const QVariant& value) {
    if (w->property(name) == value) return;
    w->setProperty(name, value);
    w->style()->unpolish(w);
    w->style()->polish(w);
}

QLabel* resultPanel(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    // Wide enough for the longest outcome in bold.
    QFont bold = l->font();
    bold.setBold(true);
    l->setMinimumWidth(QFontMetrics(bold).horizontalAdvance("Port not available") + 24);
    l->setProperty("result", "idle");
    return l;
}

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    // Enter belongs to the port combos (it runs the test), never to a default button.
    b->setAutoDefault(false);
    return b;
}

void setTextIfChanged(QLineEdit* e, const QString& text) {
    if (e->text() != text) e->setText(text);
}

}  // namespace

TfrmHardware::TfrmHardware(hw::Hardware& hardware, QWidget* parent)
    : QDialog(parent), hw_(hardware) {
    setObjectName("frmHardware");
    setWindowTitle("Hardware");
    setStyleSheet(kStyle);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(8);
    layout->addWidget(buildSide(true));
    layout->addWidget(buildSide(false));

    auto* ports = new QHBoxLayout;
    ports->addWidget(new QLabel("Available COM ports :", this));
    lblAvailablePorts_ = new QLabel(this);
    lblAvailablePorts_->setObjectName("lblAvailablePorts");
    lblAvailablePorts_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ports->addWidget(lblAvailablePorts_, 1);
    layout->addLayout(ports);

    layout->addWidget(buildChannels());
    layout->addWidget(buildOptions());

    chkSimulation_ = configCheck("chkSimulation", "Simulation", &hw::Hardware::chkSimulation, this);
    chkSimulation_->hide();

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    butClose_ = button("butClose", "Close", this);
    connect(butClose_, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(butClose_);
    layout->addLayout(bottom);

    subscription_ = hw_.listeners.subscribe([this] { refresh(); });
    refresh();
}

QWidget* TfrmHardware::buildSide(bool isTx) {
    Side& s = isTx ? tx_ : rx_;
    const QString suffix = isTx ? "Tx" : "Rx";
    auto name = [&](const char* prefix) { return QString(prefix) + suffix; };

    auto* box = new QGroupBox(isTx ? "TX controller" : "RX controller", this);
    box->setObjectName(name("grp"));
    auto* grid = new QGridLayout(box);
    grid->setColumnStretch(3, 1);

    s.chk = configCheck(isTx ? "chkTx" : "chkRx",
                        isTx ? "Use the TX controller" : "Use the RX controller",
                        isTx ? &hw::Hardware::chkTx : &hw::Hardware::chkRx, box);
    grid->addWidget(s.chk, 0, 0, 1, 4);

    s.rdbAutomatic = new QRadioButton("Automatic", box);
    s.rdbAutomatic->setObjectName(name("rdbAutomatic"));
    s.rdbManual = new QRadioButton("Manual", box);
    s.rdbManual->setObjectName(name("rdbManual"));
    auto radioClicked = [this, isTx] {
        const Side& side = isTx ? tx_ : rx_;
        (isTx ? hw_.rdbAutomaticTx : hw_.rdbAutomaticRx) = side.rdbAutomatic->isChecked();
        (isTx ? hw_.rdbManualTx : hw_.rdbManualRx) = side.rdbManual->isChecked();
        hw_.controlChanged();
    };
    connect(s.rdbAutomatic, &QRadioButton::clicked, this, radioClicked);
    connect(s.rdbManual, &QRadioButton::clicked, this, radioClicked);

    s.txtAutomatic = new QLineEdit(box);
    s.txtAutomatic->setObjectName(name("txtAutomatic"));
    s.txtAutomatic->setReadOnly(true);
    s.txtAutomatic->setFixedWidth(110);
    s.txtAutomatic->setToolTip("Last port where the controller was found");

    s.cboManual = new QComboBox(box);
    s.cboManual->setObjectName(name("cboManual"));
    s.cboManual->setEditable(true);
    s.cboManual->setInsertPolicy(QComboBox::NoInsert);
    s.cboManual->setFixedWidth(110);
    for (int n = 1; n <= kManualPortItems; ++n) s.cboManual->addItem("COM" + QString::number(n));
    s.cboManual->setToolTip("Port chosen by hand; Enter tests it");
    // Enter also "activates" the typed text: only a different port is a change.
    auto setManual = [this, &manual = isTx ? hw_.cboManualTx : hw_.cboManualRx](const QString& t) {
        const std::string text = toCp1252(t);
        if (text == manual) return;
        manual = text;
        hw_.controlChanged();
    };
    connect(s.cboManual->lineEdit(), &QLineEdit::textEdited, this, setManual);
    connect(s.cboManual, &QComboBox::textActivated, this, setManual);
    connect(s.cboManual->lineEdit(), &QLineEdit::returnPressed, this,
            [this, isTx] { hw_.butTestClick(isTx); });

    s.butFind = button(name("butFind").toLatin1().constData(), "Find", box);
    connect(s.butFind, &QPushButton::clicked, this, [this, isTx] { hw_.butFindClick(isTx); });
    s.butTest = button(name("butTest").toLatin1().constData(), "Test", box);
    connect(s.butTest, &QPushButton::clicked, this, [this, isTx] { hw_.butTestClick(isTx); });
    s.panFind = resultPanel(name("panFind").toLatin1().constData(), box);
    s.panTest = resultPanel(name("panTest").toLatin1().constData(), box);

    grid->addWidget(s.rdbAutomatic, 1, 0);
    grid->addWidget(s.txtAutomatic, 1, 1);
    grid->addWidget(s.butFind, 1, 2);
    grid->addWidget(s.panFind, 1, 3);
    grid->addWidget(s.rdbManual, 2, 0);
    grid->addWidget(s.cboManual, 2, 1);
    grid->addWidget(s.butTest, 2, 2);
    grid->addWidget(s.panTest, 2, 3);
    return box;
}

QWidget* TfrmHardware::buildChannels() {
    auto* box = new QGroupBox("Receivers", this);
    box->setObjectName("grpReceivers");
    auto* grid = new QGridLayout(box);
    lblExt_ = new QLabel(box);
    lblExt_->setObjectName("lblExt");
    const char* captions[] = {nullptr, "Antenna 1", "Antenna 2", "Antenna3"};
    for (int c = 0; c < 4; ++c) {
        QLabel* caption = c == 0 ? lblExt_ : new QLabel(captions[c], box);
        lblChannel_[c] = new QLabel(box);
        lblChannel_[c]->setObjectName(QString("lblChannel%1").arg(c + 1));
        lblChannel_[c]->setProperty("channel", true);
        lblChannel_[c]->setMinimumWidth(120);
        grid->addWidget(caption, c / 2, (c % 2) * 2);
        grid->addWidget(lblChannel_[c], c / 2, (c % 2) * 2 + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    butGetTypes_ = button("butGetTypes", "Get types", box);
    connect(butGetTypes_, &QPushButton::clicked, this,
            [this] { hw_.GetTypes(emcMode && emcMode(), forcedTypes); });
    grid->addWidget(butGetTypes_, 0, 4, 2, 1, Qt::AlignVCenter);
    return box;
}

QWidget* TfrmHardware::buildOptions() {
    auto* box = new QGroupBox("Acquisitions", this);
    box->setObjectName("grpAcquisitions");
    auto* column = new QVBoxLayout(box);
    chkAcqFilter_ =
        configCheck("chkAcqFilter", "Acquisitions filter (for baudrate < 12.5kbds Manchester)",
                    &hw::Hardware::chkAcqFilter, box);
    column->addWidget(chkAcqFilter_);

    panTrigger_ = new QFrame(box);
    panTrigger_->setObjectName("panTrigger");
    auto* trigger = new QGridLayout(panTrigger_);
    trigger->setContentsMargins(6, 4, 6, 4);
    chkRxPin2Used_ = configCheck(
        "chkRxPin2Used", "Use RxPin2 as trigger for :", &hw::Hardware::chkRxPin2Used, panTrigger_);
    trigger->addWidget(chkRxPin2Used_, 0, 0);
    bool hw::Hardware::*const triggers[] = {&hw::Hardware::chkTriggerChan1,
                                            &hw::Hardware::chkTriggerChan2,
                                            &hw::Hardware::chkTriggerChan3};
    for (int i = 0; i < 3; ++i) {
        chkTriggerChan_[i] =
            configCheck(QString("chkTriggerChan%1").arg(i + 1).toLatin1().constData(),
                        QString("Antenna %1").arg(i + 1), triggers[i], panTrigger_);
        trigger->addWidget(chkTriggerChan_[i], 0, i + 1);
    }
    auto* comment = new QLabel(
        fromCp1252(std::string(hw::text::kTriggerLevel0) + "\n" + hw::text::kTriggerLevel1),
        panTrigger_);
    comment->setObjectName("lblTriggerComment");
    trigger->addWidget(comment, 1, 0, 1, 4);
    trigger->setColumnStretch(4, 1);
    column->addWidget(panTrigger_);
    return box;
}

QCheckBox* TfrmHardware::configCheck(const char* name, const QString& caption,
                                     bool hw::Hardware::*field, QWidget* parent) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    // clicked: operator changes only, never the window's own refresh.
    connect(c, &QCheckBox::clicked, this, [this, field](bool on) {
        hw_.*field = on;
        hw_.controlChanged();
    });
    return c;
}

void TfrmHardware::showSide(const Side& s, bool isTx) {
    const bool busy = hw_.busy();
    s.chk->setChecked(isTx ? hw_.chkTx : hw_.chkRx);
    // The model may hold both or neither choice (a hand-edited file): show it as it is.
    for (QRadioButton* r : {s.rdbAutomatic, s.rdbManual}) r->setAutoExclusive(false);
    s.rdbAutomatic->setChecked(isTx ? hw_.rdbAutomaticTx : hw_.rdbAutomaticRx);
    s.rdbManual->setChecked(isTx ? hw_.rdbManualTx : hw_.rdbManualRx);
    for (QRadioButton* r : {s.rdbAutomatic, s.rdbManual}) r->setAutoExclusive(true);
    setTextIfChanged(s.txtAutomatic, fromCp1252(isTx ? hw_.txtAutomaticTx : hw_.txtAutomaticRx));
    setTextIfChanged(s.cboManual->lineEdit(), fromCp1252(isTx ? hw_.cboManualTx : hw_.cboManualRx));
    s.butFind->setEnabled(!busy && (isTx ? hw_.butFindTxEnabled : hw_.butFindRxEnabled));
    s.butTest->setEnabled(!busy && (isTx ? hw_.butTestTxEnabled : hw_.butTestRxEnabled));
    const std::pair<QLabel*, const std::string*> panels[] = {
        {s.panFind, isTx ? &hw_.panFindTx : &hw_.panFindRx},
        {s.panTest, isTx ? &hw_.panTestTx : &hw_.panTestRx}};
    for (const auto& [label, caption] : panels) {
        label->setText(fromCp1252(*caption));
        const char* look = *caption == hw::text::kIdle    ? "idle"
                           : caption->rfind("OK", 0) == 0 ? "ok"
                                                          : "failed";
        setStyleProperty(label, "result", look);
    }
}

void TfrmHardware::refresh() {
    showSide(tx_, true);
    showSide(rx_, false);
    lblAvailablePorts_->setText(
        hw_.availablePortsText.empty() ? QString("none") : fromCp1252(hw_.availablePortsText));
    lblExt_->setText(fromCp1252(hw_.lblExt()));
    for (int c = 0; c < 4; ++c) lblChannel_[c]->setText(fromCp1252(hw_.channelLabel(c)));
    const bool busy = hw_.busy();
    butGetTypes_->setEnabled(!busy);
    butClose_->setEnabled(!busy);
    setCursor(busy ? Qt::WaitCursor : Qt::ArrowCursor);

    chkSimulation_->setChecked(hw_.chkSimulation);
    chkAcqFilter_->setChecked(hw_.chkAcqFilter);
    chkRxPin2Used_->setChecked(hw_.chkRxPin2Used);
    const bool triggers[] = {hw_.chkTriggerChan1, hw_.chkTriggerChan2, hw_.chkTriggerChan3};
    for (int i = 0; i < 3; ++i) chkTriggerChan_[i]->setChecked(triggers[i]);
    setStyleProperty(panTrigger_, "active", hw_.chkRxPin2Used);
}

void TfrmHardware::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    hw_.EnumeratePorts();
    refresh();
}

void TfrmHardware::done(int result) {
    if (hw_.busy()) return;
    hw_.ClosePort(hw_.txPort);
    hw_.ClosePort(hw_.rxPort);
    QDialog::done(result);
}

}  // namespace vornlfrf::gui
