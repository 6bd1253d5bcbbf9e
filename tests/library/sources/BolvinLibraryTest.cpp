#include "../LibraryFiles.h"
#include "FakeTransferView.h"

#include "library/ExtrasExport.h"
#include "library/ExtrasImport.h"
#include "library/sources/FileLibrary.h"
#include "library/sources/LibrarySourceKind.h"
#include "player/extras/ExtrasTrackWriter.h"

#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace
{
MprisMetadata track(const QString& url, const QString& artist, const QString& title, qint64 lengthUs)
{
    return MprisMetadata({ { "xesam:url", url }, { "xesam:artist", QStringList { artist } }, { "xesam:title", title },
        { "mpris:length", lengthUs } });
}
}

// What players without a library of their own were given leaves as an ordinary extras file; another
// computer's file comes in before its tracks ever play here, and they are found when they do.
TEST(BolvinLibraryTest, ExportsWhatPlayersWereGivenAndTakesInTracksNotYetPlayed)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Bolvin/extras.sqlite");
    ExtrasTrackWriter writer(std::make_shared<ExtrasStore>(path));
    const MprisMetadata tram = track("https://radio.example/live", "Café Noir", "Last Tram", 183'400'000);
    writer.rate(tram, 80);

    QString error;
    std::shared_ptr<FileLibrary> library = LibrarySources::open(LibrarySourceKind::Bolvin, path, &error);
    ASSERT_TRUE(library) << error.toStdString();
    FakeTransferView view;
    view.savePath = dir.filePath("export.xml");
    ASSERT_EQ(ExtrasExport(library, view, ExportOptions(), [] { return false; }).run(), TransferOutcome::Completed);
    // An export is in ISO 8859-1.
    const QString file = QString::fromLatin1(LibraryFiles::read(view.savePath));
    for (const char* element :
        { "<name>Last Tram</name>", "<artist>Café Noir</artist>", "<rating>80</rating>", "<time>3:03</time>" })
        EXPECT_TRUE(file.contains(QString::fromUtf8(element))) << element << "\n" << file.toStdString();

    view.openPath = dir.filePath("other.xml");
    ASSERT_TRUE(LibraryFiles::write(view.openPath,
        "<library><exportmode>All</exportmode>"
        "<track><name>Last Tram</name><artist>Café Noir</artist><playedcount>5</playedcount><time>3:03</time></track>"
        "<track><name>First Light</name><artist>Dawn Choir</artist><rating>100</rating><time>1:35</time></track>"
        "<track><name>Untimed</name><rating>60</rating></track></library>"));
    library = LibrarySources::open(LibrarySourceKind::Bolvin, path, &error);
    ExtrasImport import(
        library, view, ImportOptions { true, true, true, QStringLiteral("Replace"), true }, [] { return false; });
    import.setStore(library.get());
    ASSERT_EQ(import.run(), TransferOutcome::Completed) << view.messages.join('\n').toStdString();
    EXPECT_EQ(import.tracksUpdated(), 2);

    EXPECT_EQ(writer.readBack(tram).rating, 80);
    EXPECT_EQ(writer.readBack(tram).playCount, 5);
    // First played from a file, and without its artist's accent: the imported entry becomes that file's.
    QFile(dir.filePath("first.ogg")).open(QIODevice::WriteOnly);
    const MprisMetadata first
        = track(QUrl::fromLocalFile(dir.filePath("first.ogg")).toString(), "dawn choir", "First Light", 95'900'000);
    EXPECT_EQ(writer.readBack(first).rating, 100);
    writer.setPlayCount(first, 1);
    library = LibrarySources::open(LibrarySourceKind::Bolvin, path, &error);
    const auto tracks = library->Playlists()->Item(1)->Tracks();
    ASSERT_EQ(tracks->Count(), 2) << "the untimed track is not taken in, and the played one is not kept twice";
    EXPECT_EQ(tracks->Item(1)->Name(), "First Light");
    EXPECT_EQ(tracks->Item(1)->Rating(), 100);
    EXPECT_EQ(tracks->Item(1)->PlayedCount(), 1);
}
