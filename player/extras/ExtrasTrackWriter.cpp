#include "ExtrasTrackWriter.h"

#include "ExtrasStore.h"
#include "TrackIdentity.h"
#include "player/PlayerError.h"

namespace
{
qint64 lengthMsOf(const MprisMetadata& track)
{
    const qint64 lengthUs = track.lengthMicroseconds();
    return lengthUs < 0 ? -1 : lengthUs / 1000;
}
}

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

std::optional<StoredTrack> ExtrasTrackWriter::stored(const MprisMetadata& track) const
{
    if (std::optional<StoredTrack> known = m_store->find(identityOf(track)))
        return known;
    return m_store->findImported(
        TrackIdentity::byNamePrefix(track.title(), lengthMsOf(track)), TrackIdentity::normalised(track.artist()));
}

template <typename Change> void ExtrasTrackWriter::change(const MprisMetadata& track, Change&& apply)
{
    StoredTrack stored = this->stored(track).value_or(StoredTrack());
    // A track imported by name takes the identity it plays under from now on.
    const QString imported = stored.identity;
    stored.identity = identityOf(track);
    stored.title = track.title();
    stored.artist = track.artist();
    stored.album = track.album();
    stored.lengthMs = lengthMsOf(track);
    apply(stored.extras);
    QString error;
    if (!m_store->save(stored, &error, imported))
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
    const std::optional<StoredTrack> known = stored(track);
    if (!known)
        return {};
    return { known->extras.rating, known->extras.playCount, known->extras.playedDate };
}
