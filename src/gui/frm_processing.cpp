#include "frm_processing.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_buttons.h"

namespace vornlfrf::gui {

TfrmProcessing::TfrmProcessing(QWidget* parent) : QDialog(parent) {
    setObjectName("frmProcessing");
    setWindowTitle("Processing");
    setModal(true);

    chkDecodeGray_ = new QCheckBox("Gray decoding", this);
    chkDecodeGray_->setObjectName("chkDecodeGray");
    chkInvertFirstBit_ = new QCheckBox("Invert first Data bit", this);
    chkInvertFirstBit_->setObjectName("chkInvertFirstBit");

    QHBoxLayout* buttons = saveCancelRow(this, [this] { accept(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chkDecodeGray_);
    layout->addWidget(chkInvertFirstBit_);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(260);
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
