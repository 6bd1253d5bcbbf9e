#include "PlistLibraryFile.h"

namespace
{

bool samePlayDate(const QDateTime& a, const QDateTime& b)
{
    return a.isValid() == b.isValid() && (!a.isValid() || a.toSecsSinceEpoch() == b.toSecsSinceEpoch());
}

} // namespace

PlistLibraryFile::PlistLibraryFile(QString path)
    : FileLibrary(std::move(path))
{
}

bool PlistLibraryFile::load(QString* error)
{
    setEntries({});
    if (!m_library.load(path())) {
        *error = m_library.errorString();
        return false;
    }
    std::vector<LibraryEntry> entries;
    entries.reserve(m_library.tracks().size());
    for (const LibraryTrack& track : m_library.tracks()) {
        LibraryEntry entry;
        entry.name = track.name;
        entry.artist = track.artist;
        entry.album = track.album;
        entry.durationMs = track.totalTimeMs;
        entry.rating = track.rating;
        entry.playCount = track.playCount;
        entry.played = track.playDate.isValid() ? track.playDate.toLocalTime() : QDateTime();
        entries.push_back(std::move(entry));
    }
    setEntries(std::move(entries));
    return true;
}

bool PlistLibraryFile::writeChanges(const std::vector<int>& changed, QString* error)
{
    for (int position : changed) {
        const LibraryEntry& entry = entries()[std::size_t(position)];
        m_library.setRating(position, entry.rating);
        m_library.setPlayCount(position, entry.playCount);
        m_library.setPlayDate(position, entry.played);
    }
    if (!m_library.save()) {
        *error = m_library.errorString();
        return false;
    }
    QString why;
    if (!readsBack(changed, &why)) {
        QString restoreError;
        *error = restoreBackup(&restoreError)
            ? QStringLiteral("what was written did not read back (%1), so the copy was put back.").arg(why)
            : QStringLiteral("what was written did not read back (%1), and putting the copy back failed (%2).")
                  .arg(why, restoreError);
        return false;
    }
    return true;
}

bool PlistLibraryFile::readsBack(const std::vector<int>& changed, QString* error) const
{
    MusicLibrary written;
    if (!written.load(path())) {
        *error = written.errorString();
        return false;
    }
    for (int position : changed) {
        const LibraryEntry& entry = entries()[std::size_t(position)];
        if (std::size_t(position) >= written.tracks().size()) {
            *error = QStringLiteral("the written file holds fewer tracks than it should.");
            return false;
        }
        const LibraryTrack& track = written.tracks()[std::size_t(position)];
        if (track.rating != entry.rating || track.playCount != entry.playCount
            || !samePlayDate(track.playDate, entry.played)) {
            *error = QStringLiteral("\"%1\" read back with other values than were written.").arg(entry.name);
            return false;
        }
    }
    return true;
}
