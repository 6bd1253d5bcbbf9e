#include "SourceTestFiles.h"

#include "FakeRhythmDbService.h"
#include "PrivateBus.h"

#include "library/sources/RhythmboxLibrary.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

using SourceTestFiles::Song;

class RhythmboxLibraryTest : public testing::Test
{
protected:
    void SetUp() override { path = QDir(dir.path()).filePath(QStringLiteral("rhythmdb.xml")); }

    std::unique_ptr<RhythmboxLibrary> load(const QByteArray& bytes, QString* error = nullptr)
    {
        SourceTestFiles::write(path, bytes);
        auto library = std::make_unique<RhythmboxLibrary>(path);
        library->setDatabase(std::make_shared<RhythmDbClient>(QDBusConnection(QStringLiteral("no bus"))));
        library->setClock([] { return QDateTime(QDate(2026, 5, 1), QTime(9, 5, 3)); });
        QString why;
        if (!library->load(&why)) {
            if (error)
                *error = why;
            return nullptr;
        }
        return library;
    }
    std::shared_ptr<PlayerTrack> track(RhythmboxLibrary& library, int i)
    {
        return library.Playlists()->Item(1)->Tracks()->Item(i);
    }

    QTemporaryDir dir;
    QString path;
};

TEST_F(RhythmboxLibraryTest, SongsReadOnTheTransferScaleWithLeftOutFieldsAsZero)
{
    const auto library = load(SourceTestFiles::rhythmdb({ { "Whole", "A", 245, "4", 3, 1700000000 },
        { "Half up", "B", 60, "2.5" }, { "Just below", "C", 61, "3.49" }, { "Bare", "D", 3600 } }));
    ASSERT_TRUE(library);
    const auto tracks = library->Playlists()->Item(1)->Tracks();
    // The radio station is another entry type: not a track.
    ASSERT_EQ(tracks->Count(), 4);
    EXPECT_EQ(library->Playlists()->Item(1)->Name(), QStringLiteral("Library"));

    const auto whole = tracks->Item(1);
    EXPECT_EQ(whole->Name(), QStringLiteral("Whole"));
    EXPECT_EQ(whole->Artist(), QStringLiteral("A"));
    EXPECT_EQ(whole->Rating(), 80);
    EXPECT_EQ(whole->PlayedCount(), 3);
    EXPECT_EQ(whole->PlayedDate(), QDateTime::fromSecsSinceEpoch(1700000000));
    EXPECT_EQ(whole->Time(), QStringLiteral("4:05"));

    EXPECT_EQ(tracks->Item(2)->Rating(), 60);
    EXPECT_EQ(tracks->Item(3)->Rating(), 60);
    const auto bare = tracks->Item(4);
    EXPECT_EQ(bare->Rating(), 0);
    EXPECT_EQ(bare->PlayedCount(), 0);
    EXPECT_FALSE(bare->PlayedDate().isValid());
    EXPECT_EQ(bare->Time(), QStringLiteral("1:00:00"));

    // Whole names, without regard to case.
    const auto found = library->Playlists()->Item(1)->Search(QStringLiteral("half UP"), 5);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Item(1)->Name(), QStringLiteral("Half up"));
    EXPECT_FALSE(library->Playlists()->Item(1)->Search(QStringLiteral("Half"), 5));
}

TEST_F(RhythmboxLibraryTest, AWriteChangesTheExtrasElementsAndNothingElse)
{
    const QByteArray before = SourceTestFiles::rhythmdb(
        { { "A", "X", 100, "2.5" }, { "B", "Y", 100, "4", 3, 1000 }, { "C", "Z", 100, "1", 1, 5 } });
    const auto library = load(before);
    ASSERT_TRUE(library);
    track(*library, 1)->SetRating(100);
    track(*library, 1)->SetPlayedCount(7);
    track(*library, 2)->SetRating(0);
    track(*library, 2)->SetPlayedDate(QDateTime());
    // Set to what it holds: no change, so the entry is not rewritten.
    track(*library, 3)->SetRating(20);
    QString message;
    ASSERT_TRUE(library->commit(&message)) << message.toStdString();

    QByteArray expected = before;
    expected.replace("<rating>2.5</rating>", "<rating>5</rating>");
    expected.replace("audio/x-vorbis</media-type>\n  </entry>\n  <entry type=\"song\">\n    <title>B",
        "audio/x-vorbis</media-type>\n    <play-count>7</play-count>\n  </entry>\n  <entry type=\"song\">\n"
        "    <title>B");
    expected.replace("\n    <rating>4</rating>", "");
    expected.replace("\n    <last-played>1000</last-played>", "");
    EXPECT_EQ(SourceTestFiles::read(path).toStdString(), expected.toStdString());

    // What was written reads as what was set.
    const auto reread = load(SourceTestFiles::read(path));
    ASSERT_TRUE(reread);
    EXPECT_EQ(track(*reread, 1)->Rating(), 100);
    EXPECT_EQ(track(*reread, 1)->PlayedCount(), 7);
    EXPECT_EQ(track(*reread, 2)->Rating(), 0);
    EXPECT_FALSE(track(*reread, 2)->PlayedDate().isValid());
}

