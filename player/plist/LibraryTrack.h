#pragma once

#include <QDateTime>
#include <QString>

// What the simulated player knows of one track of the library file.
struct LibraryTrack {
    int trackId = 0;
    QString name;
    QString artist;
    QString album;
    QString composer;
    // 0 to 100; kept as the file gives it, off the 20-step grid too.
    int rating = 0;
    int playCount = 0;
    // UTC; invalid when the track was never played.
    QDateTime playDate;
    qint64 totalTimeMs = 0;
    int bitRate = 0;
    // Absolute path of the cover file; empty when the track names none.
    QString artworkFile;
    // Position of the track's dict within the file's "Tracks" dict.
    int entryIndex = -1;
};
