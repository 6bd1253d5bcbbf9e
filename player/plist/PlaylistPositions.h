#pragma once

#include <memory>
#include <vector>

// Puts a set of tracks back into the order of one playlist without walking the playlist.
// Most playlists, and always the "Library" one made for a file without it, list tracks in
// ascending order and need nothing beyond the playlist itself; any other keeps a sorted
// copy of its entries.
class PlaylistPositions
{
public:
    // tracks are indices into MusicLibrary::tracks(), in playlist order.
    explicit PlaylistPositions(std::shared_ptr<const std::vector<int>> tracks);

    // The playlist's entries that are among tracks (ascending, no repeats), in playlist
    // order; a track the playlist lists twice comes twice.
    std::vector<int> inPlaylistOrder(const std::vector<int>& tracks) const;

private:
    struct Entry {
        int track;
        int position;
        bool operator<(const Entry& other) const
        {
            return track != other.track ? track < other.track : position < other.position;
        }
    };

    std::shared_ptr<const std::vector<int>> m_tracks;
    // Sorted by track; empty when the playlist is ascending already.
    std::vector<Entry> m_byTrack;
};
