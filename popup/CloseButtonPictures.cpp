#include "CloseButtonPictures.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace
{
constexpr qreal kCrossInset = 4.0;
constexpr qreal kCrossWidth = 2.0;

QPixmap drawButton(bool pressed, qreal ratio)
{
    // Drawn in device pixels, with the bevel a whole number of them thick, so nothing is
    // scaled afterwards.
    ratio = std::max(ratio, qreal(1.0));
    const int size = int(std::ceil(kCloseButtonSize * ratio));
    const int bevel = std::max(1, int(std::lround(ratio)));
    QPixmap picture(size, size);
    picture.fill(QColor(0xEC, 0xE9, 0xD8));
    {
        QPainter painter(&picture);
        const QColor light(Qt::white);
        const QColor dark(0x71, 0x6F, 0x64);
        painter.fillRect(0, 0, size, bevel, pressed ? dark : light);
        painter.fillRect(0, 0, bevel, size, pressed ? dark : light);
        painter.fillRect(size - bevel, 0, bevel, size, pressed ? light : dark);
        painter.fillRect(0, size - bevel, size, bevel, pressed ? light : dark);

        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, kCrossWidth * ratio, Qt::SolidLine, Qt::RoundCap));
        const qreal shift = pressed ? bevel : 0;
        const qreal near = kCrossInset * ratio + shift;
        const qreal far = size - kCrossInset * ratio + shift;
        painter.drawLine(QPointF(near, near), QPointF(far, far));
        painter.drawLine(QPointF(near, far), QPointF(far, near));
    }
    picture.setDevicePixelRatio(ratio);
    return picture;
}
}

QPixmap CloseButtonUpPicture(qreal devicePixelRatio)
{
    return drawButton(false, devicePixelRatio);
}

QPixmap CloseButtonDownPicture(qreal devicePixelRatio)
{
    return drawButton(true, devicePixelRatio);
}
