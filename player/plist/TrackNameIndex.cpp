#include "TrackNameIndex.h"

#include <algorithm>
#include <functional>

namespace
{

constexpr qsizetype runLength = 3;
// Below this many candidates, confirming each one is cheaper than narrowing further.
constexpr std::size_t fewEnoughToConfirm = 8;
constexpr int unitBits = 16;

char16_t folded(QChar unit)
{
    return unit.toCaseFolded().unicode();
}

quint64 runKey(QStringView text, qsizetype at)
{
    return quint64(folded(text[at])) << (2 * unitBits) | quint64(folded(text[at + 1])) << unitBits
        | quint64(folded(text[at + 2]));
}

bool hasSurrogates(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar unit) { return unit.isSurrogate(); });
}

} // namespace

void TrackNameIndex::rebuild(const std::vector<LibraryTrack>& tracks)
{
    m_runs.clear();
    for (std::size_t t = 0; t < tracks.size(); ++t) {
        const QString& name = tracks[t].name;
        for (qsizetype at = 0; at + runLength <= name.size(); ++at) {
            std::vector<int>& holders = m_runs[runKey(name, at)];
            // Tracks are filed in ascending order, so a run seen twice in one name is at the back.
            if (holders.empty() || holders.back() != int(t))
                holders.push_back(int(t));
        }
    }
    for (auto& [key, holders] : m_runs)
        holders.shrink_to_fit();
}

std::optional<std::vector<int>> TrackNameIndex::candidates(QStringView text) const
{
    if (text.size() < runLength || hasSurrogates(text))
        return std::nullopt;
    std::vector<const std::vector<int>*> lists;
    for (qsizetype at = 0; at + runLength <= text.size(); ++at) {
        const auto found = m_runs.find(runKey(text, at));
        if (found == m_runs.end())
            return std::vector<int>();
        lists.push_back(&found->second);
    }
    // Shortest first; the same run twice in the text lands side by side and is dropped.
    std::sort(lists.begin(), lists.end(), [](const auto* a, const auto* b) {
        return a->size() != b->size() ? a->size() < b->size() : std::less<>()(a, b);
    });
    lists.erase(std::unique(lists.begin(), lists.end()), lists.end());
    std::vector<int> result = *lists.front();
    for (std::size_t l = 1; l < lists.size() && result.size() > fewEnoughToConfirm; ++l) {
        const std::vector<int>& holders = *lists[l];
        result.erase(std::remove_if(result.begin(), result.end(),
                         [&](int track) { return !std::binary_search(holders.begin(), holders.end(), track); }),
            result.end());
    }
    return result;
}
