#include "frm_auto_update.h"

namespace vornlfrf::gui {

TfrmAutoUpdate::TfrmAutoUpdate(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAutoUpdate");
    setWindowTitle("AutoUpdate configuration");
}

}  // namespace vornlfrf::gui
