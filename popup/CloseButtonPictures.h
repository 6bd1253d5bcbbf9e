#pragma once

#include <QPixmap>

// The close button's size in device-independent pixels.
constexpr int kCloseButtonSize = 16;

// The close button's two pictures: a cross on a raised face, and the same face sunken with
// the cross shifted while the button is held down. Drawn for the given device pixel ratio,
// so they stay sharp on any screen density.
QPixmap CloseButtonUpPicture(qreal devicePixelRatio = 1.0);
QPixmap CloseButtonDownPicture(qreal devicePixelRatio = 1.0);
