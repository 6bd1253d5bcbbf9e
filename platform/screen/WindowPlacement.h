#pragma once

class QRect;
class QWidget;

// Where top-level windows are: exactly where the program puts them, also under window
// managers that place floating windows themselves.
class WindowPlacement
{
public:
    virtual ~WindowPlacement() = default;

    // Gives a window this geometry, in Qt's coordinates; a top-level window's top-left
    // corner ends up exactly there, shown or not yet shown (then once it is mapped). The
    // window manager may report the position later than Qt would. Nothing for nullptr.
    virtual void place(QWidget* window, const QRect& geometry) = 0;

    // The real window system, for code that is not handed one.
    static WindowPlacement& system();
};
