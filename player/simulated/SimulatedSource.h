#pragma once

#include "player/PlayerSource.h"

#include <memory>

// The simulated player's library source: a fixed collection of its playlists.
class SimulatedSource : public PlayerSource
{
public:
    explicit SimulatedSource(std::shared_ptr<PlayerPlaylists> playlists)
        : m_playlists(std::move(playlists))
    {
    }

    std::shared_ptr<PlayerPlaylists> Playlists() const override { return m_playlists; }

private:
    std::shared_ptr<PlayerPlaylists> m_playlists;
};
