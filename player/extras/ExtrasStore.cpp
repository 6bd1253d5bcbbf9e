#include "ExtrasStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QStandardPaths>
#include <QVariant>

#include <algorithm>
#include <cstdio>

namespace
{
constexpr int kRatingMaximum = 100;
// SQLite's primary result codes for a damaged file and for one that is no database at all.
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;
constexpr int kPrimaryCodeMask = 0xff;
const QStringList kCompanions = { QString(), QStringLiteral("-wal"), QStringLiteral("-shm") };

bool isCorruption(const QSqlError& error)
{
    const int code = error.nativeErrorCode().toInt() & kPrimaryCodeMask;
    return code == kSqliteCorrupt || code == kSqliteNotADatabase;
}
}

QString ExtrasStore::defaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("extras.sqlite"));
}

ExtrasStore::ExtrasStore(QString path, QObject* parent)
    : QObject(parent)
    , m_path(std::move(path))
    , m_connection(QStringLiteral("bolvin-extras-%1").arg(quintptr(this), 0, 16))
{
}

ExtrasStore::~ExtrasStore()
{
    close();
}

void ExtrasStore::close()
{
    m_find.reset();
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

bool ExtrasStore::fail(const QString& reason)
{
    close();
    m_unavailable = reason;
    std::fprintf(stderr, "Bolvin: %s\n", qPrintable(reason));
    return false;
}

bool ExtrasStore::ensureOpen()
{
    if (!m_tried) {
        m_tried = true;
        openFile();
    }
    return m_find.has_value();
}

bool ExtrasStore::openFile()
{
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return fail(QStringLiteral("Bolvin cannot create the folder for its ratings file %1.").arg(m_path));
    for (bool fresh = false;; fresh = true) {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        m_db.setDatabaseName(m_path);
        if (!m_db.open())
            return fail(
                QStringLiteral("Bolvin cannot open its ratings file %1: %2").arg(m_path, m_db.lastError().text()));
        bool corrupt = false;
        if (checkFile(&corrupt))
            break;
        if (!corrupt)
            return false;
        if (fresh)
            return fail(QStringLiteral("Bolvin cannot start a new ratings file %1.").arg(m_path));
        setAside();
        if (!m_unavailable.isEmpty())
            return false;
    }
    return prepareSchema();
}

bool ExtrasStore::checkFile(bool* corrupt)
{
    QSqlQuery version(m_db);
    if (!version.exec(QStringLiteral("PRAGMA user_version")) || !version.next()) {
        *corrupt = isCorruption(version.lastError());
        return *corrupt
            ? false
            : fail(
                QStringLiteral("Bolvin cannot read its ratings file %1: %2").arg(m_path, version.lastError().text()));
    }
    // Checked before anything is written: a newer Bolvin's file stays exactly as it was.
    if (const int found = version.value(0).toInt(); found > kSchemaVersion)
        return fail(QStringLiteral("Ratings are unavailable: %1 was written by a newer version of Bolvin "
                                   "(format %2; this one reads up to %3).")
                        .arg(m_path)
                        .arg(found)
                        .arg(kSchemaVersion));
    QSqlQuery check(m_db);
    if (!check.exec(QStringLiteral("PRAGMA quick_check")) || !check.next()) {
        *corrupt = isCorruption(check.lastError());
        return *corrupt
            ? false
            : fail(QStringLiteral("Bolvin cannot check its ratings file %1: %2").arg(m_path, check.lastError().text()));
    }
    *corrupt = check.value(0).toString() != QLatin1String("ok");
    return !*corrupt;
}

void ExtrasStore::setAside()
{
    close();
    const QString base = m_path + QStringLiteral(".damaged-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmm"));
    QString aside = base;
    for (int n = 2; QFile::exists(aside); ++n)
        aside = base + QLatin1Char('-') + QString::number(n);
    // The journal goes with its file: left behind, it would be replayed into the new one.
    for (const QString& companion : kCompanions) {
        if (QFile::exists(m_path + companion) && !QFile::rename(m_path + companion, aside + companion)) {
            fail(QStringLiteral("Bolvin's ratings file %1 is damaged and cannot be moved aside.").arg(m_path));
            return;
        }
    }
    const QString message
        = QStringLiteral("Bolvin's ratings file was damaged; it was kept as %1 and a new one was started.").arg(aside);
    std::fprintf(stderr, "Bolvin: %s\n", qPrintable(message));
    emit damaged(message);
}

