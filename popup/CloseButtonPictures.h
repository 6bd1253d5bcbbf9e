#pragma once

#include <QPixmap>

// The close button's two 16 × 16 pictures: a cross on a raised face, and the same face
// sunken with the cross shifted by a pixel while the button is held down.
QPixmap CloseButtonUpPicture();
QPixmap CloseButtonDownPicture();
