#include "PlaylistPositions.h"

#include <algorithm>

PlaylistPositions::PlaylistPositions(std::shared_ptr<const std::vector<int>> tracks)
    : m_tracks(std::move(tracks))
{
    if (std::is_sorted(m_tracks->begin(), m_tracks->end()))
        return;
    m_byTrack.reserve(m_tracks->size());
    for (std::size_t p = 0; p < m_tracks->size(); ++p)
        m_byTrack.push_back(Entry { (*m_tracks)[p], int(p) });
    std::sort(m_byTrack.begin(), m_byTrack.end());
}

std::vector<int> PlaylistPositions::inPlaylistOrder(const std::vector<int>& tracks) const
{
    std::vector<int> result;
    if (m_byTrack.empty()) {
        for (const int track : tracks) {
            const auto [first, last] = std::equal_range(m_tracks->begin(), m_tracks->end(), track);
            result.insert(result.end(), first, last);
        }
        return result;
    }
    std::vector<int> positions;
    for (const int track : tracks) {
        auto at = std::lower_bound(m_byTrack.begin(), m_byTrack.end(), Entry { track, 0 });
        for (; at != m_byTrack.end() && at->track == track; ++at)
            positions.push_back(at->position);
    }
    std::sort(positions.begin(), positions.end());
    result.reserve(positions.size());
    for (const int position : positions)
        result.push_back((*m_tracks)[std::size_t(position)]);
    return result;
}
