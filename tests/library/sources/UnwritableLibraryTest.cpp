#include "SourceTestFiles.h"

#include "FakeTransferView.h"
#include "UnprivilegedUser.h"

#include "library/ExtrasExport.h"
#include "library/ExtrasImport.h"
#include "library/HeldPlayerLibrary.h"
#include "library/sources/FileLibrary.h"
#include "library/sources/LibrarySourceKind.h"
#include "library/sources/RhythmboxLibrary.h"
#include "player/plist/MusicLibrary.h"
#include "player/simulated/SimulatedPlayer.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

struct Route {
    const char* name;
    const char* file;
    LibrarySourceKind kind; // ConnectedPlayer: the Jukebox, the player of the library file
    // What the one message says.
    const char* saying;
};

const Route routes[] = {
    { "Rhythmbox", "rhythmdb.xml", LibrarySourceKind::Rhythmbox, "was not changed" },
    { "Strawberry", "strawberry.db", LibrarySourceKind::Strawberry, "was not changed" },
    { "LibraryFile", "Library.xml", LibrarySourceKind::File, "was not changed" },
    { "Jukebox", "Jukebox.xml", LibrarySourceKind::ConnectedPlayer, "could not be saved" },
};

enum class Unwritable { Nothing, File, Folder };
const char* const unwritableNames[] = { "Writable", "ReadOnlyFile", "ReadOnlyFolder" };

// The library in its own folder, the extras file beside it.
class UnwritableLibraryTest : public testing::TestWithParam<std::tuple<Route, Unwritable>>
{
protected:
    void SetUp() override { ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("library"))); }

    // A library open for a transfer: its tracks, and what writes them.
    struct Open {
        std::shared_ptr<PlayerSource> source;
        std::shared_ptr<LibraryStore> store;
        std::shared_ptr<SimulatedPlayer> player;
    };
    Open open(const QString& file) const
    {
        Open library;
        if (route.kind == LibrarySourceKind::ConnectedPlayer) {
            auto music = std::make_unique<MusicLibrary>();
            EXPECT_TRUE(music->load(file)) << music->errorString().toStdString();
            library.player = std::make_shared<SimulatedPlayer>(std::move(music));
            library.source = library.player->LibrarySource();
            library.store
                = std::make_shared<HeldPlayerLibrary>(library.player->holdLibraryWrites(), [] { return false; });
            return library;
        }
        QString error;
        std::shared_ptr<FileLibrary> opened = LibrarySources::open(route.kind, file, &error);
        EXPECT_TRUE(opened) << error.toStdString();
        // Never the Rhythmbox of whoever runs the tests.
        if (auto* rhythmbox = dynamic_cast<RhythmboxLibrary*>(opened.get()))
            rhythmbox->setDatabase(std::make_shared<RhythmDbClient>(QDBusConnection(QStringLiteral("no bus"))));
        library.source = opened;
        library.store = opened;
        return library;
    }
    // The library's extras exported, with every play count changed.
    void writeChangedExtras()
    {
        view.savePath = QDir(dir.path()).filePath(QStringLiteral("extras.xml"));
        ASSERT_EQ(
            ExtrasExport(open(path).source, view, ExportOptions { QStringLiteral("All"), true }, [] { return false; })
                .run(),
            TransferOutcome::Completed);
        QString text = QString::fromUtf8(SourceTestFiles::read(view.savePath));
        text.replace(QRegularExpression(QStringLiteral("<playedcount>\\d*</playedcount>")),
            QStringLiteral("<playedcount>777</playedcount>"));
        ASSERT_TRUE(text.contains(QStringLiteral("777")));
        ASSERT_TRUE(SourceTestFiles::write(view.savePath, text.toUtf8()));
        view.openPath = view.savePath;
    }

    const Route route = std::get<0>(GetParam());
    const Unwritable unwritable = std::get<1>(GetParam());
    QTemporaryDir dir;
    const QString folder = QDir(dir.path()).filePath(QStringLiteral("library"));
    const QString path = QDir(folder).filePath(QString::fromLatin1(route.file));
    FakeTransferView view;
};

// A library that may not be written says so in one message, names no completion, and is
// left byte for byte as it was with nothing beside it, on every route. One that may takes
// the values back and keeps a copy of what it held.
TEST_P(UnwritableLibraryTest, AnImportIntoItSaysSoAndChangesNothing)
{
    ASSERT_EQ(
        SourceTestFiles::makeLibrary(path, { { "One", "A", 200, "4", 3 }, { "Two", "B", 61, "2", 1 } }), QString());
    const QByteArray before = SourceTestFiles::read(path);
    const auto entries
        = [this] { return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); };
    const QStringList entriesBefore = entries();
    const QStringList extrasBefore = LibraryFiles::extrasOf(*open(path).source);

    UnprivilegedUser nobody(dir.path());
    if (!nobody.isUnprivileged() && unwritable != Unwritable::Nothing)
        GTEST_SKIP() << "running as root, with no unprivileged user that can reach a folder here";
    writeChangedExtras();
    if (unwritable == Unwritable::File)
        QFile::setPermissions(path, QFile::ReadOwner);
    else if (unwritable == Unwritable::Folder)
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);

    {
        // The player ends holding the values it could not write, and writes nothing then either.
        Open library = open(path);
        ImportOptions options;
        options.playCountMode = QStringLiteral("Replace");
        options.completionMessageBox = true;
        ExtrasImport importer(library.source, view, options, [] { return false; });
        importer.setStore(library.store.get());
        view.messages.clear();
        EXPECT_EQ(
            importer.run(), unwritable == Unwritable::Nothing ? TransferOutcome::Completed : TransferOutcome::Failed);
        ASSERT_EQ(view.messages.size(), 1) << view.messages.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(view.messages[0].contains(QLatin1String(route.saying)), unwritable != Unwritable::Nothing)
            << view.messages[0].toStdString();
        EXPECT_EQ(view.messages[0].contains(QStringLiteral("complete")), unwritable == Unwritable::Nothing)
            << view.messages[0].toStdString();
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (unwritable != Unwritable::Nothing) {
        EXPECT_EQ(SourceTestFiles::read(path), before);
        EXPECT_EQ(entries(), entriesBefore);
        return;
    }
    EXPECT_TRUE(LibraryFiles::extrasOf(*open(path).source).join(' ').contains(QStringLiteral(" 777 ")));
    const QStringList copies = entries().filter(QStringLiteral("before-import"));
    ASSERT_EQ(copies.size(), 1) << entries().join(' ').toStdString();
    EXPECT_EQ(LibraryFiles::extrasOf(*open(QDir(folder).filePath(copies[0])).source), extrasBefore);
}

INSTANTIATE_TEST_SUITE_P(EveryRoute, UnwritableLibraryTest,
    testing::Combine(
        testing::ValuesIn(routes), testing::Values(Unwritable::Nothing, Unwritable::File, Unwritable::Folder)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + unwritableNames[int(std::get<1>(info.param))];
    });

} // namespace