// Nothing but the imported values changes: not the byte-order mark, not a half star whose
// rating was not imported, not the file's mode, owner or group, and no file is left over.
TEST_F(RhythmboxLibraryTest, TheFirstWriteLeavesADatedCopyOfTheOldFileBesideIt)
{
    const QByteArray before
        = "\xEF\xBB\xBF" + SourceTestFiles::rhythmdb({ { "A", "X", 100, "2" }, { "H", "Y", 100, "2.5" } });
    const auto library = load(before);
    ASSERT_TRUE(library);
    QString message;
    // Nothing changed: nothing written, no copy.
    ASSERT_TRUE(library->commit(&message));
    EXPECT_TRUE(library->backupPath().isEmpty());
    EXPECT_TRUE(library->completionNote().isEmpty());

    const QString modes = SourceTestFiles::setModeAndOwner(path, 0640);
    track(*library, 1)->SetRating(60);
    track(*library, 2)->SetPlayedCount(4);
    ASSERT_TRUE(library->commit(&message)) << message.toStdString();
    const QString copy = QDir(dir.path()).filePath(QStringLiteral("rhythmdb.before-import-20260501-090503.xml"));
    EXPECT_EQ(library->backupPath(), copy);
    EXPECT_EQ(SourceTestFiles::read(copy), before);
    EXPECT_TRUE(library->completionNote().contains(copy));
    const QByteArray after = SourceTestFiles::read(path);
    EXPECT_TRUE(after.startsWith("\xEF\xBB\xBF<?xml"));
    EXPECT_TRUE(after.contains("<rating>2.5</rating>"));
    EXPECT_TRUE(after.contains("<play-count>4</play-count>"));
    EXPECT_EQ(SourceTestFiles::modeAndOwner(path), modes);
    EXPECT_EQ(SourceTestFiles::modeAndOwner(copy), modes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

    // A second write in the same second keeps the first copy; a read-only file stays so,
    // where it may be written at all (root).
    const QString readOnly = SourceTestFiles::setModeAndOwner(path, 0444);
    track(*library, 1)->SetRating(80);
    if (::geteuid() != 0)
        return;
    ASSERT_TRUE(library->commit(&message));
    EXPECT_TRUE(library->backupPath().endsWith(QStringLiteral("090503-2.xml")));
    EXPECT_EQ(SourceTestFiles::read(copy), before);
    EXPECT_EQ(SourceTestFiles::modeAndOwner(path), readOnly);
}

TEST_F(RhythmboxLibraryTest, AFileThatIsNotAWellFormedRhythmboxLibraryIsRefusedUntouched)
{
    const QByteArray good = SourceTestFiles::rhythmdb({ { "A", "X", 100, "2" } });
    const struct {
        const char* what;
        QByteArray bytes;
        const char* said;
    } cases[] = {
        { "cut short", good.left(good.size() / 2), "Line " },
        { "tags crossed", "<rhythmdb version=\"2.0\"><entry type=\"song\"><title>A</entry></title></rhythmdb>",
            "Line 1" },
        { "external entity",
            "<?xml version=\"1.0\"?>\n<!DOCTYPE r [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n"
            "<rhythmdb version=\"2.0\"><entry type=\"song\"><title>&x;</title></entry></rhythmdb>",
            "DTD" },
        { "other version", "<rhythmdb version=\"1.8\"></rhythmdb>", "1.8" },
        { "other root", "<plist version=\"1.0\"></plist>", "not a Rhythmbox library" },
        { "not UTF-8", "<rhythmdb version=\"2.0\"><entry type=\"song\"><title>\xff\xfe</title></entry></rhythmdb>",
            "UTF-8" },
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(load(c.bytes, &error)) << c.what;
        EXPECT_TRUE(error.contains(path)) << c.what << ": " << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromLatin1(c.said))) << c.what << ": " << error.toStdString();
        EXPECT_EQ(SourceTestFiles::read(path), c.bytes) << c.what;
    }
}

TEST_F(RhythmboxLibraryTest, WhileRhythmboxRunsTheValuesGoToItWithItsTypesAndTheFileStaysAsItWas)
{
    PrivateBus bus;
    ASSERT_TRUE(bus.start(QStringLiteral("rhythmbox-library-client"))) << bus.error().toStdString();
    FakeRhythmDbService rhythmbox(bus.address());
    rhythmbox.addEntry(QStringLiteral("file:///music/0.ogg"));
    ASSERT_TRUE(rhythmbox.start());
    const QByteArray before = SourceTestFiles::rhythmdb({ { "A", "X", 100, "2" }, { "B", "X", 100 }, { "C", "X" } });
    const auto library = load(before);
    ASSERT_TRUE(library);
    library->setDatabase(std::make_shared<RhythmDbClient>(bus.client(), 300));

    track(*library, 1)->SetRating(100);
    track(*library, 1)->SetPlayedCount(7);
    QString message;
    ASSERT_TRUE(library->commit(&message)) << message.toStdString();
    EXPECT_EQ(rhythmbox.setTypes(), QStringList({ "last-played:u", "play-count:u", "rating:d" }));
    EXPECT_EQ(rhythmbox.entry("file:///music/0.ogg").value("rating").toDouble(), 5.0);
    EXPECT_EQ(rhythmbox.entry("file:///music/0.ogg").value("play-count").toUInt(), 7U);
    EXPECT_TRUE(library->completionNote().startsWith("Rhythmbox was running"));

    // A track Rhythmbox does not have stops the rest, and the message says how far it got.
    track(*library, 1)->SetRating(40);
    track(*library, 2)->SetRating(60);
    track(*library, 3)->SetRating(80);
    EXPECT_FALSE(library->commit(&message));
    EXPECT_TRUE(message.contains("\"B\"")) << message.toStdString();
    EXPECT_TRUE(message.contains("1 of 3 tracks")) << message.toStdString();
    EXPECT_EQ(rhythmbox.entry("file:///music/0.ogg").value("rating").toDouble(), 2.0);
    EXPECT_EQ(SourceTestFiles::read(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no copy: the file is never touched";
}

} // namespace
