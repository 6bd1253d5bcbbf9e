#include "SourceTestFiles.h"

#include "FakeTransferView.h"

#include "library/ExtrasExport.h"
#include "library/ExtrasImport.h"
#include "library/sources/LibrarySourceKind.h"
#include "library/sources/PlistLibraryFile.h"
#include "library/sources/RhythmboxLibrary.h"
#include "library/sources/StrawberryLibrary.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

using SourceTestFiles::Song;

// Extras carried from one library file to another through an extras file, as the Library
// page does it.
class SourcesRoundTripTest : public testing::Test
{
protected:
    QString file(const QString& name) const { return QDir(dir.path()).filePath(name); }

    void exportFrom(std::shared_ptr<FileLibrary> library)
    {
        view.savePath = file(QStringLiteral("extras.xml"));
        ExtrasExport exporter(
            std::move(library), view, ExportOptions { QStringLiteral("All"), true }, [] { return false; });
        ASSERT_EQ(exporter.run(), TransferOutcome::Completed);
    }
    TransferOutcome importInto(std::shared_ptr<FileLibrary> library)
    {
        view.openPath = file(QStringLiteral("extras.xml"));
        ImportOptions options;
        options.playCountMode = QStringLiteral("Replace");
        options.completionMessageBox = true;
        ExtrasImport importer(library, view, options, [] { return false; });
        importer.setStore(library.get());
        return importer.run();
    }
    static std::vector<QString> extrasOf(FileLibrary& library)
    {
        std::vector<QString> values;
        const auto tracks = library.Playlists()->Item(1)->Tracks();
        for (int i = 1; i <= tracks->Count(); ++i) {
            const auto t = tracks->Item(i);
            values.push_back(QStringLiteral("%1 %2 %3 %4")
                                 .arg(t->Name())
                                 .arg(t->Rating())
                                 .arg(t->PlayedCount())
                                 .arg(t->PlayedDate().toString(Qt::ISODate)));
        }
        return values;
    }

    QTemporaryDir dir;
    FakeTransferView view;
    const std::vector<Song> rated { { "One", "A", 200, "5", 12, 1700000000 },
        { "Two & more", "B", 61, "3", 1, 1600000000 }, { "Never", "C", 90 } };
    const std::vector<Song> bare { { "One", "A", 200 }, { "Two & more", "B", 61 }, { "Never", "C", 90 },
        { "Only here", "D", 30, "0.4", 2, 5 } };
};

TEST_F(SourcesRoundTripTest, RhythmboxToStrawberryAndBack)
{
    SourceTestFiles::write(file(QStringLiteral("rhythmdb.xml")), SourceTestFiles::rhythmdb(rated));
    const auto schema = QStringLiteral(SOURCES_TEST_DATA_DIR "/strawberry-songs.sql");
    ASSERT_EQ(SourceTestFiles::strawberryDb(file(QStringLiteral("strawberry.db")), schema, 20, bare), QString());

    QString error;
    std::shared_ptr<FileLibrary> rhythmbox
        = LibrarySources::open(LibrarySourceKind::Rhythmbox, file(QStringLiteral("rhythmdb.xml")), &error);
    ASSERT_TRUE(rhythmbox) << error.toStdString();
    exportFrom(rhythmbox);

    std::shared_ptr<FileLibrary> strawberry
        = LibrarySources::open(LibrarySourceKind::Strawberry, file(QStringLiteral("strawberry.db")), &error);
    ASSERT_TRUE(strawberry) << error.toStdString();
    ASSERT_EQ(importInto(strawberry), TransferOutcome::Completed) << view.calls.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(view.messages.last().startsWith(QStringLiteral("Bolvin import complete. Strawberry shows")));

    strawberry = LibrarySources::open(LibrarySourceKind::Strawberry, file(QStringLiteral("strawberry.db")), &error);
    ASSERT_TRUE(strawberry);
    std::vector<QString> expected = extrasOf(*rhythmbox);
    expected.push_back(QStringLiteral("Only here 40 2 ") + QDateTime::fromSecsSinceEpoch(5).toString(Qt::ISODate));
    EXPECT_EQ(extrasOf(*strawberry), expected);

    // And back into a Rhythmbox library that has lost its extras.
    exportFrom(strawberry);
    SourceTestFiles::write(file(QStringLiteral("rhythmdb.xml")), SourceTestFiles::rhythmdb(bare));
    auto fresh = std::make_shared<RhythmboxLibrary>(file(QStringLiteral("rhythmdb.xml")));
    fresh->setDatabase(std::make_shared<RhythmDbClient>(QDBusConnection(QStringLiteral("no bus"))));
    ASSERT_TRUE(fresh->load(&error));
    ASSERT_EQ(importInto(fresh), TransferOutcome::Completed);
    rhythmbox = LibrarySources::open(LibrarySourceKind::Rhythmbox, file(QStringLiteral("rhythmdb.xml")), &error);
    ASSERT_TRUE(rhythmbox);
    EXPECT_EQ(extrasOf(*rhythmbox), expected);
}

TEST_F(SourcesRoundTripTest, ALibraryFileTakesTheImportAndKeepsACopy)
{
    const QString library = file(QStringLiteral("Library.xml"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(BOLVIN_SAMPLE_LIBRARY_DIR "/iTunes Music Library.xml"), library));
    QFile::setPermissions(library, QFile::ReadOwner | QFile::WriteOwner);
    QString error;
    std::shared_ptr<FileLibrary> source = LibrarySources::open(LibrarySourceKind::File, library, &error);
    ASSERT_TRUE(source) << error.toStdString();
    const std::vector<QString> before = extrasOf(*source);
    ASSERT_GE(before.size(), 2u);
    exportFrom(source);

    // The same library with its extras changed takes the file's values back.
    const auto tracks = source->Playlists()->Item(1)->Tracks();
    for (int i = 1; i <= tracks->Count(); ++i) {
        tracks->Item(i)->SetRating(i % 2 ? 20 : 100);
        tracks->Item(i)->SetPlayedCount(i + 40);
    }
    QString message;
    ASSERT_TRUE(source->commit(&message)) << message.toStdString();
    const QByteArray changed = SourceTestFiles::read(library);

    source = LibrarySources::open(LibrarySourceKind::File, library, &error);
    ASSERT_TRUE(source);
    ASSERT_EQ(importInto(source), TransferOutcome::Completed);
    EXPECT_EQ(SourceTestFiles::read(source->backupPath()), changed);
    source = LibrarySources::open(LibrarySourceKind::File, library, &error);
    ASSERT_TRUE(source);
    EXPECT_EQ(extrasOf(*source), before);
}

} // namespace
