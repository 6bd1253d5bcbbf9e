#include "StatusNotifierHostWatch.h"

#include "statusnotifierwatcherproxy.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace
{
const QString kService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kPath = QStringLiteral("/StatusNotifierWatcher");
// Bounded, so a hung watcher never leaves a question open for good.
constexpr int kCallTimeoutMs = 5000;
}

StatusNotifierHostWatch::StatusNotifierHostWatch(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , m_watcher(kService, bus, QDBusServiceWatcher::WatchForRegistration)
    , m_proxy(new StatusNotifierWatcherProxy(kService, kPath, bus, this))
{
    connect(&m_watcher, &QDBusServiceWatcher::serviceRegistered, this, &StatusNotifierHostWatch::ask);
    connect(m_proxy, &StatusNotifierWatcherProxy::StatusNotifierHostRegistered, this,
        &StatusNotifierHostWatch::hostAppeared);
    ask();
}

void StatusNotifierHostWatch::ask()
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kService << QStringLiteral("IsStatusNotifierHostRegistered");
    auto* call = new QDBusPendingCallWatcher(m_proxy->connection().asyncCall(get, kCallTimeoutMs), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *finished;
        if (!reply.isError() && reply.value().variant().toBool())
            emit hostAppeared();
    });
}
