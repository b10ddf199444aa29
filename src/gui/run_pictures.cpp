#include "run_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace vornlfrf::gui::pictures {

namespace {

QPixmap canvas(int w, int h) {
    QPixmap p(w, h);
    p.fill(Qt::transparent);
    return p;
}

}  // namespace

QColor channelColour(int channel) {
    switch (channel) {
        case 0:
            return QColor(0xd6, 0x2f, 0x2f);
        case 1:
            return QColor(0x2e, 0xa0, 0x43);
        case 2:
            return QColor(0x2b, 0x6c, 0xd0);
        case 3:
            return QColor(0xd8, 0xb0, 0x10);
        default:
            return QColor(0x70, 0x70, 0x70);
    }
}

QColor channelTint(int channel) {
    switch (channel) {
        case 0:
            return QColor(0xff, 0xd6, 0xd6);
        case 1:
            return QColor(0xd8, 0xf5, 0xd8);
        case 2:
            return QColor(0xd6, 0xe6, 0xff);
        case 3:
            return QColor(0xff, 0xf8, 0xc8);
        default:
            return QColor();
    }
}

QColor channelSelected(int channel) {
    switch (channel) {
        case 0:
            return QColor(0x8b, 0x00, 0x00);
        case 1:
            return QColor(0x00, 0x80, 0x00);
        case 2:
            return QColor(0x00, 0x00, 0xff);
        case 3:
            return QColor(0x80, 0x80, 0x00);
        default:
            return QColor();
    }
}

QPixmap led(const QColor& colour, bool lit, int size) {
    QPixmap p = canvas(size, size);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1.5, 1.5, size - 3, size - 3);
    QRadialGradient grad(r.center() - QPointF(size * 0.15, size * 0.15), size * 0.6);
    if (lit) {
        grad.setColorAt(0, colour.lighter(170));
        grad.setColorAt(1, colour);
    } else {
        grad.setColorAt(0, QColor(0x9a, 0xa0, 0xa8));
        grad.setColorAt(1, QColor(0x55, 0x5b, 0x63));
    }
    g.setBrush(grad);
    g.setPen(QPen(QColor(0x33, 0x38, 0x40), 1));
    g.drawEllipse(r);
    return p;
}

QPixmap trigger(bool lit, int size) {
    QPixmap p = canvas(size, size);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(lit ? QColor(0xd6, 0x2f, 0x2f) : QColor(0x60, 0x66, 0x70), size / 8.0));
    const qreal s = size;
    QPainterPath path(QPointF(s * 0.1, s * 0.75));
    path.lineTo(s * 0.4, s * 0.75);
    path.lineTo(s * 0.4, s * 0.25);
    path.lineTo(s * 0.7, s * 0.25);
    path.lineTo(s * 0.7, s * 0.75);
    path.lineTo(s * 0.9, s * 0.75);
    g.drawPath(path);
    return p;
}

QPixmap controller(int image, int width, int height) {
    QPixmap p = canvas(width, height);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    QColor face;
    switch (image) {
        case 3:
            face = QColor(0x2e, 0xa0, 0x43);
            break;
        case 4:
            face = QColor(0xd6, 0x2f, 0x2f);
            break;
        default:
            face = QColor(0x8a, 0x96, 0xa6);
            break;
    }
    // A chip: body in the state colour, pins along both long sides.
    const qreal pin = height / 6.0;
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0x5a, 0x66, 0x76));
    for (int i = 0; i < 4; ++i) {
        const qreal x = width * (0.2 + 0.2 * i);
        g.drawRect(QRectF(x - 1, 0, 2.5, pin + 1));
        g.drawRect(QRectF(x - 1, height - pin - 1, 2.5, pin + 1));
    }
    g.setPen(QPen(face.darker(140), 1));
    g.setBrush(face);
    g.drawRoundedRect(QRectF(1.5, pin, width - 3, height - 2 * pin), 3, 3);
    g.setBrush(face.lighter(160));
    g.setPen(Qt::NoPen);
    g.drawEllipse(QPointF(width * 0.25, height / 2.0), pin * 0.6, pin * 0.6);
    return p;
}

QPixmap lfEmission(int image, int size) {
    QPixmap p = canvas(size, size);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const QColor c = image == 1 ? QColor(0xe0, 0x7b, 0x10) : QColor(0x9a, 0xa0, 0xa8);
    g.setPen(QPen(c, size / 10.0, Qt::SolidLine, Qt::RoundCap));
    g.setBrush(Qt::NoBrush);
    const QPointF o(size * 0.2, size * 0.5);
    g.setBrush(c);
    g.drawEllipse(o, size * 0.08, size * 0.08);
    g.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 3; ++i) {
        const qreal r = size * 0.22 * i;
        g.drawArc(QRectF(o.x() - r, o.y() - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }
    return p;
}

}  // namespace vornlfrf::gui::pictures
