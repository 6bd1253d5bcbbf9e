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

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return 2;
    const QString path = args.at(1);
    std::unique_ptr<SimulatedPlayer> player;
    std::shared_ptr<FileLibrary> file;
    if (path.endsWith(QStringLiteral("Jukebox.xml"))) {
        auto library = std::make_unique<MusicLibrary>();
        if (!library->load(path))
            return 1;
        player = std::make_unique<SimulatedPlayer>(std::move(library));
        player->setSaveDelay(1);
    } else if (path.endsWith(QStringLiteral(".db"))) {
        file = std::make_shared<StrawberryLibrary>(path);
    } else {
        auto rhythmbox = std::make_shared<RhythmboxLibrary>(path);
        rhythmbox->setDatabase(std::make_shared<RhythmDbClient>(QDBusConnection(QStringLiteral("no bus"))));
        file = rhythmbox;
    }
    QString error;
    if (file && !file->load(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const std::shared_ptr<PlayerSource> source = player ? player->LibrarySource() : file;
    std::printf("ready\n");
    std::fflush(stdout);
    for (int round = 0;; ++round) {
        // The Jukebox's round is a batch under its write hold, as an import is, with the
        // periodic save given every chance to write in the middle.
        LibrarySaveHold hold = player ? player->holdSaves() : LibrarySaveHold();
        const auto tracks = source->Playlists()->Item(1)->Tracks();
        for (int i = 1; i <= tracks->Count(); ++i) {
            tracks->Item(i)->SetRating(round % 2 ? 100 : 20);
            if (i % 50 == 0)
                QCoreApplication::processEvents();
        }
        if (player ? !hold.release() : !file->commit(&error)) {
            std::fprintf(stderr, "%s\n", qPrintable(player ? player->saveError() : error));
            return 1;
        }
        if (args.contains(QStringLiteral("--once")))
            return 0;
        // Only the newest copy is worth its space here.
        QFile::remove(player ? hold.backupPath() : file->backupPath());
    }
}
