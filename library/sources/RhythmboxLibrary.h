#pragma once

#include "FileLibrary.h"
#include "RhythmdbFile.h"

#include "player/rhythmdb/RhythmDbClient.h"

#include <functional>
#include <memory>
#include <optional>

// Rhythmbox's rhythmdb.xml as a library source. Rhythmbox rewrites the file when it quits and
// every few minutes, so while it runs a write to the file would be lost: the new values go
// to Rhythmbox itself then, track by track over the bus, and the file is left alone.
class RhythmboxLibrary : public FileLibrary
{
public:
    // path: usually defaultPath().
    explicit RhythmboxLibrary(QString path);

    // ~/.local/share/rhythmbox/rhythmdb.xml (under XDG_DATA_HOME when that is set).
    static QString defaultPath();

    // The running Rhythmbox to write to, and to ask whether it runs; the session bus's by
    // default.
    void setDatabase(std::shared_ptr<const RhythmDbClient> database) { m_database = std::move(database); }

    bool load(QString* error) override;
    bool commit(QString* message) override;
    QString completionNote() const override;

    // Reads a rhythmdb.xml's bytes: UTF-8, as Rhythmbox writes it. nullopt with *error.
    static std::optional<RhythmdbFile> parseBytes(const QByteArray& bytes, QString* error);

protected:
    QString kind() const override { return QStringLiteral("Rhythmbox library"); }
    bool writeChanges(const std::vector<int>& changed, QString* error) override;

private:
    static LibraryEntry entryOf(const RhythmdbFile::Song& song);
    RhythmdbFile::Values valuesOf(int position) const;
    // False with *error unless every listed song of file holds the values.
    static bool holds(
        const RhythmdbFile& file, const std::vector<std::pair<int, RhythmdbFile::Values>>& changes, QString* error);

    bool commitToRunningRhythmbox(QString* message);
    // Sends one song's values to the running Rhythmbox; false with *error in the user's words.
    bool writeToRunningRhythmbox(const QString& location, const RhythmdbFile::Values& values, QString* error) const;

    std::optional<RhythmdbFile> m_file;
    std::shared_ptr<const RhythmDbClient> m_database;
    bool m_wroteToRhythmbox = false;
    bool m_byteOrderMark = false;
};
