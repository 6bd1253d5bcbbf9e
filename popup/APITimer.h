#pragma once

#include <QObject>

// A repeating timer that raises Refresh on the GUI thread. The platform timer behind it
// is dispatched through modTimers, which never keeps an APITimer alive.
class APITimer : public QObject
{
    Q_OBJECT
public:
    explicit APITimer(QObject* parent = nullptr);
    // Stops the timer, so no tick can reach a destroyed object.
    ~APITimer() override;

    // Starts ticking every Interval ms. A running timer keeps its old interval: stop it
    // first to change it.
    void StartTimer(int Interval);
    // Stops ticking; does nothing on a stopped timer.
    void StopTimer();

    // 0 while stopped, otherwise the platform's id of the running timer (modTimers only).
    int TimerID() const { return m_timerId; }
    void setTimerID(int timerId) { m_timerId = timerId; }
    // Called by modTimers once per platform tick.
    void RaiseTimerEvent();

signals:
    void Refresh();

private:
    int m_timerId = 0;
};
