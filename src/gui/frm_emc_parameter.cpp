#include "frm_emc_parameter.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "cp1252.h"
#include "dialog_buttons.h"

namespace vornlfrf::gui {

namespace {

QLineEdit* field(const char* name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

void showText(QLineEdit* e, const std::string& text) {
    const QString t = fromCp1252(text);
    if (e->text() != t) e->setText(t);
}

}  // namespace

TfrmEMCParameter::TfrmEMCParameter(config::EmcParameterDialog& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setObjectName("frmEMCParameter");
    setWindowTitle(config::EmcParameterDialog::kCaption);

    txtName_ = field("txtName", this);
    txtName_->setReadOnly(true);
    cboMode_ = new QComboBox(this);
    cboMode_->setObjectName("cboMode");
    for (const std::string& m : config::EmcParameterDialog::ModeItems())
        cboMode_->addItem(fromCp1252(m));
    txtValues_ = field("txtValues", this);
    txtTolerance_ = field("txtTolerance", this);
    txtSent_ = field("txtSent", this);
    txtSent_->setMaximumWidth(48);

    connect(cboMode_, &QComboBox::textActivated, this, [this](const QString& text) {
        model_.cboMode = toCp1252(text);
        model_.cboModeChange();
        refresh();
    });
    connect(txtValues_, &QLineEdit::textEdited, this,
            [this](const QString& t) { model_.txtValues = toCp1252(t); });
    connect(txtTolerance_, &QLineEdit::textEdited, this,
            [this](const QString& t) { model_.txtTolerance = toCp1252(t); });
    connect(txtSent_, &QLineEdit::textEdited, this,
            [this](const QString& t) { model_.txtSent = toCp1252(t); });

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Name :", this), 0, 0);
    grid->addWidget(txtName_, 0, 1, 1, 2);
    grid->addWidget(new QLabel("Mode :", this), 1, 0);
    grid->addWidget(cboMode_, 1, 1);
    grid->addWidget(new QLabel("Expected value(s) :", this), 2, 0);
    grid->addWidget(txtValues_, 2, 1, 1, 2);
    grid->addWidget(new QLabel("Delta (+/-) :", this), 3, 0);
    grid->addWidget(txtTolerance_, 3, 1);
    grid->addWidget(new QLabel("Sent on RS232", this), 4, 0);
    auto* sent = new QHBoxLayout;
    sent->addWidget(txtSent_);
    sent->addWidget(new QLabel("Y or N", this));
    sent->addStretch();
    grid->addLayout(sent, 4, 1, 1, 2);
    grid->setColumnStretch(2, 1);

    auto* help = new QFrame(this);
    help->setObjectName("panHelp");
    help->setFrameShape(QFrame::StyledPanel);
    help->setStyleSheet("#panHelp { background: #f4f7fb; } QLabel { color: #3a4a5e; }");
    auto* helpLines = new QVBoxLayout(help);
    for (const char* line :
         {"List : expected values are defined in a list",
          "Tol. : expected value is according to a tolerance",
          "None  : this field is not monitored", "",
          "For List mode, Values must be separated by ',' ", "and without h suffix.",
          "Ex: 1234, 5678, 9ABC", "To use values defined in ID FIlter, type *"})
        helpLines->addWidget(new QLabel(line, help));

    QHBoxLayout* buttons = saveCancelRow(this, [this] {
        if (model_.butSaveClick()) {
            accept();
        } else {
            txtSent_->setFocus();
            txtSent_->selectAll();
        }
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(help);
    layout->addLayout(buttons);
    refresh();
}

void TfrmEMCParameter::refresh() {
    showText(txtName_, model_.txtName);
    cboMode_->setCurrentIndex(cboMode_->findText(fromCp1252(model_.cboMode)));
    showText(txtValues_, model_.txtValues);
    showText(txtTolerance_, model_.txtTolerance);
    showText(txtSent_, model_.txtSent);
}

}  // namespace vornlfrf::gui
