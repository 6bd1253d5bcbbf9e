#pragma once

#include "player/PlayerTrack.h"

#include <QPointer>

#include <memory>
#include <vector>

class SimulatedPlayer;

// Tracks of a playlist or a search, made on demand: a large library is walked item by item
// without building every track object up front.
class SimulatedTrackList : public PlayerTracks
{
public:
    // tracks are indices into the player's MusicLibrary::tracks().
    SimulatedTrackList(SimulatedPlayer* player, std::shared_ptr<const std::vector<int>> tracks);

    int Count() const override;
    std::shared_ptr<PlayerTrack> Item(int index) const override;

private:
    QPointer<SimulatedPlayer> m_player;
    std::shared_ptr<const std::vector<int>> m_tracks;
};
