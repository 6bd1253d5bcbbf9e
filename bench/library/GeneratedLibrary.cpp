#include "GeneratedLibrary.h"

#include "player/TrackTime.h"
#include "player/plist/MusicLibrary.h"
#include "player/simulated/SimulatedPlayer.h"

#include <QFile>

namespace
{

constexpr int artists = 997;
constexpr int neverPlayedEvery = 7;
constexpr int caseTwinEvery = 50;
constexpr qint64 shortestMs = 90000;
constexpr qint64 lengthSpreadMs = 300000;

qint64 lengthMs(int i)
{
    return shortestMs + (qint64(i) * 7919) % lengthSpreadMs;
}

} // namespace

namespace GeneratedLibrary
{

FakeTrackData track(int i)
{
    FakeTrackData t;
    // Every fiftieth name repeats its neighbour's in upper case, as libraries often do.
    t.name = i % caseTwinEvery == 1 ? QStringLiteral("SONG %1").arg(i - 1, 6, 10, QLatin1Char('0'))
                                    : QStringLiteral("Song %1").arg(i, 6, 10, QLatin1Char('0'));
    t.artist = QStringLiteral("Artist & Band %1").arg(i % artists);
    t.rating = (i % 6) * 20;
    t.playedCount = i % 40;
    if (i % neverPlayedEvery != 0)
        t.playedDate = QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs(qint64(i) * 313);
    t.time = trackTimeText(lengthMs(i));
    return t;
}

bool writePlist(const QString& path, int count)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray out
        = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n<key>Tracks</key>\n<dict>\n";
    for (int i = 0; i < count; ++i) {
        const FakeTrackData t = track(i);
        out += "<key>" + QByteArray::number(i + 1) + "</key><dict><key>Track ID</key><integer>"
            + QByteArray::number(i + 1) + "</integer><key>Name</key><string>" + t.name.toUtf8()
            + "</string><key>Artist</key><string>" + t.artist.toHtmlEscaped().toUtf8()
            + "</string><key>Total Time</key><integer>" + QByteArray::number(lengthMs(i))
            + "</integer><key>Play Count</key><integer>" + QByteArray::number(t.playedCount)
            + "</integer><key>Rating</key><integer>" + QByteArray::number(t.rating) + "</integer>";
        if (t.playedDate.isValid())
            out += "<key>Play Date UTC</key><date>" + t.playedDate.toUTC().toString(Qt::ISODate).toLatin1() + "</date>";
        out += "</dict>\n";
        if (out.size() > (1 << 20)) {
            file.write(out);
            out.clear();
        }
    }
    // No playlists: the library makes its "Library" playlist of every track.
    out += "</dict>\n</dict>\n</plist>\n";
    return file.write(out) == out.size();
}

std::unique_ptr<SimulatedPlayer> simulatedPlayer(const QString& path, int count)
{
    if (!writePlist(path, count))
        return nullptr;
    auto library = std::make_unique<MusicLibrary>();
    if (!library->load(path))
        return nullptr;
    return std::make_unique<SimulatedPlayer>(std::move(library));
}

std::unique_ptr<FakeLibraryPlayer> indexedPlayer(int count)
{
    auto player = std::make_unique<FakeLibraryPlayer>();
    player->state->tracks.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        player->state->tracks.push_back(track(i));
    player->state->indexedSearch = true;
    player->state->buildIndex();
    player->addLibrary();
    return player;
}

} // namespace GeneratedLibrary
