#pragma once
// Field dialog of an RF description ("Field description"): one row of the field table. The
// rules live in config::RfFieldDialog; Save keeps the dialog open on a refused value.

#include <QDialog>

#include "common/host.h"
#include "config/rf_field_rows.h"

class QCheckBox;
class QFormLayout;
class QLineEdit;
class QPushButton;

namespace vornlfrf::gui {

class TfrmRFParameter : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmRFParameter(Host& host, QWidget* parent = nullptr);

    void setValues(const config::RfFieldDialog& values);
    // The edits as they stand; after an accepted Save, the checked and normalised values.
    config::RfFieldDialog values() const;

  private:
    void chkTableUsedClick(bool on);
    void butFileClick();
    void butSaveClick();

    Host& host_;
    QFormLayout* form_ = nullptr;
    QLineEdit* txtName_ = nullptr;
    QLineEdit* txtSize_ = nullptr;
    QLineEdit* txtOffset_ = nullptr;
    QLineEdit* txtResolution_ = nullptr;
    QLineEdit* txtUnite_ = nullptr;
    QLineEdit* txtDisplay_ = nullptr;
    QLineEdit* txtContent_ = nullptr;
    QCheckBox* chkTableUsed_ = nullptr;
    QWidget* panFile_ = nullptr;
    QLineEdit* txtFile_ = nullptr;
};

}  // namespace vornlfrf::gui
