#include "frm_rf_conf.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "config/item_text.h"
#include "config/processing.h"
#include "cp1252.h"
#include "frm_crc.h"
#include "frm_processing.h"
#include "frm_rf_parameter.h"
#include "frm_rf_parameter_comp.h"

namespace vornlfrf::gui {

namespace {

constexpr const char* kFieldColumns[] = {"Name",  "Size",    "Offset",       "Resolution",
                                         "Unite", "Display", "Must content", "Table file"};
constexpr const char* kComputedColumns[] = {"Name", "Formula", "Unite", "Display", "Must content"};
constexpr const char* kCodings[] = {"Manchester Standard", "Manchester Inverted", "Biphase-S",
                                    "PWM"};
constexpr const char* kCodingNames[] = {"rdbStandard", "rdbInverted", "rdbBiphaseS", "rdbPWM"};

QPushButton* button(QWidget* parent, const char* name, const char* text, const char* hint) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

QTreeWidget* rowList(QWidget* parent, const char* name, const QStringList& headers) {
    auto* l = new QTreeWidget(parent);
    l->setObjectName(name);
    l->setRootIsDecorated(false);
    l->setUniformRowHeights(true);
    l->setAllColumnsShowFocus(true);
    l->setAlternatingRowColors(true);
    l->setHeaderLabels(headers);
    l->header()->setStretchLastSection(true);
    l->header()->setSectionsMovable(false);
    return l;
}

QStringList headers(const char* const* names, std::size_t n) {
    QStringList out;
    for (std::size_t i = 0; i < n; ++i) out << names[i];
    return out;
}

void setTextKeepingCursor(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) edit->setText(text);
}

// Fills a row list from stored rows, one column per ';' piece.
void fillRows(QTreeWidget* list, const std::vector<std::string>& rows, int selectRow) {
    const QSignalBlocker block(list);
    list->clear();
    const int columns = list->columnCount();
    for (const std::string& row : rows) {
        auto* item = new QTreeWidgetItem(list);
        const std::vector<std::string> pieces = config::SplitList(row, ';');
        for (int c = 0; c < columns && c < static_cast<int>(pieces.size()); ++c)
            item->setText(c, fromCp1252(pieces[static_cast<std::size_t>(c)]));
    }
    for (int c = 0; c + 1 < columns; ++c) list->resizeColumnToContents(c);
    if (selectRow >= 0 && selectRow < list->topLevelItemCount()) {
        QTreeWidgetItem* item = list->topLevelItem(selectRow);
        list->setCurrentItem(item);
        list->scrollToItem(item);
    }
}

int selectedRow(const QTreeWidget* list) {
    const QList<QTreeWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? -1 : list->indexOfTopLevelItem(items.first());
}

}  // namespace

TfrmRFConf::TfrmRFConf(config::RfConf& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName("frmRFConf");
    modalRunner = [](QDialog& d) { d.exec(); };

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(buildDescriptionList());
    layout->addWidget(buildEditingPanel(), 1);
    layout->addStretch(0);  // keeps the list on the left while no description is selected

    Host& host = model_.host();
    frmRFParameter_ = std::make_unique<TfrmRFParameter>(host);
    frmRFParameterComp_ = std::make_unique<TfrmRFParameterComp>(host);
    frmCRC_ = std::make_unique<TfrmCRC>(host);
    frmProcessing_ = std::make_unique<TfrmProcessing>();

    // The model may outlive the window (the main window drops its shell first, tests may keep
    // a model longer): the hook must not reach a deleted window.
    model_.onReloaded = [window = QPointer<TfrmRFConf>(this)] {
        if (window) window->refresh();
    };
    refresh();
}

TfrmRFConf::~TfrmRFConf() = default;

