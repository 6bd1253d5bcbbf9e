#include "SimulatedTrack.h"

#include "player/TrackTime.h"

#include "SimulatedArtwork.h"
#include "SimulatedPlayer.h"
#include "player/ListCollection.h"

#include "player/PlayerError.h"

#include <QFileInfo>

#include <algorithm>

namespace
{

constexpr int maxRating = 100;

} // namespace

SimulatedTrack::SimulatedTrack(SimulatedPlayer* player, int index)
    : m_player(player)
    , m_index(index)
{
}

SimulatedPlayer& SimulatedTrack::player() const
{
    if (!m_player)
        throw PlayerError(QStringLiteral("The player has gone away."));
    return *m_player;
}

QString SimulatedTrack::Name() const
{
    return player().libraryTrack(m_index).name;
}

QString SimulatedTrack::Artist() const
{
    return player().libraryTrack(m_index).artist;
}

QString SimulatedTrack::Album() const
{
    return player().libraryTrack(m_index).album;
}

int SimulatedTrack::Rating() const
{
    return player().libraryTrack(m_index).rating;
}

void SimulatedTrack::SetRating(int rating)
{
    // The player refuses what it cannot store rather than clamping silently.
    if (rating < 0 || rating > maxRating)
        throw PlayerError(QStringLiteral("A rating must lie between 0 and 100, not %1.").arg(rating));
    player().setRating(m_index, rating);
}

int SimulatedTrack::PlayedCount() const
{
    return player().libraryTrack(m_index).playCount;
}

void SimulatedTrack::SetPlayedCount(int count)
{
    if (count < 0)
        throw PlayerError(QStringLiteral("A play count cannot be negative (%1).").arg(count));
    player().setPlayCount(m_index, count);
}

QDateTime SimulatedTrack::PlayedDate() const
{
    const QDateTime date = player().libraryTrack(m_index).playDate;
    return date.isValid() ? date.toLocalTime() : QDateTime();
}

void SimulatedTrack::SetPlayedDate(const QDateTime& date)
{
    player().setPlayDate(m_index, date);
}

QString SimulatedTrack::Time() const
{
    return trackTimeText(player().libraryTrack(m_index).totalTimeMs);
}

int SimulatedTrack::BitRate() const
{
    return player().libraryTrack(m_index).bitRate;
}

std::shared_ptr<PlayerCollection<PlayerArtwork>> SimulatedTrack::Artwork() const
{
    const QString file = player().libraryTrack(m_index).artworkFile;
    std::vector<std::shared_ptr<PlayerArtwork>> items;
    // A cover named in the library but missing on disk is no cover at all.
    if (!file.isEmpty() && QFileInfo(file).isFile())
        items.push_back(std::make_shared<SimulatedArtwork>(file));
    return std::make_shared<ListCollection<PlayerArtwork>>(std::move(items));
}
