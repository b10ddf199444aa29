#include "frm_lf_conf.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "config/lf_frames.h"
#include "config/lf_script.h"
#include "cp1252.h"

namespace vornlfrf::gui {

namespace {

using config::ScriptCommand;

// Object names of the add menu's entries, in add-menu order.
constexpr const char* kMenuNames[] = {"mnuComment", "mnuDelay",  "mnuEnd",     "mnuLevel",
                                      "mnuIdStart", "mnuIdStop", "mnuRestart", "mnuSendCW",
                                      "mnuSendF",   "mnuSet",    "mnuWaitIn"};
static_assert(std::size(kMenuNames) == static_cast<std::size_t>(ScriptCommand::Count));

constexpr char kStyle[] = R"(
#lblAnalysis { color: #1d4f91; font-weight: 600; }
QLabel[help="true"] { color: #33475b; }
QLabel[range="true"] { color: #6b7785; }
)";

// The frame boxes of SENDF and SENDCW list the frames of their kind as they are when opened.
class FrameBox : public QComboBox {
  public:
    using QComboBox::QComboBox;
    std::function<void()> onDropDown;
    void showPopup() override {
        if (onDropDown) onDropDown();
        QComboBox::showPopup();
    }
};

QPushButton* button(const char* name, const char* text, const char* hint, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* lineEdit(const char* name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

QLabel* rangeLabel(const std::string& text, QWidget* parent) {
    auto* l = new QLabel(fromCp1252(text), parent);
    l->setProperty("range", true);
    return l;
}

// Shows the text the model kept when it differs from what was typed (separator bytes are
// dropped or replaced), leaving the cursor where it was relative to the end.
void showKept(QLineEdit* editor, const std::string& kept) {
    const QString text = fromCp1252(kept);
    if (editor->text() == text) return;
    const int fromEnd = static_cast<int>(editor->text().size()) - editor->cursorPosition();
    editor->setText(text);
    editor->setCursorPosition(std::max(0, static_cast<int>(text.size()) - fromEnd));
}

void setEditorText(QLineEdit* editor, const std::string& text) {
    const QString shown = fromCp1252(text);
    if (editor->text() != shown) editor->setText(shown);
}

}  // namespace

TfrmLFConf::TfrmLFConf(config::LfConf& model, config::ConfigurationDocument& document,
                       QWidget* parent)
    : QWidget(parent), model_(model), script_(model.script()) {
    setObjectName("frmLFConf");
    setStyleSheet(kStyle);

    pgcLFConf_ = new QTabWidget(this);
    pgcLFConf_->setObjectName("pgcLFConf");
    pgcLFConf_->addTab(buildFramesPage(), "LF Frames");
    pgcLFConf_->addTab(buildScriptPage(), "Script");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(pgcLFConf_);

    // The models outlive or predecease the window depending on who owns them.
    QPointer<TfrmLFConf> self(this);
    model_.onEditorsFilled = [self] {
        if (self) self->showFrameEditors();
    };
    script_.onEditorsFilled = [self] {
        if (self) self->showScriptEditors();
    };
    model_.onReloaded = [self] {
        if (self) self->refresh();
    };
    document.onAfterLoadOrDefaults = [self, previous = document.onAfterLoadOrDefaults] {
        if (previous) previous();
        if (!self) return;
        self->script_.hideCommandArea();
        self->showCommandArea();
    };
    refresh();
}

TfrmLFConf::~TfrmLFConf() {
    // Children die after this class: their last signals must not reach the model.
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
}

void TfrmLFConf::refresh() {
    {
        QScopedValueRollback<bool> guard(syncing_, true);
        lstFrames_->header()->resizeSection(
            0, std::clamp(model_.nameWidth(), lstFrames_->header()->minimumSectionSize(), 2000));
    }
    syncFrameList();
    syncScriptList();
    showCommandArea();
}

// ---------------------------------------------------------------------------------------------
// LF frames

QWidget* TfrmLFConf::buildFramesPage() {
    auto* page = new QWidget;
    page->setObjectName("tabFrames");
    auto* splitter = new QSplitter(Qt::Horizontal, page);
    splitter->setChildrenCollapsible(false);

    auto* left = new QWidget(splitter);
    auto* column = new QVBoxLayout(left);
    column->setContentsMargins(0, 0, 0, 0);
    lstFrames_ = new QTreeWidget(left);
    lstFrames_->setObjectName("lstFrames");
    lstFrames_->setColumnCount(2);
    lstFrames_->setHeaderLabels({"Name", "Comment"});
    lstFrames_->setRootIsDecorated(false);
    lstFrames_->setUniformRowHeights(true);
    lstFrames_->setAllColumnsShowFocus(true);
    lstFrames_->setAlternatingRowColors(true);
    lstFrames_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFrames_->header()->setStretchLastSection(true);
    column->addWidget(lstFrames_, 1);
    connect(lstFrames_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!syncing_ && item) lstFramesClick(lstFrames_->indexOfTopLevelItem(item));
    });
    // A click on the current item shows its editor again (after a delete hid it, for example).
    connect(lstFrames_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (!syncing_) lstFramesClick(lstFrames_->indexOfTopLevelItem(item));
    });
    connect(lstFrames_->header(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) {
                if (!syncing_ && section == 0) model_.setNameWidth(size);
            });

