#pragma once

#include "PlayerPlaylist.h"

#include <memory>

// The player's library source; its first playlist is the whole library.
class PlayerSource
{
public:
    virtual ~PlayerSource() = default;

    // Order is stable while connected.
    virtual std::shared_ptr<PlayerPlaylists> Playlists() const = 0;
};
