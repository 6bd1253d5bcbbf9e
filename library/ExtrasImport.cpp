#include "ExtrasImport.h"

#include "ExtrasFileReader.h"
#include "LibraryStore.h"
#include "TransferBusy.h"

#include "player/PlayerError.h"
#include "player/PlayerSource.h"

#include <QFile>
#include <QScopeGuard>

#include <algorithm>
#include <chrono>
#include <future>

namespace
{

const QString libraryPlaylistName = QStringLiteral("Library");
const QString mapMode = QStringLiteral("All");
constexpr int balloonTimeoutMs = 5000;
// The checking read lets the window in after this many track elements.
constexpr int eventStride = 1024;
// A file this large is read on a worker thread while the window keeps answering.
constexpr qint64 backgroundBytes = 4 * 1024 * 1024;
// How often the window is let in meanwhile: about 30 times a second.
constexpr int waitMs = 33;

// "1 track was" / "3 tracks were".
QString tracksWere(int count)
{
    return count == 1 ? QStringLiteral("1 track was") : QStringLiteral("%1 tracks were").arg(count);
}

std::shared_ptr<PlayerPlaylist> findLibrary(const PlayerSource* source)
{
    if (!source)
        return nullptr;
    const auto playlists = source->Playlists();
    const int count = playlists->Count();
    for (int p = 1; p <= count; ++p) {
        auto playlist = playlists->Item(p);
        if (playlist->Name() == libraryPlaylistName)
            return playlist;
    }
    return nullptr;
}

} // namespace

ExtrasImport::ExtrasImport(
    std::shared_ptr<PlayerSource> library, TransferView& view, ImportOptions options, std::function<bool()> isCancelled)
    : m_library(std::move(library))
    , m_view(view)
    , m_options(std::move(options))
    , m_isCancelled(std::move(isCancelled))
{
}

FileDialogRequest ExtrasImport::dialogRequest()
{
    return { QStringLiteral("Import Your Data"), QStringLiteral("xml"), QStringLiteral("XML Files (*.xml)") };
}

TransferOutcome ExtrasImport::run()
{
    m_updated = 0;
    m_skipped = 0;
    m_ambiguous = 0;
    m_matched = 0;
    m_firstProblem.clear();
    m_map.clear();
    m_libraryArtists.clear();
    const QString path = m_view.openFileName(dialogRequest());
    if (path.isEmpty())
        return TransferOutcome::NoFile;

    TransferBusy busy(m_view);
    // The matching tables of a large file take a while to free: a worker frees them while
    // the window answers.
    const auto freeTables = qScopeGuard([this] {
        std::future<void> done = std::async(std::launch::async, [this] {
            m_map.clear();
            m_libraryArtists.clear();
        });
        while (done.wait_for(std::chrono::milliseconds(waitMs)) != std::future_status::ready)
            m_view.processEvents();
    });
    m_view.setProgressValue(0);
    try {
        const std::shared_ptr<PlayerPlaylist> library = findLibrary(m_library.get());
        if (!library) {
            m_view.messageBox(QStringLiteral(
                "The player's library has no playlist named \"Library\", so there is nothing to import into."));
            return TransferOutcome::Failed;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            m_view.messageBox(
                QStringLiteral("Error: The file \"%1\" could not be opened: %2").arg(path, file.errorString()));
            m_view.setStatus(QString());
            return TransferOutcome::Failed;
        }
        // The first reading only checks the file and counts, so a damaged or oversized file
        // changes nothing and the mode is known before the first track.
        std::optional<QString> exportMode;
        const std::optional<int> count = check(file, &exportMode);
        if (!count)
            return cancelled() ? stoppedEarly() : TransferOutcome::Failed;
        if (m_store && file.seek(0))
            m_store->takeInTracksOf(file);
        const bool mapped = exportMode == mapMode;
        if (mapped)
            countMatches(*library);
        m_view.setStatus(QStringLiteral("Loading XML..."));
        m_view.setProgressValue(0);
        m_view.setProgressMaximum(*count);
        bool stopped = false;
        if (!file.seek(0) || !readAgain(file, mapped, &stopped))
            return TransferOutcome::Failed;
        // The library pass always handles its first track, even after a cancel.
        if (mapped)
            stopped = mergeLibrary(*library);
        if (!commit())
            return TransferOutcome::Failed;
        if (stopped || cancelled())
            return stoppedEarly();
        finish();
        return TransferOutcome::Completed;
    } catch (const PlayerError& error) {
        m_view.messageBox(m_options.libraryName
            + QStringLiteral(" import stopped: %1\nTracks already imported keep their new values.")
                  .arg(QString::fromStdString(error.what())));
        m_view.setStatus(QString());
        return TransferOutcome::Failed;
    }
}

