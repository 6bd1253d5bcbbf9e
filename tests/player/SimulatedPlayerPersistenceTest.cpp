#include "SampleLibrary.h"

#include <gmock/gmock.h>

#include <QSignalSpy>
#include <QTest>

using testing::HasSubstr;

namespace
{

QList<QByteArray> differingLines(const QByteArray& before, const QByteArray& after)
{
    const QList<QByteArray> a = before.split('\n');
    const QList<QByteArray> b = after.split('\n');
    QList<QByteArray> changed;
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        if (a.value(i) != b.value(i))
            changed << b.value(i).trimmed();
    }
    return changed;
}

// The sample library's player, on a fixed clock, and the file as it was before.
class SimulatedPlayerPersistence : public testing::Test
{
protected:
    void SetUp() override
    {
        player->setClock([] { return fixedNow; });
    }
    std::shared_ptr<PlayerTrack> track(int i) const
    {
        return player->LibrarySource()->Playlists()->Item(1)->Tracks()->Item(i);
    }

    SampleLibrary sample;
    const QByteArray before = sample.bytes();
    std::unique_ptr<SimulatedPlayer> player = sample.player();
};

} // namespace

TEST_F(SimulatedPlayerPersistence, OnlyTheChangedValuesReachTheFileAfterTheDelayOrAtTheEndAndANewPlayerSeesThem)
{
    // The first track already has a rating, so only its value changes, in place: every other
    // byte of the file is written back as it was read.
    track(1)->SetRating(50);
    ASSERT_TRUE(player->flush());
    EXPECT_THAT(differingLines(before, sample.bytes()), testing::ElementsAre("<key>Rating</key><integer>50</integer>"));

    // A finished track: its count and both play dates, the classic Mac one and the UTC one.
    const QByteArray rated = sample.bytes();
    const int count = track(1)->PlayedCount();
    player->Play();
    player->advanceBy(player->library().tracks().front().totalTimeMs);
    ASSERT_TRUE(player->flush());
    const QList<QByteArray> changed = differingLines(rated, sample.bytes());
    ASSERT_EQ(changed.size(), 3);
    EXPECT_EQ(changed[0], "<key>Play Count</key><integer>" + QByteArray::number(count + 1) + "</integer>");
    EXPECT_THAT(changed[1].toStdString(), HasSubstr("<key>Play Date</key><integer>"));
    EXPECT_EQ(changed[2], "<key>Play Date UTC</key><date>2026-03-14T15:09:26Z</date>");

    // Later changes wait for the coalescing delay or the end.
    const QByteArray finished = sample.bytes();
    const QDateTime played(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::UTC);
    track(1)->SetRating(73);
    track(2)->SetPlayedCount(41);
    track(3)->SetPlayedDate(played.toLocalTime());
    EXPECT_EQ(sample.bytes(), finished) << "written after the coalescing delay";
    player.reset();
    player = sample.player();
    EXPECT_EQ(track(1)->Rating(), 73);
    EXPECT_EQ(track(2)->PlayedCount(), 41);
    EXPECT_EQ(track(3)->PlayedDate(), played.toLocalTime());

    player->setSaveDelay(0);
    for (int i = 1; i <= 36; ++i)
        track(i)->SetPlayedCount(i);
    const QByteArray once = sample.bytes();
    QTRY_VERIFY_WITH_TIMEOUT(sample.bytes() != once, 5000);
    EXPECT_EQ(sample.load()->tracks().back().playCount, 36);
}

TEST(SimulatedPlayerWriteFailure, FailedTemporaryFileLeavesTheOldFileIntact)
{
    // The atomic write creates its temporary file beside the library; a name at the file
    // system's length limit leaves no room for it, whoever runs the test.
    SampleLibrary sample;
    const QString path = QDir(sample.folder()).filePath(QString(250, QLatin1Char('x')) + ".xml");
    ASSERT_TRUE(QFile::copy(sample.file(), path));
    const QByteArray before = LibraryFiles::read(path);
    auto library = std::make_unique<MusicLibrary>();
    ASSERT_TRUE(library->load(path)) << library->errorString().toStdString();
    SimulatedPlayer player(std::move(library));
    QSignalSpy failures(&player, &SimulatedPlayer::libraryWriteFailed);
    player.LibrarySource()->Playlists()->Item(1)->Tracks()->Item(1)->SetRating(20);
    EXPECT_FALSE(player.flush());
    EXPECT_EQ(failures.count(), 1);
    EXPECT_THAT(player.saveError().toStdString(), HasSubstr("could not be saved"));
    EXPECT_EQ(LibraryFiles::read(path), before);
    EXPECT_EQ(QDir(sample.folder()).entryList(QDir::Files).size(), 2) << "no temporary file left";
}

TEST_F(SimulatedPlayerPersistence, AHeldBatchReachesTheFileInOneWriteAfterACopyOrNotAtAll)
{
    player->setSaveDelay(0);
    const auto tracks = player->LibrarySource()->Playlists()->Item(1)->Tracks();
    tracks->Item(1)->SetRating(20);
    QByteArray atHold;
    {
        LibrarySaveHold hold = player->holdSaves();
        atHold = sample.bytes();
        EXPECT_EQ(sample.load()->tracks()[0].rating, 20) << "what was pending goes before the batch";
        for (int i = 1; i <= tracks->Count(); ++i)
            tracks->Item(i)->SetPlayedCount(100 + i);
        EXPECT_TRUE(player->flush());
        QTest::qWait(20);
        EXPECT_EQ(sample.bytes(), atHold);
    }
    EXPECT_EQ(sample.load()->tracks().back().playCount, 136);
    const QString stamp = fixedNow.toLocalTime().toString("yyyyMMdd-HHmmss");
    EXPECT_EQ(
        player->lastBackup(), QDir(sample.folder()).filePath("iTunes Music Library.before-import-" + stamp + ".xml"));
    EXPECT_EQ(LibraryFiles::read(player->lastBackup()), atHold);

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
