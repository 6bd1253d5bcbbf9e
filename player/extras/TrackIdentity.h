#pragma once

#include <QString>

// What tells one track from another in Bolvin's own store. A local file is its canonical path
// (a symlink and its target are one track); anything else (a stream, a browser tab) is its
// artist, title, album and length in whole seconds, each compared without regard to case,
// surrounding spaces or Unicode composition. The kind is part of the text ("file:", "tags:").
class TrackIdentity
{
public:
    // url as the player gives it; lengthMicroseconds -1 when unknown. Empty when there is
    // neither an existing local file nor any tag to go by.
    static QString of(const QString& url, const QString& artist, const QString& title, const QString& album,
        qint64 lengthMicroseconds);
    static QString normalised(const QString& tag);

    // A track known only from an extras file: by its title, its length in whole seconds (as
    // the file's time shows it) and its artist, the way the import matches tracks, so that
    // the first time it plays, as a file or a stream, it is found and takes that identity.
    static QString byName(const QString& title, qint64 lengthMs, const QString& artist);
    // The title an identity holds, for a track known by nothing else: a file's name, or the
    // title (as compared, case-folded) of one known by its tags or by name.
    static QString titleIn(const QString& identity);
    // What every artist's byName identity of that title and length begins with.
    static QString byNamePrefix(const QString& title, qint64 lengthMs);
};
