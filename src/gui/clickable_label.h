#pragma once
// A label that reports clicks and double clicks (help image, mode label).

#include <QLabel>

namespace vornlfrf::gui {

class ClickableLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  signals:
    void clicked();
    void doubleClicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace vornlfrf::gui
