#include "PortalHotKeyRegistrar.h"

#include "PortalTrigger.h"
#include "portalglobalshortcutsproxy.h"
#include "portalrequestproxy.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

#include <utility>

namespace
{
const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");

enum PortalResponse : uint { Success = 0, Cancelled = 1 };

bool refuse(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}
}

PortalHotKeyRegistrar::PortalHotKeyRegistrar(const QDBusConnection& bus, QObject* parent)
    : HotKeyRegistrar(parent)
    , m_bus(bus)
{
    registerPortalShortcuts();
    // Registrations made in one pass of the event loop go to the desktop together.
    m_batch.setSingleShot(true);
    m_batch.setInterval(0);
    connect(&m_batch, &QTimer::timeout, this, &PortalHotKeyRegistrar::sync);
}

PortalHotKeyRegistrar::~PortalHotKeyRegistrar()
{
    blockSignals(true);
    closeSession();
}

bool PortalHotKeyRegistrar::portalOn(const QDBusConnection& bus)
{
    const QDBusConnectionInterface* daemon = bus.isConnected() ? bus.interface() : nullptr;
    return daemon
        && (daemon->isServiceRegistered(kService).value()
            || daemon->activatableServiceNames().value().contains(kService));
}

bool PortalHotKeyRegistrar::isAvailable() const
{
    return m_unavailable.isEmpty();
}

bool PortalHotKeyRegistrar::registerHotKey(int id, int modifiers, int virtualKey, QString* error)
{
    unregisterHotKey(id);
    if (!m_unavailable.isEmpty())
        return refuse(error, m_unavailable);
    const std::optional<QString> trigger = portalTrigger(modifiers, virtualKey);
    if (!trigger)
        return refuse(error, QStringLiteral("Key code %1 has no equivalent on this desktop.").arg(virtualKey));
    for (auto it = m_wanted.cbegin(); it != m_wanted.cend(); ++it) {
        if (it.value() == *trigger)
            return refuse(error, QStringLiteral("The key combination is already hotkey %1.").arg(it.key()));
    }
    m_wanted.insert(id, *trigger);
    m_batch.start();
    return true;
}

void PortalHotKeyRegistrar::unregisterHotKey(int id)
{
    if (m_wanted.remove(id))
        m_batch.start();
}

void PortalHotKeyRegistrar::describeHotKey(int id, const QString& name, const QString& description)
{
    m_names.insert(id, { name, description });
}

QString PortalHotKeyRegistrar::assignedTrigger(int id) const
{
    return m_assigned.value(id);
}

void PortalHotKeyRegistrar::sync()
{
    if (m_busy) {
        m_dirty = true;
        return;
    }
    const bool settled = m_wanted == m_bound && (m_session.isEmpty() || !m_bound.isEmpty());
    if (settled || !m_unavailable.isEmpty())
        return;
    m_busy = true;
    if (!m_portal) {
        probe();
        return;
    }
    // A session binds once; a changed set of hotkeys gets a session of its own.
    closeSession();
    if (m_wanted.isEmpty())
        done();
    else
        createSession();
}

void PortalHotKeyRegistrar::probe()
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QString::fromLatin1(PortalGlobalShortcutsProxy::staticInterfaceName()) << QStringLiteral("version");
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(get, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *watcher;
        const QDBusError::ErrorType error = reply.isError() ? reply.error().type() : QDBusError::NoError;
        if (error == QDBusError::NoReply || error == QDBusError::Timeout) {
            fail(QStringLiteral("The desktop portal did not answer; the hotkeys are not bound."));
        } else if (error != QDBusError::NoError || reply.value().variant().toUInt() < 1) {
            m_unavailable = QStringLiteral("This desktop offers no global shortcuts.");
            fail(m_unavailable);
        } else {
            connectPortal();
            m_busy = false;
            sync();
        }
    });
}

void PortalHotKeyRegistrar::connectPortal()
{
    m_portal = new PortalGlobalShortcutsProxy(kService, kPath, m_bus, this);
    m_portal->setTimeout(kCallTimeoutMs);
    connect(m_portal, &PortalGlobalShortcutsProxy::Activated, this,
        [this](const QDBusObjectPath& session, const QString& shortcut, qulonglong, const QVariantMap&) {
            // A hotkey unregistered since the session was bound stays silent.
            for (auto it = m_bound.cbegin(); session.path() == m_session && it != m_bound.cend(); ++it) {
                if (nameOf(it.key()) == shortcut && m_wanted.contains(it.key()))
                    return emit hotKeyPressed(it.key());
            }
        });
    connect(m_portal, &PortalGlobalShortcutsProxy::ShortcutsChanged, this,
        [this](const QDBusObjectPath& session, const PortalShortcuts& shortcuts) {
            if (session.path() == m_session)
                assign(shortcuts);
        });
}

