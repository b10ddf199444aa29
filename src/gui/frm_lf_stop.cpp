#include "frm_lf_stop.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "frm_lf_confirm.h"

namespace vornlfrf::gui {

TfrmLFStop::TfrmLFStop(hw::LfPowerLevel& level, QWidget* parent) : QDialog(parent), level_(level) {
    setObjectName("frmLFStop");
    auto* buttons = new QWidget(this);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch();
    auto* butCancel = new QPushButton("Cancel", buttons);
    butCancel->setObjectName("butCancel");
    butCancel->setDefault(true);
    row->addWidget(butCancel);
    const char* const lines[3] = {hw::text::kLfStopLine1, hw::text::kLfStopLine2,
                                  hw::text::kLfStopLine3};
    buildLfWarning(*this, lines, -1, buttons);

    connect(butCancel, &QPushButton::clicked, this, [this] { reject(); });
    subscription_ = level_.listeners.subscribe([this] { follow(); });
    follow();
}

void TfrmLFStop::follow() {
    if (level_.stopVisible == isVisible()) return;
    if (level_.stopVisible) {
        show();
        raise();
        activateWindow();
    } else {
        hide();
    }
}

void TfrmLFStop::reject() {
    if (level_.stopVisible) level_.confirmCancel();
    hide();
}

}  // namespace vornlfrf::gui
