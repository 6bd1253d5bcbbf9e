// Rewrites a rhythmdb.xml (or a strawberry.db, or the Jukebox's own Jukebox.xml) for ever,
// every song's rating alternately one star and five, until it is killed: the subject of the
// kill-while-writing test. Prints "ready" once the file is loaded. With --once it writes the
// one-star state once and exits.
#include "library/sources/RhythmboxLibrary.h"
#include "library/sources/StrawberryLibrary.h"
#include "player/simulated/LibrarySaveHold.h"
#include "player/simulated/SimulatedPlayer.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace
{

// Each round is a batch under the player's write hold, as an import is, with the periodic
// save given every chance to write in the middle.
int rewriteJukebox(const QString& path, bool once)
{
    auto library = std::make_unique<MusicLibrary>();
    if (!library->load(path))
        return 1;
    SimulatedPlayer player(std::move(library));
    player.setSaveDelay(1);
    std::printf("ready\n");
    std::fflush(stdout);
    const auto tracks = player.LibrarySource()->Playlists()->Item(1)->Tracks();
    for (int round = 0;; ++round) {
        LibrarySaveHold hold = player.holdSaves();
        for (int i = 1; i <= tracks->Count(); ++i) {
            tracks->Item(i)->SetRating(round % 2 ? 100 : 20);
            if (i % 50 == 0)
                QCoreApplication::processEvents();
        }
        if (!hold.release())
            return 1;
        if (once)
            return 0;
        QFile::remove(hold.backupPath());
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return 2;
    if (args.at(1).endsWith(QStringLiteral("Jukebox.xml")))
        return rewriteJukebox(args.at(1), args.contains(QStringLiteral("--once")));
    std::unique_ptr<FileLibrary> file;
    if (args.at(1).endsWith(QStringLiteral(".db"))) {
        file = std::make_unique<StrawberryLibrary>(args.at(1));
    } else {
        auto rhythmbox = std::make_unique<RhythmboxLibrary>(args.at(1));
        rhythmbox->setDatabase(std::make_shared<RhythmDbClient>(QDBusConnection(QStringLiteral("no bus"))));
        file = std::move(rhythmbox);
    }
    FileLibrary& library = *file;
    QString error;
    if (!library.load(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    const bool once = args.contains(QStringLiteral("--once"));
    for (int round = 0;; ++round) {
        const int rating = round % 2 ? 100 : 20;
        const auto tracks = library.Playlists()->Item(1)->Tracks();
        for (int i = 1; i <= tracks->Count(); ++i)
            tracks->Item(i)->SetRating(rating);
        if (!library.commit(&error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        if (once)
            return 0;
        // Only the newest copy is worth its space here.
        QFile::remove(library.backupPath());
    }
}
