#pragma once

#include <QRect>

class QWidget;

// Geometry of the desktop and of windows, in the window system's pixels.
class Screen
{
public:
    virtual ~Screen() = default;

    // The primary screen's work area (the screen minus panels and taskbars); an empty
    // rectangle when there is no screen.
    virtual QRect workArea() const = 0;
    // Logical dots per inch, horizontally and vertically; 96 on a plain desktop.
    virtual double logicalDpiX() const = 0;
    virtual double logicalDpiY() const = 0;
    // The window's rectangle in screen coordinates, child windows included; an empty
    // rectangle for nullptr.
    virtual QRect windowRect(const QWidget* window) const = 0;

    // The real screen, for code that is not handed one.
    static Screen& system();
};
