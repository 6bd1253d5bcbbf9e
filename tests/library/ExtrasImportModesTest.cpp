#include "ImportFixture.h"

namespace
{

using MapModeImport = ImportFixture;
using SearchModeImport = ImportFixture;

TEST_F(MapModeImport, RestoresChangedTracksAndLeavesUnchangedOnesUnwritten)
{
    addTrack(QStringLiteral("Same"), QStringLiteral("X"), 80, 3, QStringLiteral("2:00"));
    addTrack(QStringLiteral("Changed"), QStringLiteral("X"), 20, 3, QStringLiteral("2:00"));
    addTrack(QStringLiteral("Other artist"), QStringLiteral("Z"), 80, 3, QStringLiteral("2:00"));
    addTrack(QStringLiteral("Not in file"), QStringLiteral("X"), 0, 0, QStringLiteral("2:00"));
    rig.player.addLibrary();
    options.playCountMode = QStringLiteral("Replace");

    EXPECT_EQ(importElements(QStringLiteral("All"),
                  { { "Same", "X", "80", "3", playedText, "2:00" }, { "Changed", "X", "100", "7", "12/1/2026", "2:00" },
                      { "Other artist", "X", "100", "3", playedText, "2:00" },
                      { "Changed", "X", "0", "0", "12/2/2026", "9:99" } }),
        TransferOutcome::Completed);
    EXPECT_EQ(rig.player.state->writes,
        QStringList({ "SetRating 1 100", "SetPlayedCount 1 7", "SetPlayedDate 1 2026-12-01T00:00:00" }))
        << "another artist's song of that name is not this one";
    EXPECT_EQ(updated, 1);
    EXPECT_EQ(skipped, 0);
    EXPECT_EQ(rig.view.statuses.mid(rig.view.statuses.size() - 3),
        QStringList({ "Searching for changes...", "Changed imported", "Library import complete" }));
    EXPECT_EQ(rig.view.progressMaximum, 4);
    EXPECT_EQ(rig.view.progressValue, 4);
    EXPECT_EQ(rig.view.eventRounds, 12) << "after every element and every library track of both walks";
    EXPECT_EQ(rig.player.state->searches, 0);
}

TEST_F(MapModeImport, KeysIgnoreCaseAndTheFirstDuplicateWins)
{
    addTrack(QStringLiteral("Hello"), QStringLiteral("X"), 20, 1, QStringLiteral("3:00"));
    addTrack(QStringLiteral("hello"), QStringLiteral("X"), 20, 1, QStringLiteral("3:01"));
    rig.player.addLibrary();
    options.importPlayCount = false;
    options.importLastPlayDate = false;

    EXPECT_EQ(
        importElements(QStringLiteral("All"),
            { { "hElLo", "x", "60", "1", playedText, "3:00" }, { "Hello", "X", "100", "1", playedText, "3:00" } }),
        TransferOutcome::Completed);
    EXPECT_EQ(rig.player.state->writes, QStringList({ "SetRating 0 60" }));
}

// Both modes: the artist tells songs of one name and duration apart; what still matches
// more than one track changes none of them.
TEST_F(ImportFixture, SongsSharingANameAndDurationAreNeverSwapped)
{
    addTrack(QStringLiteral("Twin"), QStringLiteral("Art H"), 20, 1, QStringLiteral("4:20"));
    addTrack(QStringLiteral("Twin"), QStringLiteral("Art I"), 100, 50, QStringLiteral("4:20"));
    addTrack(QStringLiteral("Intro"), QStringLiteral("Art H"), 20, 1, QStringLiteral("1:00"));
    addTrack(QStringLiteral("Intro"), QStringLiteral("Art H"), 60, 3, QStringLiteral("1:00"));
    addTrack(QStringLiteral("Solo"), QString(), 20, 1, QStringLiteral("2:00"));
    rig.player.addLibrary();
    options.importPlayCount = options.importLastPlayDate = false;
    const std::vector<Element> unchanged = { { "Twin", "Art H", "20", "1", playedText, "4:20" },
        { "Twin", "Art I", "100", "50", playedText, "4:20" }, { "Intro", "Art H", "20", "1", playedText, "1:00" },
        { "Intro", "Art H", "60", "3", playedText, "1:00" } };
    std::vector<Element> changed = unchanged;
    changed[1].rating = QStringLiteral("80");
    changed.push_back({ "Solo", "Art S", "60", "1", playedText, "2:00" });
    for (const QString& mode : { QStringLiteral("All"), QStringLiteral("Week") }) {
        rig.player.state->writes.clear();
        rig.view.balloons.clear();
        EXPECT_EQ(importElements(mode, unchanged), TransferOutcome::Completed);
        EXPECT_TRUE(rig.player.state->writes.isEmpty()) << mode.toStdString();
        EXPECT_EQ(importElements(mode, changed), TransferOutcome::Completed);
        EXPECT_EQ(rig.player.state->writes.join(QLatin1Char(',')), QStringLiteral("SetRating 1 80,SetRating 4 60"))
            << "a side that names no artist matches any; " << mode.toStdString();
        EXPECT_EQ(rig.view.balloons.last(),
            QStringLiteral("Bolvin import complete. %1 tracks were left unchanged: their name and duration match "
                           "more than one track.")
                .arg(mode == QStringLiteral("All") ? 2 : 4))
            << "per library track, and per search";
        rig.player.track(1).rating = 100;
        rig.player.track(4).rating = 20;
    }
}

TEST_F(MapModeImport, TheBoxesSayWhatIsWrittenAndIncrementAddsOnePlayWhateverTheFileHolds)
{
    addTrack(QStringLiteral("A"), QStringLiteral("X"), 20, 41, QStringLiteral("1:00"));
    rig.player.addLibrary();
    const struct {
        bool rating, count, date;
        const char* writes;
    } rows[] = { { false, true, false, "SetPlayedCount 0 42" }, { false, false, false, "" } };
    for (const auto& row : rows) {
        options.importRating = row.rating;
        options.importPlayCount = row.count;
        options.importLastPlayDate = row.date;
        rig.player.state->writes.clear();
        EXPECT_EQ(importElements(QStringLiteral("All"), { { "A", "X", "100", "900", "12/1/2026", "1:00" } }),
            TransferOutcome::Completed);
        EXPECT_EQ(rig.player.state->writes.join(QLatin1Char(',')), QString::fromLatin1(row.writes));
    }
}

// An artist holding ".spl." once opened a box for it and every artist-less track after it.
TEST_F(MapModeImport, OneOddFileGivesOneMessage)
{
    std::vector<Element> elements = { { "A", "Dot.spl.Com", "100", "1", playedText, "1:00" } };
    addTrack(QStringLiteral("A"), QStringLiteral("Dot.spl.Com"), 20, 1, QStringLiteral("1:00"));
    for (int i = 0; i < 30; ++i) {
        addTrack(QStringLiteral("T%1").arg(i), QStringLiteral("X"), 20, 1, QStringLiteral("1:00"));
        elements.push_back({ QStringLiteral("T%1").arg(i), {}, "x", {}, {}, "1:00" });
    }
    rig.player.addLibrary();
    options.completionMessageBox = true;
    EXPECT_EQ(importElements(QStringLiteral("All"), elements), TransferOutcome::Completed);
    EXPECT_EQ(rig.view.messages,
        QStringList { "Bolvin import complete. 30 tracks were skipped: a value in the file could not be used (the "
                      "first: the rating \"x\" of \"T0\")." });
    EXPECT_EQ(rig.player.track(0).rating, 100);
    EXPECT_EQ(rig.view.eventRounds, 31 * 3) << "Stop is reachable after every item";
}

TEST_F(ImportFixture, AValueAnElementDoesNotCarryStaysAsItIs)
{
    addTrack(QStringLiteral("A"), QStringLiteral("X"), 20, 1, QStringLiteral("1:00"));
    addTrack(QStringLiteral("B"), QStringLiteral("X"), 20, 1, QStringLiteral("1:00"));
    addTrack(QStringLiteral("C"), QStringLiteral("X"), 20, 1, QStringLiteral("1:00"));
    rig.player.addLibrary();
    options.playCountMode = QStringLiteral("Replace");
    for (const QString& mode : { QStringLiteral("All"), QStringLiteral("Week") }) {
        rig.player.state->writes.clear();
        EXPECT_EQ(importElements(mode,
                      { { "A", "X", "100", "9", "12/1/2026", "1:00" }, { "B", {}, {}, {}, {}, "1:00" },
                          { "C", {}, "60", {}, {}, "1:00" } }),
            TransferOutcome::Completed);
        EXPECT_EQ(rig.player.state->writes.mid(3), QStringList { "SetRating 2 60" }) << mode.toStdString();
        EXPECT_EQ(skipped, 0);
        rig.player.track(0) = { "A", "X", 20, 1, played, "1:00" };
        rig.player.track(2).rating = 20;
    }
}

TEST_F(MapModeImport, ACancelWhileReadingTheFileStillLetsTheLibraryPassHandleItsFirstTrack)
{
    const std::vector<Element> elements = fiveTracksToRateUp();
    rig.view.onEvents = [this](int round) { rig.cancel = rig.cancel || round == 1; };

    EXPECT_EQ(importElements(QStringLiteral("All"), elements), TransferOutcome::Cancelled);
    // Element 0, then element 1 (in hand when the flag was seen) went into the map; the
    // library pass handled track 0 only.
    EXPECT_EQ(rig.player.state->writes, QStringList { "SetRating 0 100" });
    EXPECT_EQ(rig.view.messages, QStringList { "Library import canceled" });
    EXPECT_TRUE(rig.view.status.isEmpty());
    EXPECT_TRUE(rig.view.balloons.isEmpty());
    EXPECT_FALSE(rig.view.busy);
}

TEST_F(MapModeImport, ACancelDuringTheLibraryPassEndsItAfterTheTrackInHand)
{
    const std::vector<Element> elements = fiveTracksToRateUp();
    rig.view.onEvents = [this](int round) { rig.cancel = round == 12; };

    EXPECT_EQ(importElements(QStringLiteral("All"), elements), TransferOutcome::Cancelled);
    EXPECT_EQ(rig.player.state->writes, QStringList({ "SetRating 0 100", "SetRating 1 100" }));
}

TEST_F(SearchModeImport, SearchesOncePerElementAndMatchesExactly)
{
    addTrack(QStringLiteral("Rain"), QStringLiteral("X"), 20, 1, QStringLiteral("4:00"));
    addTrack(QStringLiteral("rain"), QStringLiteral("X"), 20, 1, QStringLiteral("4:00"));
    addTrack(QStringLiteral("Rain"), QStringLiteral("X"), 20, 1, QStringLiteral("4:01"));
    addTrack(QStringLiteral("Rainbow"), QStringLiteral("X"), 20, 1, QStringLiteral("4:00"));
    addTrack(QStringLiteral("Rain"), QStringLiteral("Y"), 20, 1, QStringLiteral("4:00"));
    rig.player.addLibrary();
    options.importPlayCount = options.importLastPlayDate = false;

    EXPECT_EQ(importElements(QStringLiteral("Week"),
                  { { "Rain", "X", "100", "1", playedText, "4:00" }, { "Sun", "X", "100", "1", playedText, "4:00" } }),
        TransferOutcome::Completed);
    EXPECT_EQ(rig.player.state->searches, 2);
    EXPECT_EQ(rig.player.state->writes, QStringList({ "SetRating 0 100" }));
    EXPECT_EQ(rig.view.statuses.mid(rig.view.statuses.size() - 2),
        QStringList({ "Rain imported", "Library import complete" }));
    EXPECT_EQ(rig.view.progressMaximum, 2);
    EXPECT_EQ(rig.view.progressValue, 1) << "the element's 0-based position";
}

TEST_F(SearchModeImport, AnUnchangedTrackIsNotWrittenEvenWithEveryBoxChecked)
{
    addTrack(QStringLiteral("A"), QStringLiteral("X"), 60, 4, QStringLiteral("1:00"));
    rig.player.addLibrary();
    EXPECT_EQ(importElements(QStringLiteral("Day"), { { "A", "X", "60", "4", playedText, "1:00" } }),
        TransferOutcome::Completed);
    EXPECT_TRUE(rig.player.state->writes.isEmpty());
    EXPECT_EQ(updated, 0);
}

TEST_F(SearchModeImport, SearchesTheFirstPlaylistOfTheSource)
{
    addTrack(QStringLiteral("A"), QStringLiteral("X"), 20, 1, QStringLiteral("1:00"));
    addTrack(QStringLiteral("A"), QStringLiteral("X"), 20, 1, QStringLiteral("1:00"));
    rig.player.addPlaylist(QStringLiteral("Music"), { 1 });
    rig.player.addLibrary();
    options.importPlayCount = options.importLastPlayDate = false;
    EXPECT_EQ(importElements(QStringLiteral("Month"), { { "A", "X", "100", "1", playedText, "1:00" } }),
        TransferOutcome::Completed);
    EXPECT_EQ(rig.player.state->writes, QStringList { "SetRating 1 100" });
}

TEST_F(SearchModeImport, StopEndsThePassAfterTheElementInHand)
{
    const std::vector<Element> elements = fiveTracksToRateUp();
    rig.view.onEvents = [this](int round) { rig.cancel = rig.cancel || round == 2; };

    EXPECT_EQ(importElements(QStringLiteral("Year"), elements), TransferOutcome::Cancelled);
    EXPECT_EQ(rig.player.state->writes, QStringList({ "SetRating 0 100", "SetRating 1 100", "SetRating 2 100" }));
    EXPECT_EQ(rig.player.state->searches, 3);
    EXPECT_EQ(rig.view.messages, QStringList { "Library import canceled" });
}

} // namespace
