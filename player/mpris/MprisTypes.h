#pragma once

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QList>
#include <QMetaType>
#include <QString>

// One entry of the Playlists interface: (oss) = id, name, icon.
struct MprisPlaylistEntry {
    QDBusObjectPath id;
    QString name;
    QString icon;
};
using MprisPlaylistList = QList<MprisPlaylistEntry>;

QDBusArgument& operator<<(QDBusArgument& argument, const MprisPlaylistEntry& entry);
const QDBusArgument& operator>>(const QDBusArgument& argument, MprisPlaylistEntry& entry);

// Makes the playlist types known to QtDBus; safe to call more than once.
void registerMprisTypes();

Q_DECLARE_METATYPE(MprisPlaylistEntry)
Q_DECLARE_METATYPE(MprisPlaylistList)
