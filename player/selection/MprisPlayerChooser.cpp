#include "MprisPlayerChooser.h"

#include "player/mpris/MprisPlayerBackend.h"

#include "dbuspropertiesproxy.h"

#include <QDBusMessage>
#include <QDBusVariant>

namespace {
const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kRootInterface = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kPlaybackStatus = QStringLiteral("PlaybackStatus");
const QString kPlaying = QStringLiteral("Playing");
// Every name below org.mpris.MediaPlayer2 (a watched name ending in '*' is a namespace).
const QString kNamespace = QStringLiteral("org.mpris.MediaPlayer2*");

bool isPlayerName(const QString& name)
{
    return name.startsWith(MprisPlayerBackend::kBusPrefix) && name.size() > MprisPlayerBackend::kBusPrefix.size();
}

QString idOf(const QString& service)
{
    return service.mid(MprisPlayerBackend::kBusPrefix.size());
}
}

MprisPlayerChooser::MprisPlayerChooser(
    const QDBusConnection& bus, int timeoutMs, const QString& pinnedName, QObject* parent)
    : PlayerChooser(parent)
    , m_bus(bus)
    , m_timeoutMs(timeoutMs)
    , m_watcher(kNamespace, bus, QDBusServiceWatcher::WatchForOwnerChange)
{
    m_rule.pin(pinnedName);
    connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &MprisPlayerChooser::onOwnerChanged);
    const QDBusMessage request = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListNames"));
    const QDBusMessage reply = m_bus.call(request, QDBus::Block, m_timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return;
    for (const QString& name : reply.arguments().constFirst().toStringList())
        if (isPlayerName(name))
            add(name);
}

MprisPlayerChooser::~MprisPlayerChooser() = default;

QList<PlayerChooser::Entry> MprisPlayerChooser::players() const
{
    QList<Entry> entries;
    for (const QString& id : m_rule.players())
        entries.append({ id, m_names.value(id, id) });
    return entries;
}

QString MprisPlayerChooser::activeId() const
{
    return m_rule.active();
}

QString MprisPlayerChooser::activeService() const
{
    const QString id = activeId();
    return id.isEmpty() ? QString() : MprisPlayerBackend::kBusPrefix + id;
}

QString MprisPlayerChooser::activeName() const
{
    return m_names.value(activeId());
}

void MprisPlayerChooser::pin(const QString& id)
{
    report(m_rule.pin(id));
    emit pinned(id);
}

void MprisPlayerChooser::add(const QString& service)
{
    const QString id = idOf(service);
    if (m_names.contains(id))
        return;
    const QVariant identity = property(service, kRootInterface, QStringLiteral("Identity"));
    m_names.insert(id, identity.toString().isEmpty() ? id : identity.toString());
    auto watch = std::make_unique<DBusPropertiesProxy>(service, kPath, m_bus);
    connect(watch.get(), &DBusPropertiesProxy::PropertiesChanged, this,
        [this, id](const QString&, const QVariantMap& changed, const QStringList&) { onStatusChanged(id, changed); });
    m_statusWatches[id] = std::move(watch);
    const bool playing = property(service, kPlayerInterface, kPlaybackStatus).toString() == kPlaying;
    report(m_rule.appeared(id, playing));
    emit playersChanged();
}

void MprisPlayerChooser::remove(const QString& service)
{
    const QString id = idOf(service);
    if (!m_names.remove(id))
        return;
    m_statusWatches.erase(id);
    report(m_rule.vanished(id));
    emit playersChanged();
}

void MprisPlayerChooser::onOwnerChanged(const QString& service, const QString& oldOwner, const QString& newOwner)
{
    if (!isPlayerName(service))
        return;
    if (!oldOwner.isEmpty())
        remove(service);
    if (!newOwner.isEmpty())
        add(service);
}

void MprisPlayerChooser::onStatusChanged(const QString& id, const QVariantMap& changed)
{
    const auto status = changed.constFind(kPlaybackStatus);
    if (status == changed.constEnd() || status->metaType() != QMetaType::fromType<QString>())
        return;
    report(m_rule.statusChanged(id, status->toString() == kPlaying));
}

QVariant MprisPlayerChooser::property(const QString& service, const QString& interface, const QString& name) const
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        service, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << interface << name;
    const QDBusMessage reply = m_bus.call(get, QDBus::Block, m_timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return QVariant();
    return reply.arguments().constFirst().value<QDBusVariant>().variant();
}

void MprisPlayerChooser::report(bool activeMoved)
{
    if (activeMoved)
        emit activeChanged();
}
