#pragma once

#include "player/PlayerCapabilities.h"

class MprisConnection;
class TrackWriter;

// What an MPRIS player lets Bolvin do, from what it has said of itself: presumed possible
// where it has not answered yet, so a slow player is not cut off for good. Never asks the
// player, never throws.
class MprisAbilities
{
public:
    // writer may be null; trackTellsUseCount: the current track's metadata has a play count.
    static PlayerCapabilities of(const MprisConnection& link, const TrackWriter* writer, bool trackTellsUseCount);
};
