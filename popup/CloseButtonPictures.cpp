#include "CloseButtonPictures.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace
{
constexpr qreal kCrossInset = 4.5;
constexpr qreal kCrossWidth = 1.5;
// How strongly the discs show: the paper one keeps the cross readable over a cover, the
// held one darkens it.
constexpr int kPaperDiscAlpha = 170;
constexpr int kHeldDiscAlpha = 56;

QPixmap drawButton(bool pressed, qreal ratio, const QColor& ink, const QColor& paper)
{
    // Drawn in device pixels, so nothing is scaled afterwards.
    ratio = std::max(ratio, qreal(1.0));
    const int size = int(std::ceil(kCloseButtonSize * ratio));
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        QColor disc = paper;
        disc.setAlpha(kPaperDiscAlpha);
        painter.setPen(Qt::NoPen);
        painter.setBrush(disc);
        painter.drawEllipse(QRectF(0, 0, size, size));
        if (pressed) {
            disc = ink;
            disc.setAlpha(kHeldDiscAlpha);
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

QPixmap CloseButtonUpPicture(qreal devicePixelRatio, const QColor& ink, const QColor& paper)
{
    return drawButton(false, devicePixelRatio, ink, paper);
}

QPixmap CloseButtonDownPicture(qreal devicePixelRatio, const QColor& ink, const QColor& paper)
{
    return drawButton(true, devicePixelRatio, ink, paper);
}
