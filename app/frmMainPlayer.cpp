#include "frmMain.h"

#include "Branding.h"
#include "options/AdvancedPage.h"
#include "options/LibraryPage.h"
#include "platform/desktop/Desktop.h"
#include "player/IgnoringErrors.h"
#include "player/PlayerBackend.h"
#include "player/PlayerError.h"
#include "popup/PopUpMessage.h"
#include "popup/PopUpMessages.h"
#include "tray/frmSysTray.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <array>

namespace
{
constexpr int kInfoIcon = 1;
constexpr int kBalloonTimeOutMs = 5000;
constexpr double kOldestVersion = 5.1;
constexpr double kNewestVersion = 6.4;

// The entries, by key, that act on the player and so wait for one to be attached.
constexpr std::array<const char*, 5> kPlayerEntries { "Minimize", "MiniPlayer", "Shuffle", "Next Song",
    "Previous Song" };

// The ability a tray entry needs of the player; nullptr for entries every player allows.
const PlayerAbility* abilityFor(const PlayerCapabilities& capabilities, const QString& key)
{
    if (key == QLatin1String("Show iTunes"))
        return &capabilities.raise;
    if (key == QLatin1String("Minimize"))
        return &capabilities.minimize;
    if (key == QLatin1String("MiniPlayer"))
        return &capabilities.miniPlayer;
    if (key == QLatin1String("Shuffle"))
        return &capabilities.shuffle;
    return nullptr;
}

QString title()
{
    return QString::fromLatin1(kProgramTitle);
}

// The first three characters of a version text as a number; text that is not one reads
// as 0, which no supported player has.
double versionNumber(const QString& version)
{
    bool ok = false;
    const double value = version.left(3).toDouble(&ok);
    return ok ? value : 0.0;
}

// Walks the main tray items from index 1, skipping any that fails.
template <typename Visit> void forEachItem(frmSysTray* tray, Visit&& visit)
{
    if (!tray)
        return;
    TrayMenuArray& items = tray->mnuSysTray();
    for (int i = 1; i <= items.upperBound(); ++i)
        ignoringErrors([&] { visit(items, i); });
}
}

void frmMain::CheckPlayerRunning(bool bStart)
{
    if (mbConnected)
        return;
    const std::optional<QStringList> running = m_services.playerBackend.runningExecutables();
    if (!running)
        return;
    // A backend that names no player (a pinned one that is not running) matches none.
    const QString wanted = m_services.playerBackend.executableName().toLower();
    const bool found = !wanted.isEmpty() && std::any_of(running->begin(), running->end(), [&](const QString& name) {
        return name.toLower().contains(wanted);
    });
    if (found || bStart)
        ConnectPlayer(bStart);
    enablePlayerEntries(mbConnected);
}

QString frmMain::playerName() const
{
    return objiTunesApp ? objiTunesApp->Identity() : m_services.playerBackend.identity();
}

void frmMain::ConnectPlayer(bool userAsked)
{
    // Only a command the user gave waits on the connection; a player found by itself is
    // attached without a word.
    if (userAsked)
        m_frmSysTray->ShowBalloonTip(
            QStringLiteral("Connecting to ") + playerName(), title(), kInfoIcon, kBalloonTimeOutMs);
    if (!objiTunesApp) {
        objiTunesApp = m_services.playerBackend.createApplication();
        if (objiTunesApp) {
            connect(objiTunesApp.get(), &PlayerApplication::OnPlayerPlayEvent, this,
                &frmMain::objiTunesApp_OnPlayerPlayEvent);
            connect(objiTunesApp.get(), &PlayerApplication::OnPlayerStopEvent, this,
                &frmMain::objiTunesApp_OnPlayerStopEvent);
            connect(objiTunesApp.get(), &PlayerApplication::OnDatabaseChangedEvent, this,
                &frmMain::objiTunesApp_OnDatabaseChangedEvent);
            connect(objiTunesApp.get(), &PlayerApplication::OnAboutToPromptUserToQuitEvent, this,
                &frmMain::objiTunesApp_OnAboutToPromptUserToQuitEvent);
            connect(objiTunesApp.get(), &PlayerApplication::commandFailed, this, [this](const QString& why) {
                m_frmSysTray->ShowBalloonTip(why, title(), kInfoIcon, kBalloonTimeOutMs);
            });
            connect(objiTunesApp.get(), &PlayerApplication::described, this, &frmMain::onPlayerDescribed);
            connect(objiTunesApp.get(), &PlayerApplication::artworkArrived, this, &frmMain::onArtworkArrived);
            connect(objiTunesApp.get(), &PlayerApplication::libraryWriteFailed, this, [this](const QString& why) {
                if (why == m_toldWriteFailure)
                    return;
                m_toldWriteFailure = why;
                m_services.desktop.messageBox(playerName()
                    + QStringLiteral(" could not save its library: %1\nRatings and play counts changed since its last "
                                     "save stay with it, unsaved, and are lost when it ends.")
                          .arg(why));
            });
        }
    }
    // A player that cannot be had leaves the program unconnected; the next command tries again.
    if (!objiTunesApp) {
        tellNoPlayer(m_services.playerBackend.lastError(), userAsked);
        return;
    }

    const QString rejection = rejectionOf(*objiTunesApp);
    if (!rejection.isEmpty()) {
        DisconnectPlayer();
        tellNoPlayer(rejection, true);
        return;
    }
    m_toldNoPlayer.clear();
    m_capabilities = objiTunesApp->capabilities();
    showLibraryAbility();
    namePlayerEntries();
    m_frmSysTray->SetToolTip(idleToolTip());
    mbPlaylistsEnabled = false;
    chkEnablePlayLists_Click();

    forEachItem(m_frmSysTray.get(), [&](TrayMenuArray& items, int i) {
        if (items.caption(i) == QLatin1String("&Shuffle"))
            m_frmSysTray->EnableMenuItem(i, false);
    });
    bool playing = false;
    ignoringErrors([&] { playing = objiTunesApp->PlayerState() == PlayerApplication::Playing; });
    SetPlayPauseCaption(playing ? QStringLiteral("pause") : QStringLiteral("play"));
    if (!playing)
        m_frmSysTray->myrating()->setEnabled(false);
    showShuffleMark();
    mbConnected = true;
    // A player that is already playing shows its track now, not at the next one.
    if (playing)
        objiTunesApp_OnPlayerPlayEvent();
}

