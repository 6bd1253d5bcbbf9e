#include "ExtrasImport.h"

#include "ExtrasFileReader.h"
#include "LibraryStore.h"
#include "TransferBusy.h"

#include "player/PlayerError.h"
#include "player/PlayerSource.h"

namespace
{

const QString libraryPlaylistName = QStringLiteral("Library");
const QString mapMode = QStringLiteral("All");
constexpr int balloonTimeoutMs = 5000;
// Artist, rating, play count and date: three separators, or a text holds one.
constexpr qsizetype separatorsPerValue = 3;

// The map's key: the player compares names without regard to case, and so does the map.
QString mapKey(const QString& name, const QString& time)
{
    return (name + ExtrasImport::separator + time).toCaseFolded();
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
    m_map.clear();
    const QString path = m_view.openFileName(dialogRequest());
    if (path.isEmpty())
        return TransferOutcome::NoFile;

    TransferBusy busy(m_view);
    m_view.setProgressValue(0);
    try {
        const std::shared_ptr<PlayerPlaylist> library = findLibrary(m_library.get());
        if (!library) {
            m_view.messageBox(QStringLiteral(
                "The player's library has no playlist named \"Library\", so there is nothing to import into."));
            return TransferOutcome::Failed;
        }
        QString reason;
        std::optional<ExtrasDocument> document = ExtrasFileReader::readFile(path, &reason);
        if (!document) {
            m_view.messageBox(QStringLiteral("Error: ") + reason);
            m_view.setStatus(QString());
            return TransferOutcome::Failed;
        }
        m_view.setStatus(QStringLiteral("Loading XML..."));
        m_view.setProgressMaximum(int(document->tracks.size()));
        bool stopped = false;
        if (document->exportMode == mapMode) {
            readIntoMap(*document);
            // The library pass always handles its first track, even after a cancel.
            stopped = mergeLibrary(*library);
        } else {
            stopped = searchEach(*document);
        }
        if (!commit())
            return TransferOutcome::Failed;
        finish(stopped || cancelled());
        return stopped || cancelled() ? TransferOutcome::Cancelled : TransferOutcome::Completed;
    } catch (const PlayerError& error) {
        m_view.messageBox(QStringLiteral("iTunes import stopped: %1\nTracks already imported keep their new values.")
                              .arg(QString::fromStdString(error.what())));
        m_view.setStatus(QString());
        return TransferOutcome::Failed;
    }
}

void ExtrasImport::take(Current& current, ExtrasTrackElement& element)
{
    for (std::size_t f = 0; f < element.fields.size(); ++f) {
        if (element.fields[f]) {
            current[f] = std::move(*element.fields[f]);
            element.fields[f].reset();
        }
    }
}

TrackExtras ExtrasImport::extrasOf(const Current& current)
{
    return { current[ExtrasTrackElement::Artist], current[ExtrasTrackElement::Rating],
        current[ExtrasTrackElement::PlayedCount], current[ExtrasTrackElement::PlayedDate] };
}

void ExtrasImport::readIntoMap(ExtrasDocument& document)
{
    Current current;
    for (std::size_t i = 0; i < document.tracks.size(); ++i) {
        take(current, document.tracks[i]);
        // The flag is examined once the element is in hand; that element is still added.
        const bool stop = cancelled();
        const QString& name = current[ExtrasTrackElement::Name];
        const QString key = mapKey(name, current[ExtrasTrackElement::Time]);
        QString value = extrasOf(current).joined(separator);
        if (value.count(separator) != separatorsPerValue) {
            // Splitting the stored value at the separator would shift the fields.
            ++m_skipped;
            m_view.messageBox(
                QStringLiteral("Error loading track %1 into XMLMap: its artist holds \"%2\".").arg(name, separator));
        } else if (!m_map.contains(key)) {
            m_map.insert(key, std::move(value));
        }
        m_view.setProgressValue(int(i));
        m_view.processEvents();
        if (stop)
            return;
    }
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
        const auto found = m_map.constFind(mapKey(name, track->Time()));
        if (found != m_map.constEnd()) {
            if (TrackExtras::of(*track, m_dates).joined(separator) != *found) {
                const QStringList stored = found->split(separator);
                update(*track, TrackExtras { stored[0], stored[1], stored[2], stored[3] }, name);
            }
        }
        m_view.setProgressValue(i);
        m_view.processEvents();
        if (cancelled())
            return true;
    }
    return false;
}

bool ExtrasImport::searchEach(ExtrasDocument& document)
{
    const auto first = m_library->Playlists()->Item(1);
    Current current;
    for (std::size_t i = 0; i < document.tracks.size(); ++i) {
        take(current, document.tracks[i]);
        const bool stop = cancelled();
        const QString& name = current[ExtrasTrackElement::Name];
        const QString wanted = name + current[ExtrasTrackElement::Time];
        const TrackExtras extras = extrasOf(current);
        if (const auto results = first->Search(name, PlayerPlaylist::SearchSongNames)) {
            const int count = results->Count();
            for (int r = 1; r <= count; ++r) {
                const auto track = results->Item(r);
                if (track->Name() + track->Time() != wanted)
                    continue;
                if (TrackExtras::of(*track, m_dates).joined() != extras.joined())
                    update(*track, extras, name);
            }
        }
        m_view.setProgressValue(int(i));
        m_view.processEvents();
        if (stop)
            return true;
    }
    return false;
}

void ExtrasImport::update(PlayerTrack& track, const TrackExtras& file, const QString& shownName)
{
    if (!TrackMerger(m_options, m_dates).apply(track, file))
        ++m_skipped;
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

void ExtrasImport::finish(bool wasCancelled)
{
    if (wasCancelled) {
        m_view.messageBox(QStringLiteral("iTunes import canceled"));
        m_view.setStatus(QString());
        return;
    }
    m_view.setStatus(QStringLiteral("iTunes import complete"));
    QString message = QStringLiteral("Bolvin import complete");
    if (m_skipped == 1)
        message += QStringLiteral(". 1 track was skipped: a value in the file could not be used.");
    else if (m_skipped > 1)
        message += QStringLiteral(". %1 tracks were skipped: a value in the file could not be used.").arg(m_skipped);
    if (m_store && !m_store->completionNote().isEmpty())
        message += QStringLiteral(". ") + m_store->completionNote();
    if (m_options.completionMessageBox)
        m_view.messageBox(message);
    else
        m_view.showBalloon(message, QStringLiteral("Bolvin"), TransferView::InfoIcon, balloonTimeoutMs);
}
