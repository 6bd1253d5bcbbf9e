#pragma once

#include <QElapsedTimer>
#include <QSemaphore>
#include <QString>
#include <QThread>

#include <atomic>

// Notes when a player's Metadata changes on the bus, on a thread and bus connection of its
// own so the time is taken as the signal reaches the process, not after the GUI thread has
// dealt with it.
class MetadataWatch : public QThread
{
public:
    MetadataWatch(const QString& service, const QElapsedTimer& clock);
    ~MetadataWatch() override;

    // Starts the thread and returns once it listens.
    void listen();
    void reset();
    // Nanoseconds on the clock of the first and the latest change since reset(); -1 for none.
    qint64 firstChangeAt() const { return m_first; }
    qint64 lastChangeAt() const { return m_last; }

protected:
    void run() override;

private:
    const QString m_service;
    const QElapsedTimer& m_clock;
    QSemaphore m_listening;
    std::atomic<qint64> m_first { -1 };
    std::atomic<qint64> m_last { -1 };
};
