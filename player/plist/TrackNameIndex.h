#pragma once

#include "LibraryTrack.h"

#include <QStringView>

#include <optional>
#include <unordered_map>
#include <vector>

// Narrows a search of track names without reading every name. Each name is filed under its
// runs of three characters, case-folded the way QString::contains(text, Qt::CaseInsensitive)
// compares, so a name holding the text holds all of the text's runs. The index only rules
// tracks out: a candidate still has to be confirmed with contains().
class TrackNameIndex
{
public:
    // Files the names of tracks, replacing what was filed before. Call again whenever a name
    // changes.
    void rebuild(const std::vector<LibraryTrack>& tracks);

    // Indices into the tracks, ascending, of every track whose name may contain text without
    // regard to case; empty when none can. nullopt when the index cannot narrow the search
    // (text shorter than a run, or with characters beyond the Basic Multilingual Plane, whose
    // folding pairs units differently): the caller scans instead.
    std::optional<std::vector<int>> candidates(QStringView text) const;

private:
    std::unordered_map<quint64, std::vector<int>> m_runs;
};
