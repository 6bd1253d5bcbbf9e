#pragma once

#include "player/PlayerPlaylist.h"

#include <QPointer>

class SimulatedPlayer;

// A playlist of the simulated player, by its position in MusicLibrary::playlists().
// Throws PlayerError once the player has quit or gone.
class SimulatedPlaylist : public PlayerPlaylist
{
public:
    SimulatedPlaylist(SimulatedPlayer* player, int index);

    int index() const { return m_index; }

    QString Name() const override;
    bool Shuffle() const override;
    void SetShuffle(bool shuffle) override;
    void PlayFirstTrack() override;
    std::shared_ptr<PlayerTracks> Tracks() const override;
    // Case-insensitive substring search; an empty text finds nothing.
    std::shared_ptr<PlayerTracks> Search(const QString& text, int fields) const override;

private:
    SimulatedPlayer& player() const;

    QPointer<SimulatedPlayer> m_player;
    int m_index;
};
