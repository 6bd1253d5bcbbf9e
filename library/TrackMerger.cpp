#include "TrackMerger.h"

#include <limits>
#include <optional>

namespace
{

constexpr int maxRating = 100;
const QString replaceMode = QStringLiteral("Replace");

std::optional<int> integerIn(const QString& text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

bool differs(const std::optional<QString>& file, const std::optional<QString>& track)
{
    return file && file != track;
}

} // namespace

TrackExtras TrackExtras::of(const PlayerTrack& track, const GeneralDateFormat& dates)
{
    return { track.Artist(), QString::number(track.Rating()), QString::number(track.PlayedCount()),
        dates.toText(track.PlayedDate()) };
}

bool TrackExtras::changes(const TrackExtras& track) const
{
    return differs(artist, track.artist) || differs(rating, track.rating) || differs(playedCount, track.playedCount)
        || differs(playedDate, track.playedDate);
}

TrackMerger::TrackMerger(const ImportOptions& options, const GeneralDateFormat& dates)
    : m_options(options)
    , m_dates(dates)
{
}

bool TrackMerger::apply(PlayerTrack& track, const TrackExtras& file, QString* problem) const
{
    bool complete = true;
    const auto unusable = [&](const char* what, const QString& text) {
        if (complete)
            *problem = QStringLiteral("the %1 \"%2\"").arg(QLatin1StringView(what), text);
        complete = false;
    };
    if (m_options.importRating && file.rating) {
        if (const auto rating = integerIn(*file.rating, 0, maxRating))
            track.SetRating(*rating);
        else
            unusable("rating", *file.rating);
    }
    if (m_options.importPlayCount && file.playedCount) {
        if (m_options.playCountMode == replaceMode) {
            if (const auto count = integerIn(*file.playedCount, 0, std::numeric_limits<int>::max()))
                track.SetPlayedCount(*count);
            else
                unusable("play count", *file.playedCount);
        } else {
            track.SetPlayedCount(track.PlayedCount() + 1);
        }
    }
    if (m_options.importLastPlayDate && file.playedDate) {
        if (const auto date = m_dates.fromText(*file.playedDate))
            track.SetPlayedDate(*date);
        else
            unusable("date", *file.playedDate);
    }
    return complete;
}
