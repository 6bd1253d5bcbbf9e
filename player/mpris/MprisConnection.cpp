#include "MprisConnection.h"

#include "player/PlayerError.h"

#include "dbuspropertiesproxy.h"
#include "mprisplayerproxy.h"
#include "mprisplaylistsproxy.h"
#include "mprisrootproxy.h"

#include <QDBusPendingReply>

const QString MprisConnection::kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString MprisConnection::kRootInterface = QStringLiteral("org.mpris.MediaPlayer2");
const QString MprisConnection::kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString MprisConnection::kPlaylistsInterface = QStringLiteral("org.mpris.MediaPlayer2.Playlists");

namespace
{
template <typename Proxy>
std::unique_ptr<Proxy> makeProxy(const QDBusConnection& bus, const QString& service, int timeoutMs)
{
    auto proxy = std::make_unique<Proxy>(service, MprisConnection::kObjectPath, bus);
    proxy->setTimeout(timeoutMs);
    return proxy;
}
}

MprisConnection::MprisConnection(const QDBusConnection& bus, const QString& service, int timeoutMs)
    : m_bus(bus)
    , m_service(service)
    , m_timeoutMs(timeoutMs)
    , m_displayName(service.section(QLatin1Char('.'), 3))
    , m_root(makeProxy<MprisRootProxy>(bus, service, timeoutMs))
    , m_player(makeProxy<MprisPlayerProxy>(bus, service, timeoutMs))
    , m_playlists(makeProxy<MprisPlaylistsProxy>(bus, service, timeoutMs))
    , m_properties(makeProxy<DBusPropertiesProxy>(bus, service, timeoutMs))
{
}

MprisConnection::~MprisConnection() = default;

void MprisConnection::ensureAlive() const
{
    if (m_vanished)
        throw PlayerError(QStringLiteral("%1 has quit.").arg(m_displayName));
}

QString MprisConnection::reason(const QDBusError& error, const QString& action) const
{
    switch (error.type()) {
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        return QStringLiteral("%1 did not answer in time when asked to %2.").arg(m_displayName, action);
    case QDBusError::ServiceUnknown:
    case QDBusError::Disconnected:
        return QStringLiteral("%1 has quit.").arg(m_displayName);
    default:
        return QStringLiteral("%1 could not %2: %3").arg(m_displayName, action, error.message());
    }
}

QVariant MprisConnection::property(const QString& interface, const QString& name) const
{
    if (std::optional<QVariant> value = offeredProperty(interface, name))
        return *std::move(value);
    throw PlayerError(QStringLiteral("%1 has no %2.").arg(m_displayName, name));
}

std::optional<QVariant> MprisConnection::offeredProperty(const QString& interface, const QString& name) const
{
    ensureAlive();
    QDBusPendingReply<QDBusVariant> reply = m_properties->Get(interface, name);
    reply.waitForFinished();
    if (!reply.isError())
        return reply.value().variant();
    switch (reply.error().type()) {
    case QDBusError::InvalidArgs:
    case QDBusError::UnknownProperty:
    case QDBusError::UnknownInterface:
        return std::nullopt;
    default:
        throw PlayerError(reason(reply.error(), QStringLiteral("tell its %1").arg(name)));
    }
}

std::optional<QVariant> MprisConnection::optionalProperty(const QString& interface, const QString& name) const
{
    try {
        return property(interface, name);
    } catch (const PlayerError&) {
        return std::nullopt;
    }
}

void MprisConnection::setProperty(const QString& interface, const QString& name, const QVariant& value) const
{
    ensureAlive();
    finish(m_properties->Set(interface, name, QDBusVariant(value)), QStringLiteral("change its %1").arg(name));
}

void MprisConnection::finish(QDBusPendingCall call, const QString& action) const
{
    call.waitForFinished();
    if (call.isError())
        throw PlayerError(reason(call.error(), action));
}
