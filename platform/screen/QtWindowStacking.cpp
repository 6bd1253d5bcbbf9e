#include "QtWindowStacking.h"

#include <QWidget>

void QtWindowStacking::makeTopMost(QWidget* window)
{
    if (!window)
        return;
    if (window->isWindow() && !window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        // Changing a flag hides the window; it comes back without taking the focus.
        window->setAttribute(Qt::WA_ShowWithoutActivating);
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
    window->show();
    window->raise();
}

WindowStacking& WindowStacking::system()
{
    static QtWindowStacking stacking;
    return stacking;
}
