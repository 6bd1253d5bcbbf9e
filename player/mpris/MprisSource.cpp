#include "MprisSource.h"

#include "MprisConnection.h"
#include "MprisPlaylist.h"
#include "player/ListCollection.h"

#include "mprisplaylistsproxy.h"

#include <QDBusPendingReply>

namespace
{
// The player's own arrangement first; an alphabetical list is the next most stable one.
QString orderingOf(const std::optional<QVariant>& orderings)
{
    const QStringList offered = orderings ? orderings->toStringList() : QStringList();
    for (const char* wanted : { "UserDefined", "Alphabetical" }) {
        if (offered.contains(QLatin1String(wanted)))
            return QLatin1String(wanted);
    }
    return offered.isEmpty() ? QStringLiteral("Alphabetical") : offered.first();
}
}

MprisSource::MprisSource(std::shared_ptr<const MprisConnection> link)
    : m_link(std::move(link))
{
}

std::shared_ptr<PlayerPlaylists> MprisSource::Playlists() const
{
    m_link->ensureAlive();
    // Not asked while the player has not told its count: a hung player lists nothing.
    const auto count = m_link->known(MprisConnection::kPlaylistsInterface, QStringLiteral("PlaylistCount"));
    if (!count)
        return std::make_shared<ListCollection<PlayerPlaylist>>();
    const QString ordering
        = orderingOf(m_link->known(MprisConnection::kPlaylistsInterface, QStringLiteral("Orderings")));
    QDBusPendingReply<MprisPlaylistList> reply = m_link->playlists().GetPlaylists(0, count->toUInt(), ordering, false);
    m_link->finish(reply, QStringLiteral("list its playlists"));
    std::vector<std::shared_ptr<PlayerPlaylist>> items;
    for (const MprisPlaylistEntry& entry : reply.value())
        items.push_back(std::make_shared<MprisPlaylist>(m_link, entry.id, entry.name));
    return std::make_shared<ListCollection<PlayerPlaylist>>(std::move(items));
}
