#pragma once
// Plugins tab: the GPIB instrument plugins.

#include <QWidget>

namespace vornlfrf::gui {

class TfrmAnalysis : public QWidget {
    Q_OBJECT
  public:
    explicit TfrmAnalysis(QWidget* parent = nullptr);
};

}  // namespace vornlfrf::gui
