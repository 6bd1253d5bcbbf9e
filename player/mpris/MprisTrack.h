#pragma once

#include "MprisMetadata.h"

#include "player/PlayerTrack.h"

#include <memory>

class MprisConnection;

// The current track as the player described it when CurrentTrack() was read. MPRIS lets
// other programs read a track but not change it, so every setter throws PlayerError.
class MprisTrack : public PlayerTrack
{
public:
    MprisTrack(std::shared_ptr<const MprisConnection> link, MprisMetadata metadata, int httpTimeoutMs);

    QString Name() const override { return m_metadata.title(); }
    QString Artist() const override { return m_metadata.artist(); }
    QString Album() const override { return m_metadata.album(); }
    int Rating() const override { return m_metadata.rating(); }
    void SetRating(int rating) override;
    int PlayedCount() const override { return m_metadata.useCount(); }
    void SetPlayedCount(int count) override;
    QDateTime PlayedDate() const override { return m_metadata.lastUsed(); }
    void SetPlayedDate(const QDateTime& date) override;
    QString Time() const override { return m_metadata.timeText(); }
    // MPRIS has no bit rate; 0 stands for "unknown".
    int BitRate() const override { return 0; }
    // Empty when the track has no art URL or its picture cannot be had. The picture is fetched
    // on the first call and kept.
    std::shared_ptr<PlayerCollection<PlayerArtwork>> Artwork() const override;

    const MprisMetadata& metadata() const { return m_metadata; }

private:
    [[noreturn]] void refuseWrite(const QString& what) const;

    std::shared_ptr<const MprisConnection> m_link;
    MprisMetadata m_metadata;
    int m_httpTimeoutMs;
    mutable std::shared_ptr<PlayerCollection<PlayerArtwork>> m_artwork;
};
