#include "SourceTestFiles.h"

#include "FakeRhythmDbService.h"
#include "PrivateBus.h"

#include "library/sources/RhythmboxLibrary.h"
#include "library/sources/StrawberryLibrary.h"
#include "player/PlayerPlaylist.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace
{

using SourceTestFiles::Song;

// A player's own library file, as the tests make and open it.
struct Kind {
    const char* name;
    const char* file;
    // Ratings as the file holds them, and as the transfer reads them.
    std::vector<std::pair<const char*, int>> ratings;
    // How the note after a write begins.
    const char* note;
};

const Kind rhythmbox { "Rhythmbox", "rhythmdb.xml", { { "4", 80 }, { "2.5", 60 }, { "3.49", 60 } },
    "A copy of the Rhythmbox library" };
const Kind strawberry { "Strawberry", "strawberry.db", { { "0.6", 60 }, { "0.5", 50 } },
    "Strawberry shows the new values when it next loads those tracks. A copy" };

// A library file of one kind in a private folder, opened on a fixed clock and, for
// Rhythmbox, with no running Rhythmbox to talk to.
class LibraryFileRig : public testing::Test
{
protected:
    explicit LibraryFileRig(const Kind& of)
        : kind(of)
    {
    }

    void make(const std::vector<Song>& songs, int version = StrawberryLibrary::knownSchemaVersions.last())
    {
        QFile::remove(path);
        ASSERT_EQ(SourceTestFiles::makeLibrary(path, songs, version), QString());
    }
    std::unique_ptr<FileLibrary> load(QString* error = nullptr)
    {
        std::unique_ptr<FileLibrary> library = std::make_unique<StrawberryLibrary>(path);
        if (std::string_view(kind.file) == rhythmbox.file) {
            auto opened = std::make_unique<RhythmboxLibrary>(path);
            opened->setDatabase(std::make_shared<RhythmDbClient>(QDBusConnection(QStringLiteral("no bus"))));
            library = std::move(opened);
        }
        library->setClock([] { return QDateTime(QDate(2026, 5, 1), QTime(9, 5, 3)); });
        QString why;
        return library->load(error ? error : &why) ? std::move(library) : nullptr;
    }
    static void set(FileLibrary& library, int i, std::optional<int> rating, std::optional<int> count = {},
        std::optional<QDateTime> date = {})
    {
        const auto track = library.Playlists()->Item(1)->Tracks()->Item(i);
        if (rating)
            track->SetRating(*rating);
        if (count)
            track->SetPlayedCount(*count);
        if (date)
            track->SetPlayedDate(*date);
    }
    // rating, playcount and lastplayed of the song titled title in a strawberry.db.
    QString row(const QString& title) const
    {
        return SourceTestFiles::runSql(
            path, { QStringLiteral("SELECT rating, playcount, lastplayed FROM songs WHERE title = '%1'").arg(title) });
    }
    // The copy a first write at the fixed time makes.
    QString copy() const
    {
        const QFileInfo info(path);
        return QDir(dir.path())
            .filePath(info.completeBaseName() + QStringLiteral(".before-import-20260501-090503.") + info.suffix());
    }

    const Kind& kind;
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QString::fromLatin1(kind.file));
    QString message;
};

class FileLibraryContract : public LibraryFileRig, public testing::WithParamInterface<Kind>
{
protected:
    FileLibraryContract()
        : LibraryFileRig(GetParam())
    {
    }
};

// Songs read on the transfer scale, left-out fields as zero. The first write leaves a dated
// copy of the old file beside it, both with the file's mode, owner and group, and nothing
// else; a commit with nothing changed writes nothing.
TEST_P(FileLibraryContract, ReadsSongsOnTheTransferScaleAndAWriteKeepsADatedCopyWithTheFilesModeAndOwner)
{
    std::vector<Song> songs { { "Whole", "A", 245, kind.ratings[0].first, 3, 1700000000 }, { "Bare", "D", 3600 } };
    for (const auto& [text, rating] : kind.ratings)
        songs.push_back({ QString::fromLatin1(text), "R", 60, text });
    make(songs);
    const auto library = load();
    ASSERT_TRUE(library);
    const auto all = library->Playlists()->Item(1);
    EXPECT_EQ(all->Name(), QStringLiteral("Library"));
    QStringList expected = { QStringLiteral("Whole %1 3 ").arg(kind.ratings[0].second)
            + QDateTime::fromSecsSinceEpoch(1700000000).toString(Qt::ISODate),
        "Bare 0 0 " };
    for (const auto& [text, rating] : kind.ratings)
        expected << QStringLiteral("%1 %2 0 ").arg(QString::fromLatin1(text)).arg(rating);
    EXPECT_EQ(LibraryFiles::extrasOf(*library), expected) << "songs only: a radio station is no track";
    const auto whole = all->Tracks()->Item(1);
    EXPECT_EQ(QStringList({ whole->Name(), whole->Artist(), whole->Time(), all->Tracks()->Item(2)->Time() }),
        QStringList({ "Whole", "A", "4:05", "1:00:00" }));

    // Whole names, without regard to case.
    const auto found = all->Search(QStringLiteral("wHOLE"), PlayerPlaylist::SearchSongNames);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Item(1)->Name(), QStringLiteral("Whole"));
    EXPECT_FALSE(all->Search(QStringLiteral("Whol"), PlayerPlaylist::SearchSongNames));

    ASSERT_TRUE(library->commit(&message));
    EXPECT_TRUE(library->backupPath().isEmpty());
    EXPECT_TRUE(library->completionNote().isEmpty());

    const QString modes = SourceTestFiles::modeAndOwner(path, 0640);
    set(*library, 1, 0, {}, QDateTime());
    set(*library, 2, 80, 4, QDateTime::fromSecsSinceEpoch(1800000000));
    ASSERT_TRUE(library->commit(&message)) << message.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
        QStringList({ QFileInfo(copy()).fileName(), kind.file }));
    EXPECT_EQ(library->backupPath(), copy());
    EXPECT_TRUE(library->completionNote().startsWith(QString::fromLatin1(kind.note)))
        << library->completionNote().toStdString();
    EXPECT_TRUE(library->completionNote().contains(copy()));
    EXPECT_EQ(SourceTestFiles::modeAndOwner(path), modes);
    EXPECT_EQ(SourceTestFiles::modeAndOwner(copy()), modes);
}

