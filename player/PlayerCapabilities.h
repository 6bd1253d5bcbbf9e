#pragma once

#include <QString>

// Whether a player can do one thing, and if not, the reason the user is told (in a disabled
// menu entry's tooltip, on the Library page).
struct PlayerAbility {
    bool available = true;
    QString reason;

    static PlayerAbility yes() { return {}; }
    static PlayerAbility no(const QString& why) { return { false, why }; }
    explicit operator bool() const { return available; }
};

// What a player can do beyond the commands every backend answers. A backend modelling the
// original player can do all of it; an MPRIS player only part.
struct PlayerCapabilities {
    PlayerAbility rate; // a track's Rating can be written
    PlayerAbility writePlayCount; // PlayedCount and PlayedDate can be written
    PlayerAbility readStatistics; // a track's PlayedCount and PlayedDate can be read
    PlayerAbility minimize; // BrowserWindow.Minimized = true
    PlayerAbility miniPlayer; // BrowserWindow.MiniPlayer = true
    PlayerAbility raise; // BrowserWindow.Visible = true
    PlayerAbility quit; // Quit
    PlayerAbility shuffle; // CurrentPlaylist.Shuffle can be written
    PlayerAbility playlists; // LibrarySource.Playlists lists the player's playlists
    PlayerAbility library; // playlists' Tracks and Search: the extras transfer
};
