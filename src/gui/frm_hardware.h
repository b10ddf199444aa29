#pragma once
// Hardware window: serial ports and controller discovery.

#include <QDialog>

namespace vornlfrf::gui {

class TfrmHardware : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmHardware(QWidget* parent = nullptr);
};

}  // namespace vornlfrf::gui