void PortalHotKeyRegistrar::createSession()
{
    const QString sessionToken = nextToken();
    request(
        [this, sessionToken](QVariantMap options) {
            options.insert(QStringLiteral("session_handle_token"), sessionToken);
            return m_portal->CreateSession(options);
        },
        [this](const QVariantMap& results) {
            // Documented as a string, sent as an object path by some portals.
            const QVariant handle = results.value(QStringLiteral("session_handle"));
            m_session = handle.metaType() == QMetaType::fromType<QDBusObjectPath>()
                ? handle.value<QDBusObjectPath>().path()
                : handle.toString();
            if (m_session.isEmpty())
                fail(QStringLiteral("The desktop opened no session for the hotkeys."));
            else
                bind();
        });
}

void PortalHotKeyRegistrar::bind()
{
    PortalShortcuts shortcuts;
    for (auto it = m_wanted.cbegin(); it != m_wanted.cend(); ++it) {
        const auto named = m_names.value(it.key(), { nameOf(it.key()), QStringLiteral("Hotkey %1").arg(it.key()) });
        shortcuts.append({ nameOf(it.key()),
            { { QStringLiteral("description"), named.second }, { QStringLiteral("preferred_trigger"), it.value() } } });
    }
    request(
        [this, shortcuts](const QVariantMap& options) {
            return m_portal->BindShortcuts(QDBusObjectPath(m_session), shortcuts, QString(), options);
        },
        [this, sent = m_wanted](const QVariantMap& results) {
            m_bound = sent;
            const QVariant bound = results.value(QStringLiteral("shortcuts"));
            if (!bound.isValid())
                return list();
            assign(qdbus_cast<PortalShortcuts>(bound));
            done();
        });
}

void PortalHotKeyRegistrar::list()
{
    request([this](const QVariantMap& options) { return m_portal->ListShortcuts(QDBusObjectPath(m_session), options); },
        [this](const QVariantMap& results) {
            assign(qdbus_cast<PortalShortcuts>(results.value(QStringLiteral("shortcuts"))));
            done();
        });
}

void PortalHotKeyRegistrar::closeSession()
{
    if (!m_session.isEmpty()) {
        m_bus.send(QDBusMessage::createMethodCall(
            kService, m_session, QStringLiteral("org.freedesktop.portal.Session"), QStringLiteral("Close")));
    }
    m_session.clear();
    m_bound.clear();
    assign({});
}

void PortalHotKeyRegistrar::request(const Call& call, Answer answered)
{
    // The answer comes as a signal of a request object whose path the token decides: it is
    // watched before the call goes out, so a quick answer is not missed.
    const QString token = nextToken();
    const QString sender = m_bus.baseService().mid(1).replace(u'.', u'_');
    watchRequest(QStringLiteral("%1/request/%2/%3").arg(kPath, sender, token), answered);
    auto* watcher = new QDBusPendingCallWatcher(call({ { QStringLiteral("handle_token"), token } }), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, answered] {
        watcher->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        if (reply.isError())
            fail(QStringLiteral("The desktop portal refused the hotkeys: %1").arg(reply.error().message()));
        else if (m_request && reply.value().path() != m_request->path())
            watchRequest(reply.value().path(), answered); // an older portal chose the path itself
    });
}

void PortalHotKeyRegistrar::watchRequest(const QString& path, const Answer& answered)
{
    // Replaced from inside its own signal: deleted later, not now.
    if (m_request)
        m_request->deleteLater();
    m_request = new PortalRequestProxy(kService, path, m_bus, this);
    connect(
        m_request, &PortalRequestProxy::Response, this, [this, answered](uint response, const QVariantMap& results) {
            if (response == PortalResponse::Success)
                answered(results);
            else if (response == PortalResponse::Cancelled)
                fail(QStringLiteral("The hotkeys were declined at the desktop's prompt."));
            else
                fail(QStringLiteral("The desktop could not bind the hotkeys."));
        });
}

void PortalHotKeyRegistrar::done()
{
    m_busy = false;
    if (std::exchange(m_dirty, false))
        sync();
}

void PortalHotKeyRegistrar::fail(const QString& error)
{
    // Retried at the next registration, not at once: the user may just have said no.
    m_busy = false;
    m_dirty = false;
    m_bound.clear();
    emit registrationFailed(error);
}

void PortalHotKeyRegistrar::assign(const PortalShortcuts& shortcuts)
{
    QMap<int, QString> assigned;
    for (const auto& [name, properties] : shortcuts) {
        if (const std::optional<int> id = idOf(name))
            assigned.insert(*id, properties.value(QStringLiteral("trigger_description")).toString());
    }
    if (assigned != m_assigned) {
        m_assigned = assigned;
        emit assignmentsChanged();
    }
}

QString PortalHotKeyRegistrar::nameOf(int id) const
{
    return m_names.contains(id) ? m_names.value(id).first : QStringLiteral("hotkey-%1").arg(id);
}

std::optional<int> PortalHotKeyRegistrar::idOf(const QString& name) const
{
    for (auto it = m_bound.cbegin(); it != m_bound.cend(); ++it) {
        if (nameOf(it.key()) == name)
            return it.key();
    }
    return std::nullopt;
}

QString PortalHotKeyRegistrar::nextToken()
{
    return QStringLiteral("bolvin%1").arg(++m_tokens);
}
