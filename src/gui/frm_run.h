#pragma once
// Run tab: the run window. At first show "+EMUL" reveals the emulation panel and "+DEBUG" the
// simulation button.

#include <QWidget>

class QGroupBox;
class QPushButton;

namespace vornlfrf::gui {

class TfrmRun : public QWidget {
    Q_OBJECT
  public:
    explicit TfrmRun(QWidget* parent = nullptr);

    QGroupBox* panDebug() const { return panDebug_; }
    QPushButton* butDebug() const { return butDebug_; }

  private:
    QGroupBox* panDebug_;
    QPushButton* butDebug_;
};

}  // namespace vornlfrf::gui
