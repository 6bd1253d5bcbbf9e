#pragma once

#include "player/PlayerSource.h"

#include <memory>

class MprisConnection;

// The playlists a player lists through its optional Playlists interface. Unlike the original
// player's library source, the first playlist is not the whole library: MPRIS has none.
class MprisSource : public PlayerSource
{
public:
    explicit MprisSource(std::shared_ptr<const MprisConnection> link);

    // An empty collection when the player has no Playlists interface; throws PlayerError
    // when the player has one but does not answer. In the player's own order when it offers
    // one, so the order stays stable while connected.
    std::shared_ptr<PlayerPlaylists> Playlists() const override;

private:
    std::shared_ptr<const MprisConnection> m_link;
};
