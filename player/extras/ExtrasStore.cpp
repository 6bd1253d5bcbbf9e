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
const QString kColumns
    = QStringLiteral("identity, rating, play_count, played_ms, title, artist, album, length_ms FROM tracks");
// What the first format lacked.
const QStringList kTagColumns = { QStringLiteral("title TEXT"), QStringLiteral("artist TEXT"),
    QStringLiteral("album TEXT"), QStringLiteral("length_ms INTEGER") };

QVariant nullable(const QString& text)
{
    return text.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

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
    m_write.reset();
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
    m_foundVersion = version.value(0).toInt();
    if (m_foundVersion > kSchemaVersion)
        return fail(QStringLiteral("Ratings are unavailable: %1 was written by a newer version of Bolvin "
                                   "(format %2; this one reads up to %3).")
                        .arg(m_path)
                        .arg(m_foundVersion)
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
    bool created = m_db.transaction()
        && setup.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS tracks (identity TEXT PRIMARY KEY NOT NULL, "
                                     "rating INTEGER NOT NULL, play_count INTEGER NOT NULL, played_ms INTEGER, %1) "
                                     "WITHOUT ROWID")
                          .arg(kTagColumns.join(QStringLiteral(", "))));
    if (m_foundVersion == 1) {
        for (const QString& column : kTagColumns)
            created = created && setup.exec(QStringLiteral("ALTER TABLE tracks ADD COLUMN ") + column);
    }
    created = created && setup.exec(QStringLiteral("PRAGMA user_version=%1").arg(kSchemaVersion)) && m_db.commit();
    if (!created) {
        const QString error = setup.lastError().text();
        m_db.rollback();
        return fail(QStringLiteral("Bolvin cannot prepare its ratings file %1: %2").arg(m_path, error));
    }
    m_find.emplace(m_db);
    m_find->prepare(QStringLiteral("SELECT ") + kColumns + QStringLiteral(" WHERE identity = ?"));
    m_write.emplace(m_db);
    m_write->prepare(
        QStringLiteral("INSERT INTO tracks (identity, rating, play_count, played_ms, title, artist, album, length_ms) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (identity) DO UPDATE SET rating = excluded.rating, "
                       "play_count = excluded.play_count, played_ms = excluded.played_ms, title = excluded.title, "
                       "artist = excluded.artist, album = excluded.album, length_ms = excluded.length_ms"));
    return true;
}

StoredTrack ExtrasStore::trackAt(const QSqlQuery& query)
{
    StoredTrack track;
    track.identity = query.value(0).toString();
    track.extras.rating = query.value(1).toInt();
    track.extras.playCount = query.value(2).toInt();
    if (const QVariant played = query.value(3); !played.isNull())
        track.extras.playedDate = QDateTime::fromMSecsSinceEpoch(played.toLongLong());
    track.title = query.value(4).toString();
    track.artist = query.value(5).toString();
    track.album = query.value(6).toString();
    if (const QVariant length = query.value(7); !length.isNull())
        track.lengthMs = length.toLongLong();
    return track;
}

std::optional<StoredTrack> ExtrasStore::find(const QString& identity)
{
    // Nothing stored yet is nothing to read: SQLite is loaded at the first write instead.
    if (identity.isEmpty() || (!m_tried && !QFileInfo::exists(m_path)) || !ensureOpen())
        return std::nullopt;
    m_find->addBindValue(identity);
    std::optional<StoredTrack> track;
    if (m_find->exec() && m_find->next())
        track = trackAt(*m_find);
    m_find->finish();
    return track;
}

