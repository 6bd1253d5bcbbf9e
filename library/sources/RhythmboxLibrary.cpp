#include "RhythmboxLibrary.h"

#include "ReplacingFile.h"

#include "player/RatingScale.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStringDecoder>

#include <cmath>

namespace
{

constexpr qint64 msPerSecond = 1000;
// Stars are compared as written and read back; anything closer is the same value.
constexpr double starsTolerance = 1e-9;
// The decoder drops it; the write puts it back.
const QByteArray byteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

} // namespace

RhythmboxLibrary::RhythmboxLibrary(QString path)
    : FileLibrary(std::move(path))
    , m_database(std::make_shared<RhythmDbClient>())
{
}

QString RhythmboxLibrary::defaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("rhythmbox/rhythmdb.xml"));
}

std::optional<RhythmdbFile> RhythmboxLibrary::parseBytes(const QByteArray& bytes, QString* error)
{
    QStringDecoder decode(QStringDecoder::Utf8);
    QString text = decode(bytes);
    if (decode.hasError()) {
        *error = QStringLiteral("the file is not UTF-8 text, as Rhythmbox writes it.");
        return std::nullopt;
    }
    return RhythmdbFile::parse(std::move(text), error);
}

bool RhythmboxLibrary::load(QString* error)
{
    m_file.reset();
    setEntries({});
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly)) {
        *error
            = QStringLiteral("The Rhythmbox library \"%1\" could not be opened: %2.").arg(path(), file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    m_byteOrderMark = bytes.startsWith(byteOrderMark);
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("The Rhythmbox library \"%1\" could not be read to its end: %2. Nothing was read.")
                     .arg(path(), file.errorString());
        return false;
    }
    QString why;
    std::optional<RhythmdbFile> parsed = parseBytes(bytes, &why);
    if (!parsed) {
        *error = QStringLiteral("The Rhythmbox library \"%1\" could not be read. %2").arg(path(), why);
        return false;
    }
    std::vector<LibraryEntry> entries;
    entries.reserve(parsed->songs().size());
    for (const RhythmdbFile::Song& song : parsed->songs())
        entries.push_back(entryOf(song));
    m_file = std::move(parsed);
    setEntries(std::move(entries));
    return true;
}

bool RhythmboxLibrary::commit(QString* message)
{
    m_wroteToRhythmbox = false;
    if (m_database->isRunning())
        return commitToRunningRhythmbox(message);
    return FileLibrary::commit(message);
}

bool RhythmboxLibrary::commitToRunningRhythmbox(QString* message)
{
    const std::vector<int> changed = changedEntries();
    int written = 0;
    for (int position : changed) {
        const LibraryEntry& entry = entries()[std::size_t(position)];
        QString error;
        if (!writeToRunningRhythmbox(entry.location, valuesOf(position), &error)) {
            // Over the bus there is no transaction: say exactly how far it got.
            *message = QStringLiteral("Rhythmbox did not take the new values for \"%1\": %2 %3 of %4 tracks before it "
                                      "were changed in Rhythmbox; the rest were not. Its library file was not touched.")
                           .arg(entry.name, error)
                           .arg(written)
                           .arg(changed.size());
            return false;
        }
        ++written;
    }
    clearChanges();
    m_wroteToRhythmbox = written > 0;
    return true;
}

bool RhythmboxLibrary::writeToRunningRhythmbox(
    const QString& location, const RhythmdbFile::Values& values, QString* error) const
{
    const QVariantMap sent { { RhythmDbClient::kRating, RhythmDbClient::starsValue(values.stars) },
        { RhythmDbClient::kPlayCount, RhythmDbClient::countValue(values.playCount) },
        { RhythmDbClient::kLastPlayed, RhythmDbClient::countValue(values.lastPlayed) } };
    const RhythmDbClient::Outcome outcome = m_database->write(location, sent);
    switch (outcome.kind) {
    case RhythmDbClient::Outcome::Done:
        return true;
    case RhythmDbClient::Outcome::NoEntry:
        *error = QStringLiteral("Rhythmbox has no track at \"%1\" in its library.").arg(location);
        return false;
    case RhythmDbClient::Outcome::NoAnswer:
        *error = QStringLiteral("Rhythmbox did not answer (%1).").arg(outcome.error.message());
        return false;
    case RhythmDbClient::Outcome::NotKept:
        break;
    }
    const auto held = [&outcome](const QString& name) { return outcome.held.value(name, QVariant(0U)).toString(); };
    *error
        = QStringLiteral("Rhythmbox did not keep the values sent for \"%1\" (sent %2 stars, %3 plays, "
                         "last played %4; it holds %5, %6, %7).")
              .arg(location, sent.value(RhythmDbClient::kRating).toString(),
                  sent.value(RhythmDbClient::kPlayCount).toString(), sent.value(RhythmDbClient::kLastPlayed).toString(),
                  held(RhythmDbClient::kRating), held(RhythmDbClient::kPlayCount), held(RhythmDbClient::kLastPlayed));
    return false;
}

