#include "frm_analysis.h"

namespace vornlfrf::gui {

TfrmAnalysis::TfrmAnalysis(QWidget* parent) : QWidget(parent) {
    setObjectName("frmAnalysis");
}

}  // namespace vornlfrf::gui
