#include "frm_run_conf.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "config/emc_conf.h"
#include "config/emc_test_site.h"
#include "cp1252.h"
#include "frm_emc_conf.h"
#include "hw/receiver_types.h"

namespace vornlfrf::gui {

namespace {

using config::RunConf;
namespace rc = config::runconf;

constexpr char kStyle[] = R"(
QFrame[slot="true"] { border: 1px solid #c5cdd8; border-radius: 6px; background: white; }
QFrame[slot="true"] QLabel { border: none; }
QFrame[modePanel="true"] { border: 1px solid #c5cdd8; border-radius: 6px; background: #f6f8fb; }
#panListeDescriptions { background: white; border: 1px solid #7f93ad; border-radius: 4px; }
#panGetID { background: #f6f8fb; border: 1px solid #c5cdd8; border-radius: 6px; }
QLabel[hint="true"] { color: #5b6b80; }
)";

constexpr const char* kSlotCaptions[config::kRxSlots] = {"Ext", "Antenna 1", "Antenna 2",
                                                         "Antenna 3"};

QString name(const char* base, std::size_t i, const char* suffix = "") {
    return QString("%1%2%3").arg(base).arg(i + 1).arg(suffix);
}

QStringList toList(const std::vector<std::string>& items) {
    QStringList out;
    for (const std::string& s : items) out << fromCp1252(s);
    return out;
}

void showText(QLineEdit* e, const std::string& text) {
    const QString t = fromCp1252(text);
    if (e->text() != t) e->setText(t);
}

QLabel* hint(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setProperty("hint", true);
    return l;
}

QFrame* modePanel(const char* objectName, QWidget* parent) {
    auto* f = new QFrame(parent);
    f->setObjectName(objectName);
    f->setProperty("modePanel", true);
    f->setAttribute(Qt::WA_StyledBackground);
    return f;
}

// Labels of one column share a width so that the fields line up across sub-panels.
QLabel* columnLabel(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setMinimumWidth(140);
    return l;
}

QPushButton* button(const QString& objectName, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    return b;
}

// Bell shown while the alerts are active.
QPixmap alertImage(int size) {
    QPixmap p(size, size);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor("#d62f2f"));
    QPainterPath bell;
    const qreal s = size;
    bell.moveTo(s * 0.5, s * 0.1);
    bell.cubicTo(s * 0.78, s * 0.1, s * 0.78, s * 0.45, s * 0.8, s * 0.62);
    bell.lineTo(s * 0.92, s * 0.78);
    bell.lineTo(s * 0.08, s * 0.78);
    bell.lineTo(s * 0.2, s * 0.62);
    bell.cubicTo(s * 0.22, s * 0.45, s * 0.22, s * 0.1, s * 0.5, s * 0.1);
    g.drawPath(bell);
    g.drawEllipse(QPointF(s * 0.5, s * 0.86), s * 0.1, s * 0.1);
    return p;
}

// Drop-down whose list can be filled each time it opens (names of the current LF frames).
class DropDown : public QComboBox {
  public:
    using QComboBox::QComboBox;
    std::function<QStringList()> fill;

    void showPopup() override {
        if (fill) {
            const QString text = currentText();
            const QSignalBlocker block(this);
            clear();
            addItems(fill());
            setCurrentIndex(findText(text));
            if (isEditable()) setEditText(text);
        }
        QComboBox::showPopup();
    }
};

}  // namespace

TfrmRunConf::TfrmRunConf(Host& host, config::ConfigurationSet& configuration,
                         std::function<std::string()> copiedId, hw::PortProvider* ports,
                         QWidget* parent)
    : QWidget(parent),
      host_(host),
      set_(configuration),
      conf_(configuration.run),
      copiedId_(std::move(copiedId)) {
    setObjectName("frmRunConf");
    setStyleSheet(kStyle);
    modalRunner = [](QDialog& d) { return d.exec(); };
    conf_.InitRunConf({hw::ReceiverTypes.begin(), hw::ReceiverTypes.end()});

    pgcRunConf_ = new QTabWidget(this);
    pgcRunConf_->setObjectName("pgcRunConf");
    pgcRunConf_->addTab(buildLfTab(), "LF Parameters");
    pgcRunConf_->addTab(buildRxTab(), "Rx Parameters");
    pgcRunConf_->addTab(buildIdTab(), "ID Filter");
    pgcRunConf_->addTab(buildOptionsTab(), "Options");
    pgcRunConf_->addTab(buildAlertTab(), "Alert");
    pgcRunConf_->setCurrentIndex(0);
    // The description pop-up belongs to the receiver tab.
    connect(pgcRunConf_, &QTabWidget::currentChanged, this, [this] {
        if (!conf_.panListeDescriptions) return;
        conf_.ClosePopup();
        refresh();
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(pgcRunConf_);
    buildDescriptionPopup();

    setPortProvider(ports);
    setRunIdSource({});
    // The model outlives the window in the program; the guard keeps a late call harmless.
    QPointer<TfrmRunConf> self(this);
    conf_.onSettingsReplaced = [self] {
        if (self) self->refresh();
    };
    refresh();
}

TfrmRunConf::~TfrmRunConf() {
    // Children die after this; none of their last signals may reach the model, which may
    // already be gone when the main window closes.
    for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

void TfrmRunConf::setRunIdSource(std::function<std::vector<std::string>*()> source) {
    runIds_ = std::move(source);
    butGetID_->setEnabled(static_cast<bool>(runIds_));
}

void TfrmRunConf::setPortProvider(hw::PortProvider* ports) {
    ports_ = ports;
    for (QPushButton* b : {butEMCTest_, butTSTLFTest_}) b->setEnabled(ports_ != nullptr);
}

// ---- bindings ----

void TfrmRunConf::edited() {
    if (!refreshing_) conf_.Changed();
}

QLineEdit* TfrmRunConf::bindEdit(const QString& name, std::string& field, bool stored) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    connect(e, &QLineEdit::textEdited, this, [this, &field, stored](const QString& text) {
        field = toCp1252(text);
        if (stored) edited();
    });
    onRefresh([e, &field] { showText(e, field); });
    return e;
}

QCheckBox* TfrmRunConf::bindCheck(const QString& name, const QString& caption, bool& field,
                                  bool stored) {
    auto* b = new QCheckBox(caption, this);
    b->setObjectName(name);
    connect(b, &QCheckBox::clicked, this, [this, &field, stored](bool checked) {
        field = checked;
        if (stored) edited();
        refresh();
    });
    onRefresh([b, &field] { b->setChecked(field); });
    return b;
}

QRadioButton* TfrmRunConf::radio(const QString& name, const QString& caption) {
    auto* b = new QRadioButton(caption, this);
    b->setObjectName(name);
    return b;
}

void TfrmRunConf::bindGroup(const std::vector<QRadioButton*>& buttons, std::vector<bool*> fields,
                            std::function<void(std::size_t)> select) {
    auto* group = new QButtonGroup(this);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        group->addButton(buttons[i]);
        connect(buttons[i], &QRadioButton::clicked, this, [this, fields, select, i] {
            if (select) {
                select(i);
            } else {
                for (std::size_t k = 0; k < fields.size(); ++k) *fields[k] = (k == i);
                edited();
            }
            refresh();
        });
    }
    // A group may show no button checked (a file whose mode keys are all cleared).
    onRefresh([group, buttons, fields] {
        group->setExclusive(false);
        for (std::size_t i = 0; i < buttons.size(); ++i) buttons[i]->setChecked(*fields[i]);
        group->setExclusive(true);
    });
}

QComboBox* TfrmRunConf::bindTextCombo(const QString& name, std::string& field, bool editable,
                                      const std::vector<std::string>& items,
                                      std::function<std::vector<std::string>()> fill,
                                      std::function<void()> changed) {
    auto* box = new DropDown(this);
    box->setObjectName(name);
    box->setEditable(editable);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(toList(items));
    if (fill) box->fill = [fill] { return toList(fill()); };
    auto apply = [this, &field, changed](const QString& text) {
        field = toCp1252(text);
        if (changed)
            changed();
        else
            edited();
        refresh();
    };
    connect(box, &QComboBox::textActivated, this, apply);
    if (editable) connect(box->lineEdit(), &QLineEdit::textEdited, this, apply);
    onRefresh([box, &field] {
        const QString text = fromCp1252(field);
        if (box->currentText() == text && (box->isEditable() || box->currentIndex() >= 0)) return;
        box->setCurrentIndex(box->findText(text));
        if (box->isEditable()) box->setEditText(text);
    });
    return box;
}

QComboBox* TfrmRunConf::bindIndexCombo(const QString& name, int& field,
                                       const std::vector<std::string>& items) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->addItems(toList(items));
    connect(box, &QComboBox::activated, this, [this, &field](int index) {
        field = index;
        edited();
        refresh();
    });
    onRefresh([box, &field] { box->setCurrentIndex(field); });
    return box;
}

QLineEdit* TfrmRunConf::digitsOnly(QLineEdit* edit, std::size_t maxLength) {
    edit->setProperty("digitsOnly", static_cast<int>(maxLength));
    edit->installEventFilter(this);
    edit->setMaximumWidth(70);
    return edit;
}

void TfrmRunConf::refresh() {
    if (refreshing_) return;
    refreshing_ = true;
    for (const auto& show : refreshers_) show();
    refreshing_ = false;
}

// ---- "LF Parameters" ----

QWidget* TfrmRunConf::buildLfTab() {
    auto* page = new QWidget(this);
    page->setObjectName("tabLFParameters");

    auto* grpMode = new QGroupBox("Run mode", page);
    grpMode->setObjectName("grpMode");
    const std::vector<QRadioButton*> modes{radio("rdbLFManual", "Manual"),
                                           radio("rdbLFScript", "Script"),
                                           radio("rdbLFBrodcast", "Cyclic broadcast"),
                                           radio("rdbLFIndividual", "Cyclic individual"),
                                           radio("rdbLFEMC", "EMC"),
                                           radio("rdbLFTSTLF", "TSTLF")};
    auto* modeRow = new QHBoxLayout(grpMode);
    for (QRadioButton* b : modes) {
        b->setParent(grpMode);
        modeRow->addWidget(b);
        modeRow->addSpacing(10);
    }
    modeRow->addStretch();
    bindGroup(modes,
              {&conf_.rdbLFManual, &conf_.rdbLFScript, &conf_.rdbLFBrodcast, &conf_.rdbLFIndividual,
               &conf_.rdbLFEMC, &conf_.rdbLFTSTLF},
              [this](std::size_t m) { conf_.SelectMode(static_cast<int>(m)); });

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(grpMode);
    layout->addWidget(buildCyclicPanel());
    layout->addWidget(buildEmcPanel());
    layout->addWidget(buildTstlfPanel());
    layout->addStretch();
    return page;
}

QWidget* TfrmRunConf::buildCyclicPanel() {
    QFrame* panParamCyclic = modePanel("panParamCyclic", this);
    auto* grid = new QGridLayout(panParamCyclic);
    grid->setContentsMargins(12, 10, 12, 10);

    auto lfNames = [this] { return set_.lfFrameNames(); };
    auto dataNames = [this] { return set_.lf.frameNames(true); };

    QFrame* panBroadcast = modePanel("panBroadcast", panParamCyclic);
    panBroadcast->setProperty("modePanel", false);
    {
        auto* row = new QHBoxLayout(panBroadcast);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(columnLabel("Broadcast LF frame :", panBroadcast));
        QComboBox* box = bindTextCombo("cboBrodcast", conf_.cboBrodcast, true, {}, lfNames);
        box->setMinimumWidth(200);
        row->addWidget(box);
        row->addStretch();
    }
    QFrame* panIndividual = modePanel("panIndividual", panParamCyclic);
    panIndividual->setProperty("modePanel", false);
    {
        auto* row = new QHBoxLayout(panIndividual);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(columnLabel("Individual LF frame :", panIndividual));
        QComboBox* box = bindTextCombo("cboIndividual", conf_.cboIndividual, true, {}, dataNames);
        box->setMinimumWidth(200);
        row->addWidget(box);
        row->addWidget(hint("(data frame with the '@ID' parameter; IDs from the \"ID Filter\" tab)",
                            panIndividual));
        row->addStretch();
    }
    grid->addWidget(panBroadcast, 0, 0, 1, 4);
    grid->addWidget(panIndividual, 1, 0, 1, 4);

    QLineEdit* on = bindEdit("txtON", conf_.txtON);
    QLineEdit* off = bindEdit("txtOFF", conf_.txtOFF);
    for (QLineEdit* e : {on, off}) e->setMaximumWidth(80);
    QComboBox* interframe =
        bindTextCombo("cboInterFrame", conf_.cboInterFrame, true, conf_.cboInterFrameItems);
    interframe->setMaximumWidth(80);
    grid->addWidget(columnLabel("ON duration :", panParamCyclic), 2, 0);
    grid->addWidget(on, 2, 1);
    grid->addWidget(hint("s   (1 .. 7200)", panParamCyclic), 2, 2);
    grid->addWidget(columnLabel("OFF duration :", panParamCyclic), 3, 0);
    grid->addWidget(off, 3, 1);
    grid->addWidget(hint("s", panParamCyclic), 3, 2);
    grid->addWidget(columnLabel("Interframe :", panParamCyclic), 4, 0);
    grid->addWidget(interframe, 4, 1);
    grid->addWidget(hint("ms", panParamCyclic), 4, 2);
    grid->setColumnStretch(3, 1);

    onRefresh([this, panParamCyclic, panBroadcast, panIndividual] {
        const config::ModePanels p = conf_.VisiblePanels();
        panParamCyclic->setVisible(p.panParamCyclic);
        panBroadcast->setVisible(p.panBroadcast);
        panIndividual->setVisible(p.panIndividual);
    });
    return panParamCyclic;
}

QWidget* TfrmRunConf::buildEmcPanel() {
    QFrame* panEMC = modePanel("panEMC", this);
    auto* layout = new QVBoxLayout(panEMC);
    layout->setContentsMargins(12, 10, 12, 10);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    const char* headers[] = {"", "Phase", "LF frame", "Interframe", "ON", "OFF", "RF test", ""};
    for (int col = 0; col < 8; ++col) {
        auto* h = new QLabel(headers[col], panEMC);
        QFont f = h->font();
        f.setBold(true);
        h->setFont(f);
        grid->addWidget(h, 0, col + (col >= 7 ? 2 : 0));
    }
    grid->addWidget(hint("ms", panEMC), 1, 3);
    grid->addWidget(hint("s (1 .. 7200)", panEMC), 1, 4);
    grid->addWidget(hint("s (0.0 .. 5.0)", panEMC), 1, 5);

    for (std::size_t p = 0; p < config::kEmcPhases; ++p) {
        const int row = static_cast<int>(p) + 2;
        auto* marker = new QFrame(panEMC);
        marker->setObjectName(name("shaPhase", p));
        marker->setFixedSize(14, 14);
        QCheckBox* enabled = bindCheck(name("chkLFPhase", p), "", conf_.chkLFPhase[p]);
        auto* first = new QHBoxLayout;
        first->addWidget(marker);
        first->addWidget(enabled);
        grid->addLayout(first, row, 0);
        onRefresh([this, marker, p] {
            const QString look = QString("background: %1; border-radius: 7px;")
                                     .arg(conf_.chkLFPhase[p] ? "#2fa84f" : "#a9b1bc");
            if (marker->styleSheet() != look) marker->setStyleSheet(look);
        });

        QLineEdit* phaseName = bindEdit(name("txtPhase", p), conf_.txtPhase[p]);
        phaseName->setMaximumWidth(110);
        grid->addWidget(phaseName, row, 1);
        QComboBox* frame = bindTextCombo(name("cboLFPhase", p), conf_.cboLFPhase[p], true,
                                         phaseFrameItems(), [this] { return phaseFrameItems(); });
        frame->setMinimumWidth(160);
        grid->addWidget(frame, row, 2);
        grid->addWidget(
            digitsOnly(bindEdit(name("txtInterframePhase", p), conf_.txtInterframePhase[p]),
                       rc::kInterframePhaseMaxLength),
            row, 3);
        QLineEdit* duration = bindEdit(name("txtDurationPhase", p), conf_.txtDurationPhase[p]);
        QLineEdit* silent = bindEdit(name("txtSilentPhase", p), conf_.txtSilentPhase[p]);
        for (QLineEdit* e : {duration, silent}) e->setMaximumWidth(70);
        grid->addWidget(duration, row, 4);
        grid->addWidget(silent, row, 5);

        QRadioButton* none = radio(name("rdbPhase", p, "_X"), "No test");
        QRadioButton* absence = radio(name("rdbPhase", p, "_N"), "Absence");
        QRadioButton* presence = radio(name("rdbPhase", p, "_Y"), "Presence");
        auto* test = new QHBoxLayout;
        for (QRadioButton* b : {none, absence, presence}) test->addWidget(b);
        grid->addLayout(test, row, 6, 1, 3);
        bindGroup({none, absence, presence},
                  {&conf_.rdbPhase_X[p], &conf_.rdbPhase_N[p], &conf_.rdbPhase_Y[p]});

        QPushButton* configure = button(name("butConfPhase", p), "Configure ..", panEMC);
        connect(configure, &QPushButton::clicked, this,
                [this, p] { ConfigurePhaseRf(static_cast<int>(p)); });
        grid->addWidget(configure, row, 9);
    }
    grid->setColumnStretch(2, 1);
    layout->addLayout(grid);

    auto* groups = new QHBoxLayout;
    auto* grpCalibration = new QGroupBox("Calibration", panEMC);
    {
        auto* g = new QGridLayout(grpCalibration);
        g->addWidget(bindCheck("chkCalibration", "Calibration on start", conf_.chkCalibration), 0,
                     0, 1, 3);
        g->addWidget(bindCheck("chkRecalibration", "Recalibration every", conf_.chkRecalibration),
                     1, 0);
        g->addWidget(digitsOnly(bindEdit("txtRecalibration", conf_.txtRecalibration),
                                rc::kRecalibrationMaxLength),
                     1, 1);
        g->addWidget(hint("s", grpCalibration), 1, 2);
    }
    auto* grpOutput = new QGroupBox("Logical output", panEMC);
    {
        auto* g = new QVBoxLayout(grpOutput);
        QRadioButton* phase = radio("rdbPhaseOutput", "Phase Output");
        QRadioButton* cycle = radio("rdbCycleOutput", "Cycle Output");
        g->addWidget(phase);
        g->addWidget(cycle);
        bindGroup({phase, cycle}, {&conf_.rdbPhaseOutput, &conf_.rdbCycleOutput});
    }
    QWidget* grpSite = buildSiteGroup(panEMC, true);
    groups->addWidget(grpCalibration);
    groups->addWidget(grpOutput);
    groups->addWidget(grpSite);
    groups->addStretch();
    layout->addLayout(groups);

    onRefresh([this, panEMC] { panEMC->setVisible(conf_.VisiblePanels().panEMC); });
    return panEMC;
}

QWidget* TfrmRunConf::buildTstlfPanel() {
    QFrame* panTSTLF = modePanel("panTSTLF", this);
    auto* layout = new QVBoxLayout(panTSTLF);
    layout->setContentsMargins(12, 10, 12, 10);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("LF frame :", panTSTLF), 0, 0);
    QComboBox* frame = bindTextCombo("cboTSTLF", conf_.cboTSTLF, true, phaseFrameItems(),
                                     [this] { return phaseFrameItems(); });
    frame->setMinimumWidth(180);
    grid->addWidget(frame, 0, 1, 1, 2);
    QPushButton* configure = button("butTSTLFconfigure", "Configure ..", panTSTLF);
    connect(configure, &QPushButton::clicked, this, [this] { ConfigureTstlfRf(); });
    grid->addWidget(configure, 0, 3);
    grid->addWidget(new QLabel("Interframe :", panTSTLF), 1, 0);
    grid->addWidget(digitsOnly(bindEdit("txtInterframeTSTLF", conf_.txtInterframeTSTLF),
                               rc::kInterframePhaseMaxLength),
                    1, 1);
    grid->addWidget(hint("ms", panTSTLF), 1, 2);
    grid->addWidget(new QLabel("ON duration :", panTSTLF), 2, 0);
    QLineEdit* duration = bindEdit("txtDurationTSTLF", conf_.txtDurationTSTLF);
    grid->addWidget(duration, 2, 1);
    grid->addWidget(hint("s (1 .. 7200)", panTSTLF), 2, 2);
    grid->addWidget(new QLabel("OFF (silent) time :", panTSTLF), 3, 0);
    QLineEdit* silent = bindEdit("txtSilentTSTLF", conf_.txtSilentTSTLF);
    grid->addWidget(silent, 3, 1);
    grid->addWidget(hint("s (0.0 .. 5.0)", panTSTLF), 3, 2);
    for (QLineEdit* e : {duration, silent}) e->setMaximumWidth(70);
    grid->setColumnStretch(4, 1);
    layout->addLayout(grid);

