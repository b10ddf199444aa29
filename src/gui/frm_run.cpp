#include "frm_run.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornlfrf::gui {

TfrmRun::TfrmRun(QWidget* parent) : QWidget(parent) {
    setObjectName("frmRun");
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    butDebug_ = new QPushButton("Simulation", this);
    butDebug_->setObjectName("butDebug");
    butDebug_->hide();
    buttons->addWidget(butDebug_);
    buttons->addStretch();
    layout->addLayout(buttons);
    panDebug_ = new QGroupBox("Emulation", this);
    panDebug_->setObjectName("panDebug");
    panDebug_->hide();
    layout->addWidget(panDebug_);
    layout->addStretch();
}

}  // namespace vornlfrf::gui
