#pragma once

#include "FileLibrary.h"
#include "RhythmdbFile.h"

#include <functional>
#include <optional>

// Rhythmbox's rhythmdb.xml as a library source. Rhythmbox rewrites the file when it quits and
// every few minutes, so a write made while it runs would be lost: the write is refused then.
class RhythmboxLibrary : public FileLibrary
{
public:
    // path: usually defaultPath().
    explicit RhythmboxLibrary(QString path);

    // ~/.local/share/rhythmbox/rhythmdb.xml (under XDG_DATA_HOME when that is set).
    static QString defaultPath();

    // Whether Rhythmbox is running; by default, whether it owns its name on the session bus.
    void setRunningCheck(std::function<bool()> isRunning) { m_isRunning = std::move(isRunning); }

    bool load(QString* error) override;
    QString writeRefusal() const override;

    // Reads a rhythmdb.xml's bytes: UTF-8, as Rhythmbox writes it. nullopt with *error.
    static std::optional<RhythmdbFile> parseBytes(const QByteArray& bytes, QString* error);

protected:
    QString kind() const override { return QStringLiteral("Rhythmbox library"); }
    bool writeChanges(const std::vector<int>& changed, QString* error) override;

private:
    static LibraryEntry entryOf(const RhythmdbFile::Song& song);
    RhythmdbFile::Values valuesOf(const LibraryEntry& entry) const;
    // False with *error unless every listed song of file holds the values.
    static bool holds(
        const RhythmdbFile& file, const std::vector<std::pair<int, RhythmdbFile::Values>>& changes, QString* error);

    std::optional<RhythmdbFile> m_file;
    std::function<bool()> m_isRunning;
};
