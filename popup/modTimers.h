#pragma once

#include <QString>

class APITimer;
class QWidget;

// Dispatch of platform timer ticks to APITimer objects. The registry maps "<id>K" to the
// timer that owns the id without owning the timer; it exists only while a timer runs.
// GUI thread only.

// Starts a platform timer for the APITimer and registers it under its new TimerID. When
// the platform refuses, TimerID stays 0 and nothing is registered.
void StartApiTimer(APITimer& timer, int interval);
// Unregisters and kills the timer's platform timer and sets its TimerID to 0; releases
// the registry when it is left empty. An id that is not registered is ignored.
void StopApiTimer(APITimer& timer);
// One platform tick: raises Refresh on the timer registered under timerId. A tick for an
// id no longer registered does nothing; an exception from a handler ends the tick quietly
// and the timer keeps running. The window, message and time arguments are unused.
void TimerCallback(QWidget* window, unsigned message, int timerId, quint32 systemTime);

// The registry's key of a timer id, "17K" for 17.
QString TimerKey(int timerId);
// Whether the registry exists, that is whether any APITimer runs.
bool TimerRegistryExists();
// The interval the platform runs the timer at, in ms; -1 when it is not running.
int ApiTimerInterval(const APITimer& timer);
