#pragma once

#include <QPoint>

// Where the mouse pointer is.
class Cursor
{
public:
    virtual ~Cursor() = default;

    // The pointer's position in screen pixels.
    virtual QPoint pos() const = 0;

    // The real pointer, for code that is not handed one.
    static Cursor& system();
};
