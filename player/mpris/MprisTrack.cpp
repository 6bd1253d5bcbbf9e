#include "MprisTrack.h"

#include "ArtworkLoader.h"
#include "player/ListCollection.h"
#include "MprisArtwork.h"
#include "MprisConnection.h"

#include "player/PlayerError.h"

MprisTrack::MprisTrack(std::shared_ptr<const MprisConnection> link, MprisMetadata metadata, int httpTimeoutMs)
    : m_link(std::move(link))
    , m_metadata(std::move(metadata))
    , m_httpTimeoutMs(httpTimeoutMs)
{
}

void MprisTrack::refuseWrite(const QString& what) const
{
    throw PlayerError(
        QStringLiteral("%1 does not let other programs change a track's %2.").arg(m_link->displayName(), what));
}

void MprisTrack::SetRating(int)
{
    refuseWrite(QStringLiteral("rating"));
}

void MprisTrack::SetPlayedCount(int)
{
    refuseWrite(QStringLiteral("play count"));
}

void MprisTrack::SetPlayedDate(const QDateTime&)
{
    refuseWrite(QStringLiteral("last played date"));
}

std::shared_ptr<PlayerCollection<PlayerArtwork>> MprisTrack::Artwork() const
{
    if (!m_artwork) {
        std::vector<std::shared_ptr<PlayerArtwork>> items;
        const QString url = m_metadata.artUrl();
        if (!url.isEmpty()) {
            QByteArray bytes = ArtworkLoader::load(url, m_httpTimeoutMs);
            if (!bytes.isEmpty())
                items.push_back(std::make_shared<MprisArtwork>(std::move(bytes)));
        }
        m_artwork = std::make_shared<ListCollection<PlayerArtwork>>(std::move(items));
    }
    return m_artwork;
}
