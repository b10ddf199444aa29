#pragma once
// Run configuration tab: test mode, receiver slots, filters and alerts.

#include <QWidget>

namespace vornlfrf::gui {

class TfrmRunConf : public QWidget {
    Q_OBJECT
  public:
    explicit TfrmRunConf(QWidget* parent = nullptr);
};

}  // namespace vornlfrf::gui
