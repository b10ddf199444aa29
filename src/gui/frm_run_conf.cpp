#include "frm_run_conf.h"

namespace vornlfrf::gui {

TfrmRunConf::TfrmRunConf(QWidget* parent) : QWidget(parent) {
    setObjectName("frmRunConf");
}

}  // namespace vornlfrf::gui
