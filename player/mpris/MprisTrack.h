#pragma once

#include "MprisMetadata.h"

#include "player/PlayerTrack.h"

#include <memory>

class MprisConnection;
class RemoteArtwork;
class TrackWriter;

// The current track as the player described it when CurrentTrack() was read. MPRIS lets
// other programs read a track but not change it: without a writer every setter throws
// PlayerError. With the player's own writer, setters go through it and the rating, play
// count and date are read live from it where it knows them (a failed read throws).
class MprisTrack : public PlayerTrack
{
public:
    // writer and remote may be null; without remote an http(s) cover is none.
    MprisTrack(std::shared_ptr<const MprisConnection> link, MprisMetadata metadata,
        std::shared_ptr<RemoteArtwork> remote = nullptr, std::shared_ptr<TrackWriter> writer = nullptr);

    QString Name() const override { return m_metadata.title(); }
    QString Artist() const override { return m_metadata.artist(); }
    QString Album() const override { return m_metadata.album(); }
    int Rating() const override;
    void SetRating(int rating) override;
    int PlayedCount() const override;
    void SetPlayedCount(int count) override;
    QDateTime PlayedDate() const override;
    void SetPlayedDate(const QDateTime& date) override;
    QString Time() const override { return m_metadata.timeText(); }
    // MPRIS has no bit rate; 0 stands for "unknown".
    int BitRate() const override { return 0; }
    // Empty when the track has no art URL or its picture cannot be had, and while an http(s)
    // picture is on its way (the player's artworkArrived() says when to ask again). Kept
    // once had.
    std::shared_ptr<PlayerCollection<PlayerArtwork>> Artwork() const override;

    const MprisMetadata& metadata() const { return m_metadata; }

private:
    [[noreturn]] void refuseWrite(const QString& what) const;

    std::shared_ptr<const MprisConnection> m_link;
    std::shared_ptr<TrackWriter> m_writer;
    MprisMetadata m_metadata;
    std::shared_ptr<RemoteArtwork> m_remote;
    mutable std::shared_ptr<PlayerCollection<PlayerArtwork>> m_artwork;
};