    auto* buttons = new QHBoxLayout;
    auto* butAdd = button("butAdd", "Add", "Add a new frame at the end of the list", left);
    auto* butFrameCopy =
        button("butFrameCopy", "Copy", "Copy the selected frame to the end of the list", left);
    auto* butDel = button("butDel", "Delete", "Delete the selected frame", left);
    auto* butHaut = button("butHaut", "Up", "Move the selected frame up", left);
    auto* butBas = button("butBas", "Down", "Move the selected frame down", left);
    for (QPushButton* b : {butAdd, butFrameCopy, butDel}) buttons->addWidget(b);
    buttons->addStretch(1);
    for (QPushButton* b : {butHaut, butBas}) buttons->addWidget(b);
    column->addLayout(buttons);
    connect(butAdd, &QPushButton::clicked, this, [this] { butAddClick(); });
    connect(butFrameCopy, &QPushButton::clicked, this, [this] {
        model_.butFrameCopyClick();
        syncFrameList();
    });
    connect(butDel, &QPushButton::clicked, this, [this] {
        model_.butDelClick();
        syncFrameList();
    });
    connect(butHaut, &QPushButton::clicked, this, [this] {
        model_.butHautClick();
        syncFrameList();
    });
    connect(butBas, &QPushButton::clicked, this, [this] {
        model_.butBasClick();
        syncFrameList();
    });

