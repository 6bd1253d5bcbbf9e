#pragma once

#include <QColor>
#include <QPixmap>

// The close button's size in device-independent pixels.
constexpr int kCloseButtonSize = 16;

// The close button's two pictures: a thin cross in the ink colour on nothing, and the same
// cross on a faint disc while the button is held down. Drawn for the given device pixel
// ratio, so they stay sharp on any screen density.
QPixmap CloseButtonUpPicture(qreal devicePixelRatio = 1.0, const QColor& ink = Qt::black);
QPixmap CloseButtonDownPicture(qreal devicePixelRatio = 1.0, const QColor& ink = Qt::black);
