#include "MprisPlayerBackend.h"

#include "MprisPlayer.h"
#include "player/extras/ExtrasStore.h"

#include <QDBusMessage>
#include <QDBusVariant>

const QString MprisPlayerBackend::kBusPrefix = QStringLiteral("org.mpris.MediaPlayer2.");

MprisPlayerBackend::MprisPlayerBackend(
    const QString& playerName, const QDBusConnection& bus, int timeoutMs, const QString& extrasPath)
    : m_playerName(playerName.trimmed())
    , m_bus(bus)
    , m_timeoutMs(timeoutMs)
    , m_extras(std::make_shared<ExtrasStore>(extrasPath.isEmpty() ? ExtrasStore::defaultPath() : extrasPath))
{
}

std::optional<QStringList> MprisPlayerBackend::mprisServices() const
{
    if (!m_bus.isConnected())
        return std::nullopt;
    const QDBusMessage request = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListNames"));
    const QDBusMessage reply = m_bus.call(request, QDBus::Block, m_timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    QStringList services;
    for (const QString& name : reply.arguments().constFirst().toStringList()) {
        if (name.startsWith(kBusPrefix) && name.size() > kBusPrefix.size())
            services.append(name);
    }
    services.sort();
    return services;
}

bool MprisPlayerBackend::isPlaying(const QString& service) const
{
    QDBusMessage request = QDBusMessage::createMethodCall(service, MprisConnection::kObjectPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    request << MprisConnection::kPlayerInterface << QStringLiteral("PlaybackStatus");
    const QDBusMessage reply = m_bus.call(request, QDBus::Block, m_timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    return reply.arguments().constFirst().value<QDBusVariant>().variant().toString() == QLatin1String("Playing");
}

QString MprisPlayerBackend::playerName() const
{
    return m_choice ? m_choice->pinnedName().trimmed() : m_playerName;
}

QString MprisPlayerBackend::chooseService() const
{
    if (m_choice)
        return m_choice->activeService();
    const std::optional<QStringList> services = mprisServices();
    if (!services)
        return QString();
    QStringList candidates;
    for (const QString& service : *services) {
        if (service.mid(kBusPrefix.size()).contains(m_playerName, Qt::CaseInsensitive))
            candidates.append(service);
    }
    for (const QString& service : candidates) {
        if (isPlaying(service))
            return service;
    }
    return candidates.isEmpty() ? QString() : candidates.first();
}

QString MprisPlayerBackend::executableName() const
{
    const QString pinned = playerName();
    if (!pinned.isEmpty() && !followsChoice())
        return pinned.toLower();
    const QString chosen = chooseService();
    // An empty name would match every other player while the pinned one is away.
    return chosen.isEmpty() ? pinned.toLower() : chosen.mid(kBusPrefix.size()).toLower();
}

std::optional<QStringList> MprisPlayerBackend::runningExecutables() const
{
    std::optional<QStringList> services = mprisServices();
    if (services) {
        for (QString& service : *services)
            service.remove(0, kBusPrefix.size());
    }
    return services;
}

std::shared_ptr<PlayerApplication> MprisPlayerBackend::createApplication()
{
    const QString service = chooseService();
    if (service.isEmpty()) {
        m_lastError = whyNone();
        return nullptr;
    }
    m_lastError.clear();
    if (std::shared_ptr<MprisPlayer> player = m_player.lock();
        player && !player->hasVanished() && player->busName() == service)
        return player;
    auto player = std::make_shared<MprisPlayer>(
        m_bus, service, m_timeoutMs, m_choice ? m_choice->heard(service) : QHash<QString, QVariantMap>(), m_extras);
    m_player = player;
    return player;
}

QString MprisPlayerBackend::whyNone() const
{
    if (!m_bus.isConnected())
        return QStringLiteral("Bolvin cannot reach the desktop's session bus, where media players are found.");
    if (const QString pinned = playerName(); !pinned.isEmpty())
        return QStringLiteral("Waiting for %1 to start.").arg(pinned);
    return QStringLiteral("No media player is running. Start one (mpv, VLC, Rhythmbox, Strawberry, a web browser…) and "
                          "Bolvin follows it.");
}

QString MprisPlayerBackend::lastError() const
{
    // A followed choice knows at once, so the reason is there before any attempt to attach.
    if (followsChoice())
        return chooseService().isEmpty() ? whyNone() : QString();
    return m_lastError;
}

QString MprisPlayerBackend::rejectionReason(PlayerApplication& player) const
{
    const auto* mpris = qobject_cast<MprisPlayer*>(&player);
    if (!mpris || mpris->implementsPlayer())
        return QString();
    return mpris->identity()
        + QStringLiteral(" is not compatible with this version of Bolvin: it does not offer the "
                         "media player controls Bolvin needs.");
}

QString MprisPlayerBackend::identity() const
{
    const QString chosen = followsChoice() ? chooseService() : QString();
    if (const std::shared_ptr<MprisPlayer> player = m_player.lock();
        player && !player->hasVanished() && (!followsChoice() || chosen == player->busName()))
        return player->identity();
    if (const QString name = m_choice ? m_choice->activeName() : QString(); !name.isEmpty())
        return name;
    const QString pinned = playerName();
    return pinned.isEmpty() ? QStringLiteral("your media player") : pinned;
}
