#pragma once

#include "player/PlayerTrack.h"

#include <QPointer>

class SimulatedPlayer;

// A track of the simulated player's library, by its index in MusicLibrary::tracks(). It
// reads through to the player, so it always shows current values, and throws PlayerError
// once the player has quit or gone.
class SimulatedTrack : public PlayerTrack
{
public:
    SimulatedTrack(SimulatedPlayer* player, int index);

    int index() const { return m_index; }

    QString Name() const override;
    QString Artist() const override;
    QString Album() const override;
    int Rating() const override;
    void SetRating(int rating) override;
    int PlayedCount() const override;
    void SetPlayedCount(int count) override;
    QDateTime PlayedDate() const override;
    void SetPlayedDate(const QDateTime& date) override;
    QString Time() const override;
    int BitRate() const override;
    std::shared_ptr<PlayerCollection<PlayerArtwork>> Artwork() const override;

private:
    SimulatedPlayer& player() const;

    QPointer<SimulatedPlayer> m_player;
    int m_index;
};