void frmMain::tellNoPlayer(const QString& reason, bool userAsked)
{
    const QString why = reason.isEmpty() ? QStringLiteral("%1 is not running.").arg(playerName()) : reason;
    m_frmSysTray->SetToolTip(QStringLiteral("Bolvin\r\n") + why);
    if (userAsked || why != m_toldNoPlayer)
        m_frmSysTray->ShowBalloonTip(why, title(), kInfoIcon, kBalloonTimeOutMs);
    m_toldNoPlayer = why;
}

void frmMain::onPlayerDescribed()
{
    if (!mbConnected || !objiTunesApp)
        return;
    m_capabilities = objiTunesApp->capabilities();
    namePlayerEntries();
    enablePlayerEntries(true);
    chkEnablePlayLists_Click();
    showShuffleMark();
    showLibraryAbility();
}

void frmMain::showShuffleMark()
{
    bool shuffle = false;
    ignoringErrors([&] { shuffle = connectedPlayer().CurrentPlaylist()->Shuffle(); });
    forEachItem(m_frmSysTray.get(), [&](TrayMenuArray& items, int i) {
        if (items.caption(i) == QLatin1String("&Shuffle"))
            items.setChecked(i, shuffle);
    });
}

void frmMain::namePlayerEntries()
{
    QString name = playerName();
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    forEachItem(m_frmSysTray.get(), [&](TrayMenuArray& items, int i) {
        const QString key = items.key(i);
        if (key == QLatin1String("Show iTunes"))
            items.setCaption(i, QStringLiteral("&Show ") + name);
        else if (key == QLatin1String("Minimize"))
            items.setCaption(i, QStringLiteral("&Minimize ") + name);
        else if (key == QLatin1String("MiniPlayer"))
            items.setCaption(i, QStringLiteral("&") + name + QStringLiteral(" MiniPlayer"));
    });
}

void frmMain::refreshShuffleEntry()
{
    forEachItem(m_frmSysTray.get(), [&](TrayMenuArray& items, int i) {
        if (items.caption(i) != QLatin1String("&Shuffle"))
            return;
        m_frmSysTray->EnableMenuItem(i, false);
        m_frmSysTray->EnableMenuItem(
            i, m_capabilities.shuffle && connectedPlayer().CanSetShuffle(connectedPlayer().CurrentPlaylist()));
    });
}

QString frmMain::rejectionOf(PlayerApplication& player) const
{
    if (!m_services.playerBackend.gatesOnVersion())
        return m_services.playerBackend.rejectionReason(player);
    QString version;
    ignoringErrors([&] { version = player.Version(); });
    const double v = versionNumber(version);
    if (v >= kOldestVersion && v <= kNewestVersion)
        return QString();
    return playerName() + QLatin1Char(' ') + version
        + QStringLiteral(
            " is not compatible with this version of Bolvin.\r\nDownload the latest version of Bolvin from ")
        + QString::fromLatin1(kWebAddress);
}

