#include "frmMain.h"

#include "platform/desktop/Desktop.h"
#include "player/IgnoringErrors.h"
#include "player/PlayerApplication.h"
#include "player/PlayerError.h"
#include "popup/PopUpMessages.h"
#include "tray/frmSysTray.h"

namespace
{
constexpr int kRightButton = 2;
}

void frmMain::m_frmSysTray_MenuClick(int lIndex, const QString& sKey)
{
    // Reattaching the player below may change the play/pause caption; the user chose the
    // one the menu showed.
    QString shownCaption;
    if (m_frmSysTray)
        ignoringErrors([&] { shownCaption = m_frmSysTray->mnuSysTray().caption(lIndex); });
    if (sKey != QLatin1String("close"))
        CheckPlayerRunning(true);
    // With no player to be had, the player commands have nothing to act on.
    const auto onPlayer = [this](auto&& command) { ignoringErrors([&] { command(connectedPlayer()); }); };
    if (sKey == QLatin1String("open")) {
        m_services.desktop.showWindow(this);
        m_services.desktop.raiseWindow(this);
    } else if (sKey == QLatin1String("close")) {
        Unload(UnloadMode::FormCode);
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

void frmMain::playPauseToggle(const QString& shownCaption)
{
    // The command follows the caption, not the player's own state.
    const bool play = shownCaption == QLatin1String("&Play");
    SetPlayPauseCaption(play ? QStringLiteral("pause") : QStringLiteral("play"));
    ignoringErrors([&] { play ? connectedPlayer().Play() : connectedPlayer().Pause(); });
}

void frmMain::shuffleToggle()
{
    if (!m_frmSysTray)
        return;
    TrayMenuArray& items = m_frmSysTray->mnuSysTray();
    for (int i = 1; i <= items.upperBound(); ++i) {
        if (items.caption(i) != QLatin1String("&Shuffle"))
            continue;
        const bool on = !items.isChecked(i);
        ignoringErrors([&] { connectedPlayer().CurrentPlaylist()->SetShuffle(on); });
        // The mark tells what the player did, which may not be what it was asked.
        showShuffleMark();
        return;
    }
}

void frmMain::playPlaylist(const QString& sKey)
{
    const int n = QString(sKey).remove(QStringLiteral("Playlist")).toInt();
    try {
        connectedPlayer().LibrarySource()->Playlists()->Item(n)->PlayFirstTrack();
    } catch (...) {
        m_services.desktop.messageBox(QStringLiteral("Error loading playlist"));
        return;
    }
    if (!m_frmSysTray)
        return;
    TrayMenuArray& entries = m_frmSysTray->mnuPlayList();
    for (int i = 0; i <= entries.count(); ++i)
        ignoringErrors([&] { entries.setChecked(i, i == n - 1); });
}

void frmMain::m_frmSysTray_SysTrayDoubleClick(int /*eButton*/)
{
    mbDoubleClickBusy = true;
    CheckPlayerRunning(true);
    ignoringErrors([this] {
        const auto window = connectedPlayer().BrowserWindow();
        window->SetVisible(true);
        window->SetMiniPlayer(false);
        window->SetMaximized(true);
        // Off Windows there is no window to bring to the top by title: making the player's
        // window visible is as far as a player lets another program go.
    });
    mbDoubleClickBusy = false;
}

void frmMain::m_frmSysTray_SysTrayMouseDown(int eButton)
{
    if (eButton == kRightButton) {
        ignoringErrors([this] { m_frmSysTray->ShowMenu(); });
        return;
    }
    ignoringErrors([this] {
        if (connectedPlayer().PlayerState() != PlayerApplication::Playing)
            return;
        if (mobjPopups && mobjPopups->Count() >= 1)
            closeTrackPopups();
        else if (!mbDoubleClickBusy)
            ShowTrackPopup();
    });
}