TrackExtras ExtrasImport::extrasOf(ExtrasTrackElement& element)
{
    auto& fields = element.fields;
    return { std::move(fields[ExtrasTrackElement::Artist]), std::move(fields[ExtrasTrackElement::Rating]),
        std::move(fields[ExtrasTrackElement::PlayedCount]), std::move(fields[ExtrasTrackElement::PlayedDate]) };
}

std::optional<int> ExtrasImport::check(QFile& file, std::optional<QString>* exportMode)
{
    const bool background = file.size() >= backgroundBytes;
    int count = 0;
    const auto countOne = [&](ExtrasTrackElement&) {
        ++count;
        if (background)
            return !m_stopRequested.load();
        if (count % eventStride != 0)
            return true;
        m_view.processEvents();
        return !cancelled();
    };
    QString reason;
    bool read = false;
    const auto work = [&] { read = ExtrasFileReader::stream(file, countOne, exportMode, &reason); };
    if (background)
        whileWorking(work);
    else
        work();
    if (!read) {
        m_view.messageBox(QStringLiteral("Error: ") + reason);
        m_view.setStatus(QString());
        return std::nullopt;
    }
    if (cancelled())
        return std::nullopt;
    return count;
}

bool ExtrasImport::readAgain(QFile& file, bool mapped, bool* stopped)
{
    // The map is the worker's alone until it is done; a search needs the player, which
    // lives on this thread.
    const bool background = mapped && file.size() >= backgroundBytes;
    int i = 0;
    const auto handle = [&](ExtrasTrackElement& element) {
        // The flag is examined once the element is in hand; that element is still handled.
        *stopped = background ? m_stopRequested.load() : cancelled();
        if (mapped)
            addToMap(element);
        else
            searchFor(element);
        if (background) {
            m_progress = i++;
        } else {
            m_view.setProgressValue(i++);
            m_view.processEvents();
        }
        return !*stopped;
    };
    QString reason;
    bool read = false;
    const auto work = [&] { read = ExtrasFileReader::stream(file, handle, nullptr, &reason); };
    if (background)
        whileWorking(work);
    else
        work();
    if (read)
        return true;
    // Only a file changed since the first reading gets here.
    m_view.messageBox(QStringLiteral("Error: ") + reason);
    m_view.setStatus(QString());
    return false;
}

void ExtrasImport::whileWorking(const std::function<void()>& work)
{
    m_stopRequested = false;
    m_progress = 0;
    std::future<void> done = std::async(std::launch::async, work);
    while (done.wait_for(std::chrono::milliseconds(waitMs)) != std::future_status::ready) {
        m_view.setProgressValue(m_progress);
        m_view.processEvents();
        if (cancelled())
            m_stopRequested = true;
    }
    done.get();
}

void ExtrasImport::addToMap(ExtrasTrackElement& element)
{
    const Key key = keyOf(textOf(element, ExtrasTrackElement::Name), textOf(element, ExtrasTrackElement::Time));
    // What names no track of the library is not kept, so memory follows the library.
    if (!m_libraryArtists.contains(key))
        return;
    std::vector<FileEntry>& entries = m_map[key];
    const QString artist = textOf(element, ExtrasTrackElement::Artist).toCaseFolded();
    const bool known
        = std::any_of(entries.begin(), entries.end(), [&](const FileEntry& entry) { return entry.artist == artist; });
    if (!known)
        entries.push_back({ artist, extrasOf(element) });
}

void ExtrasImport::countMatches(PlayerPlaylist& library)
{
    const auto tracks = library.Tracks();
    const int count = tracks->Count();
    m_view.setProgressValue(0);
    m_view.setProgressMaximum(count);
    m_view.setStatus(QStringLiteral("Reading the library..."));
    // Not stopped by a cancel: the passes that follow need every count.
    for (int i = 1; i <= count; ++i) {
        const auto track = tracks->Item(i);
        m_libraryArtists[keyOf(track->Name(), track->Time())].push_back(track->Artist().toCaseFolded());
        m_view.setProgressValue(i);
        m_view.processEvents();
    }
}

