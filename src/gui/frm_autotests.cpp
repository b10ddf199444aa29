#include "frm_autotests.h"

namespace vornlfrf::gui {

TfrmAutotests::TfrmAutotests(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAutotests");
    setWindowTitle("Maintenance");
}

}  // namespace vornlfrf::gui
