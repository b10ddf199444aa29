#pragma once
// Automatic update window.

#include <QDialog>

namespace vornlfrf::gui {

class TfrmAutoUpdate : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmAutoUpdate(QWidget* parent = nullptr);
};

}  // namespace vornlfrf::gui
