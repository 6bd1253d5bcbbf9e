#include "StrawberryLibrary.h"

#include "ReplacingFile.h"

#include "player/RatingScale.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>
#include <QVariant>

#include <cmath>

namespace
{

constexpr qint64 nsPerMs = 1000000;
constexpr qint64 never = -1;
constexpr double ratingTolerance = 1e-9;

qint64 playedSeconds(const LibraryEntry& entry)
{
    return entry.played.isValid() ? entry.played.toSecsSinceEpoch() : never;
}

QString sqlError(const QSqlQuery& query)
{
    return query.lastError().text();
}

// SQLite's primary result codes for a database another program holds, and one that is not
// (or no longer) a database.
constexpr int sqliteBusy = 5;
constexpr int sqliteLocked = 6;
constexpr int sqliteCorrupt = 11;
constexpr int sqliteNotADatabase = 26;
constexpr int primaryCodeMask = 0xff;

// What a failed read means for the user; empty when it is none of those.
QString readFailure(const QSqlError& error, const QString& path)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & primaryCodeMask;
    if (!ok)
        return {};
    if (code == sqliteBusy || code == sqliteLocked)
        return QStringLiteral("The Strawberry library \"%1\" is locked by another program; nothing was read. Try "
                              "again when it is done (%2).")
            .arg(path, error.text());
    if (code == sqliteCorrupt || code == sqliteNotADatabase)
        return QStringLiteral("The Strawberry library \"%1\" is damaged; nothing was read from it (%2).")
            .arg(path, error.text());
    return {};
}

} // namespace

// 15 is Strawberry 1.0.14's (Debian 12), tried against the real player; the later ones
// have the same columns for everything read and written here.
const QList<int> StrawberryLibrary::knownSchemaVersions = { 15, 16, 17, 18, 19, 20 };

StrawberryLibrary::StrawberryLibrary(QString path)
    : FileLibrary(std::move(path))
    , m_connection(QStringLiteral("strawberry-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

StrawberryLibrary::~StrawberryLibrary()
{
    close();
}

QString StrawberryLibrary::defaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("strawberry/strawberry/strawberry.db"));
}

bool StrawberryLibrary::open(QString* error)
{
    if (QSqlDatabase::contains(m_connection))
        return true;
    // SQLite would create a missing file; a library that is not there is an error instead.
    if (!QFileInfo(path()).isFile()) {
        *error = QStringLiteral("The Strawberry library \"%1\" does not exist.").arg(path());
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path());
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    if (!db.open()) {
        *error = QStringLiteral("The Strawberry library \"%1\" could not be opened: %2.")
                     .arg(path(), db.lastError().text());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        return false;
    }
    return true;
}

void StrawberryLibrary::close()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

bool StrawberryLibrary::load(QString* error)
{
    setEntries({});
    m_rowIds.clear();
    m_ratings.clear();
    if (!open(error))
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection);
    QSqlQuery version(db);
    if (!version.exec(QStringLiteral("SELECT version FROM schema_version")) || !version.next()) {
        *error = readFailure(version.lastError(), path());
        if (error->isEmpty())
            *error = QStringLiteral("\"%1\" is not a Strawberry library: it has no schema version.").arg(path());
        return false;
    }
    const int schema = version.value(0).toInt();
    version.finish();
    if (!knownSchemaVersions.contains(schema)) {
        *error = QStringLiteral("The Strawberry library \"%1\" has schema version %2, which this version of Bolvin "
                                "does not know; it was left untouched. Known versions: %3 to %4.")
                     .arg(path())
                     .arg(schema)
                     .arg(knownSchemaVersions.first())
                     .arg(knownSchemaVersions.last());
        return false;
    }
    QSqlQuery songs(db);
    songs.setForwardOnly(true);
    if (!songs.exec(QStringLiteral("SELECT ROWID, title, artist, album, url, length, rating, playcount, lastplayed "
                                   "FROM songs WHERE unavailable IS NOT 1 ORDER BY ROWID"))) {
        *error = songsUnread(songs);
        return false;
    }
    std::vector<LibraryEntry> entries;
    while (songs.next()) {
        LibraryEntry entry;
        m_rowIds.push_back(songs.value(0).toLongLong());
        entry.name = songs.value(1).toString();
        entry.artist = songs.value(2).toString();
        entry.album = songs.value(3).toString();
        entry.location = songs.value(4).toString();
        entry.durationMs = songs.value(5).toLongLong() / nsPerMs;
        const double unit = songs.value(6).isNull() ? -1 : songs.value(6).toDouble();
        m_ratings.push_back(unit);
        entry.rating = RatingScale::fromUnit(unit);
        entry.playCount = std::max(0, songs.value(7).toInt());
        const qint64 played = songs.value(8).toLongLong();
        if (played > 0)
            entry.played = QDateTime::fromSecsSinceEpoch(played);
        entries.push_back(std::move(entry));
    }
    // next() also ends at a damaged page: the songs after it would be silently missing.
    if (songs.lastError().isValid()) {
        m_rowIds.clear();
        m_ratings.clear();
        *error = songsUnread(songs);
        return false;
    }
    setEntries(std::move(entries));
    return true;
}

