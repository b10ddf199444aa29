#include "frm_rf_conf.h"

namespace vornlfrf::gui {

TfrmRFConf::TfrmRFConf(QWidget* parent) : QWidget(parent) {
    setObjectName("frmRFConf");
}

}  // namespace vornlfrf::gui
