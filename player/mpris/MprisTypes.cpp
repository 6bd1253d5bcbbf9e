#include "MprisTypes.h"

#include <QDBusMetaType>

QDBusArgument& operator<<(QDBusArgument& argument, const MprisPlaylistEntry& entry)
{
    argument.beginStructure();
    argument << entry.id << entry.name << entry.icon;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, MprisPlaylistEntry& entry)
{
    argument.beginStructure();
    argument >> entry.id >> entry.name >> entry.icon;
    argument.endStructure();
    return argument;
}

void registerMprisTypes()
{
    static const bool registered = [] {
        qDBusRegisterMetaType<MprisPlaylistEntry>();
        qDBusRegisterMetaType<MprisPlaylistList>();
        return true;
    }();
    (void)registered;
}
