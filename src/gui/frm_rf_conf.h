#pragma once
// RF configuration tab: the RF frame descriptions.

#include <QWidget>

namespace vornlfrf::gui {

class TfrmRFConf : public QWidget {
    Q_OBJECT
  public:
    explicit TfrmRFConf(QWidget* parent = nullptr);
};

}  // namespace vornlfrf::gui
