#pragma once
// LF configuration tab: the LF frame table and the LF scripts.

#include <QWidget>

namespace vornlfrf::gui {

class TfrmLFConf : public QWidget {
    Q_OBJECT
  public:
    explicit TfrmLFConf(QWidget* parent = nullptr);
};

}  // namespace vornlfrf::gui