std::optional<StoredTrack> ExtrasStore::findImported(const QString& namePrefix, const QString& artist)
{
    if (namePrefix.isEmpty() || (!m_tried && !QFileInfo::exists(m_path)) || !ensureOpen())
        return std::nullopt;
    QSqlQuery candidates(m_db);
    // A range on the key rather than a LIKE, so the primary key's index serves it.
    candidates.prepare(QStringLiteral("SELECT ") + kColumns + QStringLiteral(" WHERE identity >= ? AND identity < ?"));
    candidates.addBindValue(namePrefix);
    candidates.addBindValue(namePrefix.chopped(1) + QChar(namePrefix.back().unicode() + 1));
    std::optional<StoredTrack> match;
    if (!candidates.exec())
        return std::nullopt;
    while (candidates.next()) {
        const QString theirs = candidates.value(0).toString().mid(namePrefix.size());
        if (!artist.isEmpty() && !theirs.isEmpty() && theirs != artist)
            continue;
        if (match)
            return std::nullopt;
        match = trackAt(candidates);
    }
    return match;
}

bool ExtrasStore::write(const StoredTrack& track)
{
    m_write->addBindValue(track.identity);
    m_write->addBindValue(std::clamp(track.extras.rating, 0, kRatingMaximum));
    m_write->addBindValue(std::max(track.extras.playCount, 0));
    m_write->addBindValue(track.extras.playedDate.isValid() ? QVariant(track.extras.playedDate.toMSecsSinceEpoch())
                                                            : QVariant(QMetaType::fromType<qint64>()));
    m_write->addBindValue(nullable(track.title));
    m_write->addBindValue(nullable(track.artist));
    m_write->addBindValue(nullable(track.album));
    m_write->addBindValue(track.lengthMs < 0 ? QVariant(QMetaType::fromType<qint64>()) : QVariant(track.lengthMs));
    return m_write->exec();
}

QString ExtrasStore::writeError(const QSqlQuery& query) const
{
    return QStringLiteral("Bolvin could not save to its ratings file %1: %2")
        .arg(m_path, (query.lastError().isValid() ? query.lastError() : m_db.lastError()).text());
}

bool ExtrasStore::save(const StoredTrack& track, QString* error, const QString& replacing)
{
    if (track.identity.isEmpty()) {
        *error = QStringLiteral("The track has neither a local file nor tags to be known by.");
        return false;
    }
    if (!ensureOpen()) {
        *error = m_unavailable;
        return false;
    }
    QSqlQuery remove(m_db);
    bool saved = m_db.transaction();
    if (saved && !replacing.isEmpty() && replacing != track.identity) {
        remove.prepare(QStringLiteral("DELETE FROM tracks WHERE identity = ?"));
        remove.addBindValue(replacing);
        saved = remove.exec();
    }
    if (saved && write(track) && m_db.commit())
        return true;
    *error = writeError(remove.lastError().isValid() ? remove : *m_write);
    m_db.rollback();
    return false;
}

std::vector<StoredTrack> ExtrasStore::all(QString* error)
{
    std::vector<StoredTrack> tracks;
    if (!ensureOpen()) {
        *error = m_unavailable;
        return tracks;
    }
    QSqlQuery every(m_db);
    every.setForwardOnly(true);
    if (!every.exec(QStringLiteral("SELECT ") + kColumns + QStringLiteral(" ORDER BY identity"))) {
        *error = QStringLiteral("Bolvin cannot read its ratings file %1: %2").arg(m_path, every.lastError().text());
        return tracks;
    }
    while (every.next())
        tracks.push_back(trackAt(every));
    return tracks;
}

bool ExtrasStore::saveAll(const std::vector<StoredTrack>& tracks, QString* error)
{
    if (!ensureOpen()) {
        *error = m_unavailable;
        return false;
    }
    if (!m_db.transaction()) {
        *error = writeError(*m_write);
        return false;
    }
    for (const StoredTrack& track : tracks) {
        if (track.identity.isEmpty() || !write(track)) {
            *error = writeError(*m_write);
            m_db.rollback();
            return false;
        }
    }
    if (m_db.commit())
        return true;
    *error = writeError(*m_write);
    m_db.rollback();
    return false;
}

bool ExtrasStore::copyTo(const QString& target, QString* error)
{
    if (!ensureOpen()) {
        *error = m_unavailable;
        return false;
    }
    QSqlQuery copy(m_db);
    copy.prepare(QStringLiteral("VACUUM INTO ?"));
    copy.addBindValue(target);
    if (copy.exec())
        return true;
    *error = copy.lastError().text();
    return false;
}
