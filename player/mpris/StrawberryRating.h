#pragma once

#include "TrackWriter.h"

#include <memory>
#include <optional>

class MprisConnection;

// Strawberry rates the track it is playing through a writable Rating property (0..1) on its
// MPRIS player interface, from version 1.0.19 on; older versions lack the property and
// cannot be rated from outside. Strawberry does not publish new metadata after a rating, so
// the rating of the current track is read from that property, not from the metadata.
class StrawberryRating : public TrackWriter
{
    Q_OBJECT
public:
    static const QString kBusName;
    // How long a written rating may take to show: Strawberry stores it in its collection
    // database on another thread before the property reports it.
    static constexpr int kConfirmAttempts = 6;
    static constexpr int kConfirmIntervalMs = 25;

    // True for the bus name Strawberry takes (also with an instance suffix).
    static bool isStrawberry(const QString& service);

    // Looks for the property at once; link is the player's MPRIS connection.
    explicit StrawberryRating(std::shared_ptr<const MprisConnection> link, QObject* parent = nullptr);

    PlayerAbility rateAbility() const override;
    PlayerAbility playCountAbility() const override;
    // The play count and date are in Strawberry's metadata; nothing more to read here.
    bool readsStatistics() const override { return false; }

    // Throws PlayerError without the property, when track is no longer the one playing, or
    // when Strawberry does not hold the rating afterwards (it rates only collection songs).
    void rate(const MprisMetadata& track, int rating) override;
    // Strawberry does not let other programs change these: always throws PlayerError.
    void setPlayCount(const MprisMetadata& track, int count) override;
    void setPlayedDate(const MprisMetadata& track, const QDateTime& date) override;
    // The rating while track is the one playing; nothing once another plays.
    TrackStatistics readBack(const MprisMetadata& track) const override;

private:
    bool probe() const;
    bool isCurrent(const MprisMetadata& track) const;
    double liveRating() const;

    std::shared_ptr<const MprisConnection> m_link;
    bool m_hasRating;
};
