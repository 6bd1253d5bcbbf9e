#pragma once

#include "../LibraryFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <QVariant>

#include <vector>

#include <sys/stat.h>
#include <unistd.h>

// Library files written the way the players write them, for the source tests and the
// benchmark.
namespace SourceTestFiles
{

using LibraryFiles::read;
using LibraryFiles::write;

struct Song {
    QString title;
    QString artist;
    qint64 seconds = 180;
    QString rating {}; // as the file holds it; "" leaves the element out
    qint64 playCount = 0;
    qint64 lastPlayed = 0;
};

// A rhythmdb.xml: a radio station first (an entry of another type), then the songs, each
// with an element this program does not know.
inline QByteArray rhythmdb(const std::vector<Song>& songs)
{
    QByteArray xml = "<?xml version=\"1.0\" standalone=\"yes\"?>\n<rhythmdb version=\"2.0\">\n"
                     "  <entry type=\"iradio\">\n    <title>Radio &amp; Talk</title>\n"
                     "    <location>http://radio.example/stream</location>\n  </entry>\n";
    int n = 0;
    for (const Song& song : songs) {
        xml += "  <entry type=\"song\">\n    <title>" + song.title.toHtmlEscaped().toUtf8()
            + "</title>\n    <genre>Pop</genre>\n" + "    <artist>" + song.artist.toHtmlEscaped().toUtf8()
            + "</artist>\n    <album>Album</album>\n" + "    <duration>" + QByteArray::number(song.seconds)
            + "</duration>\n" + "    <location>file:///music/" + QByteArray::number(n++) + ".ogg</location>\n"
            + "    <mb-trackid>x-unknown</mb-trackid>\n";
        if (!song.rating.isEmpty())
            xml += "    <rating>" + song.rating.toUtf8() + "</rating>\n";
        if (song.playCount)
            xml += "    <play-count>" + QByteArray::number(song.playCount) + "</play-count>\n";
        if (song.lastPlayed)
            xml += "    <last-played>" + QByteArray::number(song.lastPlayed) + "</last-played>\n";
        xml += "    <media-type>audio/x-vorbis</media-type>\n  </entry>\n";
    }
    return xml + "</rhythmdb>\n";
}

// The Jukebox's own library file: names and ratings, no playlists.
inline QByteArray jukeboxPlist(const std::vector<Song>& songs)
{
    QByteArray xml = "<?xml version=\"1.0\"?>\n<plist version=\"1.0\"><dict><key>Tracks</key><dict>\n";
    for (std::size_t i = 0; i < songs.size(); ++i)
        xml += "<key>" + QByteArray::number(i + 1) + "</key><dict><key>Name</key><string>"
            + songs[i].title.toHtmlEscaped().toUtf8() + "</string><key>Rating</key><integer>" + songs[i].rating.toUtf8()
            + "</integer></dict>\n";
    return xml + "</dict></dict></plist>\n";
}

// "640 1 4": a file's permission bits in octal, its owner and its group. Given a mode, first
// gives the file that mode and, where this user may, the owner "daemon" and group "adm" (1
// and 4), so a write that keeps them shows it.
inline QString modeAndOwner(const QString& path, mode_t setMode = 0)
{
    if (setMode && ::geteuid() == 0)
        (void)::chown(QFile::encodeName(path).constData(), 1, 4);
    if (setMode)
        ::chmod(QFile::encodeName(path).constData(), setMode);
    struct stat info {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return QStringLiteral("<missing>");
    return QStringLiteral("%1 %2 %3").arg(info.st_mode & 07777, 0, 8).arg(info.st_uid).arg(info.st_gid);
}

// Runs statements on the SQLite file at path in one transaction; the first row the last one
// gives, its values joined by spaces, or the first error.
inline QString runSql(const QString& path, const QStringList& statements)
{
    const QString name = QUuid::createUuid().toString();
    QStringList row;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            return db.lastError().text();
        db.transaction();
        QSqlQuery query(db);
        for (const QString& statement : statements) {
            if (!statement.trimmed().isEmpty() && !query.exec(statement)) {
                row = QStringList { query.lastError().text() + QStringLiteral(" in ") + statement };
                break;
            }
        }
        if (row.isEmpty() && query.isSelect() && query.next())
            for (int i = 0; i < query.record().count(); ++i)
                row << query.value(i).toString();
        query.finish();
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return row.join(QLatin1Char(' '));
}

// A strawberry.db of the given schema version holding songs; rating "" is unrated (-1).
inline QString strawberryDb(const QString& path, const QString& schemaFile, int version, const std::vector<Song>& songs)
{
    QStringList statements = QString::fromUtf8(read(schemaFile))
                                 .remove(QRegularExpression(QStringLiteral("--[^\n]*")))
                                 .split(QLatin1Char(';'));
    statements << QStringLiteral("INSERT INTO schema_version (version) VALUES (%1)").arg(version);
    int n = 0;
    for (const Song& song : songs) {
        const auto quoted = [](const QString& text) {
            return QStringLiteral("'%1'").arg(QString(text).replace(QLatin1Char('\''), QStringLiteral("''")));
        };
        statements << QStringLiteral(
            "INSERT INTO songs (title, artist, album, url, length, rating, playcount, lastplayed) "
            "VALUES (%1, %2, 'Album', 'file:///music/%3.ogg', %4, %5, %6, %7)")
                          .arg(quoted(song.title), quoted(song.artist))
                          .arg(n++)
                          .arg(song.seconds * 1000000000LL)
                          .arg(song.rating.isEmpty() ? QStringLiteral("-1") : song.rating)
                          .arg(song.playCount)
                          .arg(song.lastPlayed ? song.lastPlayed : -1);
    }
    return runSql(path, statements);
}

#ifdef BOLVIN_SAMPLE_LIBRARY_DIR
// songs as the library file path names: a strawberry.db of schema version, the Jukebox's
// own Jukebox.xml, a rhythmdb.xml, or else the bundled sample library; "" when written.
inline QString makeLibrary(const QString& path, const std::vector<Song>& songs, int version = 20)
{
    const QString name = QFileInfo(path).fileName();
    if (name.endsWith(QStringLiteral(".db")))
        return strawberryDb(path, QStringLiteral(SOURCES_TEST_DATA_DIR "/strawberry-songs.sql"), version, songs);
    bool made = false;
    if (name == QStringLiteral("rhythmdb.xml"))
        made = write(path, rhythmdb(songs));
    else if (name == QStringLiteral("Jukebox.xml"))
        made = write(path, jukeboxPlist(songs));
    else
        made = QFile::copy(QStringLiteral(BOLVIN_SAMPLE_LIBRARY_DIR "/iTunes Music Library.xml"), path)
            && QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return made ? QString() : QStringLiteral("could not write ") + path;
}
#endif

} // namespace SourceTestFiles
