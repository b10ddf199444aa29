#include "icons.h"

#include <QPainter>
#include <QPainterPath>

namespace vornlfrf::gui::icons {

namespace {

QPixmap canvas(int size) {
    QPixmap p(size, size);
    p.fill(Qt::transparent);
    return p;
}

}  // namespace

QPixmap menu(int size) {
    QPixmap p = canvas(size);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor("#2d3b4e"));
    const qreal bar = size / 7.0;
    for (int i = 0; i < 3; ++i)
        g.drawRoundedRect(QRectF(size * 0.12, size * 0.2 + i * bar * 2, size * 0.76, bar), bar / 2,
                          bar / 2);
    return p;
}

QPixmap key(int size) {
    QPixmap p = canvas(size);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const QColor gold("#c08a12");
    g.setPen(QPen(gold, size / 9.0, Qt::SolidLine, Qt::RoundCap));
    g.setBrush(Qt::NoBrush);
    const qreal r = size * 0.2;
    const QPointF ring(size * 0.3, size * 0.5);
    g.drawEllipse(ring, r, r);
    g.drawLine(QPointF(ring.x() + r, ring.y()), QPointF(size * 0.9, ring.y()));
    g.drawLine(QPointF(size * 0.78, ring.y()), QPointF(size * 0.78, ring.y() + size * 0.16));
    g.drawLine(QPointF(size * 0.66, ring.y()), QPointF(size * 0.66, ring.y() + size * 0.12));
    return p;
}

QPixmap help(int size) {
    QPixmap p = canvas(size);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor("#2b6cb0"));
    g.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    QFont f = g.font();
    f.setBold(true);
    f.setPixelSize(size * 2 / 3);
    g.setFont(f);
    g.setPen(Qt::white);
    g.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, "?");
    return p;
}

QPixmap runDot(int size) {
    QPixmap p = canvas(size);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor("#d62f2f"));
    g.drawEllipse(QRectF(size * 0.15, size * 0.15, size * 0.7, size * 0.7));
    return p;
}

}  // namespace vornlfrf::gui::icons
