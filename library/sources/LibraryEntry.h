#pragma once

#include <QDateTime>
#include <QString>

// One song of a library file, with its extras on the transfer's scales.
struct LibraryEntry {
    QString name;
    QString artist;
    QString album;
    // What the player keys the song by (a file URI); not shown, kept for the writer.
    QString location;
    qint64 durationMs = 0;
    // 0 to 100.
    int rating = 0;
    int playCount = 0;
    // Local time; invalid when never played.
    QDateTime played;
    // Set by a track's setters; the commit writes these entries only.
    bool changed = false;
};
