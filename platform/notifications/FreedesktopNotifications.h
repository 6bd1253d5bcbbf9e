#pragma once

#include "DesktopNotifications.h"

#include <QDBusConnection>

#include <optional>

class NotificationsProxy;
class QDBusPendingCallWatcher;

// Notifications through the desktop's notification server (org.freedesktop.Notifications).
// Calls never wait: a server that is slow or gone costs only the notification.
class FreedesktopNotifications : public DesktopNotifications
{
    Q_OBJECT
public:
    // A picture larger than this is scaled down: the whole of it crosses the bus.
    static constexpr int kMaxPictureSide = 256;

    // A click on the notification itself is offered under actionLabel; an empty label offers none.
    FreedesktopNotifications(const QDBusConnection& bus, const QString& actionLabel, QObject* parent = nullptr);

    void show(const QString& summary, const QString& body, const QImage& picture, int timeoutMs) override;
    void withdraw() override;

private:
    void onActionInvoked(uint id, const QString& action);
    void onNotificationClosed(uint id, uint reason);
    struct Request {
        QString summary;
        QString body;
        QImage picture;
        int timeoutMs;
    };
    void send(const Request& request);
    void answered(QDBusPendingCallWatcher* call);

    NotificationsProxy* m_server;
    const QString m_actionLabel;
    // The server's number for the one on show, which the next replaces; 0 for none.
    uint m_shown = 0;
    // Until the server has numbered the last one, the newest request waits: sent at once it
    // would stand beside it instead of replacing it.
    bool m_waiting = false;
    std::optional<Request> m_next;
    // Withdrawn before the server had numbered it: closed as soon as it is.
    bool m_withdrawn = false;
};
