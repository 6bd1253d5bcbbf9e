#pragma once

#include <QImage>
#include <QObject>
#include <QString>

// The desktop's own notifications: one at a time, each replacing the last. Tests use
// FakeDesktopNotifications.
class DesktopNotifications : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Shows summary, body and picture (may be null) in place of the last one shown, if that
    // is still up. A timeout of -1 leaves it to the desktop, 0 keeps it until closed.
    virtual void show(const QString& summary, const QString& body, const QImage& picture, int timeoutMs) = 0;
    // Takes the last one shown away, if it is still up.
    virtual void withdraw() = 0;

signals:
    // The user clicked the notification itself.
    void activated();
};
