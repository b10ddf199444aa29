#pragma once
// WindowGeometry over a top-level widget. While the window is maximised, geometry read or
// written is the one it returns to when restored, so a configuration loaded into a maximised
// window neither shrinks it nor loses the saved size.

#include <QObject>
#include <QRect>

#include "app/window_geometry.h"

class QWidget;

namespace vornlfrf::gui {

class WidgetGeometry : public QObject, public app::WindowGeometry {
  public:
    explicit WidgetGeometry(QWidget* window);

    int left() const override;
    int top() const override;
    int width() const override;
    int height() const override;
    int clientWidth() const override;
    int clientHeight() const override;
    void setPosition(int left, int top) override;
    void setSize(int width, int height) override;
    void setClientSize(int width, int height) override;
    void showNormal() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool maximised() const;
    QSize frameExtra() const;
    // Outer position and client size of the normal state.
    QRect restored() const;
    void apply(const QRect& r);

    QWidget* window_;
    QRect pending_;  // set while maximised, applied on restore
};

}  // namespace vornlfrf::gui
