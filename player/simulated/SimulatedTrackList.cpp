#include "SimulatedTrackList.h"

#include "SimulatedPlayer.h"

#include "player/PlayerError.h"

SimulatedTrackList::SimulatedTrackList(SimulatedPlayer* player, std::shared_ptr<const std::vector<int>> tracks)
    : m_player(player)
    , m_tracks(std::move(tracks))
{
}

int SimulatedTrackList::Count() const
{
    if (!m_player)
        throw PlayerError(QStringLiteral("The player has gone away."));
    m_player->ensureRunning();
    return int(m_tracks->size());
}

std::shared_ptr<PlayerTrack> SimulatedTrackList::Item(int index) const
{
    const int count = Count();
    if (index < 1 || index > count)
        throw PlayerError(QStringLiteral("Index %1 is outside the collection of %2 tracks.").arg(index).arg(count));
    return m_player->trackObject((*m_tracks)[std::size_t(index - 1)]);
}
