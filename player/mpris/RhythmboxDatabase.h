#pragma once

#include "TrackWriter.h"

#include "player/rhythmdb/RhythmDbClient.h"

#include <QDBusError>
#include <QVariantMap>

#include <memory>

class MprisConnection;

// Rhythmbox's library database, which it offers on a bus name of its own beside its MPRIS
// one: entries are keyed by their location URI (the MPRIS xesam:url) and carry "rating"
// (0..5 stars, may be fractional), "play-count" and "last-played" (Unix seconds).
// Rhythmbox answers success to a value of the wrong type or an unknown name and stores an
// out-of-range value as sent, so only exactly typed, clamped values go out, and each write
// is read back. An entry it does not know answers FileNotFound: a failed read.
class RhythmboxDatabase : public TrackWriter
{
    Q_OBJECT
public:
    // True when the player's MPRIS bus name or identity says it is Rhythmbox.
    static bool isRhythmbox(const QString& service, const QString& identity);
    // The database of the Rhythmbox behind link; nullptr when nothing on the bus describes
    // itself as that database.
    static std::unique_ptr<RhythmboxDatabase> find(
        std::shared_ptr<const MprisConnection> link, QObject* parent = nullptr);

    ~RhythmboxDatabase() override;

    PlayerAbility rateAbility() const override;
    PlayerAbility playCountAbility() const override;
    bool readsStatistics() const override { return true; }

    // Each throws PlayerError when the track has no location, Rhythmbox has no entry for
    // it, does not answer in time, has quit, or holds another value afterwards.
    void rate(const MprisMetadata& track, int rating) override;
    void setPlayCount(const MprisMetadata& track, int count) override;
    // An invalid date writes "never played".
    void setPlayedDate(const MprisMetadata& track, const QDateTime& date) override;
    // Rating, play count and date as Rhythmbox holds them; a value it leaves out is zero.
    TrackStatistics readBack(const MprisMetadata& track) const override;

private:
    RhythmboxDatabase(std::shared_ptr<const MprisConnection> link, QObject* parent);

    QString uriOf(const MprisMetadata& track) const;
    QVariantMap entry(const QString& uri, const QString& action) const;
    // Sends one property and reads it back.
    void write(const MprisMetadata& track, const QString& name, const QVariant& value, const QString& action);
    QString reason(const RhythmDbClient::Outcome& outcome, const QString& uri, const QString& action) const;

    std::shared_ptr<const MprisConnection> m_link;
    RhythmDbClient m_client;
};
