#pragma once

#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariantMap>

// The desktop portal's list of shortcuts, a(sa{sv}): each shortcut's id and properties.
using PortalShortcuts = QList<QPair<QString, QVariantMap>>;

// Lets D-Bus carry the portal's signals and PortalShortcuts. Qt finds a signal's argument
// types by name, and knows a name only once its type is registered: the alias, and the
// object path, which nothing may have used yet when the first signal is connected.
inline void registerPortalShortcuts()
{
    qDBusRegisterMetaType<PortalShortcuts::value_type>();
    qDBusRegisterMetaType<PortalShortcuts>();
    qRegisterMetaType<PortalShortcuts>("PortalShortcuts");
    qRegisterMetaType<QDBusObjectPath>();
}
