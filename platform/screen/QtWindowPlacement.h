#pragma once

#include "WindowPlacement.h"

// Placement by Qt alone, for window systems that put a window where it asks to be.
class QtWindowPlacement : public WindowPlacement
{
public:
    void place(QWidget* window, const QRect& geometry) override;
};
