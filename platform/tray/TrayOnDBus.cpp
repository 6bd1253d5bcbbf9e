#include "TrayOnDBus.h"

#include <QDBusInterface>

bool trayOnDBus()
{
    static const bool onDBus = [] {
        const QString watcherName = QStringLiteral("org.kde.StatusNotifierWatcher");
        QDBusInterface watcher(watcherName, QStringLiteral("/StatusNotifierWatcher"), watcherName);
        return watcher.isValid() && watcher.property("IsStatusNotifierHostRegistered").toBool();
    }();
    return onDBus;
}
