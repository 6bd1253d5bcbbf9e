#pragma once

#include "RhythmdbFile.h"

#include <QDBusConnection>
#include <QString>

// A running Rhythmbox's library, reached over the bus: the way to change it while Rhythmbox
// runs, as it rewrites its file from memory. It stores whatever it is sent, so values go out
// with exactly its types (rating d, counts u), clamped, and every write is read back.
class RhythmDbClient
{
public:
    static constexpr int kDefaultTimeoutMs = 500;

    explicit RhythmDbClient(
        const QDBusConnection& bus = QDBusConnection::sessionBus(), int timeoutMs = kDefaultTimeoutMs);

    // Whether Rhythmbox owns its name on the bus.
    bool isRunning() const;
    // Sets the track's rating, play count and last-played time. False with *error when the
    // call fails, Rhythmbox has no such track, or the values do not read back.
    bool write(const QString& location, const RhythmdbFile::Values& values, QString* error) const;

private:
    QDBusConnection m_bus;
    int m_timeoutMs;
};
