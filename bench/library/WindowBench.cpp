// Extras export and import of a generated library through the Library page's own view on
// a shown window, against the headless view in the same run. Run by hand from the build
// folder under a display (or QT_QPA_PLATFORM=offscreen):
//   bench/library/library_window_bench [track count]    (default 100000)
// Prints wall time for each, the window's ratio to the headless figure (aim: at most 1.5),
// the progress updates a second the window was given (aim: about 30 at most) and the
// longest gap between event-loop rounds (aim: at most 100 ms).
#include "BenchView.h"
#include "GeneratedLibrary.h"
#include "LoopGapMeter.h"
#include "WindowBenchView.h"

#include "library/ExtrasExport.h"
#include "library/ExtrasImport.h"

#include "player/simulated/SimulatedPlayer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace
{

constexpr int defaultCount = 100000;
constexpr int changedEvery = 10;
constexpr int noSaveMs = 24 * 60 * 60 * 1000;
constexpr double targetRatio = 1.5;
constexpr qint64 targetGapMs = 100;
constexpr double targetUpdatesPerSecond = 30;

struct Run {
    qint64 ms = 0;
    qint64 longestGapMs = 0;
};

// Times one transfer; the loop gap is measured from a round just before it starts.
template <typename Transfer> Run timed(Transfer&& transfer)
{
    QCoreApplication::processEvents();
    LoopGapMeter gap;
    QElapsedTimer timer;
    timer.start();
    transfer();
    return { timer.elapsed(), gap.longestMs() };
}

Run exportAll(PlayerApplication& player, TransferView& view)
{
    return timed([&] {
        ExtrasExport(player.LibrarySource(), view, ExportOptions { QStringLiteral("All"), true }, [] {
            return false;
        }).run();
    });
}

// Rates every tenth track differently first, so the import has something to restore.
Run importAll(PlayerApplication& player, TransferView& view)
{
    const auto tracks = player.LibrarySource()->Playlists()->Item(1)->Tracks();
    for (int i = 1; i <= tracks->Count(); i += changedEvery)
        tracks->Item(i)->SetRating((tracks->Item(i)->Rating() + 20) % 120);
    ImportOptions options;
    options.playCountMode = QStringLiteral("Replace");
    return timed([&] { ExtrasImport(player.LibrarySource(), view, options, [] { return false; }).run(); });
}

void report(const char* step, const Run& headless, const Run& window, int updates)
{
    const double ratio = double(window.ms) / double(std::max<qint64>(headless.ms, 1));
    const double perSecond = updates * 1000.0 / double(std::max<qint64>(window.ms, 1));
    std::printf("%-7s headless %7lld ms (gap %5lld ms)  window %7lld ms (gap %5lld ms)  ratio %5.2f %s  "
                "progress %8.0f/s %s  gap %s\n",
        step, qint64(headless.ms), qint64(headless.longestGapMs), qint64(window.ms), qint64(window.longestGapMs), ratio,
        ratio <= targetRatio ? "ok" : "SLOW", perSecond, perSecond <= targetUpdatesPerSecond ? "ok" : "TOO MANY",
        window.longestGapMs <= targetGapMs ? "ok" : "FROZEN");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int count = app.arguments().size() > 1 ? app.arguments().at(1).toInt() : defaultCount;
    if (count <= 0)
        return 2;
    QTemporaryDir dir;
    auto player = GeneratedLibrary::simulatedPlayer(QDir(dir.path()).filePath(QStringLiteral("library.xml")), count);
    if (!player) {
        std::printf("could not make the library\n");
        return 1;
    }
    player->setSaveDelay(noSaveMs);
    const QString file = QDir(dir.path()).filePath(QStringLiteral("extras.xml"));
    std::printf("--- %d tracks, the Jukebox's library\n", count);

    BenchView headless;
    headless.path = file;
    LibraryPage page;
    page.show();
    WindowBenchView windowExport(page, true);
    WindowBenchView windowImport(page, false);
    windowExport.path = windowImport.path = file;

    const Run headlessExport = exportAll(*player, headless);
    const Run shownExport = exportAll(*player, windowExport);
    report("export", headlessExport, shownExport, windowExport.progressUpdates);
    const Run headlessImport = importAll(*player, headless);
    const Run shownImport = importAll(*player, windowImport);
    report("import", headlessImport, shownImport, windowImport.progressUpdates);
    return 0;
}
