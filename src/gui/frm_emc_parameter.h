#pragma once
// Field description dialog of an EMC or TSTLF field check: mode, expected values, tolerance
// and whether the value is sent on the test-site line. Edits the model it is given; Save
// closes only when the model allows it.

#include <QDialog>

#include "config/emc_conf.h"

class QComboBox;
class QLineEdit;

namespace vornlfrf::gui {

class TfrmEMCParameter : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmEMCParameter(config::EmcParameterDialog& model, QWidget* parent = nullptr);

    void refresh();

  private:
    config::EmcParameterDialog& model_;
    QLineEdit* txtName_ = nullptr;
    QComboBox* cboMode_ = nullptr;
    QLineEdit* txtValues_ = nullptr;
    QLineEdit* txtTolerance_ = nullptr;
    QLineEdit* txtSent_ = nullptr;
};

}  // namespace vornlfrf::gui
