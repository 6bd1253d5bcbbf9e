#include "EntryLibrary.h"

#include "EntryTrack.h"

#include "player/ListCollection.h"
#include "player/PlayerError.h"

namespace
{

const QString libraryPlaylistName = QStringLiteral("Library");

// Entries by position, made on demand so a large library is not built twice.
class EntryTracks : public PlayerTracks
{
public:
    EntryTracks(std::shared_ptr<EntryLibrary::Songs> songs, std::vector<int> positions)
        : m_songs(std::move(songs))
        , m_positions(std::move(positions))
    {
    }
    int Count() const override { return int(m_positions.size()); }
    std::shared_ptr<PlayerTrack> Item(int index) const override
    {
        if (index < 1 || index > Count())
            throw PlayerError(QStringLiteral("Index %1 is outside the collection of %2.").arg(index).arg(Count()));
        return std::make_shared<EntryTrack>(m_songs, m_positions[std::size_t(index - 1)]);
    }

private:
    std::shared_ptr<EntryLibrary::Songs> m_songs;
    std::vector<int> m_positions;
};

class EntryPlaylist : public PlayerPlaylist
{
public:
    explicit EntryPlaylist(std::shared_ptr<EntryLibrary::Songs> songs)
        : m_songs(std::move(songs))
    {
    }
    QString Name() const override { return libraryPlaylistName; }
    bool Shuffle() const override { return false; }
    void SetShuffle(bool) override { throw PlayerError(QStringLiteral("A library file does not play.")); }
    void PlayFirstTrack() override { throw PlayerError(QStringLiteral("A library file does not play.")); }
    std::shared_ptr<PlayerTracks> Tracks() const override
    {
        std::vector<int> all(m_songs->entries.size());
        for (std::size_t i = 0; i < all.size(); ++i)
            all[i] = int(i);
        return std::make_shared<EntryTracks>(m_songs, std::move(all));
    }
    // Whole names only, without regard to case: the import, the one caller, matches whole
    // names, and a part-of-name search would read every name once per track.
    std::shared_ptr<PlayerTracks> Search(const QString& text, int) const override
    {
        QList<int> found = m_songs->byName.values(text.toCaseFolded());
        if (found.isEmpty())
            return nullptr;
        std::sort(found.begin(), found.end());
        return std::make_shared<EntryTracks>(m_songs, std::vector<int>(found.begin(), found.end()));
    }

private:
    std::shared_ptr<EntryLibrary::Songs> m_songs;
};

} // namespace

EntryLibrary::EntryLibrary()
    : m_songs(std::make_shared<Songs>())
{
}

std::shared_ptr<PlayerPlaylists> EntryLibrary::Playlists() const
{
    return std::make_shared<ListCollection<PlayerPlaylist>>(
        std::vector<std::shared_ptr<PlayerPlaylist>> { std::make_shared<EntryPlaylist>(m_songs) });
}

void EntryLibrary::setEntries(std::vector<LibraryEntry> entries)
{
    // Fresh songs: tracks handed out before keep the old ones rather than point past the end.
    m_songs = std::make_shared<Songs>();
    m_songs->entries = std::move(entries);
    m_songs->byName.reserve(qsizetype(m_songs->entries.size()));
    for (std::size_t i = 0; i < m_songs->entries.size(); ++i)
        m_songs->byName.insert(m_songs->entries[i].name.toCaseFolded(), int(i));
}

void EntryLibrary::addEntries(std::vector<LibraryEntry> entries)
{
    for (LibraryEntry& entry : entries) {
        m_songs->byName.insert(entry.name.toCaseFolded(), int(m_songs->entries.size()));
        m_songs->entries.push_back(std::move(entry));
    }
}

std::vector<int> EntryLibrary::changedEntries() const
{
    std::vector<int> changed;
    for (std::size_t i = 0; i < m_songs->entries.size(); ++i)
        if (m_songs->entries[i].changed)
            changed.push_back(int(i));
    return changed;
}

void EntryLibrary::clearChanges()
{
    for (LibraryEntry& entry : m_songs->entries)
        entry.changed = false;
}
