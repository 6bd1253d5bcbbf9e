#pragma once

#include "player/PlayerPlaylist.h"

#include <QDBusObjectPath>

#include <memory>

class MprisConnection;

// Either the player's current play queue (no id) or one of the playlists its Playlists
// interface lists. Shuffle is the player's one Shuffle setting in both cases, as MPRIS has
// no shuffle per playlist. MPRIS does not expose a playlist's tracks: Tracks() and Search()
// throw PlayerError.
class MprisPlaylist : public PlayerPlaylist
{
public:
    // The play queue, named name.
    MprisPlaylist(std::shared_ptr<const MprisConnection> link, const QString& name);
    // A playlist of the Playlists interface.
    MprisPlaylist(std::shared_ptr<const MprisConnection> link, const QDBusObjectPath& id, const QString& name);

    QString Name() const override { return m_name; }
    // Throws PlayerError when the player lacks Shuffle or sends something that is not a boolean.
    bool Shuffle() const override;
    void SetShuffle(bool shuffle) override;
    // Activates the playlist, which players start playing from its first track. The play
    // queue cannot be restarted over MPRIS and throws.
    void PlayFirstTrack() override;
    std::shared_ptr<PlayerTracks> Tracks() const override;
    std::shared_ptr<PlayerTracks> Search(const QString& text, int fields) const override;

    QDBusObjectPath id() const { return m_id; }

private:
    std::shared_ptr<const MprisConnection> m_link;
    QDBusObjectPath m_id;
    QString m_name;
};