void frmMain::DisconnectPlayer()
{
    if (objiTunesApp)
        objiTunesApp->disconnect(this);
    objiTunesApp.reset();
    mbConnected = false;
    mbPlaylistsEnabled = false;
    if (!m_unloaded)
        chkEnablePlayLists_Click();
    // The next player may allow more; until one connects, nothing is known to be missing.
    m_capabilities = PlayerCapabilities {};
    if (libraryPage)
        showLibraryAbility();
}

PlayerApplication& frmMain::connectedPlayer() const
{
    if (!objiTunesApp)
        throw PlayerError(QStringLiteral("No player"));
    return *objiTunesApp;
}

void frmMain::LoadPlaylists()
{
    if (!m_frmSysTray)
        return;
    m_frmSysTray->ClearPlayLists();
    if (!objiTunesApp || !m_capabilities.playlists)
        return;
    const auto playlists = objiTunesApp->LibrarySource()->Playlists();
    const int count = playlists->Count();
    for (int i = 1; i <= count; ++i)
        ignoringErrors([&] {
            m_frmSysTray->AddPlayList(QStringLiteral("&") + playlists->Item(i)->Name(),
                QStringLiteral("Playlist") + QString::number(i), false);
        });
}

void frmMain::SetPlayPauseCaption(const QString& sState)
{
    const bool play = sState == QLatin1String("play");
    const QString from = play ? QStringLiteral("&Pause") : QStringLiteral("&Play");
    const QString to = play ? QStringLiteral("&Play") : QStringLiteral("&Pause");
    forEachItem(m_frmSysTray.get(), [&](TrayMenuArray& items, int i) {
        if (items.caption(i) == from)
            items.setCaption(i, to);
    });
}

void frmMain::enablePlayerEntries(bool enabled)
{
    const QString noPlayer = m_toldNoPlayer.isEmpty() ? QStringLiteral("No player is attached.") : m_toldNoPlayer;
    forEachItem(m_frmSysTray.get(), [&](TrayMenuArray& items, int i) {
        const QString key = items.key(i);
        const PlayerAbility* ability = abilityFor(m_capabilities, key);
        const bool allowed = !ability || *ability;
        const bool needsPlayer = std::any_of(kPlayerEntries.begin(), kPlayerEntries.end(),
            [&](const char* entry) { return key == QLatin1String(entry); });
        if (needsPlayer)
            m_frmSysTray->EnableMenuItem(i, enabled && allowed);
        else if (ability)
            m_frmSysTray->EnableMenuItem(i, allowed);
        if (ability || needsPlayer)
            items.action(i)->setToolTip(!allowed ? ability->reason : needsPlayer && !enabled ? noPlayer : QString());
    });
    showRatingReason();
}

void frmMain::showRatingReason()
{
    QString reason = m_capabilities.rate.reason;
    if (reason.isEmpty() && !m_frmSysTray->myrating()->isEnabled())
        reason = mbConnected ? QStringLiteral("Rates the playing track; nothing is playing.")
                             : QStringLiteral("Rates the playing track; no player is attached.");
    m_frmSysTray->myrating()->setToolTip(reason);
}

void frmMain::enableRatingMenu(bool playing)
{
    m_frmSysTray->myrating()->setEnabled(playing && m_capabilities.rate);
    showRatingReason();
}

void frmMain::objiTunesApp_OnPlayerPlayEvent()
{
    bool playing = false;
    ignoringErrors([&] { playing = objiTunesApp->PlayerState() == PlayerApplication::Playing; });
    if (playing) {
        closeTrackPopups();
        ignoringErrors([this] { ShowTrackPopup(); });
        enableRatingMenu(true);
        SetPlayPauseCaption(QStringLiteral("pause"));
    }
    refreshShuffleEntry();
}

void frmMain::onActivePlayerChanged()
{
    closeTrackPopups();
    if (m_unloaded)
        return;
    // A player that appears and starts playing is attached at once: that is the moment
    // the user expects its track to show.
    DisconnectPlayer();
    CheckPlayerRunning(false);
}

void frmMain::objiTunesApp_OnPlayerStopEvent()
{
    enableRatingMenu(false);
    SetPlayPauseCaption(QStringLiteral("play"));
}

void frmMain::objiTunesApp_OnDatabaseChangedEvent()
{
    RefreshRatingMarks();
}

void frmMain::objiTunesApp_OnAboutToPromptUserToQuitEvent()
{
    mbCancelExport = true;
    mbCancelImport = true;
    SetPlayPauseCaption(QStringLiteral("play"));
    DisconnectPlayer();
    // With no player the marks, "My Rating" and the tooltip no longer speak of its track.
    RefreshRatingMarks();
    enablePlayerEntries(false);
}
