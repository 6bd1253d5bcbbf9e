#include "SourceTestFiles.h"

#include "FakeTransferView.h"

#include "library/ExtrasExport.h"
#include "library/ExtrasImport.h"
#include "library/sources/LibrarySourceKind.h"
#include "library/sources/RhythmboxLibrary.h"

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
    // The library file name in the folder, loaded; fails the test when it does not load.
    std::shared_ptr<FileLibrary> open(LibrarySourceKind kind, const QString& name) const
    {
        QString error;
        std::shared_ptr<FileLibrary> library = LibrarySources::open(kind, file(name), &error);
        EXPECT_TRUE(library) << error.toStdString();
        // Never a running Rhythmbox the test did not start.
        if (auto* rhythmbox = dynamic_cast<RhythmboxLibrary*>(library.get()))
            rhythmbox->setDatabase(std::make_shared<RhythmDbClient>(QDBusConnection(QStringLiteral("no bus"))));
        return library;
    }

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
    ASSERT_EQ(SourceTestFiles::makeLibrary(file(QStringLiteral("rhythmdb.xml")), rated), QString());
    ASSERT_EQ(SourceTestFiles::makeLibrary(file(QStringLiteral("strawberry.db")), bare), QString());
    std::shared_ptr<FileLibrary> rhythmbox = open(LibrarySourceKind::Rhythmbox, QStringLiteral("rhythmdb.xml"));
    ASSERT_TRUE(rhythmbox);
    exportFrom(rhythmbox);
    ASSERT_EQ(
        importInto(open(LibrarySourceKind::Strawberry, QStringLiteral("strawberry.db"))), TransferOutcome::Completed)
        << view.calls.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(view.messages.last().startsWith(QStringLiteral("Bolvin import complete. Strawberry shows")));

    std::shared_ptr<FileLibrary> strawberry = open(LibrarySourceKind::Strawberry, QStringLiteral("strawberry.db"));
    ASSERT_TRUE(strawberry);
    std::vector<QString> expected = extrasOf(*rhythmbox);
    expected.push_back(QStringLiteral("Only here 40 2 ") + QDateTime::fromSecsSinceEpoch(5).toString(Qt::ISODate));
    EXPECT_EQ(extrasOf(*strawberry), expected);

    // And back into a Rhythmbox library that has lost its extras.
    exportFrom(strawberry);
    SourceTestFiles::write(file(QStringLiteral("rhythmdb.xml")), SourceTestFiles::rhythmdb(bare));
    ASSERT_EQ(
        importInto(open(LibrarySourceKind::Rhythmbox, QStringLiteral("rhythmdb.xml"))), TransferOutcome::Completed);
    EXPECT_EQ(extrasOf(*open(LibrarySourceKind::Rhythmbox, QStringLiteral("rhythmdb.xml"))), expected);
}

TEST_F(SourcesRoundTripTest, ALibraryFileTakesTheImportAndKeepsACopy)
{
    ASSERT_EQ(SourceTestFiles::makeLibrary(file(QStringLiteral("Library.xml")), {}), QString());
    std::shared_ptr<FileLibrary> source = open(LibrarySourceKind::File, QStringLiteral("Library.xml"));
    ASSERT_TRUE(source);
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
    const QByteArray changed = SourceTestFiles::read(file(QStringLiteral("Library.xml")));

    source = open(LibrarySourceKind::File, QStringLiteral("Library.xml"));
    ASSERT_EQ(importInto(source), TransferOutcome::Completed);
    EXPECT_EQ(SourceTestFiles::read(source->backupPath()), changed);
    EXPECT_EQ(extrasOf(*open(LibrarySourceKind::File, QStringLiteral("Library.xml"))), before);
}

} // namespace
