#include "MprisPlaylist.h"

#include "MprisConnection.h"

#include "player/PlayerError.h"

#include "mprisplaylistsproxy.h"

MprisPlaylist::MprisPlaylist(std::shared_ptr<const MprisConnection> link, const QString& name)
    : m_link(std::move(link))
    , m_name(name)
{
}

MprisPlaylist::MprisPlaylist(
    std::shared_ptr<const MprisConnection> link, const QDBusObjectPath& id, const QString& name)
    : m_link(std::move(link))
    , m_id(id)
    , m_name(name)
{
}

bool MprisPlaylist::Shuffle() const
{
    // Shuffle is optional: a player without a readable one plays in order.
    const auto value = m_link->known(MprisConnection::kPlayerInterface, QStringLiteral("Shuffle"));
    return value && value->metaType() == QMetaType::fromType<bool>() && value->toBool();
}

void MprisPlaylist::SetShuffle(bool shuffle)
{
    m_link->writeProperty(MprisConnection::kPlayerInterface, QStringLiteral("Shuffle"), shuffle);
}

void MprisPlaylist::PlayFirstTrack()
{
    if (m_id.path().isEmpty())
        throw PlayerError(QStringLiteral("%1 cannot be told to restart its play queue.").arg(m_link->displayName()));
    m_link->send([&] { return m_link->playlists().ActivatePlaylist(m_id); }, QStringLiteral("play the playlist"));
}

std::shared_ptr<PlayerTracks> MprisPlaylist::Tracks() const
{
    throw PlayerError(QStringLiteral("%1 does not expose its library.").arg(m_link->displayName()));
}

std::shared_ptr<PlayerTracks> MprisPlaylist::Search(const QString&, int) const
{
    throw PlayerError(QStringLiteral("%1 does not expose its library.").arg(m_link->displayName()));
}
