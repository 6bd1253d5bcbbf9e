#include "SourceTestFiles.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/types.h>

namespace
{

constexpr int songCount = 4000;
constexpr int kills = 8;
constexpr int startTimeoutMs = 20000;
constexpr int maxDelayMs = 400;

// A writer killed with SIGKILL at a random moment leaves the old file or a new one whole,
// never a mix or a stub: the new text goes to a temporary file that is renamed over the old.
TEST(KillWhileWritingTest, AKilledWriterLeavesAWholeFile)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("rhythmdb.xml"));
    std::vector<SourceTestFiles::Song> songs;
    for (int i = 0; i < songCount; ++i)
        songs.push_back({ QStringLiteral("Song %1").arg(i), QStringLiteral("Artist"), 200, QStringLiteral("5") });
    const QByteArray fiveStars = SourceTestFiles::rhythmdb(songs);
    ASSERT_TRUE(SourceTestFiles::write(path, fiveStars));

    QProcess once;
    once.start(QStringLiteral(WRITER_CHILD), { path, QStringLiteral("--once") });
    ASSERT_TRUE(once.waitForFinished(startTimeoutMs));
    ASSERT_EQ(once.exitCode(), 0) << once.readAllStandardError().toStdString();
    const QByteArray oneStar = SourceTestFiles::read(path);
    ASSERT_NE(oneStar, fiveStars);

    for (int k = 0; k < kills; ++k) {
        QProcess writer;
        writer.start(QStringLiteral(WRITER_CHILD), { path });
        ASSERT_TRUE(writer.waitForReadyRead(startTimeoutMs));
        const int delay = int(QRandomGenerator::global()->bounded(maxDelayMs));
        writer.waitForFinished(delay);
        ASSERT_EQ(writer.state(), QProcess::Running) << writer.readAllStandardError().toStdString();
        ::kill(pid_t(writer.processId()), SIGKILL);
        ASSERT_TRUE(writer.waitForFinished(startTimeoutMs));
        const QByteArray after = SourceTestFiles::read(path);
        EXPECT_TRUE(after == fiveStars || after == oneStar)
            << "after a kill at " << delay << " ms the file holds " << after.size() << " bytes";
    }
}

} // namespace
