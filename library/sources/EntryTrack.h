#pragma once

#include "EntryLibrary.h"

#include "player/PlayerTrack.h"

#include <memory>

// A song of an EntryLibrary. A setter changes the entry and marks it for the commit; a value
// the entry already holds is no change.
class EntryTrack : public PlayerTrack
{
public:
    EntryTrack(std::shared_ptr<EntryLibrary::Songs> songs, int index);

    QString Name() const override { return entry().name; }
    QString Artist() const override { return entry().artist; }
    QString Album() const override { return entry().album; }
    int Rating() const override { return entry().rating; }
    // Throws PlayerError outside 0..100.
    void SetRating(int rating) override;
    int PlayedCount() const override { return entry().playCount; }
    // Throws PlayerError below 0.
    void SetPlayedCount(int count) override;
    QDateTime PlayedDate() const override { return entry().played; }
    void SetPlayedDate(const QDateTime& date) override;
    QString Time() const override;
    int BitRate() const override { return 0; }
    // Library files carry no pictures the transfer needs.
    std::shared_ptr<PlayerCollection<PlayerArtwork>> Artwork() const override;

private:
    const LibraryEntry& entry() const { return m_songs->entries[std::size_t(m_index)]; }
    LibraryEntry& entry() { return m_songs->entries[std::size_t(m_index)]; }

    std::shared_ptr<EntryLibrary::Songs> m_songs;
    int m_index;
};
