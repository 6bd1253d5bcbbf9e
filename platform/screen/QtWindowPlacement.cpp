#include "QtWindowPlacement.h"

#include <QWidget>

void QtWindowPlacement::place(QWidget* window, const QRect& geometry)
{
    if (window)
        window->setGeometry(geometry);
}

WindowPlacement& WindowPlacement::system()
{
    static QtWindowPlacement placement;
    return placement;
}