QWidget* TfrmRFConf::buildDescriptionList() {
    auto* group = new QGroupBox("RF frame descriptions", this);
    group->setObjectName("grbFrames");
    group->setFixedWidth(360);

    lstFrames_ = rowList(group, "lstFrames", {"Name", "Comment"});
    lstFrames_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(lstFrames_, &QTreeWidget::itemSelectionChanged, this,
            [this] { lstFramesSelectionChanged(); });
    connect(lstFrames_, &QTreeWidget::currentItemChanged, this,
            [this] { lstFramesSelectionChanged(); });
    connect(lstFrames_->header(), &QHeaderView::sectionResized, this,
            [this](int section, int, int width) {
                if (!refreshing_ && section == 0) model_.setNameWidth(width);
            });

    auto* butFAdd = button(group, "butFAdd", "Add", "Add a new description");
    auto* butFDel = button(group, "butFDel", "Delete", "Delete the selected descriptions");
    auto* butFHaut = button(group, "butFHaut", "Up", "Move the description up");
    auto* butFBas = button(group, "butFBas", "Down", "Move the description down");
    auto* butFrameCopy =
        button(group, "butFrameCopy", "Duplicate", "Append a copy of the description");
    auto* butCopier = button(group, "butCopier", "Copy", "Copy the selected descriptions");
    auto* butColler = button(group, "butColler", "Paste", "Append the copied descriptions");
    connect(butFAdd, &QPushButton::clicked, this, [this] { butFAddClick(); });
    connect(butFDel, &QPushButton::clicked, this, [this] { butFDelClick(); });
    connect(butFHaut, &QPushButton::clicked, this, [this] { butFHautClick(); });
    connect(butFBas, &QPushButton::clicked, this, [this] { butFBasClick(); });
    connect(butFrameCopy, &QPushButton::clicked, this, [this] { butFrameCopyClick(); });
    connect(butCopier, &QPushButton::clicked, this, [this] { model_.butCopierClick(); });
    connect(butColler, &QPushButton::clicked, this, [this] { butCollerClick(); });

    auto* editRow = new QHBoxLayout;
    for (QPushButton* b : {butFAdd, butFDel, butFHaut, butFBas}) editRow->addWidget(b);
    auto* copyRow = new QHBoxLayout;
    for (QPushButton* b : {butFrameCopy, butCopier, butColler}) copyRow->addWidget(b);

    // Patterns of the whole section, not of one description.
    auto* grbPWM = new QGroupBox("PWM chips", group);
    grbPWM->setObjectName("grbPWM");
    grbPWM->setToolTip("Three-chip pattern of a 0 bit and of a 1 bit in PWM coding");
    txtPWM0_ = new QLineEdit(grbPWM);
    txtPWM0_->setObjectName("txtPWM0");
    txtPWM1_ = new QLineEdit(grbPWM);
    txtPWM1_->setObjectName("txtPWM1");
    connect(txtPWM0_, &QLineEdit::textEdited, this,
            [this](const QString& t) { model_.txtPWM0Change(toCp1252(t)); });
    connect(txtPWM1_, &QLineEdit::textEdited, this,
            [this](const QString& t) { model_.txtPWM1Change(toCp1252(t)); });
    auto* pwmRow = new QHBoxLayout(grbPWM);
    pwmRow->addWidget(new QLabel("0 :", grbPWM));
    pwmRow->addWidget(txtPWM0_);
    pwmRow->addSpacing(8);
    pwmRow->addWidget(new QLabel("1 :", grbPWM));
    pwmRow->addWidget(txtPWM1_);

    auto* column = new QVBoxLayout(group);
    column->addWidget(lstFrames_, 1);
    column->addLayout(editRow);
    column->addLayout(copyRow);
    column->addWidget(grbPWM);
    return group;
}

