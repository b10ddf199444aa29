#pragma once
// Processing dialog of an RF description: Gray decoding and inversion of the first data bit.

#include <QDialog>

class QCheckBox;

namespace vornlfrf::gui {

class TfrmProcessing : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmProcessing(QWidget* parent = nullptr);

    void setValues(bool decodeGray, bool invertFirstBit);
    bool decodeGray() const;
    bool invertFirstBit() const;

  private:
    QCheckBox* chkDecodeGray_ = nullptr;
    QCheckBox* chkInvertFirstBit_ = nullptr;
};

}  // namespace vornlfrf::gui
