#include "SampleLibrary.h"

#include <QRandomGenerator>

#include <algorithm>
#include <numeric>

namespace
{

// What a search by song name found before names were indexed: every track of the playlist,
// in order, whose name contains text.
std::vector<int> scanned(const MusicLibrary& library, int playlist, const QString& text)
{
    std::vector<int> found;
    if (text.isEmpty())
        return found;
    for (const int track : *library.playlists()[std::size_t(playlist)].tracks) {
        if (library.tracks()[std::size_t(track)].name.contains(text, Qt::CaseInsensitive))
            found.push_back(track);
    }
    return found;
}

// Whole names, their other cases, pieces of them and texts no name holds, in every playlist.
void expectIndexedMatchesScan(const MusicLibrary& library)
{
    QStringList queries = QString::fromUtf8("|a|zz|no such song|SS|ss|ẞ|\u212A").split(QLatin1Char('|'));
    for (const LibraryTrack& track : library.tracks()) {
        const QString& name = track.name;
        queries << name << name.toUpper() << name.toLower() << name.left(3) << name.mid(1, 4) << name.right(2)
                << name + QStringLiteral("x");
    }
    for (int p = 0; p < int(library.playlists().size()); ++p) {
        for (const QString& text : queries)
            ASSERT_EQ(library.tracksNamed(p, text), scanned(library, p, text))
                << "playlist " << p << " " << text.toStdString();
    }
}

QByteArray playlistEntry(const QString& name, const std::vector<int>& ids)
{
    QByteArray items;
    for (const int id : ids)
        items += "<dict><key>Track ID</key><integer>" + QByteArray::number(id) + "</integer></dict>";
    return "<dict><key>Name</key><string>" + name.toUtf8() + "</string><key>Playlist Items</key><array>" + items
        + "</array></dict>\n";
}

// Names that contain one another, differ only in case, fold in unusual ways or lie beyond
// the Basic Multilingual Plane; a shuffled playlist that lists some tracks twice.
QByteArray generatedLibrary(int count)
{
    const QStringList odd = QString::fromUtf8("Love|Glove|GLOVES|Straße|STRASSE|Σίσυφος|ΣΊΣΥΦΟΣ|\u212Aelvin|kelvin|"
                                              "İstanbul|𐐀𐐁 Deseret|𐐨𐐩 deseret|aaaaaa|aa")
                                .split(QLatin1Char('|'));
    QRandomGenerator random(7);
    QByteArray tracks;
    std::vector<int> shuffled;
    for (int i = 0; i < count; ++i) {
        const QString name = i < odd.size() ? odd[i]
            : i % 5 == 0                    ? QStringLiteral("SONG %1").arg(i / 2)
                                            : QStringLiteral("Song %1").arg(i / 2);
        const QByteArray id = QByteArray::number(i + 1);
        tracks += "<key>" + id + "</key><dict><key>Track ID</key><integer>" + id + "</integer><key>Name</key><string>"
            + name.toHtmlEscaped().toUtf8() + "</string></dict>\n";
        shuffled.push_back(i + 1);
    }
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    shuffled.resize(shuffled.size() / 2);
    const std::vector<int> repeated(shuffled.begin(), shuffled.begin() + count / 10);
    shuffled.insert(shuffled.end(), repeated.begin(), repeated.end());
    std::vector<int> firstHalf(shuffled.size());
    std::iota(firstHalf.begin(), firstHalf.end(), 1);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n<key>Tracks</key>\n<dict>\n"
        + tracks + "</dict>\n<key>Playlists</key>\n<array>\n" + playlistEntry(QStringLiteral("Shuffled"), shuffled)
        + playlistEntry(QStringLiteral("Ascending"), firstHalf) + "</array>\n</dict>\n</plist>\n";
}

} // namespace

// The index must find what a scan finds, in the sample and in names chosen to be awkward.
TEST(TrackNameSearch, IndexedFindsWhatAScanFinds)
{
    SampleLibrary sample;
    expectIndexedMatchesScan(*sample.load());

    QTemporaryDir dir;
    MusicLibrary library;
    ASSERT_TRUE(library.load(SampleLibrary::writeFile(dir.path(), generatedLibrary(400))))
        << library.errorString().toStdString();
    ASSERT_EQ(library.playlists().size(), 3u);
    expectIndexedMatchesScan(library);
}
