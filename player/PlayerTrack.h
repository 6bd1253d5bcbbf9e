#pragma once

#include "PlayerArtwork.h"
#include "PlayerCollection.h"

#include <QDateTime>
#include <QString>

#include <memory>

// A track of the player's library. Every read and write may throw PlayerError.
class PlayerTrack
{
public:
    virtual ~PlayerTrack() = default;

    virtual QString Name() const = 0;
    virtual QString Artist() const = 0;
    virtual QString Album() const = 0;
    // 0 to 100; multiples of 20 are 0 to 5 stars.
    virtual int Rating() const = 0;
    virtual void SetRating(int rating) = 0;
    virtual int PlayedCount() const = 0;
    virtual void SetPlayedCount(int count) = 0;
    // Local time; an invalid QDateTime when the track was never played.
    virtual QDateTime PlayedDate() const = 0;
    virtual void SetPlayedDate(const QDateTime& date) = 0;
    // Duration as the player shows it, "m:ss" (or "h:mm:ss").
    virtual QString Time() const = 0;
    virtual int BitRate() const = 0;
    virtual std::shared_ptr<PlayerCollection<PlayerArtwork>> Artwork() const = 0;
};

using PlayerTracks = PlayerCollection<PlayerTrack>;
