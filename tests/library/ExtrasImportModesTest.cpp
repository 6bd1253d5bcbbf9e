#include "ImportFixture.h"

namespace
{

using MapModeImport = ImportFixture;
using SearchModeImport = ImportFixture;

// Another artist's song of that name is not this one; keys ignore case and the first of
// two that differ only in case wins.
TEST_F(MapModeImport, RestoresChangedTracksAndLeavesUnchangedOnesUnwritten)
{
    addLibrary(
        { { "Same", "X", 80, 3, "2:00" }, { "Changed", "X", 20, 3, "2:00" }, { "Other artist", "Z", 80, 3, "2:00" },
            { "Not in file", "X", 0, 0, "2:00" }, { "Hello", "X", 20, 1, "3:00" }, { "hello", "X", 20, 1, "3:01" } });
    options.playCountMode = QStringLiteral("Replace");

    EXPECT_EQ(
        importElements(QStringLiteral("All"),
            { { "Same", "X", "80", "3", playedText, "2:00" }, { "Changed", "X", "100", "7", "12/1/2026", "2:00" },
                { "Other artist", "X", "100", "3", playedText, "2:00" },
                { "Changed", "X", "0", "0", "12/2/2026", "9:99" }, { "hElLo", "x", "60", "1", playedText, "3:00" },
                { "Hello", "X", "100", "1", playedText, "3:00" } }),
        TransferOutcome::Completed);
    EXPECT_EQ(writes(),
        QStringList({ "SetRating 1 100", "SetPlayedCount 1 7", "SetPlayedDate 1 2026-12-01T00:00:00", "SetRating 4 60",
            "SetPlayedCount 4 1", "SetPlayedDate 4 2026-12-06T15:45:12" }));
    EXPECT_EQ(updated, 2);
    EXPECT_EQ(skipped, 0);
    EXPECT_EQ(rig.view.statuses.mid(rig.view.statuses.size() - 4),
        QStringList({ "Searching for changes...", "Changed imported", "Hello imported", "Library import complete" }));
}

// Both modes: the artist tells songs of one name and duration apart; what still matches
// more than one track changes none of them.
TEST_F(ImportFixture, SongsSharingANameAndDurationAreNeverSwapped)
{
    addLibrary(
        { { "Twin", "Art H", 20, 1, "4:20" }, { "Twin", "Art I", 100, 50, "4:20" }, { "Intro", "Art H", 20, 1, "1:00" },
            { "Intro", "Art H", 60, 3, "1:00" }, { "Solo", QString(), 20, 1, "2:00" } });
    ratingOnly();
    const std::vector<Element> unchanged = { { "Twin", "Art H", "20", "1", playedText, "4:20" },
        { "Twin", "Art I", "100", "50", playedText, "4:20" }, { "Intro", "Art H", "20", "1", playedText, "1:00" },
        { "Intro", "Art H", "60", "3", playedText, "1:00" } };
    std::vector<Element> changed = unchanged;
    changed[1].rating = QStringLiteral("80");
    changed.push_back({ "Solo", "Art S", "60", "1", playedText, "2:00" });
    for (const QString& mode : { QStringLiteral("All"), QStringLiteral("Week") }) {
        writes().clear();
        EXPECT_EQ(importElements(mode, unchanged), TransferOutcome::Completed);
        EXPECT_TRUE(writes().isEmpty()) << mode.toStdString();
        EXPECT_EQ(importElements(mode, changed), TransferOutcome::Completed);
        EXPECT_EQ(writes(), QStringList({ "SetRating 1 80", "SetRating 4 60" }))
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

// The boxes say what is written, in both modes; increment adds one play whatever the file
// holds, and a value an element does not carry stays as it is.
TEST_F(ImportFixture, TheBoxesAndTheElementsSayWhatIsWritten)
{
    const struct {
        const char* mode;
        bool rating, count, date;
        const char* countMode;
        QStringList writes;
    } cases[] = {
        { "Week", false, true, false, "Increment", { "SetPlayedCount 0 2" } },
        { "All", false, false, false, "Increment", {} },
        { "All", true, true, true, "Replace",
            { "SetRating 0 100", "SetPlayedCount 0 9", "SetPlayedDate 0 2026-12-01T00:00:00", "SetRating 2 60" } },
    };
    addLibrary({ { "A" }, { "B" }, { "C" } });
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.countMode);
        writes().clear();
        options.importRating = c.rating;
        options.importPlayCount = c.count;
        options.importLastPlayDate = c.date;
        options.playCountMode = QString::fromLatin1(c.countMode);
        EXPECT_EQ(importElements(QString::fromLatin1(c.mode),
                      { { "A", "X", "100", "9", "12/1/2026", "1:00" }, { "B", {}, {}, {}, {}, "1:00" },
                          { "C", {}, "60", {}, {}, "1:00" } }),
            TransferOutcome::Completed);
        EXPECT_EQ(writes(), c.writes);
        EXPECT_EQ(skipped, 0);
        rig.player.track(0) = { "A", "X", 20, 1, played, "1:00" };
        rig.player.track(2).rating = 20;
    }
}

// An artist holding ".spl." once opened a box for it and every artist-less track after it.
TEST_F(MapModeImport, OneOddFileGivesOneMessage)
{
    std::vector<Track> tracks = { { "A", "Dot.spl.Com" } };
    std::vector<Element> elements = { { "A", "Dot.spl.Com", "100", "1", playedText, "1:00" } };
    for (int i = 0; i < 30; ++i) {
        tracks.push_back({ QStringLiteral("T%1").arg(i) });
        elements.push_back({ QStringLiteral("T%1").arg(i), {}, "x", {}, {}, "1:00" });
    }
    addLibrary(tracks);
    options.completionMessageBox = true;
    EXPECT_EQ(importElements(QStringLiteral("All"), elements), TransferOutcome::Completed);
    EXPECT_EQ(rig.view.messages,
        QStringList { "Bolvin import complete. 30 tracks were skipped: a value in the file could not be used (the "
                      "first: the rating \"x\" of \"T0\")." });
    EXPECT_EQ(rig.player.track(0).rating, 100);
}

// A file without an export mode is matched by search too, in the first playlist of the
// source: the whole name, its case, the duration and the artist.
TEST_F(SearchModeImport, MatchesExactly)
{
    rig.addTrack({ "Rain", "X", 20, 1, played, "4:00" });
    rig.player.addPlaylist(QStringLiteral("Music"), { 1, 2, 3, 4, 5 });
    addLibrary({ { "Rain", "X", 20, 1, "4:00" }, { "rain", "X", 20, 1, "4:00" }, { "Rain", "X", 20, 1, "4:01" },
        { "Rainbow", "X", 20, 1, "4:00" }, { "Rain", "Y", 20, 1, "4:00" } });
    ratingOnly();
    EXPECT_EQ(importElements(QString(),
                  { { "Rain", "X", "100", "1", playedText, "4:00" }, { "Sun", "X", "100", "1", playedText, "4:00" } }),
        TransferOutcome::Completed);
    EXPECT_EQ(writes(), QStringList({ "SetRating 1 100" }));
}

// Stop ends the import after the item in hand: in "All" mode while the file is read, the
// library pass still handles its first track; or during the library pass; or in a search.
TEST_F(ImportFixture, StopEndsTheImportAfterTheItemInHand)
{
    std::vector<Element> elements;
    for (int i = 0; i < 5; ++i)
        elements.push_back({ QStringLiteral("T%1").arg(i), "X", "100", "1", playedText, "1:00" });
    addLibrary({ { "T0" }, { "T1" }, { "T2" }, { "T3" }, { "T4" } });
    ratingOnly();
    const struct {
        const char* mode;
        int round;
        int written;
    } cases[] = { { "All", 1, 1 }, { "All", 12, 2 }, { "Year", 2, 3 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.round);
        rig.cancel = false;
        rig.view.eventRounds = 0;
        rig.view.onEvents = [&](int round) { rig.cancel = rig.cancel || round == c.round; };
        writes().clear();
        rig.view.messages.clear();
        for (int i = 0; i < 5; ++i)
            rig.player.track(i).rating = 20;
        EXPECT_EQ(importElements(QString::fromLatin1(c.mode), elements), TransferOutcome::Cancelled);
        QStringList expected;
        for (int i = 0; i < c.written; ++i)
            expected << QStringLiteral("SetRating %1 100").arg(i);
        EXPECT_EQ(writes(), expected);
        EXPECT_EQ(rig.view.messages, QStringList { "Library import canceled" });
        EXPECT_TRUE(rig.view.status.isEmpty());
        EXPECT_TRUE(rig.view.balloons.isEmpty());
        EXPECT_FALSE(rig.view.busy);
    }
}

} // namespace