    auto* right = new QWidget(splitter);
    auto* rightColumn = new QVBoxLayout(right);
    rightColumn->setContentsMargins(0, 0, 0, 0);
    rightColumn->addWidget(buildFrameEditor(right));
    rightColumn->addStretch(1);

    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({380, 560});
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(splitter);
    return page;
}

QWidget* TfrmLFConf::buildFrameEditor(QWidget* parent) {
    panFrame_ = new QGroupBox("Frame", parent);
    panFrame_->setObjectName("panFrame");
    auto* grid = new QGridLayout(panFrame_);
    grid->setColumnStretch(1, 1);

    txtName_ = lineEdit("txtName", panFrame_);
    txtComment_ = lineEdit("txtComment", panFrame_);
    grid->addWidget(new QLabel("Name", panFrame_), 0, 0);
    grid->addWidget(txtName_, 0, 1, 1, 3);
    grid->addWidget(new QLabel("Comment", panFrame_), 1, 0);
    grid->addWidget(txtComment_, 1, 1, 1, 3);

    rdbLFData_ = new QRadioButton("LF Data", panFrame_);
    rdbLFData_->setObjectName("rdbLFData");
    rdbLFCW_ = new QRadioButton("LF CW", panFrame_);
    rdbLFCW_->setObjectName("rdbLFCW");
    auto* kind = new QButtonGroup(panFrame_);
    kind->addButton(rdbLFData_);
    kind->addButton(rdbLFCW_);
    auto* kindRow = new QHBoxLayout;
    kindRow->addWidget(rdbLFData_);
    kindRow->addWidget(rdbLFCW_);
    kindRow->addStretch(1);
    grid->addWidget(new QLabel("Type", panFrame_), 2, 0);
    grid->addLayout(kindRow, 2, 1, 1, 3);

    cboFreq_ = new QComboBox(panFrame_);
    cboFreq_->setObjectName("cboFreq");
    for (const std::string& f : config::FrequencyList()) cboFreq_->addItem(fromCp1252(f));
    cboFreq_->setCurrentIndex(config::kDefaultFreqIndex);
    grid->addWidget(new QLabel("Frequency", panFrame_), 3, 0);
    cboFreq_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* freqRow = new QHBoxLayout;
    freqRow->addWidget(cboFreq_);
    freqRow->addWidget(new QLabel("kHz", panFrame_));
    freqRow->addStretch(1);
    grid->addLayout(freqRow, 3, 1, 1, 3);

    // Shown for data frames only.
    panContent_ = new QWidget(panFrame_);
    panContent_->setObjectName("panContent");
    auto* content = new QGridLayout(panContent_);
    content->setContentsMargins(0, 6, 0, 0);
    content->setColumnStretch(1, 1);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    txtContent_ = lineEdit("txtContent", panContent_);
    txtContent_->setFont(fixed);
    txtContent_->setPlaceholderText("for example FF00h @ID(24)");
    butTest_ = button("butTest", "Test", "Code the content and show its bits (Enter)", panContent_);
    content->addWidget(new QLabel("Content", panContent_), 0, 0);
    content->addWidget(txtContent_, 0, 1, 1, 2);
    content->addWidget(butTest_, 0, 3);

    cboBaudrate_ = new QComboBox(panContent_);
    cboBaudrate_->setObjectName("cboBaudrate");
    for (const std::string& b : config::BaudrateList()) cboBaudrate_->addItem(fromCp1252(b));
    cboBaudrate_->setCurrentIndex(-1);
    content->addWidget(new QLabel("Baud rate", panContent_), 1, 0);
    cboBaudrate_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* baudRow = new QHBoxLayout;
    baudRow->addWidget(cboBaudrate_);
    baudRow->addWidget(new QLabel(config::kBaudrateLabel, panContent_));
    baudRow->addStretch(1);
    content->addLayout(baudRow, 1, 1, 1, 3);

    rdbStandard_ = new QRadioButton("Standard", panContent_);
    rdbStandard_->setObjectName("rdbStandard");
    rdbInverted_ = new QRadioButton("Inverted", panContent_);
    rdbInverted_->setObjectName("rdbInverted");
    auto* coding = new QButtonGroup(panContent_);
    coding->addButton(rdbStandard_);
    coding->addButton(rdbInverted_);
    auto* codingRow = new QHBoxLayout;
    codingRow->addWidget(rdbStandard_);
    codingRow->addWidget(rdbInverted_);
    codingRow->addStretch(1);
    content->addWidget(new QLabel("Coding", panContent_), 2, 0);
    content->addLayout(codingRow, 2, 1, 1, 3);

    txtTest_ = new QPlainTextEdit(panContent_);
    txtTest_->setObjectName("txtTest");
    txtTest_->setReadOnly(true);
    txtTest_->setFont(fixed);
    txtTest_->setWordWrapMode(QTextOption::WrapAnywhere);
    txtTest_->setMinimumHeight(60);
    txtTest_->setMaximumHeight(140);
    txtTest_->setFocusPolicy(Qt::ClickFocus);
    lblAnalysis_ = new QLabel(panContent_);
    lblAnalysis_->setObjectName("lblAnalysis");
    content->addWidget(new QLabel("Bits", panContent_), 3, 0, Qt::AlignTop);
    content->addWidget(txtTest_, 3, 1, 1, 3);
    content->addWidget(lblAnalysis_, 4, 1, 1, 3);
    grid->addWidget(panContent_, 4, 0, 1, 4);

    connect(txtName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.txtNameChange(toCp1252(text));
        showKept(txtName_, model_.editors().txtName);
        syncFrameList();
    });
    connect(txtComment_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.txtCommentChange(toCp1252(text));
        showKept(txtComment_, model_.editors().txtComment);
        syncFrameList();
    });
    connect(txtContent_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.txtContentChange(toCp1252(text));
        showKept(txtContent_, model_.editors().txtContent);
    });
    connect(txtContent_, &QLineEdit::returnPressed, this, [this] { butTestClick(); });
    connect(butTest_, &QPushButton::clicked, this, [this] { butTestClick(); });
    connect(cboBaudrate_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!syncing_) model_.cboBaudrateChange(index);
    });
    connect(cboFreq_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!syncing_) model_.cboFreqChange(index);
    });
    connectFrameChoice(rdbStandard_, [this] { model_.rdbStandardClick(); });
    connectFrameChoice(rdbInverted_, [this] { model_.rdbInvertedClick(); });
    connectFrameChoice(rdbLFData_, [this] { model_.rdbLFDataClick(); });
    connectFrameChoice(rdbLFCW_, [this] { model_.rdbLFCWClick(); });
    return panFrame_;
}

