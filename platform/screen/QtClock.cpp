#include "QtClock.h"

#include <QElapsedTimer>

qint64 QtClock::now() const
{
    QElapsedTimer timer;
    timer.start();
    return timer.msecsSinceReference();
}

Clock& Clock::system()
{
    static QtClock clock;
    return clock;
}
