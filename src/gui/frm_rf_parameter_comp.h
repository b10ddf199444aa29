#pragma once
// Computed field dialog of an RF description ("Computed Field description"): a named formula
// over the other fields. The rules live in config::RfComputedFieldDialog.

#include <QDialog>

#include "common/host.h"
#include "config/rf_field_rows.h"

class QLineEdit;

namespace vornlfrf::gui {

class TfrmRFParameterComp : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmRFParameterComp(Host& host, QWidget* parent = nullptr);

    void setValues(const config::RfComputedFieldDialog& values);
    // The edits as they stand; after an accepted Save, the checked values.
    config::RfComputedFieldDialog values() const;

  private:
    void butSaveClick();

    Host& host_;
    QLineEdit* txtName_ = nullptr;
    QLineEdit* txtFormula_ = nullptr;
    QLineEdit* txtUnite_ = nullptr;
    QLineEdit* txtDisplay_ = nullptr;
    QLineEdit* txtContent_ = nullptr;
};

}  // namespace vornlfrf::gui