void TfrmLFConf::connectFrameChoice(QRadioButton* radio, std::function<void()> click) {
    connect(radio, &QRadioButton::toggled, this, [this, click](bool on) {
        if (!on || syncing_) return;
        click();
        panContent_->setVisible(model_.contentEditorsVisible());
    });
}

void TfrmLFConf::syncFrameList() {
    QScopedValueRollback<bool> guard(syncing_, true);
    const int count = static_cast<int>(model_.frames().size());
    while (lstFrames_->topLevelItemCount() > count)
        delete lstFrames_->takeTopLevelItem(lstFrames_->topLevelItemCount() - 1);
    while (lstFrames_->topLevelItemCount() < count)
        lstFrames_->addTopLevelItem(new QTreeWidgetItem);
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* item = lstFrames_->topLevelItem(i);
        const QString name = fromCp1252(model_.frameName(i));
        const QString comment = fromCp1252(model_.frameComment(i));
        if (item->text(0) != name) item->setText(0, name);
        if (item->text(1) != comment) item->setText(1, comment);
    }
    if (QTreeWidgetItem* selected = lstFrames_->topLevelItem(model_.selected())) {
        lstFrames_->setCurrentItem(selected);
        lstFrames_->scrollToItem(selected);
    } else {
        lstFrames_->setCurrentItem(nullptr);
        lstFrames_->clearSelection();
    }
    panFrame_->setVisible(model_.editingPanelVisible());
    panContent_->setVisible(model_.contentEditorsVisible());
}

void TfrmLFConf::showFrameEditors() {
    QScopedValueRollback<bool> guard(syncing_, true);
    const config::FrameEditors& e = model_.editors();
    setEditorText(txtName_, e.txtName);
    setEditorText(txtComment_, e.txtComment);
    setEditorText(txtContent_, e.txtContent);
    cboBaudrate_->setCurrentIndex(e.cboBaudrate);
    cboFreq_->setCurrentIndex(e.cboFreq);
    rdbStandard_->setChecked(e.rdbStandard);
    rdbInverted_->setChecked(e.rdbInverted);
    rdbLFData_->setChecked(e.rdbLFData);
    rdbLFCW_->setChecked(e.rdbLFCW);
    txtTest_->setPlainText(fromCp1252(e.txtTest));
    lblAnalysis_->setText(fromCp1252(e.lblAnalysis));
    panFrame_->setVisible(model_.editingPanelVisible());
    panContent_->setVisible(model_.contentEditorsVisible());
}

