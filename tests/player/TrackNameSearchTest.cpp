#include "SampleLibrary.h"

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

} // namespace

// The index must find what a scan finds, in names chosen to be awkward: names that contain
// one another, differ only in case, fold in unusual ways or lie beyond the Basic Multilingual
// Plane, in a playlist out of library order that lists some tracks twice.
TEST(TrackNameSearch, IndexedFindsWhatAScanFinds)
{
    const QStringList names
        = QString::fromUtf8("Love|Glove|GLOVES|Straße|STRASSE|Σίσυφος|ΣΊΣΥΦΟΣ|\u212Aelvin|kelvin|"
                            "İstanbul|𐐀𐐁 Deseret|𐐨𐐩 deseret|aaaaaa|aa|Song 1|SONG 1|Song 10|日本語の歌")
              .split(QLatin1Char('|'));
    QByteArray tracks;
    std::vector<int> outOfOrder { 3, 9, 12 };
    for (int i = 0; i < names.size(); ++i) {
        const QByteArray id = QByteArray::number(i + 1);
        tracks += "<key>" + id + "</key><dict><key>Track ID</key><integer>" + id + "</integer><key>Name</key><string>"
            + names[i].toHtmlEscaped().toUtf8() + "</string></dict>\n";
        outOfOrder.insert(outOfOrder.begin(), i + 1);
    }
    QByteArray items;
    for (const int id : outOfOrder)
        items += "<dict><key>Track ID</key><integer>" + QByteArray::number(id) + "</integer></dict>";
    QTemporaryDir dir;
    MusicLibrary library;
    ASSERT_TRUE(library.load(SampleLibrary::writeFile(dir.path(),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n<key>Tracks</key>\n<dict>\n"
            + tracks + "</dict>\n<key>Playlists</key>\n<array>\n<dict><key>Name</key><string>Mixed</string>"
            + "<key>Playlist Items</key><array>" + items + "</array></dict>\n</array>\n</dict>\n</plist>\n")))
        << library.errorString().toStdString();
    ASSERT_EQ(library.playlists().size(), 2u);

    // Whole names, their other cases, pieces of them and texts no name holds.
    QStringList queries = QString::fromUtf8("|a|zz|no such song|SS|ss|ẞ|\u212A").split(QLatin1Char('|'));
    for (const QString& name : names)
        queries << name << name.toUpper() << name.toLower() << name.left(3) << name.mid(1, 4) << name.right(2)
                << name + QStringLiteral("x");
    for (int p = 0; p < int(library.playlists().size()); ++p) {
        for (const QString& text : queries)
            ASSERT_EQ(library.tracksNamed(p, text), scanned(library, p, text))
                << "playlist " << p << " " << text.toStdString();
    }
}
