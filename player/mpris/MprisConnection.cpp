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

bool MprisConnection::keep(const QString& interface)
{
    ensureAlive();
    QDBusPendingReply<QVariantMap> reply = m_properties->GetAll(interface);
    reply.waitForFinished();
    if (reply.isError())
        return false;
    m_keptInterface = interface;
    m_kept = reply.value();
    m_forgotten.clear();
    return true;
}

void MprisConnection::remember(const QString& interface, const QVariantMap& values)
{
    if (interface != m_keptInterface)
        return;
    for (auto it = values.begin(); it != values.end(); ++it) {
        m_kept.insert(it.key(), it.value());
        m_forgotten.remove(it.key());
    }
}

void MprisConnection::forget(const QString& interface, const QString& name) const
{
    if (interface == m_keptInterface)
        m_forgotten.insert(name);
}

std::optional<QVariant> MprisConnection::known(const QString& interface, const QString& name) const
{
    ensureAlive();
    if (interface == m_keptInterface && !m_forgotten.contains(name)) {
        const auto value = m_kept.constFind(name);
        return value == m_kept.cend() ? std::nullopt : std::optional<QVariant>(*value);
    }
    std::optional<QVariant> value;
    try {
        value = offeredProperty(interface, name);
    } catch (const PlayerError&) {
        // Not answered: the copy stays forgotten, to be asked again next time.
        return std::nullopt;
    }
    if (interface == m_keptInterface) {
        m_forgotten.remove(name);
        if (value)
            m_kept.insert(name, *value);
        else
            m_kept.remove(name);
    }
    return value;
}

void MprisConnection::setProperty(const QString& interface, const QString& name, const QVariant& value) const
{
    ensureAlive();
    // Players may refuse or adjust a change without saying so: ask rather than assume.
    forget(interface, name);
    finish(m_properties->Set(interface, name, QDBusVariant(value)), QStringLiteral("change its %1").arg(name));
}

void MprisConnection::finish(QDBusPendingCall call, const QString& action) const
{
    call.waitForFinished();
    if (call.isError())
        throw PlayerError(reason(call.error(), action));
}
