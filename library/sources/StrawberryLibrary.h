#pragma once

#include "FileLibrary.h"

#include <QList>

class QSqlQuery;

#include <vector>

// Strawberry's strawberry.db (SQLite) as a library source, through Qt's QSQLITE driver.
// Strawberry keeps the database open without an exclusive lock, so it may be written while
// Strawberry runs; Strawberry shows the new values when it next loads those songs.
class StrawberryLibrary : public FileLibrary
{
public:
    // The schema versions whose "songs" table this reads and writes as tested (the releases
    // from Debian 12's 1.0.14 on); any other is refused.
    static const QList<int> knownSchemaVersions;
    // How long a write waits for Strawberry to finish its own.
    static constexpr int busyTimeoutMs = 5000;

    explicit StrawberryLibrary(QString path);
    ~StrawberryLibrary() override;

    // ~/.local/share/strawberry/strawberry/strawberry.db (under XDG_DATA_HOME when set).
    static QString defaultPath();

    bool load(QString* error) override;

protected:
    QString kind() const override { return QStringLiteral("Strawberry library"); }
    QString whenShown() const override
    {
        return QStringLiteral("Strawberry shows the new values when it next loads those tracks.");
    }
    // A consistent copy even while Strawberry has the database open.
    bool copyTo(const QString& target, QString* error) override;
    bool writeChanges(const std::vector<int>& changed, QString* error) override;

private:
    // Opens the connection; false with *error.
    bool open(QString* error);
    void close();
    // Why the songs query failed: locked, damaged or what SQLite said.
    QString songsUnread(const QSqlQuery& songs) const;

    QString m_connection;
    // The songs' row ids, by entry position.
    std::vector<qint64> m_rowIds;
    // The ratings as the database held them, by entry position.
    std::vector<double> m_ratings;
};
