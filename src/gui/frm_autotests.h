#pragma once
// Maintenance window: controller self-tests and firmware programming.

#include <QDialog>

namespace vornlfrf::gui {

class TfrmAutotests : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmAutotests(QWidget* parent = nullptr);
};

}  // namespace vornlfrf::gui
