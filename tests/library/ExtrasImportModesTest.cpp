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
    options.importPlayCount = options.importLastPlayDate = false;
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
    options.importRating = options.importLastPlayDate = false;
    for (const char* writes : { "SetPlayedCount 0 42", "" }) {
        rig.player.state->writes.clear();
        EXPECT_EQ(importElements(QStringLiteral("All"), { { "A", "X", "100", "900", "12/1/2026", "1:00" } }),
            TransferOutcome::Completed);
        EXPECT_EQ(rig.player.state->writes.join(QLatin1Char(',')), QString::fromLatin1(writes));
        options.importPlayCount = false;
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
    addLibrary({ "A", "B", "C" });
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

TEST_F(SearchModeImport, SearchesOncePerElementAndMatchesExactly)
{
    addTrack(QStringLiteral("Rain"), QStringLiteral("X"), 20, 1, QStringLiteral("4:00"));
    addTrack(QStringLiteral("rain"), QStringLiteral("X"), 20, 1, QStringLiteral("4:00"));
    addTrack(QStringLiteral("Rain"), QStringLiteral("X"), 20, 1, QStringLiteral("4:01"));
    addTrack(QStringLiteral("Rainbow"), QStringLiteral("X"), 20, 1, QStringLiteral("4:00"));
    addTrack(QStringLiteral("Rain"), QStringLiteral("Y"), 20, 1, QStringLiteral("4:00"));
    rig.player.addLibrary();
    options.importPlayCount = options.importLastPlayDate = false;

    // A file without an export mode is matched by search too.
    EXPECT_EQ(importElements(QString(),
                  { { "Rain", "X", "100", "1", playedText, "4:00" }, { "Sun", "X", "100", "1", playedText, "4:00" } }),
        TransferOutcome::Completed);
    EXPECT_EQ(rig.player.state->searches, 2);
    EXPECT_EQ(rig.player.state->writes, QStringList({ "SetRating 0 100" }));
    EXPECT_EQ(rig.view.statuses.mid(rig.view.statuses.size() - 2),
        QStringList({ "Rain imported", "Library import complete" }));
    EXPECT_EQ(rig.view.progressMaximum, 2);
    EXPECT_EQ(rig.view.progressValue, 1) << "the element's 0-based position";

    // An unchanged track is not written, even with every box checked.
    rig.player.state->writes.clear();
    options.importPlayCount = options.importLastPlayDate = true;
    EXPECT_EQ(importElements(QStringLiteral("Day"), { { "Rain", "X", "100", "1", playedText, "4:00" } }),
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

// Stop ends the import after the item in hand: in "All" mode while the file is read, the
// library pass still handles its first track; or during the library pass; or in a search.
TEST_F(ImportFixture, StopEndsTheImportAfterTheItemInHand)
{
    // Five one-star tracks and a file rating each five stars, only the rating imported.
    std::vector<Element> elements;
    for (int i = 0; i < 5; ++i) {
        addTrack(QStringLiteral("T%1").arg(i), QStringLiteral("X"), 20, 1, QStringLiteral("1:00"));
        elements.push_back({ QStringLiteral("T%1").arg(i), "X", "100", "1", playedText, "1:00" });
    }
    rig.player.addLibrary();
    options.importPlayCount = options.importLastPlayDate = false;
    const struct {
        const char* mode;
        int round;
        int written;
    } cases[] = { { "All", 1, 1 }, { "All", 12, 2 }, { "Year", 2, 3 } };
    for (const auto& c : cases) {
        rig.cancel = false;
        rig.view.eventRounds = 0;
        rig.view.onEvents = [&](int round) { rig.cancel = rig.cancel || round == c.round; };
        rig.player.state->writes.clear();
        rig.player.state->searches = 0;
        rig.view.messages.clear();
        for (int i = 0; i < 5; ++i)
            rig.player.track(i).rating = 20;
        EXPECT_EQ(importElements(QString::fromLatin1(c.mode), elements), TransferOutcome::Cancelled);
        QStringList writes;
        for (int i = 0; i < c.written; ++i)
            writes << QStringLiteral("SetRating %1 100").arg(i);
        EXPECT_EQ(rig.player.state->writes, writes) << c.mode << " " << c.round;
        EXPECT_EQ(rig.player.state->searches, c.mode[0] == 'Y' ? 3 : 0);
        EXPECT_EQ(rig.view.messages, QStringList { "Library import canceled" });
        EXPECT_TRUE(rig.view.status.isEmpty());
        EXPECT_TRUE(rig.view.balloons.isEmpty());
        EXPECT_FALSE(rig.view.busy);
    }
}

} // namespace
