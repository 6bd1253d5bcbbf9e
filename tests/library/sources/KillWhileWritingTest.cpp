#include "SourceTestFiles.h"

#include "player/plist/MusicLibrary.h"

#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <numeric>

namespace
{

constexpr int songCount = 4000;
constexpr int startTimeoutMs = 20000;

// The ratings of a library file as one text, and how many songs it holds; "" when it does
// not open.
QString stateOf(const QString& path)
{
    // The player writes its file its own way: compare what it reads.
    if (MusicLibrary library; QFileInfo(path).fileName().startsWith(QStringLiteral("Jukebox")) && library.load(path))
        return std::accumulate(library.tracks().begin(), library.tracks().end(), QString(),
            [](const QString& all, const LibraryTrack& track) { return all + QString::number(track.rating); });
    if (path.endsWith(QStringLiteral(".db")))
        return SourceTestFiles::runSql(path, { QStringLiteral("SELECT group_concat(rating), count(*) FROM songs") });
    return QString::fromUtf8(SourceTestFiles::read(path));
}

// A writer killed with SIGKILL at a random moment leaves the old file or a new one whole,
// never a mix or a stub, and a copy made before the write whole or absent; the next write
// sweeps away any temporary file the kill left. The Jukebox writes its file only when a
// batch ends, never in the middle.
TEST(KillWhileWritingTest, AKilledWriterLeavesAWholeFile)
{
    // Five stars on each scale.
    const std::pair<const char*, const char*> files[]
        = { { "rhythmdb.xml", "5" }, { "strawberry.db", "1" }, { "Jukebox.xml", "100" } };
    for (const auto& [name, five] : files) {
        std::vector<SourceTestFiles::Song> songs;
        for (int i = 0; i < songCount; ++i)
            songs.push_back({ QStringLiteral("Song %1").arg(i), "Artist", 200, five });
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath(QString::fromLatin1(name));
        ASSERT_EQ(SourceTestFiles::makeLibrary(path, songs), QString());
        const QString fiveStars = stateOf(path);
        const auto runOnce = [&] {
            QProcess once;
            once.start(QStringLiteral(WRITER_CHILD), { path, QStringLiteral("--once") });
            ASSERT_TRUE(once.waitForFinished(startTimeoutMs));
            ASSERT_EQ(once.exitCode(), 0) << once.readAllStandardError().toStdString();
        };
        runOnce();
        const QString oneStar = stateOf(path);
        ASSERT_NE(oneStar, fiveStars);

        for (int kill = 0; kill < 8; ++kill) {
            QProcess writer;
            writer.start(QStringLiteral(WRITER_CHILD), { path });
            ASSERT_TRUE(writer.waitForReadyRead(startTimeoutMs));
            const int delay = int(QRandomGenerator::global()->bounded(400));
            writer.waitForFinished(delay);
            ASSERT_EQ(writer.state(), QProcess::Running) << writer.readAllStandardError().toStdString();
            ::kill(pid_t(writer.processId()), SIGKILL);
            ASSERT_TRUE(writer.waitForFinished(startTimeoutMs));
            // The file, and any copy made before the write.
            for (const QString& file :
                QStringList { name } + QDir(dir.path()).entryList({ QStringLiteral("*before-import*") })) {
                const QString held = stateOf(QDir(dir.path()).filePath(file));
                EXPECT_TRUE(held == fiveStars || held == oneStar) << file.toStdString() << " after a kill at " << delay
                                                                  << " ms holds " << held.size() << " characters";
            }
        }
        runOnce();
        // SQLite's own journal may outlive a kill; it is SQLite's to roll back.
        for (const QString& left : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
            EXPECT_TRUE(left.startsWith(QString::fromLatin1(name)) || left.contains(QStringLiteral("before-import")))
                << left.toStdString();
    }
}

} // namespace