void TfrmLFConf::lstFramesClick(int row) {
    model_.lstFramesClick(row);
    syncFrameList();
}

void TfrmLFConf::butAddClick() {
    model_.butAddClick();
    syncFrameList();
    txtName_->setFocus();
    txtName_->selectAll();
}

void TfrmLFConf::butTestClick() {
    model_.butTestClick();
    txtTest_->setPlainText(fromCp1252(model_.editors().txtTest));
    lblAnalysis_->setText(fromCp1252(model_.editors().lblAnalysis));
}

// ---------------------------------------------------------------------------------------------
// LF script

QWidget* TfrmLFConf::buildScriptPage() {
    auto* page = new QWidget;
    page->setObjectName("tabScript");
    auto* splitter = new QSplitter(Qt::Horizontal, page);
    splitter->setChildrenCollapsible(false);

    auto* left = new QWidget(splitter);
    auto* column = new QVBoxLayout(left);
    column->setContentsMargins(0, 0, 0, 0);
    lstScriptCommands_ = new QListWidget(left);
    lstScriptCommands_->setObjectName("lstScriptCommands");
    lstScriptCommands_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lstScriptCommands_->setAlternatingRowColors(true);
    lstScriptCommands_->setSelectionMode(QAbstractItemView::SingleSelection);
    column->addWidget(lstScriptCommands_, 1);
    connect(lstScriptCommands_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!syncing_ && row >= 0) lstScriptCommandsClick(row);
    });
    connect(lstScriptCommands_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (!syncing_) lstScriptCommandsClick(lstScriptCommands_->row(item));
    });

    popScriptAdd_ = new QMenu(this);
    popScriptAdd_->setObjectName("popScriptAdd");
    for (const config::ScriptCommandInfo& info : config::ScriptCommands()) {
        QAction* entry = popScriptAdd_->addAction(info.word);
        entry->setObjectName(kMenuNames[static_cast<std::size_t>(info.command)]);
        entry->setToolTip(fromCp1252(info.help.front()));
        const ScriptCommand command = info.command;
        connect(entry, &QAction::triggered, this, [this, command] { addCommand(command); });
    }
    popScriptAdd_->setToolTipsVisible(true);

    auto* buttons = new QHBoxLayout;
    auto* butScriptAdd = button("butScriptAdd", "Add", config::scripthint::kAdd, left);
    auto* butScriptCopy = button("butScriptCopy", "Copy", config::scripthint::kCopy, left);
    auto* butScriptDel = button("butScriptDel", "Delete", config::scripthint::kDelete, left);
    auto* butSupprimerTout =
        button("butSupprimerTout", "Delete all", config::scripthint::kDeleteAll, left);
    auto* butScriptHaut = button("butScriptHaut", "Up", "Move the selected line up", left);
    auto* butScriptBas = button("butScriptBas", "Down", "Move the selected line down", left);
    for (QPushButton* b : {butScriptAdd, butScriptCopy, butScriptDel, butSupprimerTout})
        buttons->addWidget(b);
    buttons->addStretch(1);
    for (QPushButton* b : {butScriptHaut, butScriptBas}) buttons->addWidget(b);
    column->addLayout(buttons);
    connect(butScriptAdd, &QPushButton::clicked, this,
            [this] { popScriptAdd_->popup(QCursor::pos()); });
    connect(butScriptCopy, &QPushButton::clicked, this, [this] {
        script_.butScriptCopyClick();
        showScript();
    });
    connect(butScriptDel, &QPushButton::clicked, this, [this] {
        script_.butScriptDelClick();
        showScript();
    });
    connect(butSupprimerTout, &QPushButton::clicked, this, [this] {
        script_.butSupprimerToutClick();
        showScript();
    });
    connect(butScriptHaut, &QPushButton::clicked, this, [this] {
        script_.butScriptHautClick();
        showScript();
    });
    connect(butScriptBas, &QPushButton::clicked, this, [this] {
        script_.butScriptBasClick();
        showScript();
    });

    auto* right = new QWidget(splitter);
    auto* rightColumn = new QVBoxLayout(right);
    rightColumn->setContentsMargins(0, 0, 0, 0);
    panScriptCommand_ = new QGroupBox(right);
    panScriptCommand_->setObjectName("panScriptCommand");
    auto* area = new QVBoxLayout(panScriptCommand_);
    pgcScriptCommand_ = new QStackedWidget(panScriptCommand_);
    pgcScriptCommand_->setObjectName("pgcScriptCommand");
    for (const config::ScriptCommandInfo& info : config::ScriptCommands()) {
        QWidget* panel = buildCommandPanel(info.command);
        commandPanels_[static_cast<std::size_t>(info.command)] = panel;
        pgcScriptCommand_->addWidget(panel);
    }
    area->addWidget(pgcScriptCommand_);
    rightColumn->addWidget(panScriptCommand_);
    rightColumn->addStretch(1);

    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({520, 420});
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(splitter);
    return page;
}

