#pragma once

#include "GeneralDateFormat.h"

#include "player/PlayerTrack.h"

#include <QString>

#include <optional>

// How the import merges values into a track.
struct ImportOptions {
    bool importRating = true; // chkImportRating
    bool importPlayCount = true; // chkImportPlayCount
    bool importLastPlayDate = true; // chkImportLastPlayDate
    // cboPlayCount: "Replace" takes the file's count; anything else adds one play.
    QString playCountMode = QStringLiteral("Increment");
    // chkExportMsg: completion in a message box rather than a balloon.
    bool completionMessageBox = false;
    // What the messages call the library: the player's name, "Rhythmbox"…
    QString libraryName = QStringLiteral("Library");
};

// The extras the import compares and writes: a track's artist, rating, play count and date
// last played, all as text the way the extras file holds them. A value the file does not
// carry is nullopt, and leaves the track's value as it is.
struct TrackExtras {
    std::optional<QString> artist;
    std::optional<QString> rating;
    std::optional<QString> playedCount;
    std::optional<QString> playedDate;

    // Reads them from a library track; may throw PlayerError.
    static TrackExtras of(const PlayerTrack& track, const GeneralDateFormat& dates);
    // The change test: a value this carries differs from the track's.
    bool changes(const TrackExtras& track) const;
};

// Writes the file's values into a changed track as the options say.
class TrackMerger
{
public:
    TrackMerger(const ImportOptions& options, const GeneralDateFormat& dates);

    // Sets what the options select and the file carries. A rating or play count that is not
    // an integer the player accepts (0 to 100, not negative), or a date that does not read
    // back, leaves that value as it is; the return is then false and the rest is still
    // written. Throws PlayerError
    // when the player fails.
    // *problem then names the first value left: "the rating \"four\"".
    bool apply(PlayerTrack& track, const TrackExtras& file, QString* problem) const;

private:
    const ImportOptions& m_options;
    const GeneralDateFormat& m_dates;
};
