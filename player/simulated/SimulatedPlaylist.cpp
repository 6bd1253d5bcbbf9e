#include "SimulatedPlaylist.h"

#include "SimulatedPlayer.h"
#include "SimulatedTrackList.h"

#include "player/PlayerError.h"

namespace
{

bool matches(const LibraryTrack& track, const QString& text, int fields)
{
    const auto has = [&](const QString& field) { return field.contains(text, Qt::CaseInsensitive); };
    switch (fields) {
    case PlayerPlaylist::SearchArtists:
        return has(track.artist);
    case PlayerPlaylist::SearchAlbums:
        return has(track.album);
    case PlayerPlaylist::SearchComposers:
        return has(track.composer);
    case PlayerPlaylist::SearchSongNames:
        return has(track.name);
    case PlayerPlaylist::SearchVisible:
        return has(track.name) || has(track.artist) || has(track.album);
    default:
        return has(track.name) || has(track.artist) || has(track.album) || has(track.composer);
    }
}

} // namespace

SimulatedPlaylist::SimulatedPlaylist(SimulatedPlayer* player, int index)
    : m_player(player)
    , m_index(index)
{
}

SimulatedPlayer& SimulatedPlaylist::player() const
{
    if (!m_player)
        throw PlayerError(QStringLiteral("The player has gone away."));
    m_player->ensureRunning();
    return *m_player;
}

QString SimulatedPlaylist::Name() const
{
    return player().library().playlists().at(std::size_t(m_index)).name;
}

bool SimulatedPlaylist::Shuffle() const
{
    return player().shuffleOf(m_index);
}

void SimulatedPlaylist::SetShuffle(bool shuffle)
{
    player().setShuffleOf(m_index, shuffle);
}

void SimulatedPlaylist::PlayFirstTrack()
{
    SimulatedPlayer& owner = player();
    if (owner.library().playlists().at(std::size_t(m_index)).tracks->empty())
        throw PlayerError(QStringLiteral("The playlist \"%1\" has no tracks to play.").arg(Name()));
    owner.playFrom(m_index, 0);
}

std::shared_ptr<PlayerTracks> SimulatedPlaylist::Tracks() const
{
    SimulatedPlayer& owner = player();
    return std::make_shared<SimulatedTrackList>(&owner, owner.library().playlists().at(std::size_t(m_index)).tracks);
}

std::shared_ptr<PlayerTracks> SimulatedPlaylist::Search(const QString& text, int fields) const
{
    SimulatedPlayer& owner = player();
    if (text.isEmpty())
        return nullptr;
    auto found = std::make_shared<std::vector<int>>();
    // The import looks up every track by name; that one is indexed, the rest are scanned.
    if (fields == SearchSongNames) {
        *found = owner.library().tracksNamed(m_index, text);
    } else {
        for (const int track : *owner.library().playlists().at(std::size_t(m_index)).tracks) {
            if (matches(owner.library().tracks().at(std::size_t(track)), text, fields))
                found->push_back(track);
        }
    }
    if (found->empty())
        return nullptr;
    return std::make_shared<SimulatedTrackList>(&owner, std::move(found));
}