QWidget* TfrmLFConf::buildCommandPanel(ScriptCommand command) {
    const config::ScriptCommandInfo& info = config::InfoOf(command);
    auto* panel = new QWidget;
    panel->setObjectName(QString("pan") + info.word);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    for (const std::string& line : info.help) {
        auto* help = new QLabel(fromCp1252(line), panel);
        help->setProperty("help", true);
        help->setWordWrap(true);
        column->addWidget(help);
    }
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    column->addLayout(grid);
    column->addStretch(1);

    // One row per argument: caption, editor, the range text of the argument.
    auto row = [&](std::size_t arg, const char* caption, QWidget* editor) {
        const int r = static_cast<int>(arg);
        grid->addWidget(new QLabel(caption, panel), r, 0);
        grid->addWidget(editor, r, 1);
        if (arg < info.labels.size() && !info.labels[arg].empty())
            grid->addWidget(rangeLabel(info.labels[arg], panel), r, 2);
    };
    auto text = [&](std::size_t arg, const char* caption, const char* name, ArgumentChange change) {
        QLineEdit* e = lineEdit(name, panel);
        row(arg, caption, e);
        connectArgument(e, change);
        return e;
    };
    auto frameBox = [&](const char* name, bool data, ArgumentChange change) {
        auto* box = new FrameBox(panel);
        box->setObjectName(name);
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        row(0, "Frame", box);
        connectFrameBox(box, data, change);
        return box;
    };
    auto check = [&](std::size_t arg, const char* name) {
        auto* c = new QCheckBox(fromCp1252(info.labels.at(arg)), panel);
        c->setObjectName(name);
        grid->addWidget(c, static_cast<int>(arg), 0, 1, 3);
        return c;
    };

    switch (command) {
        case ScriptCommand::Comment:
            txtCOMMENTValue_ = text(0, "Comment", "txtCOMMENTValue", [this](const std::string& t) {
                script_.txtCOMMENTValueChange(t);
            });
            break;
        case ScriptCommand::Delay:
            txtScriptDuring_ =
                text(0, "Duration (ms)", "txtScriptDuring",
                     [this](const std::string& t) { script_.txtScriptDuringChange(t); });
            break;
        case ScriptCommand::Level:
            txtScriptLevel_ =
                text(0, "LF Level (%)", "txtScriptLevel",
                     [this](const std::string& t) { script_.txtScriptLevelChange(t); });
            break;
        case ScriptCommand::IdStart:
            txtIdStart_ = text(0, "ID", "txtIdStart",
                               [this](const std::string& t) { script_.txtIdStartChange(t); });
            break;
        case ScriptCommand::IdStop:
            txtIdStopDuring_ =
                text(0, "Duration (ms)", "txtIdStopDuring",
                     [this](const std::string& t) { script_.txtIdStopDuringChange(t); });
            chkIdStopAbort_ = check(1, "chkIdStopAbort");
            chkIdStopDisplay_ = check(2, "chkIdStopDisplay");
            connect(chkIdStopAbort_, &QCheckBox::toggled, this, [this](bool on) {
                if (syncing_) return;
                script_.chkIdStopAbortClick(on);
                syncScriptList();
            });
            connect(chkIdStopDisplay_, &QCheckBox::toggled, this, [this](bool on) {
                if (syncing_) return;
                script_.chkIdStopDisplayClick(on);
                syncScriptList();
            });
            break;
        case ScriptCommand::SendCW:
            cboSendCWFrame_ = frameBox("cboSendCWFrame", false, [this](const std::string& t) {
                script_.cboSendCWFrameChange(t);
            });
            txtScriptDuration_ =
                text(1, "Duration (ms)", "txtScriptDuration",
                     [this](const std::string& t) { script_.txtScriptDurationChange(t); });
            break;
        case ScriptCommand::SendF:
            cboScriptFrame_ = frameBox("cboScriptFrame", true, [this](const std::string& t) {
                script_.cboScriptFrameChange(t);
            });
            txtScriptRepetition_ =
                text(1, "Repetition", "txtScriptRepetition",
                     [this](const std::string& t) { script_.txtScriptRepetitionChange(t); });
            txtScriptInterframe_ =
                text(2, "Interframe (ms)", "txtScriptInterframe",
                     [this](const std::string& t) { script_.txtScriptInterframeChange(t); });
            break;
        case ScriptCommand::Set:
            txtSETParameter_ =
                text(0, "Parameter", "txtSETParameter",
                     [this](const std::string& t) { script_.txtSETParameterChange(t); });
            txtSETValue_ = text(1, "Value", "txtSETValue",
                                [this](const std::string& t) { script_.txtSETValueChange(t); });
            break;
        case ScriptCommand::WaitIn: {
            rdbWAITINLevel0_ = new QRadioButton("0", panel);
            rdbWAITINLevel0_->setObjectName("rdbWAITINLevel0");
            rdbWAITINLevel1_ = new QRadioButton("1", panel);
            rdbWAITINLevel1_->setObjectName("rdbWAITINLevel1");
            auto* levels = new QWidget(panel);
            auto* levelsRow = new QHBoxLayout(levels);
            levelsRow->setContentsMargins(0, 0, 0, 0);
            levelsRow->addWidget(rdbWAITINLevel0_);
            levelsRow->addWidget(rdbWAITINLevel1_);
            levelsRow->addStretch(1);
            row(0, "Level", levels);
            connectWaitInLevel(rdbWAITINLevel0_, [this] { script_.rdbWAITINLevel0Click(); });
            connectWaitInLevel(rdbWAITINLevel1_, [this] { script_.rdbWAITINLevel1Click(); });
            break;
        }
        default:
            break;  // END and RESTART take no argument
    }
    return panel;
}

