#include "MprisPlayer.h"

#include "MprisAbilities.h"
#include "MprisConnection.h"
#include "MprisPlaylist.h"
#include "MprisPlays.h"
#include "MprisSource.h"
#include "MprisTrack.h"
#include "MprisTypes.h"
#include "MprisWindow.h"
#include "RemoteArtwork.h"
#include "RhythmboxDatabase.h"
#include "StrawberryRating.h"
#include "TrackWriter.h"
#include "player/ListCollection.h"
#include "player/PlayerError.h"
#include "player/extras/ExtrasStore.h"
#include "player/extras/ExtrasTrackWriter.h"

#include "dbuspropertiesproxy.h"
#include "mprisplayerproxy.h"
#include "mprisrootproxy.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <cmath>

namespace
{
constexpr int kPercent = 100;
// MPRIS has no name for the play queue; this is what players themselves call it.
const QString kQueueName = QStringLiteral("Now Playing");
}

MprisPlayer::MprisPlayer(const QDBusConnection& bus, const QString& service, int timeoutMs,
    const QHash<QString, QVariantMap>& heard, std::shared_ptr<ExtrasStore> extras, QObject* parent)
    : PlayerApplication(parent)
    , m_link(std::make_shared<MprisConnection>(bus, service, timeoutMs))
    , m_extras(std::move(extras))
    , m_watcher(service, bus, QDBusServiceWatcher::WatchForUnregistration)
    , m_remoteArtwork(std::make_shared<RemoteArtwork>())
{
    registerMprisTypes();
    m_provisionalTimer.setSingleShot(true);
    m_provisionalTimer.setInterval(kProvisionalGraceMs);
    connect(&m_provisionalTimer, &QTimer::timeout, this, &MprisPlayer::onProvisionalExpired);
    connect(m_remoteArtwork.get(), &RemoteArtwork::arrived, this, &PlayerApplication::artworkArrived);
    connect(&m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, &MprisPlayer::onServiceUnregistered);
    connect(&m_link->properties(), &DBusPropertiesProxy::PropertiesChanged, this, &MprisPlayer::onPropertiesChanged);
    m_link->onFailure([this](const QString& reason) { emit commandFailed(reason); });
    m_link->onKept([this](const QString& interface) { onKept(interface); });
    for (const QString& interface :
        { MprisConnection::kRootInterface, MprisConnection::kPlayerInterface, MprisConnection::kPlaylistsInterface }) {
        if (heard.contains(interface))
            m_link->seed(interface, heard.value(interface));
        else
            m_link->keep(interface);
    }
    // What was heard before this object existed is the starting point, not news. The writers
    // probe the player, waiting on it: not before it has shown that it answers.
    if (m_link->answered(MprisConnection::kRootInterface)) {
        takeIdentity();
        attachWriter();
    }
    takeState();
}

MprisPlayer::~MprisPlayer()
{
    // Tracks and windows may keep the link alive after this object.
    m_link->onFailure({});
    m_link->onKept({});
}

void MprisPlayer::takeIdentity()
{
    if (const auto name = m_link->known(MprisConnection::kRootInterface, QStringLiteral("Identity"));
        name && name->metaType() == QMetaType::fromType<QString>() && !name->toString().isEmpty())
        m_link->setDisplayName(name->toString());
}

void MprisPlayer::onKept(const QString& interface)
{
    if (interface == MprisConnection::kPlayerInterface && m_plays)
        m_plays->onPlayerChanged(m_link->kept(interface));
    if (interface == MprisConnection::kRootInterface) {
        takeIdentity();
        if (!m_writer)
            attachWriter();
    } else if (interface == MprisConnection::kPlayerInterface && m_status.isEmpty()) {
        // A player that answers late and plays is announced as one that just started; one
        // that does not play was never heard playing, so that is no stop either.
        if (knownStatus() == kPlaying)
            onPropertiesChanged(interface, m_link->kept(interface), {});
        else
            takeState();
    }
    emit described();
}

void MprisPlayer::takeState()
{
    m_status = knownStatus();
    if (const auto metadata = knownMetadata())
        remember(*metadata);
}

bool MprisPlayer::answered() const
{
    return m_link->answered(MprisConnection::kRootInterface) && m_link->answered(MprisConnection::kPlayerInterface)
        && m_link->answered(MprisConnection::kPlaylistsInterface);
}

void MprisPlayer::attachWriter()
{
    if (StrawberryRating::isStrawberry(m_link->service()))
        m_writer = std::make_shared<StrawberryRating>(m_link);
    else if (RhythmboxDatabase::isRhythmbox(m_link->service(), m_link->displayName()))
        m_writer = RhythmboxDatabase::find(m_link);
    else if (m_extras) {
        m_writer = std::make_shared<ExtrasTrackWriter>(m_extras);
        connect(m_extras.get(), &ExtrasStore::damaged, this, &PlayerApplication::commandFailed);
        // Such a player counts no plays of its own: Bolvin counts them.
        m_plays = std::make_unique<MprisPlays>(m_link, m_writer);
    }
    if (m_writer)
        connect(m_writer.get(), &TrackWriter::written, this, &MprisPlayer::onTrackWritten);
}

