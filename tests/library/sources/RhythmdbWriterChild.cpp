// Rewrites a library file for ever, every song's rating alternately one star and five,
// until it is killed: the subject of the kill-while-writing test. The file is a
// rhythmdb.xml, a strawberry.db, or any other .xml, which the Jukebox plays: there each
// round is a batch under the player's write hold, as an import is. Prints "ready" once the
// file is loaded. With --once it writes the one-star state once and exits.
#include "library/sources/RhythmboxLibrary.h"
#include "library/sources/StrawberryLibrary.h"
#include "player/simulated/LibrarySaveHold.h"
#include "player/simulated/MusicLibrary.h"
#include "player/simulated/SimulatedPlayer.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace
{

// One round's ratings written; false with *error when they could not be, and the path of
// the copy made before the write, to be thrown away.
using Commit = std::function<bool(QString* error, QString* backup)>;

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return 2;
    const QString name = QFileInfo(args.at(1)).fileName();
    std::unique_ptr<FileLibrary> file;
    std::unique_ptr<SimulatedPlayer> jukebox;
    std::shared_ptr<PlayerSource> source;
    Commit commit;
    LibrarySaveHold hold;
    QString error;
    if (name.endsWith(QStringLiteral(".db"))) {
        file = std::make_unique<StrawberryLibrary>(args.at(1));
    } else if (name.startsWith(QStringLiteral("rhythmdb"))) {
        auto rhythmbox = std::make_unique<RhythmboxLibrary>(args.at(1));
        rhythmbox->setDatabase(std::make_shared<RhythmDbClient>(QDBusConnection(QStringLiteral("no bus"))));
        file = std::move(rhythmbox);
    } else {
        auto library = std::make_unique<MusicLibrary>();
        if (!library->load(args.at(1))) {
            std::fprintf(stderr, "%s\n", qPrintable(library->errorString()));
            return 1;
        }
        jukebox = std::make_unique<SimulatedPlayer>(std::move(library));
        // The periodic save must find nothing to write in the middle of a batch.
        jukebox->setSaveDelay(1);
        source = jukebox->LibrarySource();
        hold = jukebox->holdSaves();
        commit = [&](QString* why, QString* backup) {
            const bool written = hold.release();
            *why = hold.error();
            *backup = hold.backupPath();
            hold = jukebox->holdSaves();
            return written;
        };
    }
    if (file) {
        if (!file->load(&error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        source = std::shared_ptr<PlayerSource>(file.get(), [](PlayerSource*) {});
        commit = [&](QString* why, QString* backup) {
            const bool written = file->commit(why);
            *backup = file->backupPath();
            return written;
        };
    }
    std::printf("ready\n");
    std::fflush(stdout);
    const bool once = args.contains(QStringLiteral("--once"));
    for (int round = 0;; ++round) {
        const int rating = round % 2 ? 100 : 20;
        const auto tracks = source->Playlists()->Item(1)->Tracks();
        for (int i = 1; i <= tracks->Count(); ++i) {
            tracks->Item(i)->SetRating(rating);
            // Lets the periodic save run, as it would during an import.
            if (jukebox && i % 500 == 0)
                QCoreApplication::processEvents();
        }
        QString backup;
        if (!commit(&error, &backup)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        if (once)
            return 0;
        // Only the newest copy is worth its space here.
        QFile::remove(backup);
    }
}
