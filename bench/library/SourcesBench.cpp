// Import of an extras file into library files, run by hand from the build folder:
//   bench/library/library_sources_bench [track count]    (default 10000)
// Times the whole import as the Library page runs it (read the library file, merge, make
// the copy, write and read back) into a Strawberry database and a rhythmdb.xml of as many
// songs as the extras file has tracks.
#include "BenchView.h"
#include "SourceTestFiles.h"

#include "library/ExtrasExport.h"
#include "library/ExtrasImport.h"
#include "library/sources/RhythmboxLibrary.h"
#include "library/sources/StrawberryLibrary.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace
{

constexpr int defaultCount = 10000;
constexpr qint64 firstPlay = 1600000000;
constexpr double limitSeconds = 2.0;

std::vector<SourceTestFiles::Song> songs(int count, bool rated)
{
    std::vector<SourceTestFiles::Song> list;
    list.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        SourceTestFiles::Song song(
            QStringLiteral("Song %1").arg(i), QStringLiteral("Artist %1").arg(i % 97), 120 + i % 300);
        if (rated) {
            song.rating = QString::number(i % 6);
            song.playCount = i % 13;
            song.lastPlayed = i % 13 ? firstPlay + i : 0;
        }
        list.push_back(std::move(song));
    }
    return list;
}

// Loads the library, imports the extras file into it and commits; false when any step failed.
bool timeImport(const char* step, FileLibrary& library, BenchView& view, int count)
{
    QElapsedTimer timer;
    timer.start();
    QString error;
    if (!library.load(&error)) {
        std::printf("%s: %s\n", step, qPrintable(error));
        return false;
    }
    ImportOptions options;
    options.playCountMode = QStringLiteral("Replace");
    options.completionMessageBox = false;
    std::shared_ptr<PlayerSource> source(std::shared_ptr<PlayerSource>(), &library);
    ExtrasImport importer(source, view, options, [] { return false; });
    importer.setStore(&library);
    const TransferOutcome outcome = importer.run();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    std::printf("%-34s %6d tracks  %7.3f s  (%d updated)  %s\n", step, count, seconds, importer.tracksUpdated(),
        seconds < limitSeconds ? "under 2 s" : "OVER 2 s");
    return outcome == TransferOutcome::Completed;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : defaultCount;
    QTemporaryDir dir;
    const auto file = [&](const char* name) { return QDir(dir.path()).filePath(QString::fromLatin1(name)); };
    BenchView view;

    // The extras file, from a rated library.
    SourceTestFiles::write(file("rated.xml"), SourceTestFiles::rhythmdb(songs(count, true)));
    auto rated = std::make_shared<RhythmboxLibrary>(file("rated.xml"));
    QString error;
    if (!rated->load(&error))
        return 1;
    view.path = file("extras.xml");
    ExtrasExport exporter(rated, view, ExportOptions { QStringLiteral("All"), true }, [] { return false; });
    exporter.run();

    SourceTestFiles::write(file("rhythmdb.xml"), SourceTestFiles::rhythmdb(songs(count, false)));
    const QString schema = QStringLiteral(SOURCES_TEST_DATA_DIR "/strawberry-songs.sql");
    error = SourceTestFiles::strawberryDb(file("strawberry.db"), schema, 20, songs(count, false));
    if (!error.isEmpty()) {
        std::printf("%s\n", qPrintable(error));
        return 1;
    }

    StrawberryLibrary strawberry(file("strawberry.db"));
    RhythmboxLibrary rhythmbox(file("rhythmdb.xml"));
    rhythmbox.setDatabase(std::make_shared<RhythmDbClient>(QDBusConnection(QStringLiteral("no bus"))));
    const bool ok = timeImport("import into strawberry.db", strawberry, view, count)
        && timeImport("import into rhythmdb.xml (stopped)", rhythmbox, view, count);
    return ok ? 0 : 1;
}
