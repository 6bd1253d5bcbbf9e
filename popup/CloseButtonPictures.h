#pragma once

#include <QColor>
#include <QPixmap>

// The close button's size in device-independent pixels.
constexpr int kCloseButtonSize = 16;

// The close button's two pictures: a thin cross in the ink colour on a disc of the paper
// colour, which keeps it readable over a cover, and the same darkened while the button is
// held down. Drawn for the given device pixel ratio, so they stay sharp on any density.
QPixmap CloseButtonUpPicture(
    qreal devicePixelRatio = 1.0, const QColor& ink = Qt::black, const QColor& paper = Qt::white);
QPixmap CloseButtonDownPicture(
    qreal devicePixelRatio = 1.0, const QColor& ink = Qt::black, const QColor& paper = Qt::white);
