#include "PlayerLink.h"

#include "PlayerVersion.h"

#include "Version.h"
#include "app/Branding.h"
#include "platform/desktop/Desktop.h"
#include "player/IgnoringErrors.h"
#include "player/PlayerApplication.h"
#include "player/PlayerBackend.h"
#include "player/PlayerError.h"
#include "tray/frmSysTray.h"

#include <QAction>

#include <algorithm>
#include <array>
#include <utility>

namespace
{
constexpr int kInfoIcon = 1;
constexpr int kBalloonTimeOutMs = 5000;

// The entries, by key, that act on the player and so wait for one to be attached.
constexpr std::array<const char*, 5> kPlayerEntries { "Minimize", "MiniPlayer", "Shuffle", "Next Song",
    "Previous Song" };

// The ability a tray entry needs of the player; nullptr for entries every player allows.
const PlayerAbility* abilityFor(const PlayerCapabilities& capabilities, const QString& key)
{
    const std::array<std::pair<const char*, const PlayerAbility*>, 4> abilities {
        { { "Show iTunes", &capabilities.raise }, { "Minimize", &capabilities.minimize },
            { "MiniPlayer", &capabilities.miniPlayer }, { "Shuffle", &capabilities.shuffle } }
    };
    for (const auto& [entry, ability] : abilities)
        if (key == QLatin1String(entry))
            return ability;
    return nullptr;
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

PlayerLink::PlayerLink(PlayerBackend& backend, Desktop& desktop, std::function<frmSysTray*()> tray, QObject* parent)
    : QObject(parent)
    , m_backend(backend)
    , m_desktop(desktop)
    , m_tray(std::move(tray))
{
}

PlayerLink::~PlayerLink()
{
    // The player may outlive the program's windows, or report while they go: nothing here
    // may hear it. Nor may the backend be asked anything: it may already be gone.
    if (objiTunesApp)
        objiTunesApp->disconnect(this);
}

QString PlayerLink::idleToolTip()
{
    return QStringLiteral("Bolvin %1 by Harnwick\r\n Right-click and select 'Show Bolvin' for options")
        .arg(Version::text());
}

void PlayerLink::balloon(const QString& message) const
{
    if (frmSysTray* tray = m_tray())
        tray->ShowBalloonTip(message, QString::fromLatin1(kProgramTitle), kInfoIcon, kBalloonTimeOutMs);
}

void PlayerLink::CheckPlayerRunning(bool bStart)
{
    if (mbConnected)
        return;
    const std::optional<QStringList> running = m_backend.runningExecutables();
    if (!running)
        return;
    // A backend that names no player (a pinned one that is not running) matches none.
    const QString wanted = m_backend.executableName().toLower();
    const bool found = !wanted.isEmpty() && std::any_of(running->begin(), running->end(), [&](const QString& name) {
        return name.toLower().contains(wanted);
    });
    if (found || bStart)
        ConnectPlayer(bStart);
    enablePlayerEntries(mbConnected);
}

QString PlayerLink::playerName() const
{
    return objiTunesApp ? objiTunesApp->Identity() : m_backend.identity();
}

void PlayerLink::listenTo(PlayerApplication& player)
{
    connect(&player, &PlayerApplication::OnPlayerPlayEvent, this, &PlayerLink::objiTunesApp_OnPlayerPlayEvent);
    connect(&player, &PlayerApplication::OnPlayerStopEvent, this, &PlayerLink::objiTunesApp_OnPlayerStopEvent);
    connect(&player, &PlayerApplication::OnDatabaseChangedEvent, this, &PlayerLink::ratingsChanged);
    connect(&player, &PlayerApplication::OnAboutToPromptUserToQuitEvent, this,
        &PlayerLink::objiTunesApp_OnAboutToPromptUserToQuitEvent);
    connect(&player, &PlayerApplication::commandFailed, this, &PlayerLink::balloon);
    connect(&player, &PlayerApplication::described, this, &PlayerLink::onPlayerDescribed);
    connect(&player, &PlayerApplication::artworkArrived, this, &PlayerLink::artworkArrived);
    connect(&player, &PlayerApplication::libraryWriteFailed, this, [this](const QString& why) {
        if (why == m_toldWriteFailure)
            return;
        m_toldWriteFailure = why;
        m_desktop.messageBox(playerName()
            + QStringLiteral(" could not save its library: %1\nRatings and play counts changed since its last "
                             "save stay with it, unsaved, and are lost when it ends.")
                  .arg(why));
    });
}

void PlayerLink::ConnectPlayer(bool userAsked)
{
    // Only a command the user gave waits on the connection; a player found by itself is
    // attached without a word.
    if (userAsked)
        balloon(QStringLiteral("Connecting to ") + playerName());
    if (!objiTunesApp) {
        objiTunesApp = m_backend.createApplication();
        if (objiTunesApp)
            listenTo(*objiTunesApp);
    }
    // A player that cannot be had leaves the program unconnected; the next command tries again.
    if (!objiTunesApp) {
        tellNoPlayer(m_backend.lastError(), userAsked);
        return;
    }

    const QString rejection = rejectionOf(*objiTunesApp);
    if (!rejection.isEmpty()) {
        DisconnectPlayer();
        tellNoPlayer(rejection, true);
        return;
    }
    // What was said of a missing player is stale once it is here: a balloon whose message is
    // one NUL takes it down.
    if (!std::exchange(m_toldNoPlayer, QString()).isEmpty())
        balloon(QString(QChar(0)));
    m_capabilities = objiTunesApp->capabilities();
    emit changed();
    namePlayerEntries();
    frmSysTray* tray = m_tray();
    tray->SetToolTip(idleToolTip());
    mbPlaylistsEnabled = false;
    showPlaylists(mbPlaylistsWanted);

    forEachItem(tray, [&](TrayMenuArray& items, int i) {
        if (items.caption(i) == QLatin1String("&Shuffle"))
            tray->EnableMenuItem(i, false);
    });
    bool playing = false;
    ignoringErrors([&] { playing = objiTunesApp->PlayerState() == PlayerApplication::Playing; });
    SetPlayPauseCaption(playing ? QStringLiteral("pause") : QStringLiteral("play"));
    if (!playing)
        tray->myrating()->setEnabled(false);
    showShuffleMark();
    mbConnected = true;
    // A player that is already playing shows its track now, not at the next one.
    if (playing)
        objiTunesApp_OnPlayerPlayEvent();
}

void PlayerLink::tellNoPlayer(const QString& reason, bool userAsked)
{
    const QString why = reason.isEmpty() ? QStringLiteral("%1 is not running.").arg(playerName()) : reason;
    m_tray()->SetToolTip(QStringLiteral("Bolvin\r\n") + why);
    // Unasked, the player was seen on its way (its bus name is up, its choice not yet made):
    // the attempt that follows the choice decides, so nothing is said yet.
    if (userAsked)
        balloon(why);
    m_toldNoPlayer = why;
}

void PlayerLink::onPlayerDescribed()
{
    if (!mbConnected || !objiTunesApp)
        return;
    m_capabilities = objiTunesApp->capabilities();
    namePlayerEntries();
    enablePlayerEntries(true);
    showPlaylists(mbPlaylistsWanted);
    showShuffleMark();
    emit changed();
}

void PlayerLink::showShuffleMark()
{
    bool shuffle = false;
    ignoringErrors([&] { shuffle = connectedPlayer().CurrentPlaylist()->Shuffle(); });
    forEachItem(m_tray(), [&](TrayMenuArray& items, int i) {
        if (items.caption(i) == QLatin1String("&Shuffle"))
            items.setChecked(i, shuffle);
    });
}

void PlayerLink::namePlayerEntries()
{
    QString name = playerName();
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    forEachItem(m_tray(), [&](TrayMenuArray& items, int i) {
        const QString key = items.key(i);
        if (key == QLatin1String("Show iTunes"))
            items.setCaption(i, QStringLiteral("&Show ") + name);
        else if (key == QLatin1String("Minimize"))
            items.setCaption(i, QStringLiteral("&Minimize ") + name);
        else if (key == QLatin1String("MiniPlayer"))
            items.setCaption(i, QStringLiteral("&") + name + QStringLiteral(" MiniPlayer"));
    });
}

void PlayerLink::refreshShuffleEntry()
{
    frmSysTray* tray = m_tray();
    forEachItem(tray, [&](TrayMenuArray& items, int i) {
        if (items.caption(i) != QLatin1String("&Shuffle"))
            return;
        tray->EnableMenuItem(i, false);
        tray->EnableMenuItem(
            i, m_capabilities.shuffle && connectedPlayer().CanSetShuffle(connectedPlayer().CurrentPlaylist()));
    });
}

QString PlayerLink::rejectionOf(PlayerApplication& player) const
{
    if (!m_backend.gatesOnVersion())
        return m_backend.rejectionReason(player);
    QString version;
    ignoringErrors([&] { version = player.Version(); });
    return versionRejection(playerName(), version);
}

void PlayerLink::DisconnectPlayer()
{
    if (objiTunesApp)
        objiTunesApp->disconnect(this);
    objiTunesApp.reset();
    mbConnected = false;
    mbPlaylistsEnabled = false;
    showPlaylists(mbPlaylistsWanted);
    // The next player may allow more; until one connects, nothing is known to be missing.
    m_capabilities = PlayerCapabilities {};
    emit changed();
}

PlayerApplication& PlayerLink::connectedPlayer() const
{
    if (!objiTunesApp)
        throw PlayerError(QStringLiteral("No player"));
    return *objiTunesApp;
}

void PlayerLink::showPlaylists(bool wanted)
{
    mbPlaylistsWanted = wanted;
    frmSysTray* tray = m_tray();
    if (!tray)
        return;
    // The submenu is never shown enabled and empty: what keeps it grey is its tooltip.
    QString reason;
    if (!wanted) {
        reason = QStringLiteral("Tick \"Enable Play Lists\" on the Advanced page to list them here.");
    } else if (!objiTunesApp) {
        tray->ClearPlayLists();
        mbPlaylistsEnabled = false;
        reason = QStringLiteral("No player is attached.");
    } else if (!m_capabilities.playlists) {
        reason = m_capabilities.playlists.reason;
    } else {
        if (!mbPlaylistsEnabled) {
            ignoringErrors([this] { LoadPlaylists(); });
            mbPlaylistsEnabled = true;
        }
        if (!tray->mnuPlayList().isVisible(0))
            reason = playerName() + QStringLiteral(" has no playlists.");
    }
    tray->playlists()->setEnabled(reason.isEmpty());
    tray->playlists()->setToolTip(reason);
}

void PlayerLink::LoadPlaylists()
{
    frmSysTray* tray = m_tray();
    if (!tray)
        return;
    tray->ClearPlayLists();
    if (!objiTunesApp || !m_capabilities.playlists)
        return;
    const auto playlists = objiTunesApp->LibrarySource()->Playlists();
    const int count = playlists->Count();
    for (int i = 1; i <= count; ++i)
        ignoringErrors([&] {
            tray->AddPlayList(QStringLiteral("&") + playlists->Item(i)->Name(),
                QStringLiteral("Playlist") + QString::number(i), false);
        });
}

void PlayerLink::SetPlayPauseCaption(const QString& sState)
{
    const bool play = sState == QLatin1String("play");
    const QString from = play ? QStringLiteral("&Pause") : QStringLiteral("&Play");
    const QString to = play ? QStringLiteral("&Play") : QStringLiteral("&Pause");
    forEachItem(m_tray(), [&](TrayMenuArray& items, int i) {
        if (items.caption(i) == from)
            items.setCaption(i, to);
    });
}

void PlayerLink::enablePlayerEntries(bool enabled)
{
    frmSysTray* tray = m_tray();
    const QString noPlayer = m_toldNoPlayer.isEmpty() ? QStringLiteral("No player is attached.") : m_toldNoPlayer;
    forEachItem(tray, [&](TrayMenuArray& items, int i) {
        const QString key = items.key(i);
        const PlayerAbility* ability = abilityFor(m_capabilities, key);
        const bool allowed = !ability || *ability;
        const bool needsPlayer = std::any_of(kPlayerEntries.begin(), kPlayerEntries.end(),
            [&](const char* entry) { return key == QLatin1String(entry); });
        if (needsPlayer)
            tray->EnableMenuItem(i, enabled && allowed);
        else if (ability)
            tray->EnableMenuItem(i, allowed);
        if (ability || needsPlayer)
            items.action(i)->setToolTip(!allowed ? ability->reason : needsPlayer && !enabled ? noPlayer : QString());
    });
    showRatingReason();
}

void PlayerLink::showRatingReason()
{
    frmSysTray* tray = m_tray();
    if (!tray)
        return;
    QString reason = m_capabilities.rate.reason;
    if (reason.isEmpty() && !tray->myrating()->isEnabled())
        reason = mbConnected ? QStringLiteral("Rates the playing track; nothing is playing.")
                             : QStringLiteral("Rates the playing track; no player is attached.");
    tray->myrating()->setToolTip(reason);
}

void PlayerLink::enableRatingMenu(bool playing)
{
    if (frmSysTray* tray = m_tray())
        tray->myrating()->setEnabled(playing && m_capabilities.rate);
    showRatingReason();
}

void PlayerLink::objiTunesApp_OnPlayerPlayEvent()
{
    bool playing = false;
    ignoringErrors([&] { playing = objiTunesApp->PlayerState() == PlayerApplication::Playing; });
    if (playing) {
        emit trackStarted();
        enableRatingMenu(true);
        SetPlayPauseCaption(QStringLiteral("pause"));
    }
    refreshShuffleEntry();
}

void PlayerLink::onActivePlayerChanged()
{
    emit playerSetAside();
    if (!m_tray())
        return;
    // A player that appears and starts playing is attached at once: that is the moment
    // the user expects its track to show.
    DisconnectPlayer();
    CheckPlayerRunning(false);
}

void PlayerLink::objiTunesApp_OnPlayerStopEvent()
{
    enableRatingMenu(false);
    SetPlayPauseCaption(QStringLiteral("play"));
}

void PlayerLink::objiTunesApp_OnAboutToPromptUserToQuitEvent()
{
    SetPlayPauseCaption(QStringLiteral("play"));
    DisconnectPlayer();
    // With no player the marks, "My Rating" and the tooltip no longer speak of its track.
    emit playerQuit();
    enablePlayerEntries(false);
}