void TfrmLFConf::connectArgument(QLineEdit* editor, ArgumentChange change) {
    connect(editor, &QLineEdit::textEdited, this,
            [this, editor, change] { editArgument(editor, change); });
}

void TfrmLFConf::connectFrameBox(QComboBox* box, bool data, ArgumentChange change) {
    static_cast<FrameBox*>(box)->onDropDown = [this, box, data] { fillFrameBox(box, data); };
    connect(box, &QComboBox::editTextChanged, this, [this, box, change] {
        if (!syncing_) editFrameBox(box, change);
    });
}

void TfrmLFConf::connectWaitInLevel(QRadioButton* radio, std::function<void()> click) {
    connect(radio, &QRadioButton::toggled, this, [this, click](bool on) {
        if (!on || syncing_) return;
        click();
        syncScriptList();
    });
}

void TfrmLFConf::syncScriptList() {
    QScopedValueRollback<bool> guard(syncing_, true);
    const std::vector<std::string>& lines = script_.lines();
    const int count = static_cast<int>(lines.size());
    while (lstScriptCommands_->count() > count) delete lstScriptCommands_->takeItem(count);
    while (lstScriptCommands_->count() < count) lstScriptCommands_->addItem(QString());
    for (int i = 0; i < count; ++i) {
        QListWidgetItem* item = lstScriptCommands_->item(i);
        const QString text = fromCp1252(lines[static_cast<std::size_t>(i)]);
        if (item->text() != text) item->setText(text);
    }
    if (QListWidgetItem* selected = lstScriptCommands_->item(script_.selected())) {
        lstScriptCommands_->setCurrentItem(selected);
        lstScriptCommands_->scrollToItem(selected);
    } else {
        lstScriptCommands_->setCurrentRow(-1);
        lstScriptCommands_->clearSelection();
    }
}

