#pragma once

class QWidget;

// The stacking order of windows.
class WindowStacking
{
public:
    virtual ~WindowStacking() = default;

    // Puts a top-level window in the always-on-top band (a child window on top of its
    // siblings) without activating it, and shows it. Does nothing for nullptr.
    virtual void makeTopMost(QWidget* window) = 0;

    // The real window system, for code that is not handed one.
    static WindowStacking& system();
};
