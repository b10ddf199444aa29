#pragma once
// Frame verification dialog: method, masks and CRC parameters of the selected RF description,
// and a "Calc" simulation over a typed frame. Values and results come from config::CrcDialog.

#include <QDialog>

#include "common/host.h"
#include "config/checksum.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QStackedWidget;

namespace vornlfrf::gui {

class TfrmCRC : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmCRC(Host& host, QWidget* parent = nullptr);

    // Settings of a description; the simulation inputs keep what the operator typed last and
    // the previous results are cleared.
    void setValues(const config::CrcDialog& values);
    config::CrcDialog values() const;

  private:
    void showMethod(config::VerifyMethod method);
    void butTestClick();
    void showResults(const config::CrcDialog& d);

    Host& host_;
    config::CheckEngine engine_;

    QRadioButton* rdbADD_ = nullptr;
    QRadioButton* rdbXOR_ = nullptr;
    QRadioButton* rdbCRC_ = nullptr;
    QStackedWidget* panMethod_ = nullptr;
    QWidget* panADD_ = nullptr;
    QWidget* panXOR_ = nullptr;
    QWidget* panCRC_ = nullptr;
    QCheckBox* chkXOR_NOT_ = nullptr;
    QCheckBox* chkADD_NOT_ = nullptr;
    QRadioButton* rdbAdd8bits_ = nullptr;
    QRadioButton* rdbAdd2bits_ = nullptr;
    QLineEdit* txtPolynome_ = nullptr;
    QLineEdit* txtInitialization_ = nullptr;
    QLineEdit* txtXOR_ = nullptr;
    QRadioButton* rdb8bits_ = nullptr;
    QRadioButton* rdb16bits_ = nullptr;
    QRadioButton* rdbCRCa_ = nullptr;
    QRadioButton* rdbCRCb_ = nullptr;
    QLineEdit* txtPreambleMask_ = nullptr;
    QLineEdit* txtMask_ = nullptr;

    QLineEdit* txtFramePreamble_ = nullptr;
    QLineEdit* txtFrameDatas_ = nullptr;
    QLineEdit* txtADDResult_ = nullptr;
    QLineEdit* txtADDResult_h_ = nullptr;
    QLineEdit* txtXORResult_ = nullptr;
    QLineEdit* txtXORResult_h_ = nullptr;
    QLineEdit* txtCRC1_ = nullptr;
    QLineEdit* txtCRC1H_ = nullptr;
    QLineEdit* txtCRC2_ = nullptr;
    QLineEdit* txtCRC2H_ = nullptr;
    QLabel* lblUsed_ = nullptr;
};

}  // namespace vornlfrf::gui
