#include "LibraryTestRig.h"

#include "library/ExtrasExport.h"
#include "library/ExtrasFileReader.h"

#include <gtest/gtest.h>

namespace
{

class ExtrasExportTest : public testing::Test
{
protected:
    TransferOutcome exportWith(const QString& mode, bool messageBox = false)
    {
        ExtrasExport exporter(
            rig.player.LibrarySource(), rig.view, ExportOptions { mode, messageBox }, [this] { return rig.cancel; });
        exporter.setLocale(rig.us);
        exporter.setClock([this] { return now; });
        const TransferOutcome outcome = exporter.run();
        written = exporter.tracksWritten();
        return outcome;
    }
    QByteArray file() const { return LibraryFiles::read(rig.view.savePath); }
    // The names the file holds, read back as an import would; the reader's reason if none.
    QStringList names() const
    {
        QString error;
        const auto document = ExtrasFileReader::read(file(), &error);
        QStringList all { error };
        for (const auto& track : document ? document->tracks : std::vector<ExtrasTrackElement> {})
            all << track.fields[ExtrasTrackElement::Name].value_or(QString());
        return all;
    }
    void SetUp() override { rig.view.savePath = rig.path(); }

    LibraryTestRig rig;
    QDateTime now { QDate(2026, 12, 6), QTime(0, 10) };
    int written = 0;
};

TEST_F(ExtrasExportTest, WritesTheLibraryPlaylistAndReportsCompletionInABalloon)
{
    rig.addTrack({ "Tom & Jerry", "<Duo>", 80, 3, QDateTime(QDate(2026, 12, 5), QTime(23, 50, 1)), "3:45" });
    rig.addTrack({ "Never", "Nobody", 0, 0, QDateTime(), "0:59" });
    rig.player.addPlaylist(QStringLiteral("library"), { 1 });
    rig.player.addLibrary();
    rig.player.addPlaylist(QStringLiteral("Library"), { 1 });

    EXPECT_EQ(exportWith(QStringLiteral("All")), TransferOutcome::Completed);
    EXPECT_EQ(names(), QStringList({ "", "Tom & Jerry", "Never" }));
    EXPECT_EQ(rig.view.calls.filter(QStringLiteral("balloon")),
        QStringList { QStringLiteral("balloon Bolvin export complete|Bolvin|1|5000") });
    EXPECT_EQ(rig.view.statuses.first(), QStringLiteral("Tom &amp; Jerry exported..."));
    EXPECT_EQ(rig.view.status, QStringLiteral("Library export complete"));
    EXPECT_FALSE(rig.view.busy);
}

TEST_F(ExtrasExportTest, ModesCountCalendarDayBoundaries)
{
    struct Case {
        QDateTime played;
        QStringList modes; // the modes that write it
    };
    const QStringList all = { "All", "Day", "Week", "Month", "Year", "Decade" };
    const std::vector<Case> cases = {
        { QDateTime(QDate(2026, 12, 6), QTime(0, 5)), all },
        { QDateTime(QDate(2026, 12, 5), QTime(23, 50)), all },
        { QDateTime(QDate(2026, 12, 4), QTime(23, 59)), { "All", "Week", "Month", "Year", "Decade" } },
        { QDateTime(QDate(2026, 11, 29), QTime(0, 0)), { "All", "Week", "Month", "Year", "Decade" } },
        { QDateTime(QDate(2026, 11, 28), QTime(23, 59)), { "All", "Month", "Year", "Decade" } },
        { QDateTime(QDate(2026, 11, 6), QTime(12, 0)), { "All", "Month", "Year", "Decade" } },
        { QDateTime(QDate(2026, 11, 5), QTime(12, 0)), { "All", "Year", "Decade" } },
        { QDateTime(QDate(2025, 12, 6), QTime(12, 0)), { "All", "Year", "Decade" } },
        { QDateTime(QDate(2025, 12, 5), QTime(12, 0)), { "All", "Decade" } },
        { QDateTime(), { "All", "Decade" } },
        { QDateTime(QDate(2030, 1, 1), QTime(8, 0)), all },
    };
    for (const Case& c : cases)
        rig.addTrack({ c.played.toString(Qt::ISODate), "A", 20, 1, c.played, "1:00" });
    rig.player.addLibrary();
    for (const QString& mode : all) {
        ASSERT_EQ(exportWith(mode), TransferOutcome::Completed);
        const QByteArray bytes = file();
        for (const Case& c : cases) {
            const bool in = bytes.contains("<name>" + c.played.toString(Qt::ISODate).toLatin1() + "</name>");
            EXPECT_EQ(in, c.modes.contains(mode)) << mode.toStdString() << " " << c.played.toString().toStdString();
        }
        EXPECT_EQ(rig.view.progressValue, int(cases.size())) << "left-out tracks still move the bar";
        EXPECT_TRUE(bytes.contains("<exportmode>" + mode.toLatin1() + "</exportmode>"));
    }
}

// Stop ends the export after the track in hand with a well-formed file; a player that fails
// midway leaves the old file as it was.
TEST_F(ExtrasExportTest, AnExportCutShortEndsAfterTheTrackInHandOrLeavesTheOldFile)
{
    for (int i = 1; i <= 10; ++i)
        rig.addTrack({ QStringLiteral("T%1").arg(i), "A", 0, i, QDateTime(), "1:00" });
    rig.player.addLibrary();
    rig.view.onEvents = [this](int round) { rig.cancel = round == 3; };

    EXPECT_EQ(exportWith(QStringLiteral("All")), TransferOutcome::Cancelled);
    EXPECT_EQ(written, 3);
    EXPECT_EQ(names(), QStringList({ "", "T1", "T2", "T3" }));
    EXPECT_EQ(rig.view.messages, QStringList { QStringLiteral("Library export canceled") });
    EXPECT_TRUE(rig.view.status.isEmpty());
    EXPECT_FALSE(rig.view.busy);

    rig.view.onEvents = nullptr;
    rig.cancel = false;
    rig.view.messages.clear();
    LibraryFiles::write(rig.view.savePath, "old contents");
    rig.player.state->callsLeft = 20;
    EXPECT_EQ(exportWith(QStringLiteral("All")), TransferOutcome::Failed);
    EXPECT_EQ(file(), QByteArray("old contents"));
    ASSERT_EQ(rig.view.messages.size(), 1);
    EXPECT_TRUE(rig.view.messages[0].contains(QStringLiteral("The player stopped answering.")));
    EXPECT_TRUE(rig.view.status.isEmpty());
    EXPECT_EQ(rig.view.calls.last(), QStringLiteral("idle"));
    EXPECT_EQ(QDir(rig.dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("extras.xml") })
        << "no temporary file is left behind";
}

// A cancelled dialog, a missing source, a library without a "Library" playlist, an empty one
// (done in a message box as asked) and a file that cannot be made, in turn.
TEST_F(ExtrasExportTest, WithoutAFileOrALibraryTheFileHoldsNothingOfIt)
{
    rig.view.savePath.clear();
    EXPECT_EQ(exportWith(QStringLiteral("All")), TransferOutcome::NoFile);
    EXPECT_TRUE(rig.view.calls.isEmpty());

    rig.view.savePath = rig.path();
    EXPECT_EQ(ExtrasExport(nullptr, rig.view, ExportOptions {}, [] { return false; }).run(), TransferOutcome::Failed);
    EXPECT_FALSE(QFile::exists(rig.view.savePath));
    EXPECT_EQ(rig.view.calls.last(), QStringLiteral("idle"));
    EXPECT_EQ(rig.view.messages.size(), 1);
    rig.view.messages.clear();

    rig.player.addPlaylist(QStringLiteral("Music"), {});
    EXPECT_EQ(exportWith(QStringLiteral("All")), TransferOutcome::Completed);
    EXPECT_EQ(file(), QByteArray("</library>\r\n"));
    EXPECT_EQ(rig.view.balloons, QStringList { QStringLiteral("Bolvin export complete") });

    rig.player.addLibrary();
    EXPECT_EQ(exportWith(QStringLiteral("All"), true), TransferOutcome::Completed);
    EXPECT_EQ(rig.view.messages, QStringList { QStringLiteral("Library export complete") });
    EXPECT_EQ(rig.view.balloons.size(), 1);
    EXPECT_EQ(names(), QStringList { QString() }) << "well-formed, and no track";

    rig.view.messages.clear();
    rig.view.savePath = rig.path(QStringLiteral("no/such/folder/extras.xml"));
    EXPECT_EQ(exportWith(QStringLiteral("All")), TransferOutcome::Failed);
    ASSERT_EQ(rig.view.messages.size(), 1);
    EXPECT_TRUE(rig.view.messages[0].contains(QStringLiteral("could not be created")));
    EXPECT_FALSE(rig.view.busy);
}

} // namespace
