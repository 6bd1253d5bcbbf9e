#include "MprisPlayerChooser.h"

#include "player/mpris/MprisPlayerBackend.h"

#include "dbuspropertiesproxy.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace
{
const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kRootInterface = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kPlaylistsInterface = QStringLiteral("org.mpris.MediaPlayer2.Playlists");
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
    for (const QString& id : m_rule.players() + m_examining)
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

QHash<QString, QVariantMap> MprisPlayerChooser::heard(const QString& service) const
{
    return isPlayerName(service) ? m_heard.value(idOf(service)) : QHash<QString, QVariantMap>();
}

void MprisPlayerChooser::add(const QString& service)
{
    const QString id = idOf(service);
    if (m_names.contains(id))
        return;
    m_names.insert(id, id);
    auto watch = std::make_unique<DBusPropertiesProxy>(service, kPath, m_bus);
    connect(watch.get(), &DBusPropertiesProxy::PropertiesChanged, this,
        [this, id](const QString& interface, const QVariantMap& changed, const QStringList& gone) {
            onChanged(id, interface, changed, gone);
        });
    m_statusWatches[id] = std::move(watch);
    // Players answer in turn: once the player interface is in, so is the rest.
    for (const QString& interface : { kRootInterface, kPlaylistsInterface, kPlayerInterface })
        ask(id, interface);
    m_examining.append(id);
    emit playersChanged();
}

void MprisPlayerChooser::ask(const QString& id, const QString& interface)
{
    QDBusMessage getAll = QDBusMessage::createMethodCall(MprisPlayerBackend::kBusPrefix + id, kPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
    getAll << interface;
    DBusPropertiesProxy* asked = m_statusWatches[id].get();
    auto* call = new QDBusPendingCallWatcher(m_bus.asyncCall(getAll, m_timeoutMs), this);
    connect(
        call, &QDBusPendingCallWatcher::finished, this, [this, id, interface, asked](QDBusPendingCallWatcher* done) {
            done->deleteLater();
            // The player may have gone (or come back as another) meanwhile.
            const auto watch = m_statusWatches.find(id);
            if (watch == m_statusWatches.end() || watch->second.get() != asked)
                return;
            const QDBusPendingReply<QVariantMap> reply = *done;
            const QDBusError::ErrorType error = reply.isError() ? reply.error().type() : QDBusError::NoError;
            // A player without the interface has answered all the same.
            if (error == QDBusError::NoError || error == QDBusError::UnknownInterface
                || error == QDBusError::InvalidArgs)
                onAnswer(id, interface, reply.isError() ? QVariantMap() : reply.value());
            // The choice hears of a player once it is known, or known not to answer.
            if (interface == kPlayerInterface && m_examining.removeAll(id)) {
                const QVariant status = m_heard.value(id).value(kPlayerInterface).value(kPlaybackStatus);
                report(m_rule.appeared(id, status.toString() == kPlaying));
            }
        });
}

void MprisPlayerChooser::onAnswer(const QString& id, const QString& interface, const QVariantMap& values)
{
    m_heard[id].insert(interface, values);
    onChanged(id, interface, values, {});
}

void MprisPlayerChooser::remove(const QString& service)
{
    const QString id = idOf(service);
    if (!m_names.remove(id))
        return;
    m_statusWatches.erase(id);
    m_heard.remove(id);
    m_examining.removeAll(id);
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

void MprisPlayerChooser::onChanged(
    const QString& id, const QString& interface, const QVariantMap& changed, const QStringList& gone)
{
    if (const auto heard = m_heard.find(id); heard != m_heard.end() && heard->contains(interface)) {
        QVariantMap& kept = (*heard)[interface];
        for (auto it = changed.begin(); it != changed.end(); ++it)
            kept.insert(it.key(), it.value());
        // Announced without its value: no longer known.
        for (const QString& name : gone)
            kept.remove(name);
    }
    if (interface == kRootInterface) {
        if (const QString name = changed.value(QStringLiteral("Identity")).toString(); !name.isEmpty()) {
            m_names.insert(id, name);
            emit playersChanged();
        }
        return;
    }
    const auto status = changed.constFind(kPlaybackStatus);
    if (interface != kPlayerInterface || m_examining.contains(id) || status == changed.constEnd()
        || status->metaType() != QMetaType::fromType<QString>())
        return;
    report(m_rule.statusChanged(id, status->toString() == kPlaying));
}

void MprisPlayerChooser::report(bool activeMoved)
{
    if (activeMoved)
        emit activeChanged();
}
