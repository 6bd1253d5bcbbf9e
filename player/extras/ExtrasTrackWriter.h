#pragma once

#include "ExtrasStore.h"
#include "player/mpris/TrackWriter.h"

#include <memory>
#include <optional>

// Rates and counts plays of any player's tracks in Bolvin's own store, for the players that
// keep no rating other programs can change. Tracks are found by TrackIdentity; a track the
// store has no entry for reads as "no value", so what the player itself says still shows.
class ExtrasTrackWriter : public TrackWriter
{
    Q_OBJECT
public:
    // The store is shared by every player.
    explicit ExtrasTrackWriter(std::shared_ptr<ExtrasStore> store, QObject* parent = nullptr);

    static QString identityOf(const MprisMetadata& track);

    // Possible unless the store has been found unusable (a newer Bolvin's file, no disk).
    PlayerAbility rateAbility() const override;
    PlayerAbility playCountAbility() const override;
    bool readsStatistics() const override { return true; }

    // Throw PlayerError when the store cannot save the value or the track cannot be known.
    void rate(const MprisMetadata& track, int rating) override;
    void setPlayCount(const MprisMetadata& track, int count) override;
    void setPlayedDate(const MprisMetadata& track, const QDateTime& date) override;
    TrackStatistics readBack(const MprisMetadata& track) const override;

private:
    // The track's entry: by its identity, else the one imported under its name and length.
    std::optional<StoredTrack> stored(const MprisMetadata& track) const;
    template <typename Change> void change(const MprisMetadata& track, Change&& apply);

    std::shared_ptr<ExtrasStore> m_store;
};