    QWidget* grpSite = buildSiteGroup(panTSTLF, false);
    auto* siteRow = new QHBoxLayout;
    siteRow->addWidget(grpSite);
    siteRow->addStretch();
    layout->addLayout(siteRow);

    onRefresh([this, panTSTLF] { panTSTLF->setVisible(conf_.VisiblePanels().panTSTLF); });
    return panTSTLF;
}

QWidget* TfrmRunConf::buildSiteGroup(QWidget* parent, bool emc) {
    auto* group = new QGroupBox("Test site", parent);
    group->setObjectName(emc ? "grpEMCSite" : "grpTSTLFSite");
    group->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    auto* g = new QGridLayout(group);
    // The TSTLF switches belong to the window only: changing them leaves the document alone.
    g->addWidget(emc ? bindCheck("rdbEMCCom", "Use RS232 Control", conf_.rdbEMCCom)
                     : bindCheck("rdbTSTLFCom", "Use RS232 Control", conf_.rdbTSTLFCom, false),
                 0, 0, 1, 5);
    g->addWidget(new QLabel("COM", group), 1, 0);
    QLineEdit* port = emc ? bindEdit("txtEMCPort", conf_.txtEMCPort)
                          : bindEdit("txtTSTLFPort", conf_.txtTSTLFPort);
    port->setMaximumWidth(50);
    g->addWidget(port, 1, 1);
    g->addWidget(
        emc ? bindIndexCombo("cboEMCBaudrate", conf_.cboEMCBaudrate, rc::BaudRateItems())
            : bindIndexCombo("cboTSTLFBaudrate", conf_.cboTSTLFBaudrate, rc::BaudRateItems()),
        1, 2);
    g->addWidget(hint("bauds", group), 1, 3);
    QPushButton* test = button(emc ? "butEMCTest" : "butTSTLFTest", "Test", group);
    test->setToolTip(config::testsite::kTestHint);
    connect(test, &QPushButton::clicked, this, [this, emc] { testPort(emc); });
    (emc ? butEMCTest_ : butTSTLFTest_) = test;
    g->addWidget(test, 1, 4);
    g->addWidget(emc ? bindCheck("chkEMCOutFields", "Out selected fields value on RS232",
                                 conf_.chkEMCOutFields)
                     : bindCheck("chkTSTLFOutFields", "Out selected fields value on RS232",
                                 conf_.chkTSTLFOutFields, false),
                 2, 0, 1, 5);
    return group;
}

// "(No emission)" and the current LF frames: the EMC phases and TSTLF.
std::vector<std::string> TfrmRunConf::phaseFrameItems() const {
    std::vector<config::LfFrameInfo> lf;
    for (const std::string& n : set_.lfFrameNames()) lf.push_back({n, true, {}});
    return RunConf::PhaseFrameItems(lf);
}

// ---- "Rx Parameters" ----

QWidget* TfrmRunConf::buildRxTab() {
    auto* page = new QWidget(this);
    page->setObjectName("tabRxParameters");
    auto* row = new QHBoxLayout(page);
    for (std::size_t c = 0; c < config::kRxSlots; ++c)
        row->addWidget(buildSlot(static_cast<int>(c)));
    return page;
}

QWidget* TfrmRunConf::buildSlot(int slot) {
    const std::size_t c = static_cast<std::size_t>(slot);
    auto* box = new QFrame(this);
    box->setObjectName(name("panRx", c));
    box->setProperty("slot", true);
    box->setAttribute(Qt::WA_StyledBackground);
    auto* layout = new QVBoxLayout(box);

    auto* used = new QCheckBox(kSlotCaptions[c], box);
    used->setObjectName(name("chk", c));
    QFont f = used->font();
    f.setBold(true);
    used->setFont(f);
    connect(used, &QCheckBox::clicked, this, [this, c, slot](bool checked) {
        conf_.chk[c] = checked;
        conf_.chkClick(slot);
        refresh();
    });
    onRefresh([this, used, c] { used->setChecked(conf_.chk[c]); });
    layout->addWidget(used);

    layout->addWidget(new QLabel("Receiver :", box));
    auto* receiverRow = new QHBoxLayout;
    QComboBox* receiver = bindTextCombo(name("cbo", c), conf_.cbo[c], false, conf_.cboItems, {},
                                        [this, slot] { conf_.cboChange(slot); });
    receiver->setMinimumWidth(120);
    auto* modulation = button(name("butAskFsk", c), "", box);
    modulation->setFixedWidth(52);
    connect(modulation, &QPushButton::clicked, this, [this, slot] {
        conf_.butAskFskXClick(slot);
        refresh();
    });
    receiverRow->addWidget(receiver, 1);
    receiverRow->addWidget(modulation);
    layout->addLayout(receiverRow);
    onRefresh([this, c, receiver, modulation] {
        const bool enabled = conf_.cboEnabled[c];
        receiver->setEnabled(enabled);
        QPalette pal = receiver->palette();
        const QColor back = enabled ? QColor("#d8f5d0") : QColor(Qt::white);
        pal.setColor(QPalette::Base, back);
        pal.setColor(QPalette::Button, back);
        receiver->setPalette(pal);
        const QString caption = fromCp1252(conf_.butAskFsk[c]);
        modulation->setText(caption);
        modulation->setEnabled(enabled);
        modulation->setVisible(conf_.butAskFskVisible[c]);
        const QString look = QString(
                                 "QPushButton { color: %1; font-weight: 600; }"
                                 " QPushButton:disabled { color: #9aa5b5; }")
                                 .arg(caption == rc::kFsk ? "#1f4fd1" : "#1d8a2e");
        if (modulation->styleSheet() != look) modulation->setStyleSheet(look);
    });

    layout->addWidget(new QLabel("RF descriptions :", box));
    auto* list = new QListWidget(box);
    list->setObjectName(name("lstFrames", c));
    connect(list, &QListWidget::currentRowChanged, this, [this, c](int row) {
        if (!refreshing_) conf_.lstFramesIndex[c] = row;
    });
    onRefresh([this, list, c] {
        const QStringList items = toList(conf_.lstFrames[c]);
        QStringList shown;
        for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
        if (shown != items) {
            list->clear();
            list->addItems(items);
        }
        list->setCurrentRow(conf_.lstFramesIndex[c]);
        if (conf_.lstFramesIndex[c] < 0) list->clearSelection();
    });
    layout->addWidget(list, 1);

    auto* buttons = new QGridLayout;
    QPushButton* add = button(name("butAdd", c), "Add", box);
    QPushButton* del = button(name("butDel", c), "Delete", box);
    QPushButton* up = button(name("butHaut", c), "Up", box);
    QPushButton* down = button(name("butBas", c), "Down", box);
    add->setToolTip("Add an RF description");
    del->setToolTip("Remove the selected description");
    up->setToolTip("Move the selected description up");
    down->setToolTip("Move the selected description down");
    connect(add, &QPushButton::clicked, this,
            [this, slot, add] { showDescriptionPopup(slot, add); });
    connect(del, &QPushButton::clicked, this, [this, slot] {
        conf_.butDelClick(slot);
        refresh();
    });
    connect(up, &QPushButton::clicked, this, [this, slot] {
        conf_.butHautClick(slot);
        refresh();
    });
    connect(down, &QPushButton::clicked, this, [this, slot] {
        conf_.butBasClick(slot);
        refresh();
    });
    buttons->addWidget(add, 0, 0);
    buttons->addWidget(del, 0, 1);
    buttons->addWidget(up, 1, 0);
    buttons->addWidget(down, 1, 1);
    layout->addLayout(buttons);
    return box;
}

void TfrmRunConf::buildDescriptionPopup() {
    panListeDescriptions_ = new QFrame(this);
    panListeDescriptions_->setObjectName("panListeDescriptions");
    auto* layout = new QVBoxLayout(panListeDescriptions_);
    layout->setContentsMargins(6, 4, 6, 6);
    auto* header = new QHBoxLayout;
    header->addWidget(new QLabel(rc::kPopupCaption, panListeDescriptions_), 1);
    auto* close = new QToolButton(panListeDescriptions_);
    close->setObjectName("butCloseDescriptions");
    close->setText("X");
    close->setAutoRaise(true);
    connect(close, &QToolButton::clicked, this, [this] {
        conf_.ClosePopup();
        refresh();
    });
    header->addWidget(close);
    layout->addLayout(header);
    lstDescriptions_ = new QListWidget(panListeDescriptions_);
    lstDescriptions_->setObjectName("lstDescriptions");
    lstDescriptions_->installEventFilter(this);
    panListeDescriptions_->installEventFilter(this);
    auto pick = [this](QListWidgetItem* item) {
        conf_.lstDescriptionsClick(lstDescriptions_->row(item));
        refresh();
    };
    connect(lstDescriptions_, &QListWidget::itemClicked, this, pick);
    connect(lstDescriptions_, &QListWidget::itemActivated, this, pick);
    layout->addWidget(lstDescriptions_);
    panListeDescriptions_->resize(240, 260);
    panListeDescriptions_->hide();
    onRefresh([this] { refreshPopup(); });
}

void TfrmRunConf::showDescriptionPopup(int c, QWidget* at) {
    conf_.butAddClick(c, RunConf::DescriptionNames(set_.rf.items()));
    const QPoint top = at->mapTo(this, QPoint(0, 0));
    const int h = panListeDescriptions_->height();
    int y = top.y() + at->height();
    if (y + h > height()) y = top.y() - h;
    const int x = std::min(top.x(), width() - panListeDescriptions_->width());
    panListeDescriptions_->move(std::max(0, x), std::max(0, y));
    refresh();
    lstDescriptions_->setCurrentRow(-1);
    lstDescriptions_->clearSelection();
    lstDescriptions_->setFocus();
}

void TfrmRunConf::refreshPopup() {
    const QStringList items = toList(conf_.lstDescriptions);
    QStringList shown;
    for (int i = 0; i < lstDescriptions_->count(); ++i) shown << lstDescriptions_->item(i)->text();
    if (shown != items) {
        lstDescriptions_->clear();
        lstDescriptions_->addItems(items);
    }
    panListeDescriptions_->setVisible(conf_.panListeDescriptions);
    if (conf_.panListeDescriptions) panListeDescriptions_->raise();
}

// ---- "ID Filter" ----

QWidget* TfrmRunConf::buildIdTab() {
    auto* page = new QWidget(this);
    page->setObjectName("tabIDFilter");
    auto* layout = new QVBoxLayout(page);

    auto* grpFilter = new QGroupBox("ID filter", page);
    auto* g = new QGridLayout(grpFilter);
    QRadioButton* all = radio("rdbIDAll", "All ID");
    QRadioButton* only = radio("rdbIDManual", "Only ID");
    bindGroup({all, only}, {&conf_.rdbIDAll, &conf_.rdbIDManual},
              [this](std::size_t i) { conf_.SelectIdFilter(i == 0); });
    g->addWidget(all, 0, 0);
    g->addWidget(only, 1, 0);

    txtID_ = bindEdit("txtID", conf_.txtID);
    txtID_->installEventFilter(this);
    txtID_->setAcceptDrops(false);
    txtID_->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* mnuPasteID = new QAction("Paste IDs", this);
    mnuPasteID->setObjectName("mnuPasteID");
    auto* mnuCopyIDs = new QAction("Copy IDs", this);
    mnuCopyIDs->setObjectName("mnuCopyIDs");
    connect(mnuPasteID, &QAction::triggered, this, [this] { pasteIds(); });
    connect(mnuCopyIDs, &QAction::triggered, this, [this] { copyIds(); });
    auto* popID = new QMenu(this);
    popID->setObjectName("popID");
    popID->addAction(mnuPasteID);
    popID->addAction(mnuCopyIDs);
    connect(txtID_, &QLineEdit::customContextMenuRequested, this,
            [this, popID](const QPoint& at) { popID->popup(txtID_->mapToGlobal(at)); });
    g->addWidget(txtID_, 1, 1);
    g->addWidget(hint("Use comma or space character to separate the IDs, Ex : 12E67, A45, 78676EEC",
                      grpFilter),
                 2, 1);

    butGetID_ = button("butGetID", "Get ID", grpFilter);
    butGetID_->setToolTip("Take the first IDs of the run window's ID list");
    connect(butGetID_, &QPushButton::clicked, this, [this] {
        conf_.panGetID = true;
        refresh();
    });
    g->addWidget(butGetID_, 1, 2);
    g->setColumnStretch(1, 1);

    panGetID_ = new QFrame(grpFilter);
    panGetID_->setObjectName("panGetID");
    {
        auto* row = new QHBoxLayout(panGetID_);
        row->addWidget(new QLabel("Number of IDs :", panGetID_));
        QComboBox* first =
            bindTextCombo("cboFirst", conf_.cboFirst, false, rc::GetIdCountItems(), {}, [] {});
        first->setParent(panGetID_);
        first->setMinimumWidth(70);
        row->addWidget(first);
        auto* ok = button("butGetIDOK", "OK", panGetID_);
        auto* cancel = button("butGetIDCancel", "Cancel", panGetID_);
        connect(ok, &QPushButton::clicked, this, [this] {
            std::vector<std::string> none;
            std::vector<std::string>* ids = runIds_ ? runIds_() : nullptr;
            conf_.butGetIDOkClick(ids ? *ids : none);
            refresh();
        });
        connect(cancel, &QPushButton::clicked, this, [this] {
            conf_.panGetID = false;
            refresh();
        });
        row->addWidget(ok);
        row->addWidget(cancel);
        row->addStretch();
    }
    g->addWidget(panGetID_, 3, 1, 1, 2);
    onRefresh([this] { panGetID_->setVisible(conf_.panGetID); });
    layout->addWidget(grpFilter);

    auto* grpDisplay = new QGroupBox("Frames", page);
    auto* d = new QVBoxLayout(grpDisplay);
    d->addWidget(
        bindCheck("chkReject", "Reject the frames with bad content", conf_.chkReject, false));
    d->addWidget(
        bindCheck("chkUncompleted", "Display always HEXA (debug mode)", conf_.chkUncompleted));
    layout->addWidget(grpDisplay);
    layout->addStretch();
    return page;
}

void TfrmRunConf::pasteIds() {
    const std::string id = copiedId_ ? copiedId_() : std::string();
    QApplication::clipboard()->setText(fromCp1252(id));
    const bool selection = txtID_->hasSelectedText();
    const int start = selection ? txtID_->selectionStart() : txtID_->cursorPosition();
    const int length = selection ? static_cast<int>(txtID_->selectedText().size()) : 0;
    const std::size_t caret =
        conf_.mnuPasteID(toCp1252(QApplication::clipboard()->text()),
                         static_cast<std::size_t>(start), static_cast<std::size_t>(length));
    refresh();
    txtID_->setCursorPosition(static_cast<int>(caret));
}

void TfrmRunConf::copyIds() {
    if (!txtID_->hasSelectedText()) return;
    QApplication::clipboard()->setText(
        fromCp1252(conf_.mnuCopyIDs(static_cast<std::size_t>(txtID_->selectionStart()),
                                    static_cast<std::size_t>(txtID_->selectedText().size()))));
}

void TfrmRunConf::pasteTypedIds() {
    const std::string text = config::FilterIdText(toCp1252(QApplication::clipboard()->text()));
    if (text.empty()) return;
    txtID_->insert(fromCp1252(text));
    conf_.txtID = toCp1252(txtID_->text());
    edited();
}

// ---- "Options" ----

QWidget* TfrmRunConf::buildOptionsTab() {
    auto* page = new QWidget(this);
    page->setObjectName("tabOptions");
    auto* layout = new QHBoxLayout(page);

    auto* grpDisplay = new QGroupBox("Display", page);
    auto* form = new QFormLayout(grpDisplay);
    form->addRow("Max items in the \"Rx Full-Datas\" list :",
                 bindTextCombo("cboNFull", conf_.cboNFull, false, rc::ListSizeItems()));
    form->addRow("Max items in the \"Rx ID-Datas\" lists :",
                 bindTextCombo("cboNDatas", conf_.cboNDatas, false, rc::ListSizeItems()));
    auto* maxId = new QComboBox(grpDisplay);
    maxId->setObjectName("cboMaxID");
    maxId->addItem(fromCp1252(conf_.cboMaxID));
    maxId->setEnabled(false);
    form->addRow("Max ID :", maxId);
    form->addRow(
        "Displayed digits :",
        bindIndexCombo("cboDisplayedDigits", conf_.cboDisplayedDigits, rc::DisplayedDigitItems()));
    form->addRow("Meter min :", bindEdit("txtMeterMin", conf_.txtMeterMin));
    form->addRow("Meter max :", bindEdit("txtMeterMax", conf_.txtMeterMax));
    form->addRow(bindCheck("chkColoration", "Coloration", conf_.chkColoration, false));

    auto* grpFiles = new QGroupBox("Files and LSE", page);
    auto* files = new QGridLayout(grpFiles);
    files->addWidget(bindCheck("chkNoFiles", "Don't generate output files", conf_.chkNoFiles), 0, 0,
                     1, 3);
    files->addWidget(new QLabel("Max XML lines", grpFiles), 1, 0);
    files->addWidget(bindEdit("txtCSVLines", conf_.txtCSVLines), 1, 1);
    files->addWidget(hint("1000 .. 100000", grpFiles), 1, 2);
    files->addWidget(bindCheck("chkLSEOffset", "Offset angle datation", conf_.chkLSEOffset), 2, 0);
    files->addWidget(bindEdit("txtLSEOffset", conf_.txtLSEOffset), 2, 1);
    files->addWidget(
        hint(QString::fromUtf8("\u00b5s before the preamble end (0 .. 20000)"), grpFiles), 2, 2);

    auto* left = new QVBoxLayout;
    left->addWidget(grpDisplay);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(grpFiles);
    right->addStretch();
    layout->addLayout(left);
    layout->addLayout(right);
    layout->addStretch();
    return page;
}

// ---- "Alert" ----

QWidget* TfrmRunConf::buildAlertTab() {
    auto* page = new QWidget(this);
    page->setObjectName("tabAlert");
    auto* layout = new QVBoxLayout(page);

    auto* top = new QHBoxLayout;
    top->addWidget(bindCheck("chkAlertActive", "Alerts active", conf_.chkAlertActive));
    auto* image = new QLabel(page);
    image->setObjectName("imgAlertActiveON");
    image->setPixmap(alertImage(20));
    image->setToolTip("Alerts are active");
    onRefresh([this, image] { image->setVisible(conf_.chkAlertActive); });
    top->addWidget(image);
    top->addSpacing(30);
    top->addWidget(bindCheck("chkTimeOut", "TimeOut enabled", conf_.chkTimeOut));
    QLineEdit* timeout = bindEdit("txtTimeOut", conf_.txtTimeOut);
    timeout->setMaximumWidth(60);
    top->addWidget(timeout);
    top->addWidget(hint("s", page));
    top->addStretch();
    layout->addLayout(top);

    auto* levels = new QHBoxLayout;
    for (int n = 0; n < config::kAlertLevels; ++n) levels->addWidget(buildAlertLevel(n));
    layout->addLayout(levels);
    layout->addStretch();
    return page;
}

QWidget* TfrmRunConf::buildAlertLevel(int level) {
    const std::size_t n = static_cast<std::size_t>(level);
    auto* box = new QGroupBox(n == 0 ? "Warning (low priority)" : "Alert (high priority)", this);
    box->setObjectName(name("grpAlert", n));
    auto* g = new QGridLayout(box);
    g->setVerticalSpacing(8);

    g->addWidget(new QLabel("Field :", box), 0, 0);
    g->addWidget(bindEdit(name("txtAlertField", n), conf_.txtAlertField[n]), 0, 1);

    g->addWidget(new QLabel("Value :", box), 1, 0);
    QRadioButton* inf = radio(name("chkAlertInf", n), "<");
    QRadioButton* sup = radio(name("chkAlertSup", n), ">");
    bindGroup({inf, sup}, {&conf_.chkAlertInf[n], &conf_.chkAlertSup[n]});
    QLineEdit* threshold = bindEdit(name("txtAlertThreshold", n), conf_.txtAlertThreshold[n]);
    threshold->setMaximumWidth(90);
    auto* compare = new QHBoxLayout;
    compare->addWidget(inf);
    compare->addWidget(sup);
    compare->addSpacing(12);
    compare->addWidget(threshold);
    compare->addStretch();
    g->addLayout(compare, 1, 1);

    g->addWidget(new QLabel("Output :", box), 2, 0, Qt::AlignTop);
    QRadioButton* fix = radio(name("chkAlertFix", n), "Fix");
    QRadioButton* b500 = radio(name("chkAlertBlink", n, "_500"), "Blink 500ms");
    QRadioButton* b1000 = radio(name("chkAlertBlink", n, "_1000"), "Blink 1000ms");
    QRadioButton* b2000 = radio(name("chkAlertBlink", n, "_2000"), "Blink 2000ms");
    bindGroup({fix, b500, b1000, b2000},
              {&conf_.chkAlertFix[n], &conf_.chkAlertBlink_500[n], &conf_.chkAlertBlink_1000[n],
               &conf_.chkAlertBlink_2000[n]});
    auto* output = new QGridLayout;
    output->addWidget(fix, 0, 0);
    output->addWidget(b500, 0, 1);
    output->addWidget(b1000, 1, 1);
    output->addWidget(b2000, 2, 1);
    output->setColumnStretch(2, 1);
    g->addLayout(output, 2, 1);

    g->addWidget(new QLabel("Sound :", box), 3, 0);
    QRadioButton* silent = radio(name("chkAlertWaveNo", n), "None");
    QRadioButton* file = radio(name("chkAlertWaveYes", n), "File");
    bindGroup({silent, file}, {&conf_.chkAlertWaveNo[n], &conf_.chkAlertWaveYes[n]});
    QPushButton* browse = button(name("butAlertWave", n), "...", box);
    browse->setToolTip("Choose the sound file");
    browse->setFixedWidth(32);
    connect(browse, &QPushButton::clicked, this, [this, level] { chooseWaveFile(level); });
    auto* sound = new QHBoxLayout;
    sound->addWidget(silent);
    sound->addWidget(file);
    sound->addWidget(bindEdit(name("txtAlertWave", n), conf_.txtAlertWave[n]), 1);
    sound->addWidget(browse);
    g->addLayout(sound, 3, 1);
    g->setColumnStretch(1, 1);
    return box;
}

void TfrmRunConf::chooseWaveFile(int n) {
    FileDialogOptions options;
    options.title = "Choose the sound file";
    options.filterDescription = "Sound (*.wav)";
    options.pattern = "*.wav";
    options.defaultExtension = "wav";
    options.startFolder = ".";
    options.mustExist = true;
    const std::string path = host_.openFileDialog(options);
    if (path.empty()) return;
    conf_.txtAlertWave[static_cast<std::size_t>(n)] = path;
    edited();
    refresh();
}

// ---- EMC and TSTLF ----

int TfrmRunConf::runModal(QDialog& dialog) {
    return modalRunner(dialog);
}

void TfrmRunConf::ConfigurePhaseRf(int p) {
    config::ConfigurePhaseRf(conf_, p, set_.rf.items(), [this](config::EmcRfConfDialog& model) {
        TfrmEMCConf dialog(model, this);
        dialog.modalRunner = modalRunner;
        return runModal(dialog) == QDialog::Accepted;
    });
    refresh();
}

void TfrmRunConf::ConfigureTstlfRf() {
    config::ConfigureTstlfRf(conf_, set_.rf.items(), [this](config::EmcRfConfDialog& model) {
        TfrmEMCConf dialog(model, this);
        dialog.modalRunner = modalRunner;
        return runModal(dialog) == QDialog::Accepted;
    });
    refresh();
}

void TfrmRunConf::testPort(bool emc) {
    if (!ports_) return;
    config::TestSitePort port(*ports_, host_);
    port.TestPort(emc ? conf_.EmcBaudRateText() : conf_.TstlfBaudRateText(),
                  emc ? conf_.txtEMCPort : conf_.txtTSTLFPort);
}

// ---- keyboard ----

bool TfrmRunConf::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    const bool printable = !text.isEmpty() && text[0].unicode() >= 32 && text[0].unicode() != 127;

    if (watched == txtID_) {
        if (key->matches(QKeySequence::Paste)) {
            pasteTypedIds();
            return true;
        }
        if (!printable) return false;
        const std::string typed = toCp1252(text);
        const std::string kept = config::FilterIdText(typed);
        if (kept == typed) return false;
        // Lower-case hexadecimal digits go in raised; anything else is dropped.
        if (!kept.empty()) {
            txtID_->insert(fromCp1252(kept));
            conf_.txtID = toCp1252(txtID_->text());
            edited();
        }
        return true;
    }
    if (watched == lstDescriptions_ || watched == panListeDescriptions_) {
        if (key->key() == Qt::Key_Escape) {
            conf_.ClosePopup();
            refresh();
            return true;
        }
        return false;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && printable) {
        const QVariant max = edit->property("digitsOnly");
        if (!max.isValid()) return false;
        for (char c : toCp1252(text))
            if (!config::DigitOnlyKey(c)) return true;
        const int room = max.toInt() - static_cast<int>(edit->text().size()) +
                         static_cast<int>(edit->selectedText().size());
        return room < static_cast<int>(text.size());
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vornlfrf::gui
