#pragma once

#include "player/playcount/PlayCounter.h"

#include <QObject>
#include <QVariantMap>

#include <memory>

class MprisConnection;
class TrackWriter;

// Play counts for a player that keeps none, written through Bolvin's own store: the player's
// announcements feed a PlayCounter, and each play it decides on is written to the track.
class MprisPlays : public QObject
{
    Q_OBJECT
public:
    MprisPlays(std::shared_ptr<MprisConnection> link, std::shared_ptr<TrackWriter> writer, QObject* parent = nullptr);

    // A change of the player interface's properties, as announced.
    void onPlayerChanged(const QVariantMap& changed);
    // The player left the bus: what it played up to now is all it played.
    void onPlayerGone();

private:
    void trackFrom(const QVariant& metadata, qint64 positionUs);
    void write(const QString& identity, const QDateTime& when);

    std::shared_ptr<MprisConnection> m_link;
    std::shared_ptr<TrackWriter> m_writer;
    PlayCounter m_counter;
};
