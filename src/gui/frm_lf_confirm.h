#pragma once
// Asks an administrator to confirm an LF power level above the authorised maximum. Shown and
// hidden by hw::LfPowerLevel (confirmVisible); closing it answers "Cancel".

#include <QDialog>

#include "common/listeners.h"
#include "hw/lf_emission.h"

namespace vornlfrf::gui {

class TfrmLFConfirm : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmLFConfirm(hw::LfPowerLevel& level, QWidget* parent = nullptr);

  public slots:
    void reject() override;

  private:
    void follow();

    hw::LfPowerLevel& level_;
    Listeners::Handle subscription_;
};

// The warning text of both LF power windows, with an icon, above the given buttons; the line
// emphasised (0..2, -1 for none) is bold.
void buildLfWarning(QDialog& window, const char* const (&lines)[3], int emphasised,
                    QWidget* buttons);

}  // namespace vornlfrf::gui
