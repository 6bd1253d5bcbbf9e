#include "BolvinLibrary.h"

#include "ReplacingFile.h"

#include "library/ExtrasFileReader.h"
#include "player/TrackTime.h"
#include "player/extras/TrackIdentity.h"

#include <QFile>
#include <QMultiHash>

BolvinLibrary::BolvinLibrary(QString path)
    : FileLibrary(path)
    , m_store(path)
{
}

bool BolvinLibrary::load(QString* error)
{
    QString reason;
    m_tracks = m_store.all(&reason);
    if (!reason.isEmpty()) {
        *error = reason;
        return false;
    }
    std::vector<LibraryEntry> entries;
    entries.reserve(m_tracks.size());
    for (const StoredTrack& track : m_tracks) {
        LibraryEntry& entry = entries.emplace_back();
        // An entry from before the store kept tags is named by what its identity holds.
        entry.name = track.title.isEmpty() ? TrackIdentity::titleIn(track.identity) : track.title;
        entry.artist = track.artist;
        entry.album = track.album;
        entry.location = track.identity;
        entry.durationMs = track.lengthMs;
        entry.rating = track.extras.rating;
        entry.playCount = track.extras.playCount;
        entry.played = track.extras.playedDate;
    }
    setEntries(std::move(entries));
    return true;
}

void BolvinLibrary::takeInTracksOf(QIODevice& extrasFile)
{
    // Normalised artists by title and length: what the library holds, and what it took in.
    QMultiHash<QString, QString> held;
    std::vector<LibraryEntry> taken;
    for (const LibraryEntry& entry : entries())
        held.insert(TrackIdentity::byNamePrefix(entry.name, entry.durationMs), TrackIdentity::normalised(entry.artist));
    const auto takeIn = [&](ExtrasTrackElement& element) {
        const QString name = element.fields[ExtrasTrackElement::Name].value_or(QString());
        const QString artist = element.fields[ExtrasTrackElement::Artist].value_or(QString());
        const std::optional<qint64> length = trackTimeMs(element.fields[ExtrasTrackElement::Time].value_or(QString()));
        if (name.trimmed().isEmpty() || !length)
            return true;
        const QString prefix = TrackIdentity::byNamePrefix(name, *length);
        const QString folded = TrackIdentity::normalised(artist);
        // An artist only tells two tracks apart when both name one, as in the import.
        for (const QString& other : held.values(prefix))
            if (other.isEmpty() || folded.isEmpty() || other == folded)
                return true;
        held.insert(prefix, folded);
        LibraryEntry& entry = taken.emplace_back();
        entry.name = name;
        entry.artist = artist;
        entry.durationMs = *length;
        entry.location = prefix + folded;
        m_tracks.push_back({ entry.location, {}, name, artist, {}, *length });
        return true;
    };
    // A file that does not read is the import's to report; what was taken in stays unused.
    QString unread;
    ExtrasFileReader::stream(extrasFile, takeIn, nullptr, &unread);
    addEntries(std::move(taken));
}

bool BolvinLibrary::copyTo(const QString& target, QString* error)
{
    // SQLite writes the copy itself, consistent with the journal, and it is named only once
    // it is complete.
    const QString partial = ReplacingFile::temporaryFor(target);
    QFile::remove(partial);
    if (m_store.copyTo(partial, error) && ReplacingFile::publish(partial, target, path(), error))
        return true;
    QFile::remove(partial);
    return false;
}

bool BolvinLibrary::writeChanges(const std::vector<int>& changed, QString* error)
{
    std::vector<StoredTrack> tracks;
    tracks.reserve(changed.size());
    for (const int i : changed) {
        const LibraryEntry& entry = entries()[std::size_t(i)];
        StoredTrack& track = tracks.emplace_back(m_tracks[std::size_t(i)]);
        track.extras = { entry.rating, entry.playCount, entry.played };
    }
    // One transaction: every value is written, or none. SQLite's commit is its read-back.
    return m_store.saveAll(tracks, error);
}
