#pragma once

#include "player/PlayerCapabilities.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class Desktop;
class PlayerApplication;
class PlayerBackend;
class frmSysTray;

// The connection to the player and its face in the tray: attaching on demand, the check
// before a command, the player's events, and the menu entries that follow what it allows.
class PlayerLink : public QObject
{
    Q_OBJECT
public:
    // tray: the tray component, null while there is none (before start-up and after the end).
    PlayerLink(PlayerBackend& backend, Desktop& desktop, std::function<frmSysTray*()> tray, QObject* parent = nullptr);
    ~PlayerLink() override;

    // Attaches the player when it runs, or whatever it takes when bStart (the user asked).
    void CheckPlayerRunning(bool bStart);
    void DisconnectPlayer();
    // The player object; throws PlayerError while there is none.
    PlayerApplication& connectedPlayer() const;
    // The attached player, null while there is none.
    const std::shared_ptr<PlayerApplication>& player() const { return objiTunesApp; }
    bool isConnected() const { return mbConnected; }
    const PlayerCapabilities& capabilities() const { return m_capabilities; }
    // The attached player's name, or the one a connection would attach to.
    QString playerName() const;
    // The tooltip while no track is shown.
    static QString idleToolTip();

    // The tray entries that follow the player.
    void namePlayerEntries();
    void enablePlayerEntries(bool enabled);
    void enableRatingMenu(bool playing);
    void SetPlayPauseCaption(const QString& sState);
    void showShuffleMark();
    // The playlists submenu, listed when the user wants it and the player has some.
    void showPlaylists(bool wanted);
    frmSysTray* tray() const { return m_tray(); }
    // A balloon from the tray icon, when there is one.
    void balloon(const QString& message) const;

    // The player set aside for another one: its pop-ups go and the new one's track shows.
    void onActivePlayerChanged();

signals:
    // A track started playing; its notification is due.
    void trackStarted();
    void ratingsChanged();
    // The player is about to quit and has been let go.
    void playerQuit();
    // Attached, let go, or what the player allows changed.
    void changed();
    // The cover of the track on show came after its title pop-up.
    void artworkArrived();
    // The old player's track pop-ups must go.
    void playerSetAside();

private:
    // userAsked: a command of the user's is waiting, so the attempt and its failure are told.
    void ConnectPlayer(bool userAsked);
    void listenTo(PlayerApplication& player);
    // No player could be attached: why, in the tooltip, and in a balloon when the user asked.
    void tellNoPlayer(const QString& reason, bool userAsked);
    // A player that answered late, or changed what it allows: what names it or depends on it follows.
    void onPlayerDescribed();
    void showRatingReason();
    // Why the player just attached cannot be driven; empty when it can.
    QString rejectionOf(PlayerApplication& player) const;
    void LoadPlaylists();
    // Disables the shuffle entry, then enables it when the player lets the current playlist shuffle.
    void refreshShuffleEntry();
    void objiTunesApp_OnPlayerPlayEvent();
    void objiTunesApp_OnPlayerStopEvent();
    void objiTunesApp_OnAboutToPromptUserToQuitEvent();

    PlayerBackend& m_backend;
    Desktop& m_desktop;
    std::function<frmSysTray*()> m_tray;
    std::shared_ptr<PlayerApplication> objiTunesApp;
    bool mbConnected = false;
    bool mbPlaylistsWanted = false;
    bool mbPlaylistsEnabled = false;
    PlayerCapabilities m_capabilities;
    QString m_toldNoPlayer;
    // The last failed library write the user was told of, so that a retry that fails the
    // same way is not told again.
    QString m_toldWriteFailure;
};
