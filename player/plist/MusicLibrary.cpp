#include "MusicLibrary.h"

#include "FileCopy.h"
#include "PlistReader.h"
#include "PlistWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

#include <algorithm>
#include <iterator>

namespace
{

const QString libraryPlaylistName = QStringLiteral("Library");

QString stringOf(const PlistValue& dict, const QString& key)
{
    const PlistValue* value = dict.value(key);
    return value ? value->toString() : QString();
}

qint64 integerOf(const PlistValue& dict, const QString& key)
{
    const PlistValue* value = dict.value(key);
    return value ? value->toInteger() : 0;
}

// iTunes also keeps the play date as seconds since 1904 in local time, the classic Mac
// epoch; kept in step when a file carries it.
qint64 macSeconds(const QDateTime& when)
{
    const QDateTime local = when.toLocalTime();
    const QDateTime epoch(QDate(1904, 1, 1), QTime(0, 0), Qt::UTC);
    return epoch.secsTo(QDateTime(local.date(), local.time(), Qt::UTC));
}

} // namespace

bool MusicLibrary::load(const QString& path, const QString& artworkFolder)
{
    m_path = path;
    m_artworkFolder = artworkFolder.isEmpty() ? QFileInfo(path).absolutePath() : artworkFolder;
    m_error.clear();
    m_tracks.clear();
    m_playlists.clear();
    m_positions.clear();
    m_nameIndex.rebuild(m_tracks);
    m_modified = false;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("The music library \"%1\" could not be opened: %2.").arg(path, file.errorString());
        return false;
    }
    QString parseError;
    std::optional<PlistDocument> document = PlistReader::read(&file, &parseError);
    if (!document) {
        m_error = QStringLiteral("The music library \"%1\" is damaged. %2").arg(path, parseError);
        return false;
    }
    m_document = std::move(*document);
    if (!readTracks())
        return false;
    readPlaylists();
    m_nameIndex.rebuild(m_tracks);
    for (const LibraryPlaylist& playlist : m_playlists)
        m_positions.emplace_back(playlist.tracks);
    return true;
}

bool MusicLibrary::reload()
{
    MusicLibrary fresh;
    if (!fresh.load(m_path, m_artworkFolder)) {
        m_error = fresh.errorString();
        return false;
    }
    *this = std::move(fresh);
    return true;
}

std::vector<int> MusicLibrary::tracksNamed(int playlist, const QString& text) const
{
    if (text.isEmpty())
        return {};
    const auto holdsText
        = [&](int track) { return m_tracks[std::size_t(track)].name.contains(text, Qt::CaseInsensitive); };
    const std::optional<std::vector<int>> candidates = m_nameIndex.candidates(text);
    const std::vector<int>& pool = candidates ? *candidates : *m_playlists.at(std::size_t(playlist)).tracks;
    std::vector<int> found;
    std::copy_if(pool.begin(), pool.end(), std::back_inserter(found), holdsText);
    // Candidates come in library order; a scanned playlist is in its own order already.
    return candidates ? m_positions.at(std::size_t(playlist)).inPlaylistOrder(found) : found;
}

bool MusicLibrary::readTracks()
{
    const PlistValue* tracks
        = m_document.root.type() == PlistValue::Type::Dict ? m_document.root.value(QStringLiteral("Tracks")) : nullptr;
    if (!tracks || tracks->type() != PlistValue::Type::Dict) {
        m_error = QStringLiteral("The file \"%1\" is not a music library: it has no list of tracks.").arg(m_path);
        return false;
    }
    const QDir folder(m_artworkFolder);
    m_tracks.reserve(std::size_t(tracks->size()));
    for (int i = 0; i < tracks->size(); ++i) {
        const PlistValue& dict = tracks->valueAt(i);
        // Entries that are not track records are kept in the file but not played.
        if (dict.type() != PlistValue::Type::Dict)
            continue;
        LibraryTrack track;
        track.entryIndex = i;
        track.trackId = dict.value(QStringLiteral("Track ID")) ? int(integerOf(dict, QStringLiteral("Track ID")))
                                                               : tracks->keyAt(i).toInt();
        track.name = stringOf(dict, QStringLiteral("Name"));
        track.artist = stringOf(dict, QStringLiteral("Artist"));
        track.album = stringOf(dict, QStringLiteral("Album"));
        track.composer = stringOf(dict, QStringLiteral("Composer"));
        track.rating = int(integerOf(dict, QStringLiteral("Rating")));
        track.playCount = int(integerOf(dict, QStringLiteral("Play Count")));
        if (const PlistValue* date = dict.value(QStringLiteral("Play Date UTC")))
            track.playDate = date->toDate();
        track.totalTimeMs = integerOf(dict, QStringLiteral("Total Time"));
        track.bitRate = int(integerOf(dict, QStringLiteral("Bit Rate")));
        const QString artwork = stringOf(dict, QStringLiteral("Artwork"));
        if (!artwork.isEmpty())
            track.artworkFile = QDir::cleanPath(folder.absoluteFilePath(artwork));
        m_tracks.push_back(track);
    }
    return true;
}

