#include "SampleLibrary.h"

#include "player/simulated/SimulatedPlayer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using testing::HasSubstr;

namespace
{

const QDateTime fixedNow(QDate(2026, 3, 14), QTime(15, 9, 26), Qt::UTC);

QList<QByteArray> differingLines(const QByteArray& before, const QByteArray& after)
{
    const QList<QByteArray> a = before.split('\n');
    const QList<QByteArray> b = after.split('\n');
    QList<QByteArray> changed;
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        const QByteArray left = i < a.size() ? a[i] : QByteArray();
        const QByteArray right = i < b.size() ? b[i] : QByteArray();
        if (left != right)
            changed << right.trimmed();
    }
    return changed;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(SimulatedPlayerPersistence, ChangesReachTheFileAndANewPlayerSeesThem)
{
    SampleLibrary sample;
    const QByteArray before = sample.bytes();
    const QDateTime played(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::UTC);
    {
        const auto player = sample.player();
        const auto tracks = player->LibrarySource()->Playlists()->Item(1)->Tracks();
        tracks->Item(1)->SetRating(73);
        tracks->Item(2)->SetPlayedCount(41);
        tracks->Item(3)->SetPlayedDate(played.toLocalTime());
        EXPECT_EQ(sample.bytes(), before) << "written before the coalescing delay";
        EXPECT_TRUE(player->flush());
    }
    const auto again = sample.player();
    const auto tracks = again->LibrarySource()->Playlists()->Item(1)->Tracks();
    EXPECT_EQ(tracks->Item(1)->Rating(), 73);
    EXPECT_EQ(tracks->Item(2)->PlayedCount(), 41);
    EXPECT_EQ(tracks->Item(3)->PlayedDate(), played.toLocalTime());
}

TEST(SimulatedPlayerPersistence, OnlyTheChangedValuesDifferInTheFile)
{
    SampleLibrary sample;
    const QByteArray before = sample.bytes();
    const auto player = sample.player();
    // The first track already has a rating, so only its value changes, in place.
    player->LibrarySource()->Playlists()->Item(1)->Tracks()->Item(1)->SetRating(50);
    ASSERT_TRUE(player->flush());
    EXPECT_THAT(differingLines(before, sample.bytes()), testing::ElementsAre("<key>Rating</key><integer>50</integer>"));
}

TEST(SimulatedPlayerPersistence, AFinishedTrackIsCountedInTheFile)
{
    SampleLibrary sample;
    const QByteArray before = sample.bytes();
    const auto player = sample.player();
    player->setClock([] { return fixedNow; });
    player->Play();
    const auto track = player->CurrentTrack();
    const int count = track->PlayedCount();
    player->advanceBy(player->library().tracks().front().totalTimeMs);
    ASSERT_TRUE(player->flush());

    // The first track carries both play dates: the UTC one and the classic Mac one.
    const QList<QByteArray> changed = differingLines(before, sample.bytes());
    ASSERT_EQ(changed.size(), 3);
    EXPECT_EQ(changed[0], "<key>Play Count</key><integer>" + QByteArray::number(count + 1) + "</integer>");
    EXPECT_THAT(changed[1].toStdString(), HasSubstr("<key>Play Date</key><integer>"));
    EXPECT_EQ(changed[2], "<key>Play Date UTC</key><date>2026-03-14T15:09:26Z</date>");
    EXPECT_EQ(sample.load()->tracks().front().playCount, count + 1);
}

TEST(SimulatedPlayerPersistence, ManyChangesAreWrittenOnceAfterTheDelay)
{
    SampleLibrary sample;
    const QByteArray before = sample.bytes();
    const auto player = sample.player();
    player->setSaveDelay(0);
    const auto tracks = player->LibrarySource()->Playlists()->Item(1)->Tracks();
    for (int i = 1; i <= tracks->Count(); ++i)
        tracks->Item(i)->SetPlayedCount(i);
    EXPECT_EQ(sample.bytes(), before);
    QTRY_VERIFY_WITH_TIMEOUT(sample.bytes() != before, 5000);
    EXPECT_EQ(sample.load()->tracks().back().playCount, 36);
}

TEST(SimulatedPlayerPersistence, DestroyingThePlayerSavesPendingChanges)
{
    SampleLibrary sample;
    sample.player()->LibrarySource()->Playlists()->Item(1)->Tracks()->Item(5)->SetRating(60);
    EXPECT_EQ(sample.load()->tracks()[4].rating, 60);
}

TEST(SimulatedPlayerPersistence, FailedTemporaryFileLeavesTheOldFileIntact)
{
    // The atomic write creates its temporary file beside the library; a name at the file
    // system's length limit leaves no room for it, whoever runs the test.
    QTemporaryDir dir;
    SampleLibrary sample;
    const QString path = QDir(dir.path()).filePath(QString(250, QLatin1Char('x')) + ".xml");
    ASSERT_TRUE(QFile::copy(sample.file(), path));
    const QByteArray before = readAll(path);
    auto library = std::make_unique<MusicLibrary>();
    ASSERT_TRUE(library->load(path)) << library->errorString().toStdString();
    SimulatedPlayer player(std::move(library));
    QSignalSpy failures(&player, &SimulatedPlayer::libraryWriteFailed);
    player.LibrarySource()->Playlists()->Item(1)->Tracks()->Item(1)->SetRating(20);
    EXPECT_FALSE(player.flush());
    EXPECT_EQ(failures.count(), 1);
    EXPECT_THAT(player.saveError().toStdString(), HasSubstr("could not be saved"));
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(SimulatedPlayerPersistence, AHeldBatchReachesTheFileInOneWriteAfterACopyOrNotAtAll)
{
    SampleLibrary sample;
    auto player = sample.player();
    player->setSaveDelay(0);
    player->setClock([] { return fixedNow; });
    const auto tracks = player->LibrarySource()->Playlists()->Item(1)->Tracks();
    tracks->Item(1)->SetRating(20);
    QByteArray before;
    {
        LibrarySaveHold hold = player->holdSaves();
        before = sample.bytes();
        EXPECT_EQ(sample.load()->tracks()[0].rating, 20) << "what was pending goes before the batch";
        for (int i = 1; i <= tracks->Count(); ++i)
            tracks->Item(i)->SetPlayedCount(100 + i);
        EXPECT_TRUE(player->flush());
        QTest::qWait(20);
        EXPECT_EQ(sample.bytes(), before);
    }
    EXPECT_EQ(sample.load()->tracks().back().playCount, 136);
    const QString stamp = fixedNow.toLocalTime().toString("yyyyMMdd-HHmmss");
    EXPECT_EQ(player->lastBackup(), QDir(sample.folder()).filePath("iTunes Music Library.before-import-" + stamp + ".xml"));
    EXPECT_EQ(readAll(player->lastBackup()), before);

    // Dropped: the player reads its file again.
    const QByteArray written = sample.bytes();
    QSignalSpy reloaded(player.get(), &SimulatedPlayer::libraryReloaded);
    LibrarySaveHold hold = player->holdSaves();
    tracks->Item(5)->SetRating(60);
    EXPECT_TRUE(hold.discard());
    EXPECT_EQ(reloaded.count(), 1);
    EXPECT_EQ(tracks->Item(5)->Rating(), sample.load()->tracks()[4].rating);
    // Quit and destruction under a hold write nothing.
    hold = player->holdSaves();
    tracks->Item(5)->SetRating(60);
    player->Quit();
    player.reset();
    EXPECT_EQ(sample.bytes(), written);
    EXPECT_EQ(QDir(sample.folder()).entryList(QDir::Files).size(), 2);
}
