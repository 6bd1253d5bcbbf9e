#pragma once

#include "LibraryWriteHold.h"
#include "PlayerCapabilities.h"
#include "PlayerPlaylist.h"
#include "PlayerSource.h"
#include "PlayerTrack.h"
#include "PlayerWindow.h"

#include <QObject>
#include <QString>

#include <memory>

// The player as Bolvin drives it. Every member may throw PlayerError; members returning an
// object never return nullptr (they throw instead). Events arrive on the GUI thread.
// Backends: the simulated player, MPRIS players.
class PlayerApplication : public QObject
{
    Q_OBJECT
public:
    enum State { Stopped = 0, Playing = 1 };

    using QObject::QObject;

    // The first three characters read as a number gate the connection.
    virtual QString Version() const = 0;
    // The player's own name as the user knows it ("Rhythmbox", "mpv"), for every text that
    // speaks of the player; never empty.
    virtual QString Identity() const = 0;
    // 1 means playing; anything else means not playing.
    virtual int PlayerState() const = 0;
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void NextTrack() = 0;
    virtual void PreviousTrack() = 0;
    // Percent.
    virtual int SoundVolume() const = 0;
    virtual void SetSoundVolume(int percent) = 0;
    // Throws PlayerError when no track is current.
    virtual std::shared_ptr<PlayerTrack> CurrentTrack() const = 0;
    virtual std::shared_ptr<PlayerPlaylist> CurrentPlaylist() const = 0;
    virtual bool CanSetShuffle(const std::shared_ptr<PlayerPlaylist>& playlist) const = 0;
    virtual std::shared_ptr<PlayerSource> LibrarySource() const = 0;
    virtual std::shared_ptr<PlayerWindow> BrowserWindow() const = 0;
    virtual std::shared_ptr<PlayerWindows> Windows() const = 0;
    virtual void Quit() = 0;
    // What this player lets Bolvin do beyond the members above; read live, never throws.
    // A player modelled on the original can do everything.
    virtual PlayerCapabilities capabilities() const { return {}; }
    // For a player that writes its own library file: changes made while the hold lives are
    // written once, when it ends. nullptr for players that store each change themselves.
    virtual std::unique_ptr<LibraryWriteHold> holdLibraryWrites() { return nullptr; }

signals:
    void OnPlayerPlayEvent();
    void OnPlayerStopEvent();
    void OnDatabaseChangedEvent();
    void OnAboutToPromptUserToQuitEvent();
    // The player could not write changes to its library file; they stay with it, unsaved.
    void libraryWriteFailed(const QString& message);
    // A command did not reach the player, or it refused it; reason is in the user's words.
    void commandFailed(const QString& reason);
    // What the player is called or allows became known or changed.
    void described();
    // A cover that was on its way has come: the current track's Artwork() now has it.
    void artworkArrived();
};
