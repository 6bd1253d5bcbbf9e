#pragma once

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>

class StatusNotifierWatcherProxy;

// Tells when a tray host on D-Bus (a StatusNotifier host, as KDE's panel or GNOME's
// AppIndicator extension run) is there: at once if it already is, or when it comes. Nothing
// waits on the bus.
class StatusNotifierHostWatch : public QObject
{
    Q_OBJECT
public:
    explicit StatusNotifierHostWatch(const QDBusConnection& bus, QObject* parent = nullptr);

signals:
    void hostAppeared();

private:
    void ask();

    QDBusServiceWatcher m_watcher;
    StatusNotifierWatcherProxy* m_proxy;
};
