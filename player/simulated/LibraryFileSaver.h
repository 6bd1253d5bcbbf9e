#pragma once

#include "player/plist/MusicLibrary.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

// Writes a library's changes back to its file for the simulated player: after a delay that
// gathers a burst of changes, at once on flush(), and never while a hold is out. Ending the
// last hold that keeps its changes makes a dated copy of the file first and then writes it
// once; ending one that drops them reads the file again.
class LibraryFileSaver : public QObject
{
    Q_OBJECT
public:
    explicit LibraryFileSaver(MusicLibrary& library, QObject* parent = nullptr);

    // A change was made in memory: the delayed write starts unless one is pending or held.
    void changed();
    // Writes pending changes now; false when the file could not be written (error() says
    // why, the changes stay pending). Under a hold it writes nothing and returns true.
    bool flush();
    // A new hold; pending changes are written first when it is the first.
    void hold();
    // Ends a hold as described above; now dates the copy. False with error().
    bool endHold(bool keep, const QDateTime& now);
    bool isHeld() const { return m_holds > 0; }

    QString error() const { return m_error; }
    QString lastBackup() const { return m_lastBackup; }
    void setDelay(int ms) { m_timer.setInterval(ms); }

signals:
    void writeFailed(const QString& message);
    // The file was read again: any track may differ.
    void reloaded();

private:
    MusicLibrary& m_library;
    QTimer m_timer;
    QString m_error;
    int m_holds = 0;
    QString m_lastBackup;
};
