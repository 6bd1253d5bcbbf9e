// The part of MprisPlayer that follows what the player announces: its state, its tracks, and
// its leaving the bus.
#include "MprisPlayer.h"

#include "MprisConnection.h"
#include "MprisPlays.h"
#include "RemoteArtwork.h"
#include "TrackWriter.h"

#include "dbuspropertiesproxy.h"

QString MprisPlayer::knownStatus() const
{
    return m_link->known(MprisConnection::kPlayerInterface, kPlaybackStatus).value_or(QVariant()).toString();
}

std::optional<MprisMetadata> MprisPlayer::knownMetadata() const
{
    const auto value = m_link->known(MprisConnection::kPlayerInterface, kMetadata);
    if (!value)
        return std::nullopt;
    return MprisMetadata::fromVariant(*value);
}

void MprisPlayer::remember(const MprisMetadata& metadata)
{
    m_trackIdentity = metadata.identity();
    m_rating = metadata.rating();
    m_useCount = metadata.useCount();
}

void MprisPlayer::announcePlay(const MprisMetadata& metadata)
{
    m_provisionalTimer.stop();
    m_playPending = false;
    remember(metadata);
    emit OnPlayerPlayEvent();
}

void MprisPlayer::onPropertiesChanged(
    const QString& interface, const QVariantMap& changed, const QStringList& invalidated)
{
    if (m_link->vanished())
        return;
    m_link->remember(interface, changed);
    if (interface == MprisConnection::kRootInterface && changed.contains(QStringLiteral("Identity")))
        takeIdentity();
    if (interface != MprisConnection::kPlayerInterface)
        return;
    if (m_plays)
        m_plays->onPlayerChanged(changed);
    for (const QString& name : invalidated)
        fetchLater(name);
    const QString wasStatus = m_status;
    if (const QVariant status = changed.value(kPlaybackStatus); status.metaType() == QMetaType::fromType<QString>())
        m_status = status.toString();

    std::optional<MprisMetadata> metadata;
    if (changed.contains(kMetadata))
        metadata = MprisMetadata::fromVariant(changed.value(kMetadata));

    const bool playing = m_status == kPlaying;
    if (m_status != wasStatus && !playing) {
        m_provisionalTimer.stop();
        m_playPending = false;
        if (metadata)
            remember(*metadata);
        emit OnPlayerStopEvent();
        return;
    }
    if (m_status != wasStatus && playing) {
        if (!metadata)
            metadata = knownMetadata();
        // Playing what it says is no track (mpv as it starts idle): the track, when one comes,
        // is the news.
        if (metadata && !metadata->hasTrack()) {
            remember(*metadata);
            return;
        }
        if (metadata && metadata->isProvisional() && metadata->identity() != m_trackIdentity) {
            m_playPending = true;
            m_provisionalTimer.start();
            return;
        }
        announcePlay(metadata.value_or(MprisMetadata()));
        return;
    }
    if (metadata)
        trackChanged(*metadata);
}

void MprisPlayer::trackChanged(const MprisMetadata& metadata)
{
    if (metadata.identity() == m_trackIdentity) {
        // Same track: a new rating or play count is what the original player reported as a
        // database change.
        if (metadata.rating() != m_rating || metadata.useCount() != m_useCount) {
            remember(metadata);
            emit OnDatabaseChangedEvent();
        }
        return;
    }
    if (m_status != kPlaying || !metadata.hasTrack()) {
        m_provisionalTimer.stop();
        m_playPending = false;
        remember(metadata);
        return;
    }
    if (metadata.isProvisional()) {
        m_provisionalTimer.start();
        return;
    }
    announcePlay(metadata);
}

void MprisPlayer::fetchLater(const QString& name)
{
    auto* call = new QDBusPendingCallWatcher(m_link->properties().Get(MprisConnection::kPlayerInterface, name), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, name](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *finished;
        // Handled as if announced, so a new track or state that came this way is not missed.
        if (!reply.isError())
            onPropertiesChanged(MprisConnection::kPlayerInterface, { { name, reply.value().variant() } }, {});
    });
}

void MprisPlayer::onProvisionalExpired()
{
    // The tags never came (a file without any): the file name is all there is.
    const auto metadata = knownMetadata();
    if (m_status == kPlaying && metadata && (m_playPending || metadata->identity() != m_trackIdentity))
        announcePlay(*metadata);
    m_playPending = false;
}

void MprisPlayer::onServiceUnregistered()
{
    if (m_link->vanished())
        return;
    m_link->markVanished();
    m_provisionalTimer.stop();
    if (m_plays)
        m_plays->onPlayerGone();
    emit OnAboutToPromptUserToQuitEvent();
}
