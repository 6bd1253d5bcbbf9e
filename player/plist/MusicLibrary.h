#pragma once

#include "LibraryPlaylist.h"
#include "LibraryTrack.h"
#include "PlaylistPositions.h"
#include "PlistDocument.h"
#include "TrackNameIndex.h"

#include <QString>

#include <vector>

// An "iTunes Music Library.xml" file: its tracks and playlists for the simulated player, and
// the whole document so that a save writes back everything else in the file untouched.
class MusicLibrary
{
public:
    // Reads path; false with errorString() telling the user why. A library without a
    // playlist named "Library" gets one of all tracks, in the file's track order. Relative
    // cover paths are taken from artworkFolder, by default the file's own folder.
    bool load(const QString& path, const QString& artworkFolder = QString());
    // Why the last load or save failed, as a sentence.
    QString errorString() const { return m_error; }
    QString path() const { return m_path; }

    const std::vector<LibraryTrack>& tracks() const { return m_tracks; }
    // The playlist named "Library" first, then the others in file order.
    const std::vector<LibraryPlaylist>& playlists() const { return m_playlists; }

    // Tracks of the playlist whose name contains text without regard to case, in playlist
    // order; empty when text is empty or no name holds it. Names are indexed, so a lookup
    // per track of a large library does not read every name each time.
    std::vector<int> tracksNamed(int playlist, const QString& text) const;

    // Change a track in memory and in the document; save() makes it lasting.
    void setRating(int track, int rating);
    void setPlayCount(int track, int count);
    // date in any time zone; an invalid date removes the play date.
    void setPlayDate(int track, const QDateTime& date);

    // Reads path() again, dropping every change not saved; false as load().
    // On failure the library stays as it was.
    bool reload();
    // Copies the file as it is on disk beside it, under FileCopy::backupName(), whole or not
    // at all and with the file's permissions; the copy's path, or empty with errorString().
    QString backUp(const QDateTime& when);

    bool isModified() const { return m_modified; }
    // Writes the document to path() atomically; false with errorString() when it could not
    // be written, in which case the old file is left as it was.
    bool save();

private:
    bool readTracks();
    void readPlaylists();
    PlistValue& trackDict(int track);

    QString m_path;
    QString m_artworkFolder;
    QString m_error;
    PlistDocument m_document;
    std::vector<LibraryTrack> m_tracks;
    std::vector<LibraryPlaylist> m_playlists;
    // Names never change after a load (nothing here renames a track), so the index and the
    // positions are built once per load.
    TrackNameIndex m_nameIndex;
    std::vector<PlaylistPositions> m_positions;
    bool m_modified = false;
};
