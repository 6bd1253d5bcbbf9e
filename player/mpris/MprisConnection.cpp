#include "MprisConnection.h"

#include "player/PlayerError.h"

#include "dbuspropertiesproxy.h"
#include "mprisplayerproxy.h"
#include "mprisplaylistsproxy.h"
#include "mprisrootproxy.h"

#include <QDBusPendingCallWatcher>
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

void MprisConnection::ensureAnswering() const
{
    ensureAlive();
    if (!m_silent)
        return;
    auto* probe = new QDBusPendingCallWatcher(m_properties->Get(kRootInterface, QStringLiteral("Identity")), &m_calls);
    QObject::connect(probe, &QDBusPendingCallWatcher::finished, &m_calls, [this](QDBusPendingCallWatcher* done) {
        done->deleteLater();
        heard(done->error());
    });
    throw PlayerError(QStringLiteral("%1 is not answering.").arg(m_displayName));
}

void MprisConnection::heard(const QDBusError& error) const
{
    switch (error.type()) {
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        m_silent = true;
        break;
    default:
        m_silent = false;
    }
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
    ensureAnswering();
    QDBusPendingReply<QDBusVariant> reply = m_properties->Get(interface, name);
    reply.waitForFinished();
    heard(reply.error());
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

void MprisConnection::keep(const QString& interface)
{
    ensureAlive();
    ask(interface);
}

void MprisConnection::ask(const QString& interface) const
{
    if (m_answers.value(interface) == Answer::Asking)
        return;
    m_answers.insert(interface, Answer::Asking);
    auto* watcher = new QDBusPendingCallWatcher(m_properties->GetAll(interface), &m_calls);
    QObject::connect(
        watcher, &QDBusPendingCallWatcher::finished, &m_calls, [this, interface](QDBusPendingCallWatcher* call) {
            call->deleteLater();
            const QDBusPendingReply<QVariantMap> reply = *call;
            heard(reply.error());
            if (!reply.isError()) {
                m_kept.insert(interface, reply.value());
            } else if (reply.error().type() == QDBusError::UnknownInterface
                || reply.error().type() == QDBusError::InvalidArgs) {
                // An answer all the same: the player has nothing there.
                m_kept.insert(interface, {});
            } else {
                m_answers.insert(interface, Answer::Unanswered);
                return;
            }
            m_answers.insert(interface, Answer::Kept);
            if (m_onKept)
                m_onKept(interface);
        });
}

void MprisConnection::seed(const QString& interface, const QVariantMap& values)
{
    m_kept.insert(interface, values);
    m_answers.insert(interface, Answer::Kept);
}

void MprisConnection::remember(const QString& interface, const QVariantMap& values) const
{
    // An announcement is an answer too.
    m_silent = false;
    if (!answered(interface))
        return;
    QVariantMap& kept = m_kept[interface];
    for (auto it = values.begin(); it != values.end(); ++it)
        kept.insert(it.key(), it.value());
}

std::optional<QVariant> MprisConnection::known(const QString& interface, const QString& name) const
{
    ensureAlive();
    switch (m_answers.value(interface)) {
    case Answer::Kept: {
        const QVariantMap& kept = m_kept[interface];
        const auto value = kept.constFind(name);
        return value == kept.cend() ? std::nullopt : std::optional<QVariant>(*value);
    }
    case Answer::None:
    case Answer::Unanswered:
        ask(interface);
        return std::nullopt;
    case Answer::Asking:
        break;
    }
    return std::nullopt;
}

bool MprisConnection::allows(const QString& interface, const QString& name) const
{
    if (!answered(interface))
        return true;
    const auto value = known(interface, name);
    return value && value->toBool();
}

std::optional<QVariant> MprisConnection::reread(const QString& interface, const QString& name) const
{
    std::optional<QVariant> value;
    try {
        value = offeredProperty(interface, name);
    } catch (const PlayerError&) {
        return std::nullopt;
    }
    if (answered(interface)) {
        if (value)
            m_kept[interface].insert(name, *value);
        else
            m_kept[interface].remove(name);
    }
    return value;
}

void MprisConnection::setProperty(const QString& interface, const QString& name, const QVariant& value) const
{
    ensureAlive();
    finish(m_properties->Set(interface, name, QDBusVariant(value)), QStringLiteral("change its %1").arg(name));
}

void MprisConnection::writeProperty(const QString& interface, const QString& name, const QVariant& value) const
{
    ensureAlive();
    remember(interface, { { name, value } });
    const QString action = QStringLiteral("change its %1").arg(name);
    auto* watcher = new QDBusPendingCallWatcher(m_properties->Set(interface, name, QDBusVariant(value)), &m_calls);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &m_calls,
        [this, interface, name, action](QDBusPendingCallWatcher* call) {
            call->deleteLater();
            heard(call->error());
            if (call->isError()) {
                fail(call->error(), action);
                if (call->error().type() == QDBusError::NoReply)
                    return;
            }
            // Players may refuse or adjust a change without saying so: ask what they did.
            auto* readBack = new QDBusPendingCallWatcher(m_properties->Get(interface, name), &m_calls);
            QObject::connect(readBack, &QDBusPendingCallWatcher::finished, &m_calls,
                [this, interface, name](QDBusPendingCallWatcher* read) {
                    read->deleteLater();
                    const QDBusPendingReply<QDBusVariant> reply = *read;
                    heard(reply.error());
                    if (!reply.isError())
                        remember(interface, { { name, reply.value().variant() } });
                });
        });
}

void MprisConnection::finish(QDBusPendingCall call, const QString& action) const
{
    ensureAnswering();
    call.waitForFinished();
    heard(call.error());
    if (call.isError())
        throw PlayerError(reason(call.error(), action));
}

void MprisConnection::watch(QDBusPendingCall call, const QString& action) const
{
    auto* watcher = new QDBusPendingCallWatcher(call, &m_calls);
    QObject::connect(
        watcher, &QDBusPendingCallWatcher::finished, &m_calls, [this, action](QDBusPendingCallWatcher* done) {
            done->deleteLater();
            heard(done->error());
            if (done->isError())
                fail(done->error(), action);
        });
}

void MprisConnection::fail(const QDBusError& error, const QString& action) const
{
    const QString why = reason(error, action);
    qWarning("%s", qPrintable(why));
    if (m_onFailure)
        m_onFailure(why);
}
