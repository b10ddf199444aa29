#include "frm_lf_conf.h"

namespace vornlfrf::gui {

TfrmLFConf::TfrmLFConf(QWidget* parent) : QWidget(parent) {
    setObjectName("frmLFConf");
}

}  // namespace vornlfrf::gui
