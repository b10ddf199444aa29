#include "frm_lf_confirm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "cp1252.h"

namespace vornlfrf::gui {

void buildLfWarning(QDialog& window, const char* const (&lines)[3], int emphasised,
                    QWidget* buttons) {
    window.setWindowTitle(fromCp1252(hw::text::kLfWarningCaption));
    window.setModal(false);
    auto* icon = new QLabel(&window);
    icon->setPixmap(window.style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(40, 40));
    icon->setAlignment(Qt::AlignTop);
    auto* text = new QVBoxLayout;
    for (int i = 0; i < 3; ++i) {
        auto* l = new QLabel(fromCp1252(lines[i]), &window);
        l->setObjectName(QString("lblWarning%1").arg(i + 1));
        text->addWidget(l);
    }
    if (emphasised >= 0) {
        QWidget* line = text->itemAt(emphasised)->widget();
        QFont strong = line->font();
        strong.setBold(true);
        line->setFont(strong);
    }
    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(icon);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(18, 16, 18, 12);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    window.setFixedSize(window.sizeHint());
}

TfrmLFConfirm::TfrmLFConfirm(hw::LfPowerLevel& level, QWidget* parent)
    : QDialog(parent), level_(level) {
    setObjectName("frmLFConfirm");
    auto* buttons = new QWidget(this);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch();
    auto* butYes = new QPushButton("Yes", buttons);
    butYes->setObjectName("butYes");
    auto* butCancel = new QPushButton("Cancel", buttons);
    butCancel->setObjectName("butCancel");
    // Enter must not program a level above the maximum.
    butCancel->setDefault(true);
    butYes->setAutoDefault(false);
    row->addWidget(butYes);
    row->addWidget(butCancel);
    const char* const lines[3] = {hw::text::kLfConfirmLine1, hw::text::kLfConfirmLine2,
                                  hw::text::kLfConfirmLine3};
    buildLfWarning(*this, lines, 1, buttons);

    connect(butYes, &QPushButton::clicked, this, [this] { level_.confirmYes(); });
    connect(butCancel, &QPushButton::clicked, this, [this] { reject(); });
    subscription_ = level_.listeners.subscribe([this] { follow(); });
    follow();
}

void TfrmLFConfirm::follow() {
    if (level_.confirmVisible == isVisible()) return;
    if (level_.confirmVisible) {
        show();
        raise();
        activateWindow();
    } else {
        hide();
    }
}

void TfrmLFConfirm::reject() {
    if (level_.confirmVisible) level_.confirmCancel();
    hide();
}

}  // namespace vornlfrf::gui
