#pragma once

#include "PlayerTrack.h"

#include <QString>

#include <memory>

class PlayerPlaylist
{
public:
    // Fields a Search looks in.
    enum SearchField {
        SearchAll = 0,
        SearchVisible = 1,
        SearchArtists = 2,
        SearchAlbums = 3,
        SearchComposers = 4,
        SearchSongNames = 5
    };

    virtual ~PlayerPlaylist() = default;

    virtual QString Name() const = 0;
    virtual bool Shuffle() const = 0;
    virtual void SetShuffle(bool shuffle) = 0;
    // Starts playing with the playlist's first track; throws PlayerError when it has none.
    virtual void PlayFirstTrack() = 0;
    virtual std::shared_ptr<PlayerTracks> Tracks() const = 0;
    // The tracks matching text in the given fields; nullptr when nothing matches.
    virtual std::shared_ptr<PlayerTracks> Search(const QString& text, int fields) const = 0;
};

using PlayerPlaylists = PlayerCollection<PlayerPlaylist>;
