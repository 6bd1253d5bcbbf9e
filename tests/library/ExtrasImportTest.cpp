#include "ImportFixture.h"

#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

using ExtrasImportTest = ImportFixture;

// A file that does not parse, a player that stops answering midway or a library without a
// "Library" playlist: one message saying why, and the view idle again.
TEST_F(ExtrasImportTest, AFailedImportShowsTheReasonAndEndsIdle)
{
    std::vector<Track> tracks;
    std::vector<Element> elements;
    for (int i = 0; i < 10; ++i) {
        tracks.push_back({ QStringLiteral("T%1").arg(i) });
        elements.push_back({ QStringLiteral("T%1").arg(i), "X", "40", "2", playedText, "1:00" });
    }
    addLibrary(tracks);
    const QByteArray good = fileOf(QStringLiteral("All"), elements);
    const auto expectFailure = [&](const QByteArray& file, const QString& saying) {
        rig.view.messages.clear();
        EXPECT_EQ(importFile(file), TransferOutcome::Failed);
        ASSERT_EQ(rig.view.messages.size(), 1);
        EXPECT_TRUE(rig.view.messages[0].startsWith(saying) && rig.view.messages[0].size() > saying.size())
            << rig.view.messages[0].toStdString();
        EXPECT_TRUE(rig.view.status.isEmpty());
        EXPECT_FALSE(rig.view.busy);
    };
    // Damage after the first, valid track: nothing may have been written for it.
    for (const QByteArray& bad : { good.left(good.size() - 5), QByteArray(), QByteArray("<library><track></library>"),
             QByteArray("<!DOCTYPE library SYSTEM \"http://example.com/x.dtd\">") + good.mid(45) })
        expectFailure(bad, QStringLiteral("Error: "));
    EXPECT_TRUE(writes().isEmpty());

    rig.player.state->callsLeft = 30;
    expectFailure(good, QStringLiteral("Library import stopped: The player stopped answering."));

    rig.player.state->callsLeft = -1;
    writes().clear();
    rig.player.source->playlists->items[0] = std::make_shared<FakePlaylist>(QStringLiteral("Music"));
    expectFailure(good, QStringLiteral("The player's library has no playlist named \"Library\""));
    EXPECT_TRUE(writes().isEmpty());
}

TEST_F(ExtrasImportTest, ACancelledDialogChangesNothingAndAnImportThatMatchedNothingSaysSo)
{
    addLibrary({ { "A" } });
    rig.view.openPath.clear();
    EXPECT_EQ(importElements(QStringLiteral("Week"), { { "A", "Y", "100", "9", playedText, "1:00" } }),
        TransferOutcome::NoFile);
    EXPECT_TRUE(rig.view.calls.isEmpty());

    rig.view.openPath = rig.path();
    EXPECT_EQ(importElements(QStringLiteral("All"), {}), TransferOutcome::Completed);
    EXPECT_EQ(rig.view.calls.filter(QStringLiteral("balloon")),
        QStringList { "balloon Nothing was imported: no track of the file matches a track of the library by name, "
                      "duration and artist.|Bolvin|1|5000" });
    EXPECT_FALSE(rig.view.busy);
    EXPECT_EQ(rig.view.status, QStringLiteral("Nothing imported"));
}

TEST_F(ExtrasImportTest, ValuesTheFileCannotGiveStayAndAreCounted)
{
    addLibrary({ { "A" }, { "B" }, { "C" }, { "D" } });
    options.playCountMode = QStringLiteral("Replace");
    EXPECT_EQ(
        importElements(QStringLiteral("All"),
            { { "A", "X", "four", "5", "12/7/2026", "1:00" }, { "B", "X", "60", "5.5", "12/7/2026", "1:00" },
                { "C", "X", "60", "5", "the day before", "1:00" }, { "D", "X", "120", "-1", "12/7/2026", "1:00" } }),
        TransferOutcome::Completed);
    EXPECT_EQ(skipped, 4);
    EXPECT_EQ(updated, 4);
    // The rest of each element is imported; the player refuses a rating over 100: not sent.
    EXPECT_EQ(writes(),
        QStringList({ "SetPlayedCount 0 5", "SetPlayedDate 0 2026-12-07T00:00:00", "SetRating 1 60",
            "SetPlayedDate 1 2026-12-07T00:00:00", "SetRating 2 60", "SetPlayedCount 2 5",
            "SetPlayedDate 3 2026-12-07T00:00:00" }));
    EXPECT_EQ(rig.view.balloons,
        QStringList { "Bolvin import complete. 4 tracks were skipped: a value in the file could not be used (the "
                      "first: the rating \"four\" of \"A\")." });
}

// A file of more tracks than any library runs in a child whose address space may grow by
// 256 MiB at most: it must be refused, not take memory as it grows.
TEST_F(ExtrasImportTest, AWideFileIsRefusedWithinAMemoryLimit)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit allows";
#endif
    addLibrary({ { "x" } });
    LibraryFiles::write(rig.view.openPath,
        "<library><exportmode>All</exportmode>" + QByteArray("<track/>").repeated(80 << 16) + "</library>");
    // The address space in use now, in pages, and 256 MiB more.
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    ASSERT_TRUE(statm >> pages);
    const rlim_t limit = pages * rlim_t(::sysconf(_SC_PAGESIZE)) + (rlim_t(256) << 20);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit bound { limit, limit };
        ::setrlimit(RLIMIT_AS, &bound);
        ::alarm(120); // an import that never ends fails on the signal
        ExtrasImport importer(rig.player.LibrarySource(), rig.view, options, [] { return false; });
        const bool refused = importer.run() == TransferOutcome::Failed && rig.view.messages.size() == 1
            && rig.view.messages[0].contains(QStringLiteral("more than 1,000,000 tracks"));
        ::_exit(refused ? 0 : 1);
    }
    int result = -1;
    ASSERT_EQ(::waitpid(child, &result, 0), child);
    EXPECT_TRUE(WIFEXITED(result) && WEXITSTATUS(result) == 0) << "status " << result;
    EXPECT_TRUE(writes().isEmpty());
}

} // namespace
