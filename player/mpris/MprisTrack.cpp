#include "MprisTrack.h"

#include "ArtworkLoader.h"
#include "MprisArtwork.h"
#include "MprisConnection.h"
#include "RemoteArtwork.h"
#include "TrackWriter.h"
#include "player/ListCollection.h"

#include "player/PlayerError.h"

MprisTrack::MprisTrack(std::shared_ptr<const MprisConnection> link, MprisMetadata metadata,
    std::shared_ptr<RemoteArtwork> remote, std::shared_ptr<TrackWriter> writer)
    : m_link(std::move(link))
    , m_writer(std::move(writer))
    , m_metadata(std::move(metadata))
    , m_remote(std::move(remote))
{
}

void MprisTrack::refuseWrite(const QString& what) const
{
    throw PlayerError(
        QStringLiteral("%1 does not let other programs change a track's %2.").arg(m_link->displayName(), what));
}

int MprisTrack::Rating() const
{
    if (m_writer) {
        if (const auto rating = m_writer->readBack(m_metadata).rating)
            return *rating;
    }
    return m_metadata.rating();
}

int MprisTrack::PlayedCount() const
{
    if (m_writer && m_writer->readsStatistics()) {
        if (const auto count = m_writer->readBack(m_metadata).playCount)
            return *count;
    }
    return m_metadata.useCount();
}

QDateTime MprisTrack::PlayedDate() const
{
    if (m_writer && m_writer->readsStatistics()) {
        if (const auto date = m_writer->readBack(m_metadata).playedDate)
            return *date;
    }
    return m_metadata.lastUsed();
}

void MprisTrack::SetRating(int rating)
{
    if (!m_writer)
        refuseWrite(QStringLiteral("rating"));
    m_writer->rate(m_metadata, rating);
}

void MprisTrack::SetPlayedCount(int count)
{
    if (!m_writer)
        refuseWrite(QStringLiteral("play count"));
    m_writer->setPlayCount(m_metadata, count);
}

void MprisTrack::SetPlayedDate(const QDateTime& date)
{
    if (!m_writer)
        refuseWrite(QStringLiteral("last played date"));
    m_writer->setPlayedDate(m_metadata, date);
}

std::shared_ptr<PlayerCollection<PlayerArtwork>> MprisTrack::Artwork() const
{
    if (m_artwork)
        return m_artwork;
    const QString url = m_metadata.artUrl();
    QByteArray bytes;
    if (ArtworkLoader::isRemote(url)) {
        const std::optional<QByteArray> fetched = m_remote ? m_remote->take(url) : QByteArray();
        // Not kept while on its way: the next call, once it has come, has it.
        if (!fetched)
            return std::make_shared<ListCollection<PlayerArtwork>>(std::vector<std::shared_ptr<PlayerArtwork>>());
        bytes = *fetched;
    } else if (!url.isEmpty()) {
        bytes = ArtworkLoader::load(url);
    }
    std::vector<std::shared_ptr<PlayerArtwork>> items;
    if (!bytes.isEmpty())
        items.push_back(std::make_shared<MprisArtwork>(std::move(bytes)));
    m_artwork = std::make_shared<ListCollection<PlayerArtwork>>(std::move(items));
    return m_artwork;
}
