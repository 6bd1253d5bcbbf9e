#pragma once

#include "WindowStacking.h"

// Stacking through Qt's window flags; raising never activates a window on X11.
class QtWindowStacking : public WindowStacking
{
public:
    void makeTopMost(QWidget* window) override;
};
