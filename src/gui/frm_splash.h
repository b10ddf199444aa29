#pragma once
// Borderless panel shown while the program initialises.

#include <QWidget>

namespace vornlfrf::gui {

class TfrmSplash : public QWidget {
    Q_OBJECT
  public:
    explicit TfrmSplash(QWidget* parent = nullptr);
    // Centres itself on the screen, shows and paints at once.
    void showCentred();
};

}  // namespace vornlfrf::gui
