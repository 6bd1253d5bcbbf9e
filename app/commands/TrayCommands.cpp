#include "TrayCommands.h"

#include "app/link/PlayerLink.h"
#include "app/notification/TrackNotification.h"
#include "platform/desktop/Desktop.h"
#include "player/IgnoringErrors.h"
#include "player/PlayerApplication.h"
#include "tray/frmSysTray.h"

namespace
{
constexpr int kRightButton = 2;

struct MenuEntry {
    const char* caption;
    const char* key;
    bool isDefault;
};

// The tray menu in the order it is built (the entries naming the player are renamed after
// it before the menu first shows); each flagged entry moves the default, so
// "&Show Bolvin" ends up bold.
constexpr std::array<MenuEntry, 14> kTrayMenu { {
    { "-", "", false },
    { "&Show iTunes", "Show iTunes", true },
    { "&Minimize iTunes", "Minimize", true },
    { "&iTunes MiniPlayer", "MiniPlayer", true },
    { "-", "", false },
    { "&Shuffle", "Shuffle", true },
    { "-", "", false },
    { "&Play", "Pause", true },
    { "&Next Song", "Next Song", true },
    { "&Previous Song", "Previous Song", true },
    { "-", "", false },
    { "&Show Bolvin", "open", true },
    { "-", "", false },
    { "&Exit", "close", false },
} };
}

TrayCommands::TrayCommands(
    PlayerLink& link, TrackNotification& notification, Desktop& desktop, Window window, QObject* parent)
    : QObject(parent)
    , m_link(link)
    , m_notification(notification)
    , m_desktop(desktop)
    , m_window(std::move(window))
{
}

void TrayCommands::attachTo(frmSysTray& tray)
{
    for (const MenuEntry& entry : kTrayMenu)
        tray.AddMenuItem(QString::fromUtf8(entry.caption), QString::fromUtf8(entry.key), entry.isDefault);
    connect(&tray, &frmSysTray::MenuClick, this, &TrayCommands::m_frmSysTray_MenuClick);
    connect(&tray, &frmSysTray::SysTrayMouseDown, this, &TrayCommands::m_frmSysTray_SysTrayMouseDown);
    connect(&tray, &frmSysTray::SysTrayDoubleClick, this, &TrayCommands::m_frmSysTray_SysTrayDoubleClick);
}

void TrayCommands::m_frmSysTray_MenuClick(int lIndex, const QString& sKey)
{
    // Reattaching the player below may change the play/pause caption; the user chose the
    // one the menu showed.
    QString shownCaption;
    if (frmSysTray* tray = m_link.tray())
        ignoringErrors([&] { shownCaption = tray->mnuSysTray().caption(lIndex); });
    if (sKey != QLatin1String("close"))
        m_link.CheckPlayerRunning(true);
    // With no player to be had, the player commands have nothing to act on.
    const auto onPlayer = [this](auto&& command) { ignoringErrors([&] { command(m_link.connectedPlayer()); }); };
    if (sKey == QLatin1String("open")) {
        m_window.show();
    } else if (sKey == QLatin1String("close")) {
        m_window.quit();
    } else if (sKey == QLatin1String("Next Song")) {
        onPlayer([](PlayerApplication& player) { player.NextTrack(); });
    } else if (sKey == QLatin1String("Previous Song")) {
        onPlayer([](PlayerApplication& player) { player.PreviousTrack(); });
    } else if (sKey == QLatin1String("Pause")) {
        playPauseToggle(shownCaption);
    } else if (sKey == QLatin1String("Minimize")) {
        onPlayer([](PlayerApplication& player) { player.BrowserWindow()->SetMinimized(true); });
    } else if (sKey == QLatin1String("MiniPlayer")) {
        onPlayer([](PlayerApplication& player) {
            const auto window = player.BrowserWindow();
            window->SetMinimized(false);
            window->SetMiniPlayer(true);
        });
    } else if (sKey == QLatin1String("Show iTunes")) {
        m_frmSysTray_SysTrayDoubleClick(1);
    } else if (sKey == QLatin1String("Shuffle")) {
        shuffleToggle();
    } else if (sKey.contains(QLatin1String("Playlist"))) {
        playPlaylist(sKey);
    }
}

void TrayCommands::playPauseToggle(const QString& shownCaption)
{
    // The command follows the caption, not the player's own state.
    const bool play = shownCaption == QLatin1String("&Play");
    m_link.SetPlayPauseCaption(play ? QStringLiteral("pause") : QStringLiteral("play"));
    ignoringErrors([&] { play ? m_link.connectedPlayer().Play() : m_link.connectedPlayer().Pause(); });
}

void TrayCommands::shuffleToggle()
{
    frmSysTray* tray = m_link.tray();
    if (!tray)
        return;
    TrayMenuArray& items = tray->mnuSysTray();
    for (int i = 1; i <= items.upperBound(); ++i) {
        if (items.caption(i) != QLatin1String("&Shuffle"))
            continue;
        const bool on = !items.isChecked(i);
        ignoringErrors([&] { m_link.connectedPlayer().CurrentPlaylist()->SetShuffle(on); });
        // The mark tells what the player did, which may not be what it was asked.
        m_link.showShuffleMark();
        return;
    }
}

void TrayCommands::playPlaylist(const QString& sKey)
{
    const int n = QString(sKey).remove(QStringLiteral("Playlist")).toInt();
    try {
        m_link.connectedPlayer().LibrarySource()->Playlists()->Item(n)->PlayFirstTrack();
    } catch (...) {
        m_desktop.messageBox(QStringLiteral("Error loading playlist"));
        return;
    }
    frmSysTray* tray = m_link.tray();
    if (!tray)
        return;
    TrayMenuArray& entries = tray->mnuPlayList();
    for (int i = 0; i <= entries.count(); ++i)
        ignoringErrors([&] { entries.setChecked(i, i == n - 1); });
}

void TrayCommands::m_frmSysTray_SysTrayDoubleClick(int /*eButton*/)
{
    mbDoubleClickBusy = true;
    m_link.CheckPlayerRunning(true);
    ignoringErrors([this] {
        const auto window = m_link.connectedPlayer().BrowserWindow();
        window->SetVisible(true);
        window->SetMiniPlayer(false);
        window->SetMaximized(true);
        // Off Windows there is no window to bring to the top by title: making the player's
        // window visible is as far as a player lets another program go.
    });
    mbDoubleClickBusy = false;
}

void TrayCommands::m_frmSysTray_SysTrayMouseDown(int eButton)
{
    if (eButton == kRightButton) {
        ignoringErrors([this] { m_link.tray()->ShowMenu(); });
        return;
    }
    ignoringErrors([this] {
        if (m_link.connectedPlayer().PlayerState() != PlayerApplication::Playing)
            return;
        if (m_notification.trackPopupsShowing())
            m_notification.closeTrackPopups();
        else if (!mbDoubleClickBusy)
            m_notification.ShowTrackPopup();
    });
}
