#include "EntryTrack.h"

#include "player/RatingScale.h"

#include "player/ListCollection.h"
#include "player/PlayerError.h"
#include "player/TrackTime.h"

EntryTrack::EntryTrack(std::shared_ptr<EntryLibrary::Songs> songs, int index)
    : m_songs(std::move(songs))
    , m_index(index)
{
}

void EntryTrack::SetRating(int rating)
{
    if (rating < 0 || rating > RatingScale::kMaximum)
        throw PlayerError(QStringLiteral("A rating must lie between 0 and 100, not %1.").arg(rating));
    if (entry().rating != rating) {
        entry().rating = rating;
        entry().changed = true;
    }
}

void EntryTrack::SetPlayedCount(int count)
{
    if (count < 0)
        throw PlayerError(QStringLiteral("A play count cannot be negative (%1).").arg(count));
    if (entry().playCount != count) {
        entry().playCount = count;
        entry().changed = true;
    }
}

void EntryTrack::SetPlayedDate(const QDateTime& date)
{
    // The files keep whole seconds; a date that differs by less is no change.
    const QDateTime wanted = date.isValid() ? QDateTime::fromSecsSinceEpoch(date.toSecsSinceEpoch()) : QDateTime();
    const QDateTime& held = entry().played;
    if (wanted.isValid() != held.isValid()
        || (wanted.isValid() && wanted.toSecsSinceEpoch() != held.toSecsSinceEpoch())) {
        entry().played = wanted;
        entry().changed = true;
    }
}

QString EntryTrack::Time() const
{
    return trackTimeText(entry().durationMs);
}

std::shared_ptr<PlayerCollection<PlayerArtwork>> EntryTrack::Artwork() const
{
    return std::make_shared<ListCollection<PlayerArtwork>>();
}