const ExtrasImport::FileEntry* ExtrasImport::entryFor(const Key& key, const QString& artist)
{
    const auto found = m_map.constFind(key);
    if (found == m_map.constEnd())
        return nullptr;
    const FileEntry* match = nullptr;
    for (const FileEntry& entry : *found) {
        if (!sameArtist(entry.artist, artist))
            continue;
        if (match) {
            ++m_ambiguous;
            return nullptr;
        }
        match = &entry;
    }
    if (!match)
        return nullptr;
    const std::vector<QString> artists = m_libraryArtists.value(key);
    const auto tracks = std::count_if(
        artists.begin(), artists.end(), [&](const QString& other) { return sameArtist(match->artist, other); });
    if (tracks > 1) {
        ++m_ambiguous;
        return nullptr;
    }
    return match;
}

bool ExtrasImport::mergeLibrary(PlayerPlaylist& library)
{
    const auto tracks = library.Tracks();
    const int count = tracks->Count();
    m_view.setProgressValue(0);
    m_view.setProgressMaximum(count);
    m_view.setStatus(QStringLiteral("Searching for changes..."));
    for (int i = 1; i <= count; ++i) {
        const auto track = tracks->Item(i);
        const QString name = track->Name();
        const QString artist = track->Artist();
        if (const FileEntry* entry = entryFor(keyOf(name, track->Time()), artist.toCaseFolded())) {
            ++m_matched;
            if (entry->extras.changes(TrackExtras::of(*track, m_dates)))
                update(*track, entry->extras, name);
        }
        m_view.setProgressValue(i);
        m_view.processEvents();
        if (cancelled())
            return true;
    }
    return false;
}

void ExtrasImport::searchFor(ExtrasTrackElement& element)
{
    const QString name = textOf(element, ExtrasTrackElement::Name);
    const QString wanted = name + textOf(element, ExtrasTrackElement::Time);
    const QString artist = textOf(element, ExtrasTrackElement::Artist).toCaseFolded();
    const TrackExtras extras = extrasOf(element);
    std::vector<std::shared_ptr<PlayerTrack>> matches;
    if (const auto results = m_library->Playlists()->Item(1)->Search(name, PlayerPlaylist::SearchSongNames)) {
        const int count = results->Count();
        for (int r = 1; r <= count; ++r) {
            auto track = results->Item(r);
            if (track->Name() + track->Time() == wanted && sameArtist(artist, track->Artist().toCaseFolded()))
                matches.push_back(std::move(track));
        }
    }
    if (matches.size() > 1) {
        m_ambiguous += int(matches.size());
    } else if (matches.size() == 1) {
        ++m_matched;
        if (extras.changes(TrackExtras::of(*matches[0], m_dates)))
            update(*matches[0], extras, name);
    }
}

void ExtrasImport::update(PlayerTrack& track, const TrackExtras& file, const QString& shownName)
{
    QString problem;
    if (!TrackMerger(m_options, m_dates).apply(track, file, &problem)) {
        if (m_skipped++ == 0)
            m_firstProblem = QStringLiteral("%1 of \"%2\"").arg(problem, shownName);
    }
    ++m_updated;
    m_view.setStatus(shownName + QStringLiteral(" imported"));
}

bool ExtrasImport::commit()
{
    QString message;
    if (!m_store || m_store->commit(&message))
        return true;
    m_view.messageBox(message);
    m_view.setStatus(QString());
    return false;
}

TransferOutcome ExtrasImport::stoppedEarly()
{
    m_view.messageBox(m_options.libraryName + QStringLiteral(" import canceled"));
    m_view.setStatus(QString());
    return TransferOutcome::Cancelled;
}

void ExtrasImport::finish()
{
    QString message = QStringLiteral("Bolvin import complete");
    if (m_matched == 0 && m_ambiguous == 0) {
        m_view.setStatus(QStringLiteral("Nothing imported"));
        message = QStringLiteral("Nothing was imported: no track of the file matches a track of the library by name, "
                                 "duration and artist");
    } else {
        m_view.setStatus(m_options.libraryName + QStringLiteral(" import complete"));
    }
    if (m_skipped > 0)
        message += QStringLiteral(". %1 skipped: a value in the file could not be used (the first: %2).")
                       .arg(tracksWere(m_skipped), m_firstProblem);
    if (m_ambiguous > 0) {
        message += QStringLiteral(". %1 left unchanged: their name and duration match more than one track.")
                       .arg(tracksWere(m_ambiguous));
    }
    if (m_store && !m_store->completionNote().isEmpty())
        message += QStringLiteral(". ") + m_store->completionNote();
    if (m_matched == 0 && m_ambiguous == 0)
        message += QLatin1Char('.');
    if (m_options.completionMessageBox)
        m_view.messageBox(message);
    else
        m_view.showBalloon(message, QStringLiteral("Bolvin"), TransferView::InfoIcon, balloonTimeoutMs);
}
