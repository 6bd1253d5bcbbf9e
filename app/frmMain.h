#pragma once

#include "options/OptionsLinks.h"
#include "player/PlayerCapabilities.h"
#include "popup/PopUpFontSource.h"
#include "popup/PopUpServices.h"
#include "tray/SysTrayOwner.h"
#include "tray/hotkeys/HotKeyActions.h"

#include <QWidget>

#include <memory>

class AdvancedPage;
class DemoHarness;
class Desktop;
class HotKeyRegistrar;
class HotKeyDispatcher;
class HotKeyRegistration;
class HotKeysPage;
class InstanceGuard;
class LibraryPage;
class NotificationPage;
class OptionPages;
class PlayerApplication;
class PlayerBackend;
class PlayerChooser;
class PlayerTrack;
class PopUpMessage;
class PopUpMessages;
class QLabel;
class QPushButton;
class Registry;
class SettingsStore;
class TrayShell;
class frmSysTray;

// Everything outside the window that the program reaches through a narrow interface.
struct AppServices {
    Desktop& desktop;
    InstanceGuard& instanceGuard;
    SettingsStore& settings;
    Registry& registry;
    PlayerBackend& playerBackend;
    TrayShell& trayShell;
    HotKeyRegistrar& hotKeyRegistrar;
    // Where icons, backgrounds, logos and sounds are.
    QString resourceDir;
    // The folder the program was started from.
    QString programDir;
    // The screen, clock, sound and the rest that the pop-ups use.
    PopUpServices popUps;
};

// The options window, hidden most of the time, and the program's controller for its whole
// run: it owns the tray component, the player link and the pop-up collection. Its controls
// are the working copy of every setting.
class frmMain : public QWidget, public SysTrayOwner, public PopUpFontSource, public HotKeyActions
{
    Q_OBJECT
public:
    // Why the window is being unloaded. Only the window's own close box is refused.
    enum class UnloadMode { FormControlMenu, FormCode, AppWindows, TaskManager };

    // The program's icon, and the size the tray shows it at.
    static constexpr auto kIconResource = "AAA";
    static constexpr int kTrayIconSize = 16;

    explicit frmMain(const AppServices& services, QWidget* parent = nullptr);
    ~frmMain() override;

    // With several players on the desktop: the tray gets a "Player" submenu and the
    // connection follows the active player.
    void setPlayerChooser(PlayerChooser* chooser);
    // Start-up. False when another instance runs: this one has then told the user and
    // must end.
    bool Form_Load();
    // Ends the program through the shutdown, unless the close is refused. Emits unloaded().
    void Unload(UnloadMode mode = UnloadMode::FormCode);
    bool isUnloaded() const { return m_unloaded; }

    // Rates the current track (0, 20 … 100) and refreshes the marks; a failed write throws.
    void updaterating(int rate) override;
    // Checks the "My Rating" item of the current track's rating and returns its stars; no
    // value without a track or for a rating off the star grid.
    std::optional<int> RefreshRatingMarks() override;
    // The current track's notification: the artwork and title pop-ups, the floating window,
    // the shuffle mark and the tooltip.
    void ShowTrackPopup() override;
    // The Font page's choice.
    QFont messageFont() const override;

    // HotKeyActions
    PlayerApplication* hotKeyPlayer() override;
    bool trackPopupsShowing() const override;
    void closeTrackPopups() override;
    TrayMenuArray* mnuSysTray() override;

    // Loads every stored setting into the controls, then registers the hotkeys.
    void LoadSettings();

    // For tests and the integration harness.
    frmSysTray* sysTray() const { return m_frmSysTray.get(); }
    PopUpMessages* popups() const { return mobjPopups.get(); }
    PopUpMessage* artPopUp() const { return mobjArtPopUp.get(); }
    PopUpMessage* titlePopUp() const { return mobjTitlePopUp.get(); }
    bool isConnected() const { return mbConnected; }
    bool exportCancelled() const { return mbCancelExport; }
    bool importCancelled() const { return mbCancelImport; }

    QPushButton* Command2 = nullptr;
    QPushButton* Minimize = nullptr;

signals:
    // The shutdown has run; the process may end.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // frmMain.cpp: the window and the lifecycle.
    void buildWindow();
    void createSysTray();
    // The pop-up collection and the demonstration pop-up, for the whole run.
    void createPopups();
    // Without a notification area the window is the only way in: it opens and says why.
    void checkTrayHost();
    void Form_QueryUnload(bool& Cancel, UnloadMode UnloadMode);
    void Form_Unload();
    void Minimize_Click();
    void Command2_Click();

