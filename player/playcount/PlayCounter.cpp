#include "PlayCounter.h"

#include "platform/screen/Clock.h"

#include <climits>
#include <cmath>

PlayCounter::PlayCounter(const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_timer(this)
    , m_since(clock.now())
{
    // Timed rather than decided at the next event: the count is recorded the moment it is
    // earned, so it survives whatever ends the track unannounced (the player killed, Bolvin
    // quitting, a lost bus). Precise, because a coarse timer may fire early.
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        catchUp();
        arm();
    });
}

void PlayCounter::trackStarted(const QString& identity, qint64 lengthUs, qint64 positionUs)
{
    catchUp();
    m_identity = identity;
    m_lengthMs = std::max<qint64>(0, lengthUs / 1000);
    restart();
    // A position past the end is left over from the track before.
    if (const qint64 at = positionUs / 1000; at > 0 && at < m_lengthMs)
        m_positionMs = double(at);
    arm();
}

void PlayCounter::statusChanged(const QString& status)
{
    catchUp();
    m_playing = status == u"Playing";
    if (status == u"Stopped")
        restart();
    arm();
}

void PlayCounter::rateChanged(double rate)
{
    catchUp();
    m_rate = std::isfinite(rate) && rate > 0 ? rate : 0;
    arm();
}

void PlayCounter::seeked(qint64 positionUs)
{
    catchUp();
    const qint64 to = std::max<qint64>(0, positionUs / 1000);
    if (to < kRestartWithinMs)
        restart();
    m_positionMs = double(to);
    arm();
}

void PlayCounter::restart()
{
    m_positionMs = 0;
    m_heardMs = 0;
    m_counted = false;
}

// Adds what played since the last event, then counts the track if that was enough.
void PlayCounter::catchUp()
{
    const qint64 now = m_clock.now();
    if (m_playing && m_rate > 0 && countable()) {
        // Track time, not wall time: at rate 2 a minute covers two minutes of the track, and
        // the threshold is about how much of the track was heard. Nothing plays past the end.
        const double moved = std::min(double(now - m_since) * m_rate, std::max(0.0, m_lengthMs - m_positionMs));
        m_heardMs += moved;
        m_positionMs += moved;
    }
    m_since = now;
    if (m_counted || !countable() || m_heardMs < double(thresholdMs()))
        return;
    m_counted = true;
    // The threshold was crossed during the last stretch, at this rate; usually just now.
    const double lateMs = m_rate > 0 ? (m_heardMs - double(thresholdMs())) / m_rate : 0;
    emit played(m_identity, QDateTime::currentDateTimeUtc().addMSecs(-qint64(lateMs)));
}

// Sets the one timer for the moment the track would qualify, if it keeps playing.
void PlayCounter::arm()
{
    m_timer.stop();
    if (!m_playing || m_counted || m_rate <= 0 || !countable())
        return;
    const double needed = double(thresholdMs()) - m_heardMs;
    // The track ends first; a jump back re-arms.
    if (needed > m_lengthMs - m_positionMs)
        return;
    m_timer.start(int(std::min(std::ceil(needed / m_rate), double(INT_MAX))));
}
