#include "frm_emc_conf.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "config/item_text.h"
#include "cp1252.h"
#include "frm_emc_parameter.h"

namespace vornlfrf::gui {

namespace {

constexpr int kColumns = 5;

QLabel* boldLabel(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

}  // namespace

TfrmEMCConf::TfrmEMCConf(config::EmcRfConfDialog& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setObjectName("frmEMCConf");
    modalRunner = [](QDialog& d) { return d.exec(); };

    panPhase_ = new QFrame(this);
    panPhase_->setObjectName("panPhase");
    {
        auto* row = new QHBoxLayout(panPhase_);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(new QLabel("Phase :", panPhase_));
        lblPhase_ = boldLabel("lblPhase", panPhase_);
        row->addWidget(lblPhase_);
        row->addSpacing(24);
        row->addWidget(new QLabel("LF : ", panPhase_));
        lblLF_ = boldLabel("lblLF", panPhase_);
        row->addWidget(lblLF_);
        row->addStretch();
    }

    cboRFFrame_ = new QComboBox(this);
    cboRFFrame_->setObjectName("cboRFFrame");
    cboRFFrame_->setMinimumWidth(220);
    connect(cboRFFrame_, &QComboBox::activated, this, [this](int index) {
        model_.cboRFFrameChange(index);
        refreshRows();
    });
    auto* frameRow = new QHBoxLayout;
    frameRow->addWidget(new QLabel("RF frame :", this));
    frameRow->addWidget(cboRFFrame_);
    frameRow->addStretch();

    lstFields_ = new QTreeWidget(this);
    lstFields_->setObjectName("lstFields");
    lstFields_->setRootIsDecorated(false);
    lstFields_->setAlternatingRowColors(true);
    lstFields_->setHeaderLabels({"Name", "Mode", "Expected value(s)", "Delta (+/-)", "Sent"});
    lstFields_->header()->setStretchLastSection(false);
    lstFields_->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    lstFields_->setColumnWidth(0, 140);
    connect(lstFields_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        model_.lstFieldsIndex = item ? lstFields_->indexOfTopLevelItem(item) : -1;
    });
    connect(lstFields_, &QTreeWidget::itemDoubleClicked, this, [this] { butModifierClick(); });

    auto* butModifier = new QPushButton("Modify", this);
    butModifier->setObjectName("butModifier");
    butModifier->setToolTip("Modify the selected field");
    connect(butModifier, &QPushButton::clicked, this, [this] { butModifierClick(); });

    panNbFrames_ = new QFrame(this);
    panNbFrames_->setObjectName("panNbFrames");
    cboNbFrames_ = new QComboBox(panNbFrames_);
    cboNbFrames_->setObjectName("cboNbFrames");
    cboNbFrames_->setEditable(true);
    cboNbFrames_->setValidator(new QIntValidator(1, 1000, cboNbFrames_));
    for (const std::string& n : config::EmcRfConfDialog::NbFramesItems())
        cboNbFrames_->addItem(fromCp1252(n));
    connect(cboNbFrames_, &QComboBox::textActivated, this,
            [this](const QString& t) { model_.cboNbFrames = toCp1252(t); });
    connect(cboNbFrames_->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& t) { model_.cboNbFrames = toCp1252(t); });
    {
        auto* row = new QHBoxLayout(panNbFrames_);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(new QLabel("Nb received Frames :", panNbFrames_));
        row->addWidget(new QLabel(">=", panNbFrames_));
        row->addWidget(cboNbFrames_);
        row->addWidget(new QLabel("to decide it's OK", panNbFrames_));
        row->addStretch();
    }

    auto* butSave = new QPushButton("Save", this);
    butSave->setObjectName("butSave");
    auto* butCancel = new QPushButton("Cancel", this);
    butCancel->setObjectName("butCancel");
    connect(butSave, &QPushButton::clicked, this, [this] {
        if (model_.butSaveClick()) {
            accept();
        } else {
            cboNbFrames_->setFocus();
            cboNbFrames_->lineEdit()->selectAll();
        }
    });
    connect(butCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(panNbFrames_);
    bottom->addStretch();
    bottom->addWidget(butSave);
    bottom->addWidget(butCancel);
    auto* modifyRow = new QHBoxLayout;
    modifyRow->addStretch();
    modifyRow->addWidget(butModifier);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panPhase_);
    layout->addLayout(frameRow);
    layout->addWidget(lstFields_, 1);
    layout->addLayout(modifyRow);
    layout->addLayout(bottom);
    resize(640, 420);
    refresh();
}

void TfrmEMCConf::refresh() {
    setWindowTitle(fromCp1252(model_.caption));
    panPhase_->setVisible(model_.panPhase);
    panNbFrames_->setVisible(model_.panNbFrames);
    lblPhase_->setText(fromCp1252(model_.lblPhase));
    lblLF_->setText(fromCp1252(model_.lblLF));
    cboRFFrame_->clear();
    for (const std::string& name : model_.cboRFFrameItems) cboRFFrame_->addItem(fromCp1252(name));
    cboRFFrame_->setCurrentIndex(model_.cboRFFrameIndex);
    cboNbFrames_->setCurrentIndex(cboNbFrames_->findText(fromCp1252(model_.cboNbFrames)));
    cboNbFrames_->setEditText(fromCp1252(model_.cboNbFrames));
    refreshRows();
}

void TfrmEMCConf::refreshRows() {
    const int selected = model_.lstFieldsIndex;
    const QSignalBlocker block(lstFields_);
    lstFields_->clear();
    for (const std::string& row : model_.lstFields) {
        const std::vector<std::string> parts = config::SplitList(row, ';');
        QStringList columns;
        for (std::size_t i = 0; i < kColumns; ++i)
            columns << (i < parts.size() ? fromCp1252(parts[i]) : QString());
        lstFields_->addTopLevelItem(new QTreeWidgetItem(columns));
    }
    if (selected >= 0 && selected < lstFields_->topLevelItemCount())
        lstFields_->setCurrentItem(lstFields_->topLevelItem(selected));
}

void TfrmEMCConf::butModifierClick() {
    config::EmcParameterDialog field;
    if (!model_.butModifierClick(field)) return;
    TfrmEMCParameter dialog(field, this);
    if (modalRunner(dialog) != QDialog::Accepted) return;
    model_.ApplyParameter(field);
    refreshRows();
}

}  // namespace vornlfrf::gui
