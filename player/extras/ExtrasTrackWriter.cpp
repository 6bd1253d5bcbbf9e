#include "ExtrasTrackWriter.h"

#include "ExtrasStore.h"
#include "TrackIdentity.h"
#include "player/PlayerError.h"

ExtrasTrackWriter::ExtrasTrackWriter(std::shared_ptr<ExtrasStore> store, QObject* parent)
    : TrackWriter(parent)
    , m_store(std::move(store))
{
}

QString ExtrasTrackWriter::identityOf(const MprisMetadata& track)
{
    return TrackIdentity::of(track.url(), track.artist(), track.title(), track.album(), track.lengthMicroseconds());
}

PlayerAbility ExtrasTrackWriter::rateAbility() const
{
    const QString reason = m_store->unavailableReason();
    return reason.isEmpty() ? PlayerAbility::yes() : PlayerAbility::no(reason);
}

PlayerAbility ExtrasTrackWriter::playCountAbility() const
{
    return rateAbility();
}

template <typename Change> void ExtrasTrackWriter::change(const MprisMetadata& track, Change&& apply)
{
    const QString identity = identityOf(track);
    StoredExtras extras = m_store->find(identity).value_or(StoredExtras());
    apply(extras);
    QString error;
    if (!m_store->save(identity, extras, &error))
        throw PlayerError(error);
    emit written();
}

void ExtrasTrackWriter::rate(const MprisMetadata& track, int rating)
{
    change(track, [rating](StoredExtras& extras) { extras.rating = rating; });
}

void ExtrasTrackWriter::setPlayCount(const MprisMetadata& track, int count)
{
    change(track, [count](StoredExtras& extras) { extras.playCount = count; });
}

void ExtrasTrackWriter::setPlayedDate(const MprisMetadata& track, const QDateTime& date)
{
    change(track, [date](StoredExtras& extras) { extras.playedDate = date; });
}

TrackStatistics ExtrasTrackWriter::readBack(const MprisMetadata& track) const
{
    const std::optional<StoredExtras> extras = m_store->find(identityOf(track));
    if (!extras)
        return {};
    return { extras->rating, extras->playCount, extras->playedDate };
}
