#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

// The longest the event loop went without a round while it lives: a 10 ms timer that can
// only fire when the loop runs, keeping its largest interval.
class LoopGapMeter
{
public:
    LoopGapMeter()
    {
        m_timer.setInterval(tickMs);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer,
            [this] { m_longestMs = std::max(m_longestMs, m_sinceTick.restart()); });
        m_sinceTick.start();
        m_timer.start();
    }

    // Counts the time since the last round too, so a run that ends frozen is not missed.
    qint64 longestMs() const { return std::max(m_longestMs, m_sinceTick.elapsed()); }

    static constexpr int tickMs = 10;

private:
    QTimer m_timer;
    QElapsedTimer m_sinceTick;
    qint64 m_longestMs = 0;
};
