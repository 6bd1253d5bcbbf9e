#pragma once

#include "Screen.h"

// Screen geometry from Qt's primary screen.
class QtScreen : public Screen
{
public:
    QRect workArea() const override;
    double logicalDpiX() const override;
    double logicalDpiY() const override;
    QRect windowRect(const QWidget* window) const override;
};
