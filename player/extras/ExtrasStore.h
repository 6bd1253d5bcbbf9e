#pragma once

#include <QDateTime>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <optional>
#include <vector>

// What Bolvin keeps of one track itself.
struct StoredExtras {
    int rating = 0; // 0 to 100
    int playCount = 0;
    QDateTime playedDate; // invalid: never played
};

// One track in the store: what it is known by, its values, and the tags it was last seen
// with, which an export names it by.
struct StoredTrack {
    QString identity;
    StoredExtras extras;
    QString title;
    QString artist;
    QString album;
    qint64 lengthMs = -1; // -1: unknown
};

// Ratings and play counts kept by Bolvin in one SQLite file, for players that keep none,
// looked up by TrackIdentity. The file is opened at the first call that needs it, never
// before, and stays open; one store per process, used from the thread that created it.
//
// Nothing is lost: the file is in WAL mode and each write is a transaction. A file written by
// a newer Bolvin (a higher schema version) is left as it is and the store stays unavailable,
// unavailableReason() saying why. A damaged file is moved aside (its name gets
// ".damaged-" and the date and time), damaged() says so once, and a new file is started.
class ExtrasStore : public QObject
{
    Q_OBJECT
public:
    // 2 added the tags each track was last seen with.
    static constexpr int kSchemaVersion = 2;

    // ~/.local/share/Bolvin/extras.sqlite, or its place under XDG_DATA_HOME.
    static QString defaultPath();

    explicit ExtrasStore(QString path, QObject* parent = nullptr);
    ~ExtrasStore() override;

    QString path() const { return m_path; }
    // Why the store cannot be used; empty while it can, or has not been tried yet.
    QString unavailableReason() const { return m_unavailable; }

    // nullopt when the track has no entry or the store cannot be read.
    std::optional<StoredTrack> find(const QString& identity);
    // A track imported by name and length before it was ever played (see
    // TrackIdentity::byName): the one entry under namePrefix whose artist is artist, or
    // none; any artist when artist is empty. nullopt when there is none, or more than one.
    std::optional<StoredTrack> findImported(const QString& namePrefix, const QString& artist);
    // Replaces the track's entry in one transaction, and removes the entry replacing names
    // (the same track, found by name before); false with *error set when not saved.
    bool save(const StoredTrack& track, QString* error, const QString& replacing = QString());
    // Every track, in identity order; empty with *error set when the store cannot be read.
    std::vector<StoredTrack> all(QString* error);
    // Writes the tracks in one transaction: all or none. False with *error.
    bool saveAll(const std::vector<StoredTrack>& tracks, QString* error);
    // A consistent copy of the file at target (which must not exist). False with *error.
    bool copyTo(const QString& target, QString* error);

signals:
    // The file was damaged and set aside; message is for the user.
    void damaged(const QString& message);

private:
    bool ensureOpen();
    bool openFile();
    // True when the file answers and passes SQLite's own check; *corrupt tells damage apart
    // from other failures (a locked or unreadable file).
    bool checkFile(bool* corrupt);
    bool prepareSchema();
    void setAside();
    void close();
    bool fail(const QString& reason);

    QString m_path;
    QString m_connection;
    QSqlDatabase m_db;
    bool write(const StoredTrack& track);
    QString writeError(const QSqlQuery& query) const;
    static StoredTrack trackAt(const QSqlQuery& query);

    std::optional<QSqlQuery> m_find;
    std::optional<QSqlQuery> m_write;
    int m_foundVersion = 0;
    bool m_tried = false;
    QString m_unavailable;
};
