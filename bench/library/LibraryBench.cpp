#include "BenchView.h"
#include "GeneratedLibrary.h"

#include "library/ExtrasExport.h"
#include "library/ExtrasImport.h"

#include "player/simulated/SimulatedPlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

namespace
{

constexpr int changedEvery = 10;
constexpr int noSaveMs = 24 * 60 * 60 * 1000;

long peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// Processor time of this process, in ns: on a shared machine a fairer figure than wall time.
qint64 cpuNs()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    constexpr qint64 nsPerUs = 1000;
    constexpr qint64 usPerS = 1000000;
    return ((usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * usPerS + usage.ru_utime.tv_usec + usage.ru_stime.tv_usec)
        * nsPerUs;
}

void report(const char* step, int tracks, qint64 ns, qint64 cpu, int updated = -1)
{
    std::printf("%-38s %7d tracks  wall %7.1f ms  cpu %7.1f ms  %6.2f us/track  peak %4ld MB", step, tracks,
        double(ns) / 1e6, double(cpu) / 1e6, double(cpu) / 1e3 / tracks, peakMegabytes());
    if (updated >= 0)
        std::printf("  (%d updated)", updated);
    std::printf("\n");
}

qint64 timeExport(PlayerApplication& player, BenchView& view, const QString& path, const char* step, int count)
{
    view.path = path;
    ExtrasExport exporter(
        player.LibrarySource(), view, ExportOptions { QStringLiteral("All"), true }, [] { return false; });
    QElapsedTimer timer;
    const qint64 cpu = cpuNs();
    timer.start();
    exporter.run();
    const qint64 ns = timer.nsecsElapsed();
    report(step, count, ns, cpuNs() - cpu);
    return ns;
}

void timeImport(PlayerApplication& player, BenchView& view, const QString& path, const char* step, int count)
{
    view.path = path;
    ImportOptions options;
    options.playCountMode = QStringLiteral("Replace");
    options.completionMessageBox = true;
    ExtrasImport importer(player.LibrarySource(), view, options, [] { return false; });
    QElapsedTimer timer;
    const qint64 cpu = cpuNs();
    timer.start();
    importer.run();
    const qint64 ns = timer.nsecsElapsed();
    report(step, count, ns, cpuNs() - cpu, importer.tracksUpdated());
}

// Rates every tenth track differently, so the import has something to restore.
void disturb(PlayerApplication& player)
{
    const auto tracks = player.LibrarySource()->Playlists()->Item(1)->Tracks();
    for (int i = 1; i <= tracks->Count(); i += changedEvery) {
        const auto track = tracks->Item(i);
        track->SetRating((track->Rating() + 20) % 120);
    }
}

QString asSearchFile(const QString& allFile, const QDir& dir)
{
    QFile in(allFile);
    in.open(QIODevice::ReadOnly);
    QByteArray bytes = in.readAll();
    bytes.replace("<exportmode>All</exportmode>", "<exportmode>Week</exportmode>");
    const QString path = dir.filePath(QStringLiteral("week.xml"));
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    out.write(bytes);
    return path;
}

void run(int count, const QDir& dir, bool withSimulated)
{
    std::printf("--- %d tracks\n", count);
    BenchView view;
    const QString allFile = dir.filePath(QStringLiteral("all-%1.xml").arg(count));
    if (withSimulated) {
        auto player
            = GeneratedLibrary::simulatedPlayer(dir.filePath(QStringLiteral("library-%1.xml").arg(count)), count);
        if (!player) {
            std::printf("  could not make the library\n");
            return;
        }
        player->setSaveDelay(noSaveMs);
        report("simulated player loaded", count, 0, 0);
        timeExport(*player, view, allFile, "export, simulated player", count);
        disturb(*player);
        timeImport(*player, view, allFile, "import map mode, simulated", count);
        disturb(*player);
        timeImport(*player, view, asSearchFile(allFile, dir), "import search mode, simulated", count);
    }
    auto indexed = GeneratedLibrary::indexedPlayer(count);
    timeExport(*indexed, view, allFile, "export, indexed fake", count);
    disturb(*indexed);
    timeImport(*indexed, view, allFile, "import map mode, indexed fake", count);
    disturb(*indexed);
    timeImport(*indexed, view, asSearchFile(allFile, dir), "import search mode, indexed fake", count);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QList<int> counts;
    bool withSimulated = true;
    for (const QString& arg : app.arguments().mid(1)) {
        if (arg == QLatin1StringView("--fake-only"))
            withSimulated = false;
        else
            counts << arg.toInt();
    }
    if (counts.isEmpty())
        counts = { 10000, 100000 };
    QTemporaryDir dir;
    for (const int count : counts) {
        if (count > 0)
            run(count, QDir(dir.path()), withSimulated);
    }
    return 0;
}
