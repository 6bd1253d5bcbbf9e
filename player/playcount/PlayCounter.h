#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <algorithm>

class Clock;

// Decides when the current track of a player that keeps no play counts has been played: once
// it has played for half its length or four minutes, whichever comes first. Tracks shorter
// than 30 s, or of unknown length, never count. A track counts at most once each time it is
// started. It is fed only the player's own announcements (one call per MPRIS event) and does
// not wake between them, except once, at the moment the playing track qualifies.
class PlayCounter : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 kShortestMs = 30000;
    static constexpr qint64 kEnoughMs = 240000;
    // A jump to within this much of the start begins the track again (a replay, a loop).
    static constexpr qint64 kRestartWithinMs = 1000;

    // clock gives monotonic milliseconds and must outlive the counter.
    explicit PlayCounter(const Clock& clock, QObject* parent = nullptr);

    // A track starts, a new one or the same one again: the previous start is settled and a
    // fresh one begins. lengthUs is mpris:length (0 when unknown: never counts); positionUs
    // is where it starts, for a player that starts mid-track (ignored when past the end).
    void trackStarted(const QString& identity, qint64 lengthUs, qint64 positionUs = 0);
    // PlaybackStatus: "Playing" plays; "Paused", "Stopped" and anything else do not.
    // "Stopped" rewinds the track, so the next play is a new start.
    void statusChanged(const QString& status);
    // Rate; zero, negative or not finite counts as not moving.
    void rateChanged(double rate);
    // Seeked: a jump to positionUs. Neither adds nor removes what was heard, except a jump to
    // the start, which starts the track again.
    void seeked(qint64 positionUs);

    // The track of the current start, for callers that see its metadata again (a new rating)
    // and must not restart it.
    const QString& identity() const { return m_identity; }

signals:
    // Once per start; when is the moment it qualified.
    void played(const QString& identity, const QDateTime& when);

private:
    void restart();
    void catchUp();
    void arm();
    bool countable() const { return m_lengthMs >= kShortestMs; }
    qint64 thresholdMs() const { return std::min(m_lengthMs / 2, kEnoughMs); }

    const Clock& m_clock;
    QTimer m_timer;
    QString m_identity;
    qint64 m_lengthMs = 0;
    // In the track's own time; fractional at rates other than 1.
    double m_positionMs = 0;
    double m_heardMs = 0;
    double m_rate = 1;
    qint64 m_since = 0;
    bool m_playing = false;
    bool m_counted = false;
};