QString RhythmboxLibrary::completionNote() const
{
    if (m_wroteToRhythmbox)
        return QStringLiteral("Rhythmbox was running and took the new values itself; it saves them to its library "
                              "file as usual.");
    return FileLibrary::completionNote();
}

LibraryEntry RhythmboxLibrary::entryOf(const RhythmdbFile::Song& song)
{
    LibraryEntry entry;
    entry.name = song.title;
    entry.artist = song.artist;
    entry.album = song.album;
    entry.location = song.location;
    entry.durationMs = song.durationSeconds * msPerSecond;
    entry.rating = RatingScale::fromStars(song.stars);
    entry.playCount = int(std::clamp<qint64>(song.playCount, 0, std::numeric_limits<int>::max()));
    if (song.lastPlayed > 0)
        entry.played = QDateTime::fromSecsSinceEpoch(song.lastPlayed);
    return entry;
}

RhythmdbFile::Values RhythmboxLibrary::valuesOf(int position) const
{
    const LibraryEntry& entry = entries()[std::size_t(position)];
    // A half star reads as a whole one; unless the rating was changed, the half stays.
    const double stars = m_file->songs()[std::size_t(position)].stars;
    return { RatingScale::fromStars(stars) == entry.rating ? stars : RatingScale::toStars(entry.rating),
        entry.playCount, entry.played.isValid() ? std::max<qint64>(0, entry.played.toSecsSinceEpoch()) : 0 };
}

bool RhythmboxLibrary::holds(
    const RhythmdbFile& file, const std::vector<std::pair<int, RhythmdbFile::Values>>& changes, QString* error)
{
    for (const auto& [position, values] : changes) {
        if (std::size_t(position) >= file.songs().size()) {
            *error = QStringLiteral("the written file holds fewer songs than it should.");
            return false;
        }
        const RhythmdbFile::Song& song = file.songs()[std::size_t(position)];
        if (std::abs(song.stars - values.stars) > starsTolerance || song.playCount != values.playCount
            || song.lastPlayed != values.lastPlayed) {
            *error = QStringLiteral("\"%1\" read back with other values than were written.").arg(song.title);
            return false;
        }
    }
    return true;
}

bool RhythmboxLibrary::writeChanges(const std::vector<int>& changed, QString* error)
{
    std::vector<std::pair<int, RhythmdbFile::Values>> changes;
    changes.reserve(changed.size());
    for (int position : changed)
        changes.emplace_back(position, valuesOf(position));

    // Checked before the file is touched, so a fault here never reaches the disk.
    const QByteArray bytes = (m_byteOrderMark ? byteOrderMark : QByteArray()) + m_file->withValues(changes).toUtf8();
    QString why;
    const std::optional<RhythmdbFile> planned = parseBytes(bytes, &why);
    if (!planned || !holds(*planned, changes, &why)) {
        *error = QStringLiteral("the new text did not read back (%1).").arg(why);
        return false;
    }

    QString writeError;
    if (!ReplacingFile::replace(path(), bytes, &writeError)) {
        *error = QStringLiteral("it could not be written (%1).").arg(writeError);
        return false;
    }

    QFile written(path());
    std::optional<RhythmdbFile> reread;
    if (written.open(QIODevice::ReadOnly))
        reread = parseBytes(written.readAll(), &why);
    else
        why = written.errorString();
    if (!reread || !holds(*reread, changes, &why)) {
        QString restoreError;
        *error = restoreBackup(&restoreError)
            ? QStringLiteral("what was written did not read back (%1), so the copy was put back.").arg(why)
            : QStringLiteral("what was written did not read back (%1), and putting the copy back failed (%2).")
                  .arg(why, restoreError);
        return false;
    }
    m_file = std::move(reread);
    return true;
}
