#pragma once

#include "player/PlayerSource.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QStringList>

#include <ostream>

// Readable failure messages for Qt text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QByteArray& bytes, std::ostream* out)
{
    *out << '"' << bytes.toStdString() << '"';
}

// The files and values the library tests compare.
namespace LibraryFiles
{

inline QByteArray read(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
inline bool write(const QString& file, const QByteArray& bytes)
{
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// "name rating count date" of every track of the source's first playlist.
inline QStringList extrasOf(const PlayerSource& source)
{
    const auto tracks = source.Playlists()->Item(1)->Tracks();
    QStringList all;
    for (int i = 1; i <= tracks->Count(); ++i) {
        const auto t = tracks->Item(i);
        all << QStringLiteral("%1 %2 %3 %4")
                   .arg(t->Name())
                   .arg(t->Rating())
                   .arg(t->PlayedCount())
                   .arg(t->PlayedDate().toString(Qt::ISODate));
    }
    return all;
}

} // namespace LibraryFiles