void MusicLibrary::readPlaylists()
{
    QHash<int, int> byId;
    for (int i = 0; i < int(m_tracks.size()); ++i)
        byId.insert(m_tracks[std::size_t(i)].trackId, i);

    std::vector<LibraryPlaylist> others;
    bool haveLibrary = false;
    const PlistValue* playlists = m_document.root.value(QStringLiteral("Playlists"));
    const std::vector<PlistValue> none;
    for (const PlistValue& dict : playlists ? playlists->items() : none) {
        if (dict.type() != PlistValue::Type::Dict)
            continue;
        LibraryPlaylist playlist;
        playlist.name = stringOf(dict, QStringLiteral("Name"));
        auto tracks = std::make_shared<std::vector<int>>();
        if (const PlistValue* items = dict.value(QStringLiteral("Playlist Items"))) {
            for (const PlistValue& item : items->items()) {
                // An item naming a track the file does not hold is skipped, as the player
                // would drop a dead entry.
                const auto found = byId.constFind(int(integerOf(item, QStringLiteral("Track ID"))));
                if (found != byId.constEnd())
                    tracks->push_back(*found);
            }
        }
        playlist.tracks = std::move(tracks);
        if (!haveLibrary && playlist.name == libraryPlaylistName) {
            haveLibrary = true;
            m_playlists.insert(m_playlists.begin(), playlist);
        } else {
            others.push_back(playlist);
        }
    }
    if (!haveLibrary) {
        auto all = std::make_shared<std::vector<int>>(m_tracks.size());
        for (std::size_t i = 0; i < all->size(); ++i)
            (*all)[i] = int(i);
        m_playlists.insert(m_playlists.begin(), LibraryPlaylist { libraryPlaylistName, std::move(all) });
    }
    m_playlists.insert(m_playlists.end(), others.begin(), others.end());
}

PlistValue& MusicLibrary::trackDict(int track)
{
    return m_document.root.value(QStringLiteral("Tracks"))->valueAt(m_tracks.at(std::size_t(track)).entryIndex);
}

void MusicLibrary::setRating(int track, int rating)
{
    m_tracks.at(std::size_t(track)).rating = rating;
    trackDict(track).insert(QStringLiteral("Rating"), PlistValue::integer(rating));
    m_modified = true;
}

void MusicLibrary::setPlayCount(int track, int count)
{
    m_tracks.at(std::size_t(track)).playCount = count;
    trackDict(track).insert(QStringLiteral("Play Count"), PlistValue::integer(count));
    m_modified = true;
}

void MusicLibrary::setPlayDate(int track, const QDateTime& date)
{
    const QDateTime utc = date.isValid() ? date.toUTC() : QDateTime();
    m_tracks.at(std::size_t(track)).playDate = utc;
    PlistValue& dict = trackDict(track);
    if (utc.isValid()) {
        dict.insert(QStringLiteral("Play Date UTC"), PlistValue::date(utc));
        if (dict.value(QStringLiteral("Play Date")))
            dict.insert(QStringLiteral("Play Date"), PlistValue::integer(macSeconds(utc)));
    } else {
        // The file format has no "never played" value other than leaving the keys out.
        PlistValue rebuilt = PlistValue::dict();
        for (int i = 0; i < dict.size(); ++i) {
            if (dict.keyAt(i) != QLatin1String("Play Date UTC") && dict.keyAt(i) != QLatin1String("Play Date"))
                rebuilt.appendEntry(dict.keyAt(i), PlistValue(dict.valueAt(i)));
        }
        dict = std::move(rebuilt);
    }
    m_modified = true;
}

bool MusicLibrary::save()
{
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("The music library could not be saved to \"%1\": %2.").arg(m_path, file.errorString());
        return false;
    }
    // A refused write makes commit() fail with the device's reason.
    PlistWriter::write(m_document, &file);
    if (!file.commit()) {
        m_error = QStringLiteral("The music library could not be saved to \"%1\": %2.").arg(m_path, file.errorString());
        return false;
    }
    m_error.clear();
    m_modified = false;
    return true;
}

QString MusicLibrary::backUp(const QDateTime& when)
{
    const QFileInfo info(m_path);
    // A copy is made only for a write that can follow it.
    if (!info.isWritable()) {
        m_error = QStringLiteral("The music library \"%1\" is read-only.").arg(m_path);
        return QString();
    }
    const QString backup = FileCopy::backupName(m_path, when);
    QString why;
    if (!FileCopy::copy(m_path, backup, &why)) {
        m_error = QStringLiteral("No copy of the music library \"%1\" could be made beside it: %2.").arg(m_path, why);
        return QString();
    }
    return backup;
}