bool ExtrasStore::prepareSchema()
{
    QSqlQuery setup(m_db);
    // Journal settings cannot change inside a transaction.
    if (!setup.exec(QStringLiteral("PRAGMA journal_mode=WAL"))
        || !setup.exec(QStringLiteral("PRAGMA synchronous=FULL")))
        return fail(
            QStringLiteral("Bolvin cannot prepare its ratings file %1: %2").arg(m_path, setup.lastError().text()));
    const bool created = m_db.transaction()
        && setup.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS tracks (identity TEXT PRIMARY KEY NOT NULL, "
                                     "rating INTEGER NOT NULL, play_count INTEGER NOT NULL, played_ms INTEGER) "
                                     "WITHOUT ROWID"))
        && setup.exec(QStringLiteral("PRAGMA user_version=%1").arg(kSchemaVersion)) && m_db.commit();
    if (!created) {
        const QString error = setup.lastError().text();
        m_db.rollback();
        return fail(QStringLiteral("Bolvin cannot prepare its ratings file %1: %2").arg(m_path, error));
    }
    m_find.emplace(m_db);
    m_find->prepare(QStringLiteral("SELECT rating, play_count, played_ms FROM tracks WHERE identity = ?"));
    return true;
}

std::optional<StoredExtras> ExtrasStore::find(const QString& identity)
{
    // Nothing stored yet is nothing to read: SQLite is loaded at the first write instead.
    if (identity.isEmpty() || (!m_tried && !QFileInfo::exists(m_path)) || !ensureOpen())
        return std::nullopt;
    m_find->addBindValue(identity);
    const bool found = m_find->exec() && m_find->next();
    std::optional<StoredExtras> extras;
    if (found) {
        extras.emplace();
        extras->rating = m_find->value(0).toInt();
        extras->playCount = m_find->value(1).toInt();
        if (const QVariant played = m_find->value(2); !played.isNull())
            extras->playedDate = QDateTime::fromMSecsSinceEpoch(played.toLongLong());
    }
    m_find->finish();
    return extras;
}

bool ExtrasStore::save(const QString& identity, const StoredExtras& values, QString* error)
{
    if (identity.isEmpty()) {
        *error = QStringLiteral("The track has neither a local file nor tags to be known by.");
        return false;
    }
    if (!ensureOpen()) {
        *error = m_unavailable;
        return false;
    }
    QSqlQuery write(m_db);
    write.prepare(QStringLiteral("INSERT INTO tracks (identity, rating, play_count, played_ms) VALUES (?, ?, ?, ?) "
                                 "ON CONFLICT (identity) DO UPDATE SET rating = excluded.rating, "
                                 "play_count = excluded.play_count, played_ms = excluded.played_ms"));
    write.addBindValue(identity);
    write.addBindValue(std::clamp(values.rating, 0, kRatingMaximum));
    write.addBindValue(std::max(values.playCount, 0));
    write.addBindValue(values.playedDate.isValid() ? QVariant(values.playedDate.toMSecsSinceEpoch())
                                                   : QVariant(QMetaType::fromType<qint64>()));
    if (m_db.transaction() && write.exec() && m_db.commit())
        return true;
    *error = QStringLiteral("Bolvin could not save to its ratings file %1: %2")
                 .arg(m_path, (write.lastError().isValid() ? write.lastError() : m_db.lastError()).text());
    m_db.rollback();
    return false;
}