void TfrmLFConf::showCommandArea() {
    const ScriptCommand panel = script_.panel();
    if (panel != ScriptCommand::None) {
        pgcScriptCommand_->setCurrentWidget(commandPanels_[static_cast<std::size_t>(panel)]);
        panScriptCommand_->setTitle(config::InfoOf(panel).word);
    }
    panScriptCommand_->setVisible(script_.commandAreaVisible() && panel != ScriptCommand::None);
}

void TfrmLFConf::showScriptEditors() {
    QScopedValueRollback<bool> guard(syncing_, true);
    const config::ScriptEditors& e = script_.editors();
    cboScriptFrame_->setEditText(fromCp1252(e.cboScriptFrame));
    setEditorText(txtScriptRepetition_, e.txtScriptRepetition);
    setEditorText(txtScriptInterframe_, e.txtScriptInterframe);
    cboSendCWFrame_->setEditText(fromCp1252(e.cboSendCWFrame));
    setEditorText(txtScriptDuration_, e.txtScriptDuration);
    setEditorText(txtScriptDuring_, e.txtScriptDuring);
    setEditorText(txtScriptLevel_, e.txtScriptLevel);
    setEditorText(txtIdStart_, e.txtIdStart);
    setEditorText(txtIdStopDuring_, e.txtIdStopDuring);
    chkIdStopAbort_->setChecked(e.chkIdStopAbort);
    chkIdStopDisplay_->setChecked(e.chkIdStopDisplay);
    setEditorText(txtSETParameter_, e.txtSETParameter);
    setEditorText(txtSETValue_, e.txtSETValue);
    setEditorText(txtCOMMENTValue_, e.txtCOMMENTValue);
    rdbWAITINLevel0_->setChecked(e.rdbWAITINLevel0);
    rdbWAITINLevel1_->setChecked(e.rdbWAITINLevel1);
    showCommandArea();
}

void TfrmLFConf::showScript() {
    syncScriptList();
    showCommandArea();
}

void TfrmLFConf::lstScriptCommandsClick(int row) {
    script_.lstScriptCommandsClick(row);
    showScript();
}

void TfrmLFConf::addCommand(ScriptCommand command) {
    script_.addCommand(command);
    showScript();
}

void TfrmLFConf::editArgument(QLineEdit* editor, const ArgumentChange& change) {
    const std::string text = toCp1252(editor->text());
    change(text);
    showKept(editor, config::CleanScriptArgument(text));
    syncScriptList();
}

void TfrmLFConf::editFrameBox(QComboBox* box, const ArgumentChange& change) {
    const std::string text = toCp1252(box->currentText());
    change(text);
    if (QLineEdit* editor = box->lineEdit()) {
        QScopedValueRollback<bool> guard(syncing_, true);
        showKept(editor, config::CleanScriptArgument(text));
    }
    syncScriptList();
}

void TfrmLFConf::fillFrameBox(QComboBox* box, bool data) {
    QScopedValueRollback<bool> guard(syncing_, true);
    const QString text = box->currentText();
    box->clear();
    for (const std::string& name : model_.frameNames(data)) box->addItem(fromCp1252(name));
    box->setCurrentIndex(box->findText(text));
    box->setEditText(text);
}

}  // namespace vornlfrf::gui
