#pragma once
// Information window: program name, version and what it is for.

#include <QDialog>

namespace vornlfrf::gui {

class TfrmAbout : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmAbout(QWidget* parent = nullptr);
};

}  // namespace vornlfrf::gui
