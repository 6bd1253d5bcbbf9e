#pragma once

#include "ExtrasTrackElement.h"
#include "GeneralDateFormat.h"
#include "TrackMerger.h"
#include "TransferView.h"

#include <QHash>
#include <QPair>
#include <QString>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class LibraryStore;
class QFile;
class PlayerPlaylist;
class PlayerSource;

// Merges an extras file the user picks into a library source: the connected player's, or a
// library file's, which setStore() then makes lasting. The file is read as a stream, twice:
// the first reading checks all of it, so one that does not parse is reported as "Error: " +
// the reason and changes nothing; the second uses it. Memory follows the library, not the
// file: the map keeps only entries that name a track of the library.
// Tracks match on name, duration and, where both the file and the library name one, the
// artist; a file entry that still matches more than one track changes none of them. A
// matched track whose rating, play count or date text differs from the file's gets the
// values the options select.
//
// The file's export mode picks the matching: "All" reads the file into a map keyed, without
// regard to case, by name and duration, between two walks of the library (the first only
// notes each track's name, duration and artist); any other mode (or none, as in a file that lost its
// exportmode) asks the player for one song-name search per track element and takes exact,
// case-sensitive matches only, which is the safe reading of a file whose mode is unknown.
//
// Runs on the GUI thread and processes events after each item; a large file is read on a
// worker thread while this thread keeps the window answering. run() returns with the view
// idle whatever happens.
class ExtrasImport
{
public:
    // isCancelled is polled between items; the caller clears its flag before run().
    // view must outlive run(). A null library fails the run with a message, as a library
    // without a "Library" playlist does.
    ExtrasImport(std::shared_ptr<PlayerSource> library, TransferView& view, ImportOptions options,
        std::function<bool()> isCancelled);

    void setLocale(const QLocale& locale) { m_dates = GeneralDateFormat(locale); }
    // The file behind library, committed after the last track (also after a cancel). A
    // refused or failed commit is reported and the run ends Failed with the file as it was.
    // store must outlive run(); nullptr (the default) for a running player.
    void setStore(LibraryStore* store) { m_store = store; }

    TransferOutcome run();

    // Tracks written to by the last run.
    int tracksUpdated() const { return m_updated; }
    // Tracks that kept a value the file could not give.
    int tracksSkipped() const { return m_skipped; }
    // Tracks left alone because their name and duration matched more than one track.
    int tracksAmbiguous() const { return m_ambiguous; }

    static FileDialogRequest dialogRequest();

private:
    // Case-folded name and time.
    using Key = QPair<QString, QString>;
    struct FileEntry {
        // Case-folded; empty when the file names no artist.
        QString artist;
        TrackExtras extras;
    };

    // Moves the element's texts out, so a large file's memory goes as the map fills.
    static TrackExtras extrasOf(ExtrasTrackElement& element);
    // A child the element lacks reads as empty here.
    static QString textOf(const ExtrasTrackElement& element, ExtrasTrackElement::Field field)
    {
        return element.fields[field].value_or(QString());
    }
    static Key keyOf(const QString& name, const QString& time) { return { name.toCaseFolded(), time.toCaseFolded() }; }
    // An artist only tells two tracks apart when both sides name one.
    static bool sameArtist(const QString& folded, const QString& otherFolded)
    {
        return folded.isEmpty() || otherFolded.isEmpty() || folded == otherFolded;
    }

    // Reads the whole file once without using it: the track count and export mode, or
    // nullopt when it is refused (the user was told) or the user stopped.
    std::optional<int> check(QFile& file, std::optional<QString>* exportMode);
    // The reading that uses each element; false when the file no longer reads (the user was
    // told). A cancel ends it after the element in hand and sets *stopped; in map mode the
    // library pass that follows still sees it. Throws PlayerError.
    bool readAgain(QFile& file, bool mapped, bool* stopped);
    // Runs work on a worker thread, letting the window in and passing a cancel on to
    // m_stopRequested until it is done.
    void whileWorking(const std::function<void()>& work);
    void addToMap(ExtrasTrackElement& element);
    // Throws PlayerError, as do the three below.
    void searchFor(ExtrasTrackElement& element);
    void countMatches(PlayerPlaylist& library);
    // True when cancelled.
    bool mergeLibrary(PlayerPlaylist& library);
    // The one file entry track matches, or nullptr (counted when the match is ambiguous).
    const FileEntry* entryFor(const Key& key, const QString& artist);
    void update(PlayerTrack& track, const TrackExtras& file, const QString& shownName);
    bool cancelled() const { return m_isCancelled && m_isCancelled(); }
    // False when the store refused or failed; the user was told.
    bool commit();
    TransferOutcome stoppedEarly();
    void finish();

    std::shared_ptr<PlayerSource> m_library;
    LibraryStore* m_store = nullptr;
    TransferView& m_view;
    ImportOptions m_options;
    std::function<bool()> m_isCancelled;
    GeneralDateFormat m_dates;
    // XMLMap: the file's entries by name and time; one per artist, the first one counting.
    QHash<Key, std::vector<FileEntry>> m_map;
    // The case-folded artists of the library's tracks by name and time.
    QHash<Key, std::vector<QString>> m_libraryArtists;
    int m_updated = 0;
    int m_skipped = 0;
    int m_ambiguous = 0;
    // Tracks the file named exactly once, changed or not.
    int m_matched = 0;
    // Between the window and a worker reading the file.
    std::atomic<bool> m_stopRequested = false;
    std::atomic<int> m_progress = 0;
    // The first value that could not be used, and whose it was; said once, at the end.
    QString m_firstProblem;
};