QString StrawberryLibrary::songsUnread(const QSqlQuery& songs) const
{
    const QString failure = readFailure(songs.lastError(), path());
    if (!failure.isEmpty())
        return failure;
    return QStringLiteral("The songs of the Strawberry library \"%1\" could not be read: %2.")
        .arg(path(), sqlError(songs));
}

bool StrawberryLibrary::copyTo(const QString& target, QString* error)
{
    QString openError;
    if (!open(&openError)) {
        *error = openError;
        return false;
    }
    // SQLite writes the copy itself, so it is named only once it is complete.
    const QString partial = ReplacingFile::temporaryFor(target);
    QFile::remove(partial);
    QSqlQuery query(QSqlDatabase::database(m_connection));
    query.prepare(QStringLiteral("VACUUM INTO ?"));
    query.addBindValue(partial);
    if (!query.exec()) {
        *error = sqlError(query);
        QFile::remove(partial);
        return false;
    }
    if (!ReplacingFile::publish(partial, target, path(), error)) {
        QFile::remove(partial);
        return false;
    }
    return true;
}

bool StrawberryLibrary::writeChanges(const std::vector<int>& changed, QString* error)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection);
    if (!db.transaction()) {
        *error = QStringLiteral("no write could begin (%1).").arg(db.lastError().text());
        return false;
    }
    const auto rollBack = [&](const QString& why) {
        db.rollback();
        *error = why + QStringLiteral(" Nothing was written.");
        return false;
    };
    QSqlQuery update(db);
    update.prepare(QStringLiteral("UPDATE songs SET rating = ?, playcount = ?, lastplayed = ? WHERE ROWID = ?"));
    QSqlQuery check(db);
    check.prepare(QStringLiteral("SELECT rating, playcount, lastplayed FROM songs WHERE ROWID = ?"));
    for (int position : changed) {
        const LibraryEntry& entry = entries()[std::size_t(position)];
        const qint64 row = m_rowIds[std::size_t(position)];
        // A rating between the steps is rewritten only when it was changed.
        const double held = m_ratings[std::size_t(position)];
        const double rating
            = RatingScale::fromUnit(held) == entry.rating ? held : RatingScale::toUnitOrUnrated(entry.rating);
        update.addBindValue(rating);
        update.addBindValue(entry.playCount);
        update.addBindValue(playedSeconds(entry));
        update.addBindValue(row);
        if (!update.exec() || update.numRowsAffected() != 1)
            return rollBack(QStringLiteral("\"%1\" could not be written (%2).").arg(entry.name, sqlError(update)));
        check.addBindValue(row);
        if (!check.exec() || !check.next() || std::abs(check.value(0).toDouble() - rating) > ratingTolerance
            || check.value(1).toLongLong() != entry.playCount || check.value(2).toLongLong() != playedSeconds(entry))
            return rollBack(QStringLiteral("\"%1\" read back with other values than were written.").arg(entry.name));
        check.finish();
    }
    if (!db.commit())
        return rollBack(QStringLiteral("the write could not be completed (%1).").arg(db.lastError().text()));
    return true;
}