QWidget* TfrmRFConf::buildEditingPanel() {
    panEdit_ = new QScrollArea(this);
    panEdit_->setObjectName("panEdit");
    panEdit_->setWidgetResizable(true);
    panEdit_->setFrameShape(QFrame::NoFrame);
    auto* inner = new QWidget(panEdit_);
    inner->setObjectName("panEditContent");

    // --- identity and line coding ---
    auto* grbDescription = new QGroupBox("Description", inner);
    txtName_ = new QLineEdit(grbDescription);
    txtName_->setObjectName("txtName");
    txtComment_ = new QLineEdit(grbDescription);
    txtComment_->setObjectName("txtComment");
    txtPreamble_ = new QLineEdit(grbDescription);
    txtPreamble_->setObjectName("txtPreamble");
    txtPreamble_->setToolTip("Bits, hexadecimal digits ending with h, or both");
    cboBaudrate_ = new QComboBox(grbDescription);
    cboBaudrate_->setObjectName("cboBaudrate");
    for (const std::string& rate : config::RfBaudrateList())
        cboBaudrate_->addItem(fromCp1252(rate));
    cboBaudrate_->setMaxVisibleItems(20);
    connect(txtName_, &QLineEdit::textEdited, this, [this](const QString& t) {
        model_.txtNameChange(toCp1252(t));
        afterNameEdit(txtName_, model_.txtName);
    });
    connect(txtComment_, &QLineEdit::textEdited, this, [this](const QString& t) {
        model_.txtCommentChange(toCp1252(t));
        afterNameEdit(txtComment_, model_.txtComment);
    });
    connect(txtPreamble_, &QLineEdit::textEdited, this, [this](const QString& t) {
        model_.txtPreambleChange(toCp1252(t));
        afterNameEdit(txtPreamble_, model_.txtPreamble);
    });
    connect(cboBaudrate_, &QComboBox::activated, this, [this](int index) {
        model_.cboBaudrateChange(toCp1252(cboBaudrate_->itemText(index)));
    });
    {
        auto* g = new QGridLayout(grbDescription);
        g->addWidget(new QLabel("Name :", grbDescription), 0, 0);
        g->addWidget(txtName_, 0, 1);
        g->addWidget(new QLabel("Baud rate :", grbDescription), 0, 2);
        g->addWidget(cboBaudrate_, 0, 3);
        g->addWidget(new QLabel("Comment :", grbDescription), 1, 0);
        g->addWidget(txtComment_, 1, 1, 1, 3);
        g->addWidget(new QLabel("Preamble :", grbDescription), 2, 0);
        g->addWidget(txtPreamble_, 2, 1, 1, 3);
        g->setColumnStretch(1, 1);
    }

    auto* grbCoding = new QGroupBox("Coding", inner);
    grbCoding->setObjectName("grbCoding");
    rdbCoding_ = new QButtonGroup(grbCoding);
    {
        auto* g = new QGridLayout(grbCoding);
        for (int i = 0; i < 4; ++i) {
            auto* b = new QRadioButton(kCodings[i], grbCoding);
            b->setObjectName(kCodingNames[i]);
            rdbCoding_->addButton(b, i);
            g->addWidget(b, i % 2, i / 2);
        }
    }
    connect(rdbCoding_, &QButtonGroup::idClicked, this,
            [this](int coding) { model_.rdbCodingClick(coding); });

    auto* top = new QHBoxLayout;
    top->addWidget(grbDescription, 1);
    top->addWidget(grbCoding);

    // --- frame verification and processing ---
    grbCKS_ = new QGroupBox("Frame verification", inner);
    grbCKS_->setObjectName("grbCKS");
    grbCKS_->setCheckable(true);
    lblMask_ = new QLabel(grbCKS_);
    lblMask_->setObjectName("lblMask");
    lblMethod_ = new QLabel(grbCKS_);
    lblMethod_->setObjectName("lblMethod");
    // Long masks must not widen the panel (nor wrap: a wrapping label makes the scroll area
    // ask for the lists' preferred heights); the whole text is in the tool tip.
    for (QLabel* l : {lblMask_, lblMethod_}) {
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    auto* butConfig = button(grbCKS_, "butConfig", "Configuration",
                             "Method, masks and simulation of the verification");
    connect(grbCKS_, &QGroupBox::clicked, this,
            [this](bool on) { model_.grbCKSCheckBoxClick(on); });
    connect(butConfig, &QPushButton::clicked, this, [this] { butConfigClick(); });
    {
        auto* g = new QGridLayout(grbCKS_);
        g->addWidget(new QLabel("Mask :", grbCKS_), 0, 0, Qt::AlignTop);
        g->addWidget(lblMask_, 0, 1, 1, 2);
        g->addWidget(new QLabel("Method :", grbCKS_), 1, 0, Qt::AlignTop);
        g->addWidget(lblMethod_, 1, 1, 1, 2);
        g->addWidget(butConfig, 2, 2);
        g->setColumnStretch(1, 1);
    }

    grbProcessing_ = new QGroupBox("Processing", inner);
    grbProcessing_->setObjectName("grbProcessing");
    grbProcessing_->setCheckable(true);
    lblMethodProcessing_ = new QLabel(grbProcessing_);
    lblMethodProcessing_->setObjectName("lblMethodProcessing");
    auto* butProcessingConfig = button(grbProcessing_, "butProcessingConfig", "Configuration",
                                       "Gray decoding and first data bit inversion");
    connect(grbProcessing_, &QGroupBox::clicked, this, [this](bool on) {
        model_.grbProcessingCheckBoxClick(on);
        refreshSummaries();
    });
    connect(butProcessingConfig, &QPushButton::clicked, this,
            [this] { butProcessingConfigClick(); });
    {
        auto* g = new QHBoxLayout(grbProcessing_);
        g->addWidget(lblMethodProcessing_, 1);
        g->addWidget(butProcessingConfig, 0, Qt::AlignBottom);
    }

    auto* checks = new QVBoxLayout;
    checks->addWidget(grbCKS_);
    checks->addWidget(grbProcessing_);
    checks->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(buildFieldGroup(true), 1);
    bottom->addLayout(checks, 1);

    auto* layout = new QVBoxLayout(inner);
    layout->setContentsMargins(0, 0, 4, 0);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(buildFieldGroup(false), 3);
    layout->addLayout(bottom, 2);
    panEdit_->setWidget(inner);
    return panEdit_;
}

QWidget* TfrmRFConf::buildFieldGroup(bool computed) {
    auto* group = new QGroupBox(computed ? "Computed fields" : "Fields", this);
    group->setObjectName(computed ? "grbFieldsComp" : "grbFields");
    QTreeWidget* list = computed ? rowList(group, "lstFieldsComp", headers(kComputedColumns, 5))
                                 : rowList(group, "lstFields", headers(kFieldColumns, 8));
    list->setMinimumHeight(computed ? 70 : 90);
    (computed ? lstFieldsComp_ : lstFields_) = list;

    const char* suffix = computed ? "Comp" : "";
    auto name = [suffix](const char* base) { return QByteArray(base) + suffix; };
    auto* add = button(group, name("butPAdd").constData(), "Add", "Add a field");
    auto* modify = button(group, name("butModifier").constData(), "Modify",
                          "Modify the selected field (or double click)");
    auto* del = button(group, name("butPDel").constData(), "Delete", "Delete the selected field");
    auto* up = button(group, name("butPHaut").constData(), "Up", "Move the field up");
    auto* down = button(group, name("butPBas").constData(), "Down", "Move the field down");
    if (computed) {
        connect(add, &QPushButton::clicked, this, [this] { butPAddCompClick(); });
        connect(modify, &QPushButton::clicked, this, [this] { butModifierCompClick(); });
        connect(list, &QTreeWidget::itemDoubleClicked, this, [this] { butModifierCompClick(); });
        connect(del, &QPushButton::clicked, this, [this] { butPDelCompClick(); });
        connect(up, &QPushButton::clicked, this, [this] { moveComputed(-1); });
        connect(down, &QPushButton::clicked, this, [this] { moveComputed(+1); });
    } else {
        connect(add, &QPushButton::clicked, this, [this] { butPAddClick(); });
        connect(modify, &QPushButton::clicked, this, [this] { Modification(); });
        connect(list, &QTreeWidget::itemDoubleClicked, this, [this] { Modification(); });
        connect(del, &QPushButton::clicked, this, [this] { butPDelClick(); });
        connect(up, &QPushButton::clicked, this, [this] { moveField(-1); });
        connect(down, &QPushButton::clicked, this, [this] { moveField(+1); });
    }

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(3);
    for (QPushButton* b : {add, modify, del, up, down}) buttons->addWidget(b);
    buttons->addStretch(1);
    auto* row = new QHBoxLayout(group);
    row->addWidget(list, 1);
    row->addLayout(buttons);
    return group;
}

// --- refresh from the model ---

void TfrmRFConf::refresh() {
    refreshList();
    refreshEditors();
}

void TfrmRFConf::refreshList() {
    refreshing_ = true;
    {
        const QSignalBlocker block(lstFrames_);
        const QSignalBlocker blockSelection(lstFrames_->selectionModel());
        lstFrames_->clear();
        for (int i = 0; i < model_.count(); ++i) {
            auto* item = new QTreeWidgetItem(lstFrames_);
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            refreshRow(i);
        }
        for (int i : model_.selection()) lstFrames_->topLevelItem(i)->setSelected(true);
        if (model_.itemIndex() >= 0) {
            QTreeWidgetItem* current = lstFrames_->topLevelItem(model_.itemIndex());
            lstFrames_->setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
            lstFrames_->scrollToItem(current);
        }
    }
    lstFrames_->header()->resizeSection(0, model_.nameWidth());
    setTextKeepingCursor(txtPWM0_, fromCp1252(model_.txtPWM0));
    setTextKeepingCursor(txtPWM1_, fromCp1252(model_.txtPWM1));
    refreshing_ = false;
}

void TfrmRFConf::refreshRow(int index) {
    QTreeWidgetItem* item = lstFrames_->topLevelItem(index);
    if (!item) return;
    const std::string& text = model_.items()[static_cast<std::size_t>(index)];
    item->setText(0, fromCp1252(config::ItemGetValue(text, "Name")));
    item->setText(1, fromCp1252(config::ItemGetValue(text, "Comment")));
}

void TfrmRFConf::refreshEditors() {
    refreshing_ = true;
    panEdit_->setVisible(model_.panelVisible());
    setTextKeepingCursor(txtName_, fromCp1252(model_.txtName));
    setTextKeepingCursor(txtComment_, fromCp1252(model_.txtComment));
    setTextKeepingCursor(txtPreamble_, fromCp1252(model_.txtPreamble));
    cboBaudrate_->setCurrentIndex(
        model_.cboBaudrate.empty() ? -1 : cboBaudrate_->findText(fromCp1252(model_.cboBaudrate)));
    rdbCoding_->setExclusive(false);
    for (QAbstractButton* b : rdbCoding_->buttons())
        b->setChecked(rdbCoding_->id(b) == model_.rdbCoding);
    rdbCoding_->setExclusive(true);
    refreshFields(-1);
    refreshComputed(-1);
    refreshSummaries();
    refreshing_ = false;
}

void TfrmRFConf::refreshFields(int selectRow) {
    fillRows(lstFields_, model_.lstFields, selectRow);
}

void TfrmRFConf::refreshComputed(int selectRow) {
    fillRows(lstFieldsComp_, model_.lstFieldsComp, selectRow);
}

void TfrmRFConf::refreshSummaries() {
    grbCKS_->setChecked(model_.grbCKS);
    for (auto [label, text] : {std::pair{lblMask_, &model_.crcDialog.lblMask},
                               std::pair{lblMethod_, &model_.crcDialog.lblMethod}}) {
        label->setText(fromCp1252(*text));
        label->setToolTip(label->text());
    }
    grbProcessing_->setChecked(model_.grbProcessing);
    lblMethodProcessing_->setText(fromCp1252(model_.lblMethodProcessing));
}

bool TfrmRFConf::runDialog(QDialog& dialog) {
    dialog.setResult(QDialog::Rejected);
    dialog.adjustSize();
    dialog.move(mapToGlobal(rect().center()) - dialog.rect().center());
    modalRunner(dialog);
    return dialog.result() == QDialog::Accepted;
}

// The model drops bytes that would break the stored item; the edit shows what was kept.
void TfrmRFConf::afterNameEdit(QLineEdit* edit, const std::string& modelText) {
    setTextKeepingCursor(edit, fromCp1252(modelText));
    refreshRow(model_.itemIndex());
}

// --- description list ---

void TfrmRFConf::lstFramesSelectionChanged() {
    if (refreshing_) return;
    std::vector<int> rows;
    for (QTreeWidgetItem* item : lstFrames_->selectedItems())
        rows.push_back(lstFrames_->indexOfTopLevelItem(item));
    std::sort(rows.begin(), rows.end());
    const int focused = lstFrames_->indexOfTopLevelItem(lstFrames_->currentItem());
    const bool focusedSelected = std::find(rows.begin(), rows.end(), focused) != rows.end();
    if (rows == model_.selection() && (!focusedSelected || focused == model_.itemIndex())) return;
    model_.setSelection(rows, focused);
    refreshEditors();
}

void TfrmRFConf::butFAddClick() {
    model_.butFAddClick();
    refresh();
    txtName_->setFocus();
    txtName_->selectAll();
}

void TfrmRFConf::butFDelClick() {
    if (model_.butFDelClick()) refresh();
}

void TfrmRFConf::butFBasClick() {
    model_.butFBasClick();
    refresh();
}

void TfrmRFConf::butFHautClick() {
    model_.butFHautClick();
    refresh();
}

void TfrmRFConf::butFrameCopyClick() {
    model_.butFrameCopyClick();
    refresh();
}

void TfrmRFConf::butCollerClick() {
    model_.butCollerClick();
    refreshList();
}

// --- fields ---

void TfrmRFConf::butPAddClick() {
    if (model_.itemIndex() < 0) return;
    frmRFParameter_->setValues(model_.butPAddClick());
    if (!runDialog(*frmRFParameter_)) return;
    if (model_.addFieldRow(frmRFParameter_->values()))
        refreshFields(static_cast<int>(model_.lstFields.size()) - 1);
}

void TfrmRFConf::Modification() {
    const int row = selectedRow(lstFields_);
    config::RfFieldDialog values;
    if (!model_.Modification(row, values)) return;
    frmRFParameter_->setValues(values);
    if (!runDialog(*frmRFParameter_)) return;
    if (model_.modifyFieldRow(row, frmRFParameter_->values())) refreshFields(row);
}

void TfrmRFConf::butPDelClick() {
    const int row = selectedRow(lstFields_);
    if (row < 0 || !model_.butPDelClick(row)) return;
    refreshFields(std::min(row, static_cast<int>(model_.lstFields.size()) - 1));
}

void TfrmRFConf::moveField(int delta) {
    const int row = selectedRow(lstFields_);
    if (row < 0) return;
    refreshFields(delta > 0 ? model_.butPBasClick(row) : model_.butPHautClick(row));
}

// --- computed fields ---

void TfrmRFConf::butPAddCompClick() {
    if (!model_.butPAddCompClick()) return;
    frmRFParameterComp_->setValues(config::RfComputedFieldDialog{});
    if (!runDialog(*frmRFParameterComp_)) return;
    if (model_.addComputedRow(frmRFParameterComp_->values()))
        refreshComputed(static_cast<int>(model_.lstFieldsComp.size()) - 1);
}

void TfrmRFConf::butModifierCompClick() {
    const int row = selectedRow(lstFieldsComp_);
    config::RfComputedFieldDialog values;
    if (!model_.butModifierCompClick(row, values)) return;
    frmRFParameterComp_->setValues(values);
    if (!runDialog(*frmRFParameterComp_)) return;
    if (model_.modifyComputedRow(row, frmRFParameterComp_->values())) refreshComputed(row);
}

void TfrmRFConf::butPDelCompClick() {
    const int row = selectedRow(lstFieldsComp_);
    if (row < 0 || !model_.butPDelCompClick(row)) return;
    refreshComputed(std::min(row, static_cast<int>(model_.lstFieldsComp.size()) - 1));
}

void TfrmRFConf::moveComputed(int delta) {
    const int row = selectedRow(lstFieldsComp_);
    if (row < 0) return;
    refreshComputed(delta > 0 ? model_.butPBasCompClick(row) : model_.butPHautCompClick(row));
}

// --- verification and processing ---

void TfrmRFConf::butConfigClick() {
    if (model_.itemIndex() < 0) return;
    frmCRC_->setValues(model_.crcDialog);
    if (!runDialog(*frmCRC_)) return;
    model_.butCRCSave(frmCRC_->values());
    refreshSummaries();
}

void TfrmRFConf::butProcessingConfigClick() {
    if (model_.itemIndex() < 0) return;
    const std::string code = model_.processingCode();
    frmProcessing_->setValues(config::ProcessingGray(code), config::ProcessingInvertFirst(code));
    if (!runDialog(*frmProcessing_)) return;
    model_.butProcessingSave(frmProcessing_->decodeGray(), frmProcessing_->invertFirstBit());
    refreshSummaries();
}

}  // namespace vornlfrf::gui
