#include "frmMain.h"

#include "Branding.h"
#include "Guarded.h"
#include "options/AdvancedPage.h"
#include "options/LibraryPage.h"
#include "platform/desktop/Desktop.h"
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

namespace {
constexpr int kInfoIcon = 1;
constexpr int kBalloonTimeOutMs = 5000;
constexpr double kOldestVersion = 5.1;
constexpr double kNewestVersion = 6.4;

constexpr std::array<const char*, 5> kPlayerEntries { "&Minimize iTunes", "&iTunes MiniPlayer", "&Shuffle",
    "&Next Song", "&Previous Song" };

// The ability a tray entry needs of the player; nullptr for entries every player allows.
const PlayerAbility* abilityFor(const PlayerCapabilities& capabilities, const QString& caption)
{
    if (caption == QLatin1String("&Show iTunes"))
        return &capabilities.raise;
    if (caption == QLatin1String("&Minimize iTunes"))
        return &capabilities.minimize;
    if (caption == QLatin1String("&iTunes MiniPlayer"))
        return &capabilities.miniPlayer;
    if (caption == QLatin1String("&Shuffle"))
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
template <typename Visit>
void forEachItem(frmSysTray* tray, Visit&& visit)
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
    bool found = false;
    const QString wanted = m_services.playerBackend.executableName().toLower();
    for (const QString& name : *running) {
        if (name.toLower().contains(wanted)) {
            ConnectPlayer();
            found = true;
        }
    }
    if (!found && bStart) {
        ConnectPlayer();
        found = true;
    }
    enablePlayerEntries(found);
}

void frmMain::ConnectPlayer()
{
    m_frmSysTray->ShowBalloonTip(QStringLiteral("Connecting to iTunes"), title(), kInfoIcon, kBalloonTimeOutMs);
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
        }
    }
    m_frmSysTray->ShowBalloonTip(QString(QChar(0)), title(), kInfoIcon, kBalloonTimeOutMs);
    // A player that cannot be had leaves the program unconnected; the next command tries again.
    if (!objiTunesApp)
        return;

    const QString rejection = rejectionOf(*objiTunesApp);
    if (!rejection.isEmpty()) {
        m_frmSysTray->ShowBalloonTip(rejection, title(), kInfoIcon, kBalloonTimeOutMs);
        DisconnectPlayer();
        return;
    }
    m_capabilities = objiTunesApp->capabilities();
    showLibraryAbility();

    mobjPopups = std::make_unique<PopUpMessages>(PopUpServices {}, advancedPage->scrPopUpWidth->value(),
        advancedPage->scrPopUpHeight->value());
    mobjPopups->setFontSource(this);
    connect(mobjPopups.get(), &PopUpMessages::PopupMessageClicked, this, &frmMain::mobjPopups_PopupMessageClicked);
    CreateDefaultPopUp();
    advancedPage->scrShowDelay->setValue(mobjPopups->ShowDelay());
    advancedPage->scrMovementIndex->setValue(mobjPopups->MovementIndex());
    advancedPage->scrScrollDelay->setValue(mobjPopups->ScrollDelay());
    LoadSettings();
    // A load raises nothing for controls that already hold their value: give the fresh
    // collection every value.
    pushOptionsToPopups();

    mbPlaylistsEnabled = false;
    if (advancedPage->chkEnablePlayLists->isChecked()) {
        mbPlaylistsEnabled = true;
        m_frmSysTray->playlists()->setEnabled(true);
    } else {
        m_frmSysTray->playlists()->setEnabled(false);
    }

    forEachItem(m_frmSysTray.get(), [&](TrayMenuArray& items, int i) {
        if (items.caption(i) == QLatin1String("&Shuffle"))
            m_frmSysTray->EnableMenuItem(i, false);
    });
    bool playing = false;
    ignoringErrors([&] { playing = objiTunesApp->PlayerState() == PlayerApplication::Playing; });
    if (playing) {
        SetPlayPauseCaption(QStringLiteral("pause"));
        refreshShuffleEntry();
    } else {
        m_frmSysTray->myrating()->setEnabled(false);
        SetPlayPauseCaption(QStringLiteral("play"));
    }
    bool shuffle = false;
    ignoringErrors([&] { shuffle = objiTunesApp->CurrentPlaylist()->Shuffle(); });
    forEachItem(m_frmSysTray.get(), [&](TrayMenuArray& items, int i) {
        if (items.caption(i) == QLatin1String("&Shuffle"))
            items.setChecked(i, shuffle);
    });
    mbConnected = true;
}

void frmMain::refreshShuffleEntry()
{
    forEachItem(m_frmSysTray.get(), [&](TrayMenuArray& items, int i) {
        if (items.caption(i) != QLatin1String("&Shuffle"))
            return;
        m_frmSysTray->EnableMenuItem(i, false);
        m_frmSysTray->EnableMenuItem(i, connectedPlayer().CanSetShuffle(connectedPlayer().CurrentPlaylist()));
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
    return QStringLiteral("iTunes ") + version
        + QStringLiteral(" is not compatible with this version of Bolvin.\r\nDownload the latest version of Bolvin from ")
        + QString::fromLatin1(kWebAddress);
}

void frmMain::DisconnectPlayer()
{
    if (objiTunesApp)
        objiTunesApp->disconnect(this);
    objiTunesApp.reset();
    mbConnected = false;
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
    if (!objiTunesApp || !m_frmSysTray)
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
    forEachItem(m_frmSysTray.get(), [&](TrayMenuArray& items, int i) {
        const QString caption = items.caption(i);
        const PlayerAbility* ability = abilityFor(m_capabilities, caption);
        const bool allowed = !ability || *ability;
        if (ability)
            items.action(i)->setToolTip(ability->reason);
        const bool needsPlayer = std::any_of(kPlayerEntries.begin(), kPlayerEntries.end(),
            [&](const char* entry) { return caption == QLatin1String(entry); });
        if (needsPlayer)
            m_frmSysTray->EnableMenuItem(i, enabled && allowed);
        else if (ability)
            m_frmSysTray->EnableMenuItem(i, allowed);
    });
    m_frmSysTray->myrating()->setToolTip(m_capabilities.rate.reason);
}

void frmMain::enableRatingMenu(bool playing)
{
    m_frmSysTray->myrating()->setEnabled(playing && m_capabilities.rate);
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
    if (mbConnected)
        objiTunesApp_OnPlayerPlayEvent();
}

void frmMain::objiTunesApp_OnPlayerStopEvent()
{
    m_frmSysTray->myrating()->setEnabled(false);
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
    enablePlayerEntries(false);
    m_frmSysTray->myrating()->setEnabled(false);
}
