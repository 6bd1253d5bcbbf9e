#pragma once

#include "FakeLibraryPlayer.h"
#include "FakeTransferView.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <ostream>

// Readable failure messages for Qt text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
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

// A fake player and view, a private folder for files, and US English dates.
struct LibraryTestRig {
    FakeLibraryPlayer player;
    FakeTransferView view;
    QTemporaryDir dir;
    bool cancel = false;
    const QLocale us { QLocale::English, QLocale::UnitedStates };

    QString path(const QString& name = QStringLiteral("extras.xml")) const { return QDir(dir.path()).filePath(name); }

    int addTrack(FakeTrackData data)
    {
        player.state->tracks.push_back(std::move(data));
        return int(player.state->tracks.size()) - 1;
    }

    static QByteArray read(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static void write(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
};
