#include "frm_processing.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornlfrf::gui {

TfrmProcessing::TfrmProcessing(QWidget* parent) : QDialog(parent) {
    setObjectName("frmProcessing");
    setWindowTitle("Processing");
    setModal(true);

    chkDecodeGray_ = new QCheckBox("Gray decoding", this);
    chkDecodeGray_->setObjectName("chkDecodeGray");
    chkInvertFirstBit_ = new QCheckBox("Invert first Data bit", this);
    chkInvertFirstBit_->setObjectName("chkInvertFirstBit");

    auto* butSave = new QPushButton("Save", this);
    butSave->setObjectName("butSave");
    butSave->setDefault(true);
    auto* butCancel = new QPushButton("Cancel", this);
    butCancel->setObjectName("butCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(butSave);
    buttons->addWidget(butCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chkDecodeGray_);
    layout->addWidget(chkInvertFirstBit_);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(260);

    connect(butSave, &QPushButton::clicked, this, &QDialog::accept);
    connect(butCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmProcessing::setValues(bool decodeGray, bool invertFirstBit) {
    chkDecodeGray_->setChecked(decodeGray);
    chkInvertFirstBit_->setChecked(invertFirstBit);
}

bool TfrmProcessing::decodeGray() const {
    return chkDecodeGray_->isChecked();
}

bool TfrmProcessing::invertFirstBit() const {
    return chkInvertFirstBit_->isChecked();
}

}  // namespace vornlfrf::gui
