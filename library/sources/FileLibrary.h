#pragma once

#include "EntryLibrary.h"

#include "library/LibraryStore.h"

#include <QDateTime>
#include <QString>

#include <functional>

// A library kept in a file, read whole by load() and written back by commit(): the common
// part of every file source. commit() makes the dated copy beside the file first, then lets
// the format write the changed entries and read them back.
class FileLibrary : public EntryLibrary, public LibraryStore
{
public:
    explicit FileLibrary(QString path);

    const QString& path() const { return m_path; }
    // Reads the file. False with *error saying what is wrong with it; the library is then
    // empty and the file untouched.
    virtual bool load(QString* error) = 0;

    // Where the time in the copy's name comes from; the system clock by default.
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }

    bool commit(QString* message) override;
    QString completionNote() const override;
    // The copy the last commit made; empty before one wrote anything.
    const QString& backupPath() const { return m_backup; }

protected:
    // How messages name the file: "Rhythmbox library".
    virtual QString kind() const = 0;
    // Said after a write: when the player shows the new values. Empty when it reads them at
    // once.
    virtual QString whenShown() const { return {}; }
    // Makes the copy, whole or not at all, with the file's mode, owner and group; a plain
    // file copy by default. False with *error.
    virtual bool copyTo(const QString& target, QString* error);
    // Writes the changed entries and reads each value back. False with *error when
    // anything failed; the file must then hold what it held before (restoreBackup() helps).
    virtual bool writeChanges(const std::vector<int>& changed, QString* error) = 0;
    // Puts the copy back over the file, atomically. False with *error.
    bool restoreBackup(QString* error) const;

private:
    QString m_path;
    QString m_backup;
    bool m_wrote = false;
    std::function<QDateTime()> m_now;
};