INSTANTIATE_TEST_SUITE_P(Kinds, FileLibraryContract, testing::Values(rhythmbox, strawberry),
    [](const auto& info) { return std::string(info.param.name); });

template <const Kind& kindOf> class OneKind : public LibraryFileRig
{
protected:
    OneKind()
        : LibraryFileRig(kindOf)
    {
    }
};
using RhythmboxLibraryTest = OneKind<rhythmbox>;
using StrawberryLibraryTest = OneKind<strawberry>;

// Only the imported values change: not the byte-order mark, not a half star whose rating
// was set to what it reads as. A second write in the same second keeps the first copy, and
// a read-only file stays so where it may be written at all (as root).
TEST_F(RhythmboxLibraryTest, AWriteChangesTheExtrasElementsAndNothingElse)
{
    const QByteArray before = "\xEF\xBB\xBF"
        + SourceTestFiles::rhythmdb(
            { { "A", "X", 100, "2.5" }, { "B", "Y", 100, "4", 3, 1000 }, { "C", "Z", 100, "1.5", 1, 5 } });
    SourceTestFiles::write(path, before);
    const auto library = load();
    ASSERT_TRUE(library);
    set(*library, 1, 100, 7);
    set(*library, 2, 0, {}, QDateTime());
    set(*library, 3, 40, 4);
    ASSERT_TRUE(library->commit(&message)) << message.toStdString();

    QByteArray expected = before;
    expected.replace("<rating>2.5</rating>", "<rating>5</rating>");
    expected.replace("audio/x-vorbis</media-type>\n  </entry>\n  <entry type=\"song\">\n    <title>B",
        "audio/x-vorbis</media-type>\n    <play-count>7</play-count>\n  </entry>\n  <entry type=\"song\">\n"
        "    <title>B");
    expected.replace("\n    <rating>4</rating>", "");
    expected.replace("\n    <last-played>1000</last-played>", "");
    expected.replace("<play-count>1</play-count>", "<play-count>4</play-count>");
    EXPECT_EQ(SourceTestFiles::read(path).toStdString(), expected.toStdString());
    EXPECT_EQ(SourceTestFiles::read(copy()), before);

    const QString readOnly = SourceTestFiles::modeAndOwner(path, 0444);
    set(*library, 1, 80);
    if (::geteuid() != 0)
        return;
    ASSERT_TRUE(library->commit(&message));
    EXPECT_TRUE(library->backupPath().endsWith(QStringLiteral("090503-2.xml")));
    EXPECT_EQ(SourceTestFiles::read(copy()), before);
    EXPECT_EQ(SourceTestFiles::modeAndOwner(path), readOnly);
}

TEST_F(RhythmboxLibraryTest, AFileThatIsNotAWellFormedRhythmboxLibraryIsRefusedUntouched)
{
    const QByteArray good = SourceTestFiles::rhythmdb({ { "A", "X", 100, "2" } });
    const std::pair<QByteArray, const char*> cases[] = {
        { good.left(good.size() / 2), "Line " },
        { "<?xml version=\"1.0\"?>\n<!DOCTYPE r [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n"
          "<rhythmdb version=\"2.0\"><entry type=\"song\"><title>&x;</title></entry></rhythmdb>",
            "DTD" },
        { "<rhythmdb version=\"1.8\"></rhythmdb>", "1.8" },
        { "<plist version=\"1.0\"></plist>", "not a Rhythmbox library" },
    };
    for (const auto& [bytes, said] : cases) {
        SourceTestFiles::write(path, bytes);
        QString error;
        EXPECT_FALSE(load(&error)) << said;
        EXPECT_TRUE(error.contains(path) && error.contains(QString::fromLatin1(said))) << error.toStdString();
        EXPECT_EQ(SourceTestFiles::read(path), bytes) << said;
    }
}

