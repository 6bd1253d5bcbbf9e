#include "SourceTestFiles.h"

#include "FakeTransferView.h"

#include "library/ExtrasExport.h"
#include "library/ExtrasImport.h"
#include "library/sources/FileLibrary.h"
#include "library/sources/LibrarySourceKind.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

// "name rating count date" of every track; nothing when the file does not load.
QStringList extrasOf(const QString& path)
{
    QString error;
    const std::shared_ptr<FileLibrary> library = LibrarySources::open(LibrarySourceKind::File, path, &error);
    EXPECT_TRUE(library) << error.toStdString();
    QStringList values;
    for (int i = 1; library && i <= library->Playlists()->Item(1)->Tracks()->Count(); ++i) {
        const auto t = library->Playlists()->Item(1)->Tracks()->Item(i);
        values << QStringLiteral("%1 %2 %3 %4")
                      .arg(t->Name())
                      .arg(t->Rating())
                      .arg(t->PlayedCount())
                      .arg(t->PlayedDate().toString(Qt::ISODate));
    }
    return values;
}

// A library property-list file's extras out to an extras file and back after they changed,
// as the Library page carries them: the file takes them back and keeps a copy.
TEST(LibraryFileRoundTrip, ALibraryFileTakesTheImportAndKeepsACopy)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Library.xml"));
    ASSERT_EQ(SourceTestFiles::makeLibrary(path, {}), QString());
    const QStringList before = extrasOf(path);
    ASSERT_GE(before.size(), 2);
    FakeTransferView view;
    view.savePath = view.openPath = QDir(dir.path()).filePath(QStringLiteral("extras.xml"));
    QString message;
    std::shared_ptr<FileLibrary> source = LibrarySources::open(LibrarySourceKind::File, path, &message);
    ASSERT_TRUE(source) << message.toStdString();
    ASSERT_EQ(ExtrasExport(source, view, ExportOptions { QStringLiteral("All"), true }, [] { return false; }).run(),
        TransferOutcome::Completed);

    const auto tracks = source->Playlists()->Item(1)->Tracks();
    for (int i = 1; i <= tracks->Count(); ++i) {
        tracks->Item(i)->SetRating(i % 2 ? 20 : 100);
        tracks->Item(i)->SetPlayedCount(i + 40);
    }
    ASSERT_TRUE(source->commit(&message)) << message.toStdString();
    const QByteArray changed = SourceTestFiles::read(path);

    source = LibrarySources::open(LibrarySourceKind::File, path, &message);
    ASSERT_TRUE(source) << message.toStdString();
    ImportOptions options;
    options.playCountMode = QStringLiteral("Replace");
    options.completionMessageBox = true;
    ExtrasImport importer(source, view, options, [] { return false; });
    importer.setStore(source.get());
    ASSERT_EQ(importer.run(), TransferOutcome::Completed);
    EXPECT_EQ(SourceTestFiles::read(source->backupPath()), changed);
    EXPECT_EQ(extrasOf(path), before);
}

} // namespace
