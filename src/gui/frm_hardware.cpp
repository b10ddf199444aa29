#include "frm_hardware.h"

namespace vornlfrf::gui {

TfrmHardware::TfrmHardware(QWidget* parent) : QDialog(parent) {
    setObjectName("frmHardware");
    setWindowTitle("Hardware");
}

}  // namespace vornlfrf::gui
