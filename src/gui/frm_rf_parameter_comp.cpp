#include "frm_rf_parameter_comp.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "cp1252.h"
#include "dialog_buttons.h"
#include "key_filter.h"

namespace vornlfrf::gui {

namespace {

QLineEdit* edit(QWidget* parent, const char* name, const char* hint) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setToolTip(hint);
    return e;
}

}  // namespace

TfrmRFParameterComp::TfrmRFParameterComp(Host& host, QWidget* parent)
    : QDialog(parent), host_(host) {
    setObjectName("frmRFParameterComp");
    setWindowTitle(config::rftext::kComputedCaption);
    setModal(true);

    txtName_ = edit(this, "txtName", "No spaces");
    txtFormula_ = edit(this, "txtFormula", "Expression over the fields of the description");
    txtFormula_->setMinimumWidth(320);
    txtUnite_ = edit(this, "txtUnite", "Unit, without spaces");
    txtDisplay_ = edit(this, "txtDisplay", "Y (Yes), N (No) or P (Priority)");
    txtDisplay_->setMaximumWidth(40);
    txtContent_ =
        edit(this, "txtContent", "Specify a string to display only frames with the right content.");

    installKeyFilter(txtName_, [](char k, const std::string&) { return config::FilterNameKey(k); });
    installKeyFilter(txtUnite_,
                     [](char k, const std::string&) { return config::FilterUniteKey(k); });
    installKeyFilter(txtDisplay_, config::FilterDisplayKey);

    auto* form = new QFormLayout;
    form->addRow("Name :", txtName_);
    form->addRow("Formula :", txtFormula_);
    form->addRow("Unite :", txtUnite_);
    form->addRow("Display :", txtDisplay_);
    form->addRow("Must content :", txtContent_);

    QHBoxLayout* buttons = saveCancelRow(this, [this] { butSaveClick(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    setValues(config::RfComputedFieldDialog{});
}

void TfrmRFParameterComp::setValues(const config::RfComputedFieldDialog& v) {
    txtName_->setText(fromCp1252(v.txtName));
    txtFormula_->setText(fromCp1252(v.txtFormula));
    txtUnite_->setText(fromCp1252(v.txtUnite));
    txtDisplay_->setText(fromCp1252(v.txtDisplay));
    txtContent_->setText(fromCp1252(v.txtContent));
}

config::RfComputedFieldDialog TfrmRFParameterComp::values() const {
    config::RfComputedFieldDialog v;
    v.txtName = toCp1252(txtName_->text());
    v.txtFormula = toCp1252(txtFormula_->text());
    v.txtUnite = toCp1252(txtUnite_->text());
    v.txtDisplay = toCp1252(txtDisplay_->text());
    v.txtContent = toCp1252(txtContent_->text());
    return v;
}

void TfrmRFParameterComp::butSaveClick() {
    config::RfComputedFieldDialog v = values();
    const Status status = v.butSaveClick();
    setValues(v);
    if (!status) {
        host_.messageBox(status.message, "Error", MsgIcon::Error, MsgButtons::Ok);
        return;
    }
    accept();
}

}  // namespace vornlfrf::gui
