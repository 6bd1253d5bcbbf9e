#include "APITimer.h"

#include "modTimers.h"

APITimer::APITimer(QObject* parent)
    : QObject(parent)
{
}

APITimer::~APITimer()
{
    StopTimer();
}

void APITimer::StartTimer(int Interval)
{
    if (m_timerId == 0)
        StartApiTimer(*this, Interval);
}

void APITimer::StopTimer()
{
    if (m_timerId > 0)
        StopApiTimer(*this);
}

void APITimer::RaiseTimerEvent()
{
    emit Refresh();
}
