#pragma once

#include "AppServices.h"
#include "options/BackgroundPictures.h"
#include "options/OptionsLinks.h"
#include "options/StoredOptions.h"
#include "popup/PopUpFontSource.h"

#include <QWidget>

#include <memory>

class ArtworkWindow;
class DemoHarness;
class DesktopNotifications;
class GlobalHotKeys;
class OptionPages;
class PlayerChooser;
class PlayerLink;
class QLabel;
class QPushButton;
class TrackNotification;
class TrayCommands;
class frmSysTray;

// The options window, hidden most of the time, and the owner of the program's parts for its
// whole run: the tray component, the player link, the track notification, the tray commands
// and the hotkeys. Its pages are built when it first opens, and their controls are then the
// working copy of every setting; until then the program runs on the stored settings.
class frmMain : public QWidget, public PopUpFontSource
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
    // The desktop's notification server, when there is one; always takes the pop-ups' place
    // where windows cannot be placed at a screen edge.
    void setDesktopNotifications(DesktopNotifications* notifications, bool always);
    // Start-up. False when another instance runs: this one has then told the user and
    // must end.
    bool Form_Load();
    // Ends the program through the shutdown, unless the close is refused. Emits unloaded().
    void Unload(UnloadMode mode = UnloadMode::FormCode);
    bool isUnloaded() const { return m_unloaded; }

    // The Font page's choice.
    QFont messageFont() const override;

    // For tests and the integration harness.
    frmSysTray* sysTray() const { return m_frmSysTray.get(); }
    PlayerLink& link() const { return *m_link; }
    TrackNotification& notification() const { return *m_notification; }
    GlobalHotKeys& hotKeys() const { return *m_hotKeys; }
    // The options window's pages, built at the first call: the window opens rarely.
    OptionPages& options();

signals:
    // The shutdown has run; the process may end.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildWindow();
    // The Hot Keys page's, or the stored ones while it is not built.
    HotKeySettings hotKeySettings() const;
    // The player link, the track notification, the tray commands and the hotkeys.
    void createParts();
    // What the options pages reach of the rest of the program.
    OptionServices optionServices() const;
    OptionsLinks optionsLinks();
    void createSysTray();
    void attachPlayerMenu();
    // The pop-up collection and the demonstration pop-up, for the whole run.
    void createPopups();
    // Without a notification area the window is the only way in: it opens and says why.
    void checkTrayHost();
    void Form_QueryUnload(bool& Cancel, UnloadMode UnloadMode);
    void Form_Unload();
    void showAndRaise();
    void Minimize_Click();
    void Command2_Click();

    AppServices m_services;
    BackgroundPictures m_backgrounds;
    StoredOptions m_stored;
    // Owned by the window once laid out; null until it is built.
    OptionPages* m_options = nullptr;
    std::unique_ptr<ArtworkWindow> m_artwork;
    std::unique_ptr<PlayerLink> m_link;
    std::unique_ptr<TrackNotification> m_notification;
    std::unique_ptr<TrayCommands> m_trayCommands;
    std::unique_ptr<GlobalHotKeys> m_hotKeys;
    // Last, so that it goes first: it reports to the parts above.
    std::unique_ptr<frmSysTray> m_frmSysTray;
    PlayerChooser* m_playerChooser = nullptr;
    QWidget* m_visiblePart = nullptr;
    QLabel* m_noTrayNotice = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Minimize = nullptr;
    DemoHarness* demo = nullptr;
    bool mbShuttingDown = false;
    bool m_unloaded = false;
};
