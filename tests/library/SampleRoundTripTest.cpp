#include "SampleLibrary.h"

#include "FakeTransferView.h"
#include "LibraryFiles.h"

#include "library/ExtrasExport.h"
#include "library/ExtrasImport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace
{

// The bundled sample library exported in US English at UTC (the zone the tests run in), checked in.
const QString goldenFile = QStringLiteral(LIBRARY_TEST_DATA_DIR "/sample-library-export.xml");

class SampleRoundTrip : public testing::Test
{
protected:
    void exportTo(const QString& path, const QLocale& locale)
    {
        view.savePath = path;
        ExtrasExport exporter(
            player->LibrarySource(), view, ExportOptions { QStringLiteral("All"), false }, [] { return false; });
        exporter.setLocale(locale);
        exporter.setClock([] { return QDateTime(QDate(2006, 3, 1), QTime(12, 0)); });
        ASSERT_EQ(exporter.run(), TransferOutcome::Completed);
    }
    void importFrom(const QString& path, const QLocale& locale)
    {
        view.openPath = path;
        ImportOptions options;
        options.playCountMode = QStringLiteral("Replace");
        ExtrasImport importer(player->LibrarySource(), view, options, [] { return false; });
        importer.setLocale(locale);
        ASSERT_EQ(importer.run(), TransferOutcome::Completed);
        EXPECT_EQ(importer.tracksSkipped(), 0);
    }

    SampleLibrary sample;
    std::unique_ptr<SimulatedPlayer> player = sample.player();
    FakeTransferView view;
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("extras.xml"));
    const QLocale us { QLocale::English, QLocale::UnitedStates };
};

// The export matches the checked-in file byte for byte. In any locale: what was exported and
// comes back unchanged is not written; what changed since (as listening and rating would)
// comes back as it was, matched by map ("All") or, under another mode name, by search.
TEST_F(SampleRoundTrip, ExportMatchesTheCheckedInFileAndExtrasComeBackInEveryLocaleAndMode)
{
    exportTo(path, us);
    // After a deliberate change of the format, LIBRARY_UPDATE_GOLDEN=1 rewrites the file;
    // review its diff before committing it.
    if (qEnvironmentVariableIsSet("LIBRARY_UPDATE_GOLDEN")) {
        QFile::remove(goldenFile);
        ASSERT_TRUE(QFile::copy(path, goldenFile));
    }
    const QByteArray expected = LibraryFiles::read(goldenFile);
    ASSERT_NE(expected, "<missing>") << goldenFile.toStdString();
    EXPECT_EQ(LibraryFiles::read(path), expected);

    const QStringList original = LibraryFiles::extrasOf(*player->LibrarySource());
    int changes = 0;
    QObject::connect(player.get(), &PlayerApplication::OnDatabaseChangedEvent, [&] { ++changes; });
    const std::pair<QLocale, QByteArray> cases[] = { { us, "All" }, { us, "Week" },
        { QLocale(QLocale::German, QLocale::Germany), "All" }, { QLocale(QLocale::Japanese, QLocale::Japan), "Year" } };
    for (const auto& [locale, mode] : cases) {
        SCOPED_TRACE(locale.name().toStdString() + " " + mode.toStdString());
        exportTo(path, locale);
        LibraryFiles::write(path,
            LibraryFiles::read(path).replace("<exportmode>All</exportmode>", "<exportmode>" + mode + "</exportmode>"));
        changes = 0;
        importFrom(path, locale);
        EXPECT_EQ(changes, 0);
        const auto tracks = player->LibrarySource()->Playlists()->Item(1)->Tracks();
        tracks->Item(1)->SetRating(0);
        tracks->Item(2)->SetPlayedCount(99);
        tracks->Item(3)->SetPlayedDate(QDateTime(QDate(2026, 12, 6), QTime(8, 0)));
        tracks->Item(4)->SetPlayedDate(QDateTime());
        tracks->Item(4)->SetRating(20);
        ASSERT_NE(LibraryFiles::extrasOf(*player->LibrarySource()), original);
        importFrom(path, locale);
        EXPECT_EQ(LibraryFiles::extrasOf(*player->LibrarySource()), original);
    }
}

} // namespace
