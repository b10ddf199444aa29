#pragma once
// The "Save" / "Cancel" row of the editing dialogs, right-aligned, Save the default button.

#include <QDialog>
#include <QHBoxLayout>
#include <functional>

namespace vornlfrf::gui {

// Cancel rejects the dialog; Save runs onSave, which decides whether the dialog closes.
QHBoxLayout* saveCancelRow(QDialog* dialog, std::function<void()> onSave);

}  // namespace vornlfrf::gui
