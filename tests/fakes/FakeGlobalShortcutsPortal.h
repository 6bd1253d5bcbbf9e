#pragma once

#include "../mpris/FakeBusObject.h"
#include "platform/hotkeys/PortalShortcuts.h"

#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QMutex>

// The desktop portal's global shortcuts on a private bus. Like xdg-desktop-portal-kde it answers
// through the Response of the request object handle_token names, binds all it is given ("Desk "
// + the preferred trigger, or bindResponse's refusal) and tells the keys only in ListShortcuts.
class FakeGlobalShortcutsPortal : public FakeBusObject
{
public:
    static inline const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");

    explicit FakeGlobalShortcutsPortal(const QString& busAddress)
        : FakeBusObject(busAddress, QStringLiteral("org.freedesktop.portal.Desktop"), kPath)
    {
        registerPortalShortcuts();
    }
    ~FakeGlobalShortcutsPortal() override { stop(); }

    std::atomic<uint> bindResponse { 0 }; // 1: the user declined, 2: failed
    std::atomic<bool> hasGlobalShortcuts { true };

    // Every BindShortcuts's shortcuts, in order.
    QList<PortalShortcuts> binds() const
    {
        QMutexLocker lock(&m_mutex);
        return m_binds;
    }
    // The desktop reports a press of shortcut id in its latest session.
    void activate(const QString& id) { send("Activated", { id, quint64(0), QVariantMap() }); }
    // The user gives shortcut id other keys in the desktop's settings.
    void reassign(const QString& id, const QString& trigger)
    {
        QMutexLocker lock(&m_mutex);
        for (auto& [name, properties] : m_assigned)
            if (name == id)
                properties.insert("trigger_description", trigger);
        send("ShortcutsChanged", { QVariant::fromValue(m_assigned) });
    }

private:
    void send(const char* member, const QVariantList& args)
    {
        QDBusMessage signal = QDBusMessage::createSignal(kPath, "org.freedesktop.portal.GlobalShortcuts", member);
        QMutexLocker lock(&m_mutex);
        signal.setArguments(QVariantList { QVariant::fromValue(QDBusObjectPath(m_session)) } + args);
        connection().send(signal);
    }

    void handle(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        const QList<QVariant> args = message.arguments();
        if (message.member() == QLatin1String("Get")) {
            connection.send(hasGlobalShortcuts
                    ? message.createReply(QVariant::fromValue(QDBusVariant(2u)))
                    : message.createErrorReply(QDBusError::InvalidArgs, "No such interface"));
            return;
        }
        const QVariantMap options = qdbus_cast<QVariantMap>(args.last());
        const QString caller = kPath + "/%1/" + message.service().mid(1).replace(u'.', u'_') + u'/';
        const QString request = caller.arg("request") + options.value("handle_token").toString();
        connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(request))));
        uint response = 0;
        QVariantMap results;
        QMutexLocker lock(&m_mutex);
        if (message.member() == QLatin1String("CreateSession")) {
            m_session = caller.arg("session") + options.value("session_handle_token").toString();
            results.insert("session_handle", m_session);
        } else if (message.member() == QLatin1String("BindShortcuts")) {
            m_binds.append(qdbus_cast<PortalShortcuts>(args.value(1)));
            m_assigned = m_binds.last();
            for (auto& [id, properties] : m_assigned)
                properties = { { "trigger_description", "Desk " + properties.value("preferred_trigger").toString() } };
            response = bindResponse;
        } else {
            results.insert("shortcuts", QVariant::fromValue(m_assigned));
        }
        connection.send(
            QDBusMessage::createSignal(request, "org.freedesktop.portal.Request", "Response") << response << results);
    }

    mutable QRecursiveMutex m_mutex;
    QString m_session;
    QList<PortalShortcuts> m_binds;
    PortalShortcuts m_assigned;
};
