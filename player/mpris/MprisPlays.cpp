#include "MprisPlays.h"

#include "MprisConnection.h"
#include "MprisMetadata.h"
#include "TrackWriter.h"
#include "platform/screen/Clock.h"
#include "player/IgnoringErrors.h"

#include "mprisplayerproxy.h"

namespace
{
const QString kMetadata = QStringLiteral("Metadata");
const QString kPlaybackStatus = QStringLiteral("PlaybackStatus");
const QString kRate = QStringLiteral("Rate");
const QString kPosition = QStringLiteral("Position");
}

MprisPlays::MprisPlays(std::shared_ptr<MprisConnection> link, std::shared_ptr<TrackWriter> writer, QObject* parent)
    : QObject(parent)
    , m_link(std::move(link))
    , m_writer(std::move(writer))
    , m_counter(Clock::system())
{
    connect(&m_link->player(), &MprisPlayerProxy::Seeked, &m_counter, &PlayCounter::seeked);
    connect(&m_counter, &PlayCounter::played, this, &MprisPlays::write);
    // Where the player stands now is where counting starts.
    const auto known = [this](const QString& name) { return m_link->known(MprisConnection::kPlayerInterface, name); };
    if (const auto metadata = known(kMetadata))
        trackFrom(*metadata, known(kPosition).value_or(0).toLongLong());
    m_counter.rateChanged(known(kRate).value_or(1.0).toDouble());
    m_counter.statusChanged(known(kPlaybackStatus).value_or(QString()).toString());
}

void MprisPlays::onPlayerChanged(const QVariantMap& changed)
{
    if (changed.contains(kMetadata))
        // A position announced with another track is that track's; otherwise it starts at 0.
        trackFrom(changed.value(kMetadata), changed.value(kPosition, 0).toLongLong());
    if (changed.contains(kRate))
        m_counter.rateChanged(changed.value(kRate).toDouble());
    if (changed.contains(kPlaybackStatus))
        m_counter.statusChanged(changed.value(kPlaybackStatus).toString());
}

void MprisPlays::onPlayerGone()
{
    m_counter.statusChanged(QStringLiteral("Stopped"));
}

void MprisPlays::trackFrom(const QVariant& metadata, qint64 positionUs)
{
    const MprisMetadata track = MprisMetadata::fromVariant(metadata);
    // The same track announced again (a new rating, say) has not started again.
    if (track.identity() != m_counter.identity())
        m_counter.trackStarted(track.identity(), track.hasTrack() ? track.lengthMicroseconds() : 0, positionUs);
}

void MprisPlays::write(const QString& identity, const QDateTime& when)
{
    const auto metadata = m_link->known(MprisConnection::kPlayerInterface, kMetadata);
    if (!metadata)
        return;
    const MprisMetadata track = MprisMetadata::fromVariant(*metadata);
    if (track.identity() != identity)
        return;
    ignoringErrors([&] {
        m_writer->setPlayCount(track, m_writer->readBack(track).playCount.value_or(0) + 1);
        m_writer->setPlayedDate(track, when);
    });
}
