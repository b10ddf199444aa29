#include "widget_geometry.h"

#include <QEvent>
#include <QWidget>

namespace vornlfrf::gui {

WidgetGeometry::WidgetGeometry(QWidget* window) : QObject(window), window_(window) {
    window_->installEventFilter(this);
}

bool WidgetGeometry::maximised() const {
    return window_->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
}

QSize WidgetGeometry::frameExtra() const {
    return window_->frameGeometry().size() - window_->geometry().size();
}

QRect WidgetGeometry::restored() const {
    if (!maximised()) return QRect(window_->pos(), window_->size());
    if (pending_.isValid()) return pending_;
    const QRect normal = window_->normalGeometry();
    if (!normal.isValid()) return QRect(window_->pos(), window_->size());
    const QPoint frameOffset = window_->geometry().topLeft() - window_->frameGeometry().topLeft();
    return QRect(normal.topLeft() - frameOffset, normal.size());
}

void WidgetGeometry::apply(const QRect& r) {
    if (maximised()) {
        pending_ = r;
        return;
    }
    window_->move(r.topLeft());
    window_->resize(r.size());
}

int WidgetGeometry::left() const {
    return restored().x();
}
int WidgetGeometry::top() const {
    return restored().y();
}
int WidgetGeometry::width() const {
    return restored().width() + frameExtra().width();
}
int WidgetGeometry::height() const {
    return restored().height() + frameExtra().height();
}
int WidgetGeometry::clientWidth() const {
    return restored().width();
}
int WidgetGeometry::clientHeight() const {
    return restored().height();
}

void WidgetGeometry::setPosition(int left, int top) {
    QRect r = restored();
    r.moveTopLeft(QPoint(left, top));
    apply(r);
}

void WidgetGeometry::setSize(int width, int height) {
    const QSize extra = frameExtra();
    setClientSize(width - extra.width(), height - extra.height());
}

void WidgetGeometry::setClientSize(int width, int height) {
    QRect r = restored();
    r.setSize(QSize(width, height).expandedTo(window_->minimumSize()));
    apply(r);
}

void WidgetGeometry::showNormal() {
    if (!maximised()) return;
    const QRect r = restored();
    pending_ = QRect();
    window_->setWindowState(window_->windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    apply(r);
}

bool WidgetGeometry::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::WindowStateChange && !maximised() &&
        pending_.isValid()) {
        const QRect r = pending_;
        pending_ = QRect();
        apply(r);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vornlfrf::gui
