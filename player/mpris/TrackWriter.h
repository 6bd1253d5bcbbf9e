#pragma once

#include "MprisMetadata.h"

#include "player/PlayerCapabilities.h"

#include <QDateTime>
#include <QObject>

#include <optional>

// A track's values as the player holds them now, where the player says; nullopt where it
// does not (the MPRIS metadata is then the best answer).
struct TrackStatistics {
    std::optional<int> rating; // 0 to 100
    std::optional<int> playCount;
    std::optional<QDateTime> playedDate; // invalid: never played
};

// What a player lets other programs change on a track beyond MPRIS, through an interface of
// its own. MprisPlayer attaches one when it finds the player, and its tracks delegate to it.
// Ratings are Bolvin's 0 to 100 here; each writer converts to its player's scale.
//
// Every write is read back: a write "succeeds" only when the player then holds the value.
// Writers and reads throw PlayerError saying what failed; a failed read is "no value".
class TrackWriter : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Live answers for capabilities(); never throw.
    virtual PlayerAbility rateAbility() const = 0;
    virtual PlayerAbility playCountAbility() const = 0;
    // True when readBack() answers the play count and date, not only the rating.
    virtual bool readsStatistics() const = 0;

    // track is the metadata the track was read with; each writer finds the player's entry
    // from it. Emit written() after a confirmed write.
    virtual void rate(const MprisMetadata& track, int rating) = 0;
    virtual void setPlayCount(const MprisMetadata& track, int count) = 0;
    virtual void setPlayedDate(const MprisMetadata& track, const QDateTime& date) = 0;
    virtual TrackStatistics readBack(const MprisMetadata& track) const = 0;

signals:
    // A value was written and confirmed; the player may not announce it itself.
    void written();
};