void MprisPlayer::onTrackWritten()
{
    if (m_databaseChangePending)
        return;
    m_databaseChangePending = true;
    // Later, as the original player's event came: the writer's caller is still mid-call.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_databaseChangePending = false;
            if (m_link->vanished())
                return;
            // The players do not always announce a change they were told to make; remember
            // the new values so their later announcement is not a second change.
            if (const auto value = m_link->reread(MprisConnection::kPlayerInterface, kMetadata)) {
                if (const MprisMetadata metadata = MprisMetadata::fromVariant(*value);
                    metadata.identity() == m_trackIdentity)
                    remember(metadata);
            }
            emit OnDatabaseChangedEvent();
        },
        Qt::QueuedConnection);
}

QString MprisPlayer::busName() const
{
    return m_link->service();
}

QString MprisPlayer::identity() const
{
    return m_link->displayName();
}

bool MprisPlayer::hasVanished() const
{
    return m_link->vanished();
}

bool MprisPlayer::implementsPlayer() const
{
    // One that has not answered yet is given the benefit of the doubt.
    if (!m_link->answered(MprisConnection::kPlayerInterface))
        return true;
    const auto status = m_link->known(MprisConnection::kPlayerInterface, kPlaybackStatus);
    return status && status->metaType() == QMetaType::fromType<QString>();
}

QString MprisPlayer::Version() const
{
    m_link->ensureAlive();
    return identity();
}

int MprisPlayer::PlayerState() const
{
    if (knownStatus() != kPlaying)
        return Stopped;
    // Playing what it says is no track (mpv as it starts idle) shows nothing.
    const auto metadata = knownMetadata();
    return metadata && !metadata->hasTrack() ? Stopped : Playing;
}

void MprisPlayer::Play()
{
    m_link->send([&] { return m_link->player().Play(); }, QStringLiteral("play"));
}

void MprisPlayer::Pause()
{
    m_link->send([&] { return m_link->player().Pause(); }, QStringLiteral("pause"));
}

void MprisPlayer::NextTrack()
{
    m_link->send([&] { return m_link->player().Next(); }, QStringLiteral("go to the next track"));
}

void MprisPlayer::PreviousTrack()
{
    m_link->send([&] { return m_link->player().Previous(); }, QStringLiteral("go to the previous track"));
}

int MprisPlayer::SoundVolume() const
{
    const std::optional<QVariant> offered = m_link->known(MprisConnection::kPlayerInterface, QStringLiteral("Volume"));
    // A player without a volume of its own (a browser) plays at whatever the desktop sets.
    if (!offered)
        return 0;
    const QVariant& value = *offered;
    bool ok = false;
    const double volume = value.toDouble(&ok);
    if (!ok || value.metaType() == QMetaType::fromType<QString>() || !std::isfinite(volume))
        throw PlayerError(QStringLiteral("%1 sent an unreadable volume.").arg(identity()));
    return std::clamp(int(std::lround(volume * kPercent)), 0, kPercent);
}

void MprisPlayer::SetSoundVolume(int percent)
{
    const double volume = double(std::clamp(percent, 0, kPercent)) / kPercent;
    m_link->writeProperty(MprisConnection::kPlayerInterface, QStringLiteral("Volume"), volume);
}

std::shared_ptr<PlayerTrack> MprisPlayer::CurrentTrack() const
{
    const MprisMetadata metadata = knownMetadata().value_or(MprisMetadata());
    if (!metadata.hasTrack())
        throw PlayerError(QStringLiteral("%1 has no current track.").arg(identity()));
    return std::make_shared<MprisTrack>(m_link, metadata, m_remoteArtwork, m_writer);
}

std::shared_ptr<PlayerPlaylist> MprisPlayer::CurrentPlaylist() const
{
    m_link->ensureAlive();
    return std::make_shared<MprisPlaylist>(m_link, kQueueName);
}

bool MprisPlayer::CanSetShuffle(const std::shared_ptr<PlayerPlaylist>&) const
{
    const auto shuffle = m_link->known(MprisConnection::kPlayerInterface, QStringLiteral("Shuffle"));
    if (!shuffle || shuffle->metaType() != QMetaType::fromType<bool>())
        return false;
    const auto canControl = m_link->known(MprisConnection::kPlayerInterface, QStringLiteral("CanControl"));
    return canControl && canControl->toBool();
}

std::shared_ptr<PlayerSource> MprisPlayer::LibrarySource() const
{
    m_link->ensureAlive();
    return std::make_shared<MprisSource>(m_link);
}

std::shared_ptr<PlayerWindow> MprisPlayer::BrowserWindow() const
{
    m_link->ensureAlive();
    return std::make_shared<MprisWindow>(m_link);
}

std::shared_ptr<PlayerWindows> MprisPlayer::Windows() const
{
    return std::make_shared<ListCollection<PlayerWindow>>(
        std::vector<std::shared_ptr<PlayerWindow>> { BrowserWindow() });
}

void MprisPlayer::Quit()
{
    if (!m_link->allows(MprisConnection::kRootInterface, QStringLiteral("CanQuit")))
        throw PlayerError(QStringLiteral("%1 cannot be told to quit by other programs.").arg(identity()));
    m_link->send([&] { return m_link->root().Quit(); }, QStringLiteral("quit"));
}

PlayerCapabilities MprisPlayer::capabilities() const
{
    const auto metadata = m_link->vanished() ? std::nullopt : knownMetadata();
    return MprisAbilities::of(*m_link, m_writer.get(), metadata && metadata->hasUseCount());
}
