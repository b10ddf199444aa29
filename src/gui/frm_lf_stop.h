#pragma once
// Tells a user that an LF power level above the authorised maximum is not allowed. Shown and
// hidden by hw::LfPowerLevel (stopVisible); its only answer, also on closing, is "Cancel".

#include <QDialog>

#include "common/listeners.h"
#include "hw/lf_emission.h"

namespace vornlfrf::gui {

class TfrmLFStop : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmLFStop(hw::LfPowerLevel& level, QWidget* parent = nullptr);

  public slots:
    void reject() override;

  private:
    void follow();

    hw::LfPowerLevel& level_;
    Listeners::Handle subscription_;
};

}  // namespace vornlfrf::gui