    // frmMainHotKeys.cpp: the global hotkeys.
    void LoadHotKeys();
    void UnloadHotKeys();
    void HotKey(int wParm);

    // What the options pages reach of the rest of the program.
    OptionsLinks optionsLinks();
    // The tray's playlist submenu follows "Enable Play Lists" and the player.
    void chkEnablePlayLists_Click();

    // frmMainPlayer.cpp: the player link and its events.
    void CheckPlayerRunning(bool bStart);
    // userAsked: a command of the user's is waiting, so the attempt and its failure are told.
    void ConnectPlayer(bool userAsked);
    // The attached player's name, or the one a connection would attach to.
    QString playerName() const;
    // No player could be attached: why, in the tooltip, and in a balloon when the user asked
    // or the reason is new.
    void tellNoPlayer(const QString& reason, bool userAsked);
    void showShuffleMark();
    // A player that answered late, or changed what it allows: what names it or depends on it follows.
    void onPlayerDescribed();
    // The cover of the track on show, which came after its title pop-up.
    void onArtworkArrived();
    // The entries that name the player say which one.
    void namePlayerEntries();
    void showRatingReason();
    QString idleToolTip() const;
    void DisconnectPlayer();
    // Why the player just attached cannot be driven; empty when it can.
    QString rejectionOf(PlayerApplication& player) const;
    // The player object; throws PlayerError while there is none.
    PlayerApplication& connectedPlayer() const;
    void LoadPlaylists();
    void SetPlayPauseCaption(const QString& sState);
    // Disables the shuffle entry, then enables it when the player lets the current playlist shuffle.
    void refreshShuffleEntry();
    // Player entries follow the connection and what the player allows; a disallowed entry
    // carries the reason as its tooltip.
    void enablePlayerEntries(bool enabled);
    void enableRatingMenu(bool playing);
    // The old player's pop-ups go and the new one's track shows.
    void onActivePlayerChanged();
    void attachPlayerMenu();
    void showLibraryAbility();
    void objiTunesApp_OnPlayerPlayEvent();
    void objiTunesApp_OnPlayerStopEvent();
    void objiTunesApp_OnDatabaseChangedEvent();
    void objiTunesApp_OnAboutToPromptUserToQuitEvent();
    void mobjPopups_PopupMessageClicked(PopUpMessage* PopUp);

    // frmMainTray.cpp: the tray menu commands.
    void m_frmSysTray_MenuClick(int lIndex, const QString& sKey);
    void m_frmSysTray_SysTrayMouseDown(int eButton);
    void m_frmSysTray_SysTrayDoubleClick(int eButton);
    void playPauseToggle(const QString& shownCaption);
    void shuffleToggle();
    void playPlaylist(const QString& sKey);

    // frmMainTrack.cpp: the track notification.
    void placePopups();
    void showArtworkPopUp(PlayerTrack& track);
    QPixmap titleBackground() const;

    AppServices m_services;
    // Owned by the window once laid out; the pointers below are its pages.
    OptionPages* m_options;
    NotificationPage* notificationPage;
    HotKeysPage* hotKeysPage;
    AdvancedPage* advancedPage;
    LibraryPage* libraryPage;
    DemoHarness* demo = nullptr;
    std::unique_ptr<frmSysTray> m_frmSysTray;
    std::unique_ptr<HotKeyRegistration> m_hotKeyRegistration;
    std::shared_ptr<PlayerApplication> objiTunesApp;
    std::unique_ptr<PopUpMessages> mobjPopups;
    std::shared_ptr<PopUpMessage> mobjArtPopUp;
    std::shared_ptr<PopUpMessage> mobjTitlePopUp;
    std::unique_ptr<HotKeyDispatcher> m_hotKeyDispatcher;
    bool mbDoubleClickBusy = false;
    bool mbConnected = false;
    bool mbPlaylistsEnabled = false;
    PlayerCapabilities m_capabilities;
    PlayerChooser* m_playerChooser = nullptr;
    QString m_toldNoPlayer;
    QLabel* m_noTrayNotice = nullptr;
    // The library transfers' Stop requests.
    bool& mbCancelExport;
    bool& mbCancelImport;
    bool mbShuttingDown = false;
    // The last failed library write the user was told of, so that a retry that fails the
    // same way is not told again.
    QString m_toldWriteFailure;
    bool m_unloaded = false;
    QWidget* m_visiblePart = nullptr;
};
