#include "modTimers.h"

#include "APITimer.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QTimerEvent>

#include <memory>

namespace
{

// Receives the platform's timer events and hands them to TimerCallback. It lives as long
// as the application object, so a tick that stops the last timer never deletes the
// object whose event is being delivered.
class TimerDispatcher : public QObject
{
public:
    using QObject::QObject;

protected:
    void timerEvent(QTimerEvent* event) override { TimerCallback(nullptr, 0, event->timerId(), 0); }
};

// QPointer clears itself when its timer dies, so a stale entry can never be dereferenced.
using Registry = QHash<QString, QPointer<APITimer>>;
std::unique_ptr<Registry> g_registry;
QPointer<TimerDispatcher> g_dispatcher;

TimerDispatcher* dispatcher()
{
    if (!g_dispatcher)
        g_dispatcher = new TimerDispatcher(QCoreApplication::instance());
    return g_dispatcher;
}

}

QString TimerKey(int timerId)
{
    return QString::number(timerId) + QLatin1Char('K');
}

void StartApiTimer(APITimer& timer, int interval)
{
    if (!g_registry)
        g_registry = std::make_unique<Registry>();
    const int id = dispatcher()->startTimer(interval, Qt::PreciseTimer);
    timer.setTimerID(id);
    if (id != 0)
        g_registry->insert(TimerKey(id), &timer);
    else if (g_registry->isEmpty())
        g_registry.reset();
}

void StopApiTimer(APITimer& timer)
{
    const int id = timer.TimerID();
    if (g_registry)
        g_registry->remove(TimerKey(id));
    if (g_dispatcher && id > 0)
        g_dispatcher->killTimer(id);
    timer.setTimerID(0);
    if (g_registry && g_registry->isEmpty())
        g_registry.reset();
}

void TimerCallback(QWidget* /*window*/, unsigned /*message*/, int timerId, quint32 /*systemTime*/)
{
    try {
        if (!g_registry)
            return;
        const QPointer<APITimer> timer = g_registry->value(TimerKey(timerId));
        if (timer)
            timer->RaiseTimerEvent();
    } catch (...) {
        // A failing handler must not take the timer down with it; the next tick retries.
    }
}

bool TimerRegistryExists()
{
    return g_registry != nullptr;
}

int ApiTimerInterval(const APITimer& timer)
{
    if (timer.TimerID() == 0 || !g_dispatcher)
        return -1;
    const auto* events = QAbstractEventDispatcher::instance(g_dispatcher->thread());
    if (!events)
        return -1;
    for (const auto& info : events->registeredTimers(g_dispatcher))
        if (info.timerId == timer.TimerID())
            return info.interval;
    return -1;
}
