#include "QtBeeper.h"

#include <QApplication>

void QtBeeper::beep()
{
    QApplication::beep();
}

Beeper& Beeper::system()
{
    static QtBeeper beeper;
    return beeper;
}
