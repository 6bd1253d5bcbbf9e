#pragma once

#include <QDateTime>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <optional>

// What Bolvin keeps of one track itself.
struct StoredExtras {
    int rating = 0; // 0 to 100
    int playCount = 0;
    QDateTime playedDate; // invalid: never played
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
    static constexpr int kSchemaVersion = 1;

    // ~/.local/share/Bolvin/extras.sqlite, or its place under XDG_DATA_HOME.
    static QString defaultPath();

    explicit ExtrasStore(QString path, QObject* parent = nullptr);
    ~ExtrasStore() override;

    QString path() const { return m_path; }
    // Why the store cannot be used; empty while it can, or has not been tried yet.
    QString unavailableReason() const { return m_unavailable; }

    // nullopt when the track has no entry or the store cannot be read.
    std::optional<StoredExtras> find(const QString& identity);
    // Replaces the track's values in one transaction; false with *error set when not saved.
    bool save(const QString& identity, const StoredExtras& values, QString* error);

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
    std::optional<QSqlQuery> m_find;
    bool m_tried = false;
    QString m_unavailable;
};
