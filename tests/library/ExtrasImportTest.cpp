#include "ImportFixture.h"

namespace
{

using ExtrasImportTest = ImportFixture;

TEST_F(ExtrasImportTest, AFileThatDoesNotParseChangesNothingAndShowsTheReason)
{
    addTrack(QStringLiteral("A"), QStringLiteral("X"), 20, 1, QStringLiteral("1:00"));
    rig.player.addLibrary();
    const QByteArray good = fileOf(QStringLiteral("All"), { { "A", "Y", "100", "9", playedText, "1:00" } });
    // Damage after the first, valid track: nothing may have been written for it.
    for (const QByteArray& bad : { good.left(good.size() - 5), QByteArray(), QByteArray("<library><track></library>"),
             QByteArray("<!DOCTYPE library SYSTEM \"http://example.com/x.dtd\">") + good.mid(45) }) {
        rig.view.messages.clear();
        EXPECT_EQ(importFile(bad), TransferOutcome::Failed);
        ASSERT_EQ(rig.view.messages.size(), 1);
        EXPECT_TRUE(rig.view.messages[0].startsWith(QStringLiteral("Error: "))) << rig.view.messages[0].toStdString();
        EXPECT_GT(rig.view.messages[0].size(), 7);
        EXPECT_TRUE(rig.player.state->writes.isEmpty());
        EXPECT_TRUE(rig.view.status.isEmpty());
        EXPECT_FALSE(rig.view.busy);
        EXPECT_EQ(rig.view.calls.last(), QStringLiteral("idle"));
    }
}

TEST_F(ExtrasImportTest, ACancelledDialogDoesNothing)
{
    rig.player.addLibrary();
    rig.view.openPath.clear();
    ExtrasImport importer(rig.player.LibrarySource(), rig.view, options, [] { return false; });
    EXPECT_EQ(importer.run(), TransferOutcome::NoFile);
    EXPECT_TRUE(rig.view.calls.isEmpty());
    EXPECT_EQ(rig.view.lastRequest.title, QStringLiteral("Import Your Data"));
    EXPECT_EQ(rig.view.lastRequest.defaultSuffix, QStringLiteral("xml"));
    EXPECT_EQ(rig.view.lastRequest.filter, QStringLiteral("XML Files (*.xml)"));
}

TEST_F(ExtrasImportTest, ALibraryWithoutALibraryPlaylistIsToldAndUntouched)
{
    addTrack(QStringLiteral("A"), QStringLiteral("X"), 20, 1, QStringLiteral("1:00"));
    rig.player.addPlaylist(QStringLiteral("Music"), { 0 });
    EXPECT_EQ(importElements(QStringLiteral("Week"), { { "A", "Y", "100", "9", playedText, "1:00" } }),
        TransferOutcome::Failed);
    ASSERT_EQ(rig.view.messages.size(), 1);
    EXPECT_TRUE(rig.view.messages[0].contains(QStringLiteral("\"Library\"")));
    EXPECT_TRUE(rig.player.state->writes.isEmpty());
    EXPECT_FALSE(rig.view.busy);
}

TEST_F(ExtrasImportTest, CompletionGoesToABalloonOrAMessageBoxAndSaysWhenNothingMatched)
{
    addTrack(QStringLiteral("A"), QStringLiteral("X"), 20, 1, QStringLiteral("1:00"));
    rig.player.addLibrary();
    EXPECT_EQ(importElements(QStringLiteral("All"), {}), TransferOutcome::Completed);
    EXPECT_EQ(rig.view.calls,
        QStringList({ QStringLiteral("busy"), QStringLiteral("max 0"), QStringLiteral("max 1"),
            QStringLiteral("max 1"),
            QStringLiteral("balloon Nothing was imported: no track of the file matches a track of the library by "
                           "name, duration and artist.|Bolvin|1|5000"),
            QStringLiteral("idle") }));
    EXPECT_EQ(rig.view.status, QStringLiteral("Nothing imported"));

    options.completionMessageBox = true;
    EXPECT_EQ(importElements(QStringLiteral("Week"), { { "A", "X", "20", "1", playedText, "1:00" } }),
        TransferOutcome::Completed);
    EXPECT_EQ(rig.view.messages, QStringList { QStringLiteral("Bolvin import complete") });
    EXPECT_EQ(rig.view.statuses.mid(rig.view.statuses.size() - 2),
        QStringList({ QStringLiteral("Loading XML..."), QStringLiteral("iTunes import complete") }));
}

TEST_F(ExtrasImportTest, ValuesTheFileCannotGiveStayAndAreCounted)
{
    addTrack(QStringLiteral("A"), QStringLiteral("X"), 20, 1, QStringLiteral("1:00"));
    addTrack(QStringLiteral("B"), QStringLiteral("X"), 20, 1, QStringLiteral("1:00"));
    addTrack(QStringLiteral("C"), QStringLiteral("X"), 20, 1, QStringLiteral("1:00"));
    addTrack(QStringLiteral("D"), QStringLiteral("X"), 20, 1, QStringLiteral("1:00"));
    rig.player.addLibrary();
    options.playCountMode = QStringLiteral("Replace");
    EXPECT_EQ(
        importElements(QStringLiteral("All"),
            { { "A", "X", "four", "5", "12/7/2026", "1:00" }, { "B", "X", "60", "5.5", "12/7/2026", "1:00" },
                { "C", "X", "60", "5", "the day before", "1:00" }, { "D", "X", "120", "-1", "12/7/2026", "1:00" } }),
        TransferOutcome::Completed);
    EXPECT_EQ(skipped, 4);
    EXPECT_EQ(updated, 4);
    const QDateTime seventh(QDate(2026, 12, 7), QTime(0, 0));
    EXPECT_EQ(rig.player.track(0).rating, 20);
    EXPECT_EQ(rig.player.track(0).playedCount, 5);
    EXPECT_EQ(rig.player.track(0).playedDate, seventh);
    EXPECT_EQ(rig.player.track(1).rating, 60);
    EXPECT_EQ(rig.player.track(1).playedCount, 1);
    EXPECT_EQ(rig.player.track(2).playedDate, played);
    EXPECT_EQ(rig.player.track(2).playedCount, 5);
    EXPECT_EQ(rig.player.track(3).rating, 20) << "the player refuses a rating over 100; it is not sent";
    EXPECT_EQ(rig.player.track(3).playedCount, 1);
    EXPECT_EQ(rig.view.balloons,
        QStringList {
            QStringLiteral("Bolvin import complete. 4 tracks were skipped: a value in the file could not be used "
                           "(the first: the rating \"four\" of \"A\").") });
}

TEST_F(ExtrasImportTest, APlayerThatFailsMidwayEndsTheImportIdle)
{
    for (int i = 0; i < 10; ++i)
        addTrack(QStringLiteral("T%1").arg(i), QStringLiteral("X"), 20, 1, QStringLiteral("1:00"));
    rig.player.addLibrary();
    rig.player.state->callsLeft = 30;
    std::vector<Element> elements;
    for (int i = 0; i < 10; ++i)
        elements.push_back({ QStringLiteral("T%1").arg(i), "Y", "40", "2", playedText, "1:00" });
    EXPECT_EQ(importElements(QStringLiteral("All"), elements), TransferOutcome::Failed);
    ASSERT_EQ(rig.view.messages.size(), 1);
    EXPECT_TRUE(
        rig.view.messages[0].startsWith(QStringLiteral("iTunes import stopped: The player stopped answering.")));
    EXPECT_TRUE(rig.view.status.isEmpty());
    EXPECT_EQ(rig.view.calls.last(), QStringLiteral("idle"));
}

TEST_F(ExtrasImportTest, AHugeNameIsAClearNoMatch)
{
    addTrack(QStringLiteral("x"), QStringLiteral("X"), 20, 1, QStringLiteral("3:00"));
    rig.player.addLibrary();
    const QByteArray huge(10 * 1024 * 1024, 'x');
    for (const char* mode : { "All", "Week" }) {
        const QByteArray bytes = QByteArray("<library><exportmode>") + mode + "</exportmode><track><name>" + huge
            + "</name><artist>Y</artist><rating>100</rating><playedcount>3</playedcount><playeddate>"
            + playedText.toLatin1() + "</playeddate><time>3:00</time></track></library>";
        EXPECT_EQ(importFile(bytes), TransferOutcome::Completed) << mode;
        EXPECT_TRUE(rig.player.state->writes.isEmpty());
        EXPECT_EQ(rig.view.status, QStringLiteral("Nothing imported"));
    }
}

TEST_F(ExtrasImportTest, AFileWithoutExportModeIsMatchedBySearch)
{
    addTrack(QStringLiteral("Song"), QStringLiteral("X"), 20, 1, QStringLiteral("1:00"));
    addTrack(QStringLiteral("song"), QStringLiteral("X"), 20, 1, QStringLiteral("1:00"));
    rig.player.addLibrary();
    EXPECT_EQ(
        importElements(QString(), { { "Song", "X", "100", "1", playedText, "1:00" } }), TransferOutcome::Completed);
    EXPECT_EQ(rig.player.state->searches, 1);
    EXPECT_EQ(rig.player.track(0).rating, 100);
    EXPECT_EQ(rig.player.track(1).rating, 20) << "search matches are exact";
}

} // namespace
