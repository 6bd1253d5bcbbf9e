#include "CloseButtonPictures.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace
{
constexpr qreal kCrossInset = 4.5;
constexpr qreal kCrossWidth = 1.5;
// How strongly the held button's disc shows the ink.
constexpr int kHeldDiscAlpha = 56;

QPixmap drawButton(bool pressed, qreal ratio, const QColor& ink)
{
    // Drawn in device pixels, so nothing is scaled afterwards.
    ratio = std::max(ratio, qreal(1.0));
    const int size = int(std::ceil(kCloseButtonSize * ratio));
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        if (pressed) {
            QColor disc = ink;
            disc.setAlpha(kHeldDiscAlpha);
            painter.setPen(Qt::NoPen);
            painter.setBrush(disc);
            painter.drawEllipse(QRectF(0, 0, size, size));
        }
        painter.setPen(QPen(ink, kCrossWidth * ratio, Qt::SolidLine, Qt::RoundCap));
        const qreal near = kCrossInset * ratio;
        const qreal far = size - kCrossInset * ratio;
        painter.drawLine(QPointF(near, near), QPointF(far, far));
        painter.drawLine(QPointF(near, far), QPointF(far, near));
    }
    picture.setDevicePixelRatio(ratio);
    return picture;
}
}

QPixmap CloseButtonUpPicture(qreal devicePixelRatio, const QColor& ink)
{
    return drawButton(false, devicePixelRatio, ink);
}

QPixmap CloseButtonDownPicture(qreal devicePixelRatio, const QColor& ink)
{
    return drawButton(true, devicePixelRatio, ink);
}
