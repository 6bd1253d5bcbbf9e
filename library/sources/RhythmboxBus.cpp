#include "RhythmboxBus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

bool RhythmboxBus::isRunning()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    return bus.interface()->isServiceRegistered(QStringLiteral("org.gnome.Rhythmbox3")).value();
}