// While Rhythmbox runs the values go to it, never to the file.
TEST_F(RhythmboxLibraryTest, WhileRhythmboxRunsATrackItLacksStopsTheRestAndTheFileStaysAsItWas)
{
    PrivateBus bus;
    ASSERT_TRUE(bus.start(QStringLiteral("rhythmbox-library-client"))) << bus.error().toStdString();
    FakeRhythmDbService rhythmbox(bus.address());
    rhythmbox.addEntry(QStringLiteral("file:///music/0.ogg"));
    ASSERT_TRUE(rhythmbox.start());
    make({ { "A", "X", 100, "2" }, { "B", "X", 100 }, { "C", "X" } });
    const QByteArray before = SourceTestFiles::read(path);
    const auto library = load();
    ASSERT_TRUE(library);
    static_cast<RhythmboxLibrary&>(*library).setDatabase(std::make_shared<RhythmDbClient>(bus.client(), 300));

    // A track Rhythmbox does not have stops the rest, and the message says how far it got.
    for (int i = 1; i <= 3; ++i)
        set(*library, i, 40 + 20 * i);
    EXPECT_FALSE(library->commit(&message));
    EXPECT_TRUE(message.contains("\"B\"") && message.contains("1 of 3 tracks")) << message.toStdString();
    EXPECT_EQ(rhythmbox.entry("file:///music/0.ogg").value("rating").toDouble(), 3.0);
    EXPECT_EQ(SourceTestFiles::read(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no copy: the file is never touched";
}

// Only known schema versions are read, any other is left untouched. A read that fails part
// of the way gives no songs at all, so nothing exports a part as the whole; the user learns
// which of the two it was.
TEST_F(StrawberryLibraryTest, AnUnknownSchemaIsLeftUntouchedAndADamagedOrLockedLibraryIsCalledSoAndGivesNoSongs)
{
    QString error;
    for (int version : StrawberryLibrary::knownSchemaVersions) {
        make({ { "A", "X" } }, version);
        EXPECT_TRUE(load()) << version;
    }
    for (int version : { 14, 21, 99 }) {
        make({ { "A", "X" } }, version);
        const QByteArray before = SourceTestFiles::read(path);
        EXPECT_FALSE(load(&error)) << version;
        EXPECT_TRUE(error.contains(QStringLiteral("schema version %1").arg(version))) << error.toStdString();
        EXPECT_EQ(SourceTestFiles::read(path), before) << version;
    }

    std::vector<Song> songs;
    for (int i = 0; i < 3000; ++i)
        songs.push_back({ QStringLiteral("Song %1").arg(i), QStringLiteral("Artist %1").arg(i), 200, "0.6", i });
    make(songs);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery lock(db);
        ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        ASSERT_TRUE(lock.exec(QStringLiteral("UPDATE songs SET playcount = 1")));
        EXPECT_FALSE(load(&error));
        EXPECT_TRUE(error.contains(QStringLiteral("is locked"))) << error.toStdString();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray noise(8192, 0);
    QRandomGenerator(16).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    file.seek(file.size() / 2 / 4096 * 4096);
    file.write(noise);
    file.close();
    EXPECT_FALSE(load(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("is damaged"))) << error.toStdString();
}

// Strawberry's own scale, -1 for unrated and never played; a rating not imported stays as
// it was, off the star grid too; a song whose file has gone is not in Strawberry's
// collection view, nor here. A write that fails part of the way changes nothing.
TEST_F(StrawberryLibraryTest, AWriteStoresStrawberrysScaleOrNothing)
{
    make({ { "Rated", "A", 200, "0.6", 3, 1700000000 }, { "Unrated", "B" }, { "Between", "D", 200, "0.55", 1, 5 },
        { "Gone", "E", 10, "1", 9 } });
    SourceTestFiles::runSql(path, { QStringLiteral("UPDATE songs SET unavailable = 1 WHERE title = 'Gone'") });
    auto library = load();
    ASSERT_TRUE(library);
    ASSERT_EQ(library->Playlists()->Item(1)->Tracks()->Count(), 3);
    set(*library, 1, 0, {}, QDateTime());
    set(*library, 2, 80);
    set(*library, 3, {}, 2);
    ASSERT_TRUE(library->commit(&message)) << message.toStdString();
    const QStringList written = { "-1 3 -1", "0.8 0 -1", "0.55 2 5" };
    EXPECT_EQ(QStringList({ row("Rated"), row("Unrated"), row("Between") }), written);

    ASSERT_EQ(SourceTestFiles::runSql(path,
                  { QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON songs WHEN old.title = 'Between' "
                                   "BEGIN SELECT RAISE(ABORT, 'refused'); END") }),
        QString());
    library = load();
    ASSERT_TRUE(library);
    set(*library, 1, 100);
    set(*library, 3, 100);
    EXPECT_FALSE(library->commit(&message));
    EXPECT_TRUE(message.contains(QStringLiteral("was not changed"))) << message.toStdString();
    EXPECT_TRUE(message.contains(library->backupPath())) << message.toStdString();
    EXPECT_EQ(QStringList({ row("Rated"), row("Unrated"), row("Between") }), written);
}

} // namespace
