#pragma once

#include "platform/screen/Screen.h"

#include <QHash>
#include <QWidget>

// A screen of chosen size and DPI. Windows report their own Qt geometry unless a test
// pins a rectangle for one.
class FakeScreen : public Screen
{
public:
    QRect area { 0, 0, 1280, 800 };
    double dpiX = 96.0;
    double dpiY = 96.0;
    QHash<const QWidget*, QRect> pinned;
    QRect workArea() const override { return area; }
    double logicalDpiX() const override { return dpiX; }
    double logicalDpiY() const override { return dpiY; }
    QRect windowRect(const QWidget* window) const override
    {
        if (!window)
            return {};
        return pinned.value(window, QRect(window->mapToGlobal(QPoint(0, 0)), window->size()));
    }
};
