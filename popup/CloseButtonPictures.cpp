#include "CloseButtonPictures.h"

#include <QPainter>

namespace {
constexpr int kSize = 16;
constexpr int kCrossInset = 4;
constexpr qreal kCrossWidth = 2.0;

QPixmap drawButton(bool pressed)
{
    QPixmap picture(kSize, kSize);
    picture.fill(QColor(0xEC, 0xE9, 0xD8));
    QPainter painter(&picture);
    const QColor light(Qt::white);
    const QColor dark(0x71, 0x6F, 0x64);
    const int last = kSize - 1;
    painter.setPen(pressed ? dark : light);
    painter.drawLine(0, 0, last, 0);
    painter.drawLine(0, 0, 0, last);
    painter.setPen(pressed ? light : dark);
    painter.drawLine(last, 0, last, last);
    painter.drawLine(0, last, last, last);

    const int shift = pressed ? 1 : 0;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, kCrossWidth, Qt::SolidLine, Qt::RoundCap));
    const int near = kCrossInset + shift;
    const int far = kSize - kCrossInset + shift - 1;
    painter.drawLine(near, near, far, far);
    painter.drawLine(near, far, far, near);
    return picture;
}
}

QPixmap CloseButtonUpPicture()
{
    return drawButton(false);
}

QPixmap CloseButtonDownPicture()
{
    return drawButton(true);
}
