#include "dialog_buttons.h"

#include <QPushButton>

namespace vornlfrf::gui {

QHBoxLayout* saveCancelRow(QDialog* dialog, std::function<void()> onSave) {
    auto* butSave = new QPushButton("Save", dialog);
    butSave->setObjectName("butSave");
    butSave->setDefault(true);
    auto* butCancel = new QPushButton("Cancel", dialog);
    butCancel->setObjectName("butCancel");
    QObject::connect(butSave, &QPushButton::clicked, dialog, std::move(onSave));
    QObject::connect(butCancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(butSave);
    row->addWidget(butCancel);
    return row;
}

}  // namespace vornlfrf::gui
