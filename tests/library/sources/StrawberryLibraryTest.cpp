#include "SourceTestFiles.h"

#include "library/sources/StrawberryLibrary.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

using SourceTestFiles::Song;

class StrawberryLibraryTest : public testing::Test
{
protected:
    void SetUp() override { path = QDir(dir.path()).filePath(QStringLiteral("strawberry.db")); }

    void make(const std::vector<Song>& songs, int version = StrawberryLibrary::knownSchemaVersions.last())
    {
        QFile::remove(path);
        ASSERT_EQ(SourceTestFiles::strawberryDb(
                      path, QStringLiteral(SOURCES_TEST_DATA_DIR "/strawberry-songs.sql"), version, songs),
            QString());
    }
    std::unique_ptr<StrawberryLibrary> load(QString* error = nullptr)
    {
        auto library = std::make_unique<StrawberryLibrary>(path);
        library->setClock([] { return QDateTime(QDate(2026, 5, 1), QTime(9, 5, 3)); });
        QString why;
        if (!library->load(&why)) {
            if (error)
                *error = why;
            return nullptr;
        }
        return library;
    }
    // rating, playcount and lastplayed of the song titled title, as the file holds them.
    QString row(const QString& title, const QString& file = QString())
    {
        QString result;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
            db.setDatabaseName(file.isEmpty() ? path : file);
            db.open();
            QSqlQuery query(db);
            query.prepare(QStringLiteral("SELECT rating, playcount, lastplayed FROM songs WHERE title = ?"));
            query.addBindValue(title);
            if (query.exec() && query.next())
                result = QStringLiteral("%1 %2 %3")
                             .arg(query.value(0).toString(), query.value(1).toString(), query.value(2).toString());
        }
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
        return result;
    }
    std::shared_ptr<PlayerTrack> track(StrawberryLibrary& library, int i)
    {
        return library.Playlists()->Item(1)->Tracks()->Item(i);
    }

    QTemporaryDir dir;
    QString path;
};

TEST_F(StrawberryLibraryTest, SongsReadOnTheTransferScale)
{
    make({ { "Rated", "A", 245, "0.6", 3, 1700000000 }, { "Half", "B", 60, "0.5" }, { "Unrated", "C", 61 },
        { "Gone", "D", 10, "1", 9 } });
    SourceTestFiles::runSql(path, { QStringLiteral("UPDATE songs SET unavailable = 1 WHERE title = 'Gone'") });
    const auto library = load();
    ASSERT_TRUE(library);
    const auto tracks = library->Playlists()->Item(1)->Tracks();
    // A song whose file has gone is not in Strawberry's collection view, nor here.
    ASSERT_EQ(tracks->Count(), 3);
    const auto rated = tracks->Item(1);
    EXPECT_EQ(rated->Name(), QStringLiteral("Rated"));
    EXPECT_EQ(rated->Artist(), QStringLiteral("A"));
    EXPECT_EQ(rated->Rating(), 60);
    EXPECT_EQ(rated->PlayedCount(), 3);
    EXPECT_EQ(rated->PlayedDate(), QDateTime::fromSecsSinceEpoch(1700000000));
    EXPECT_EQ(rated->Time(), QStringLiteral("4:05"));
    EXPECT_EQ(tracks->Item(2)->Rating(), 50);
    const auto unrated = tracks->Item(3);
    EXPECT_EQ(unrated->Rating(), 0);
    EXPECT_FALSE(unrated->PlayedDate().isValid());
}

TEST_F(StrawberryLibraryTest, OnlyKnownSchemaVersionsAreReadAndAnyOtherIsLeftUntouched)
{
    for (int version : StrawberryLibrary::knownSchemaVersions) {
        make({ { "A", "X" } }, version);
        EXPECT_TRUE(load()) << version;
    }
    for (int version : { 14, 21, 99 }) {
        make({ { "A", "X" } }, version);
        const QByteArray before = SourceTestFiles::read(path);
        QString error;
        EXPECT_FALSE(load(&error)) << version;
        EXPECT_TRUE(error.contains(QStringLiteral("schema version %1").arg(version))) << error.toStdString();
        EXPECT_EQ(SourceTestFiles::read(path), before) << version;
    }
    QString error;
    SourceTestFiles::write(path, "not a database at all, just text that is long enough to be read");
    EXPECT_FALSE(load(&error));
    QFile::remove(path);
    EXPECT_FALSE(load(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("does not exist")));
    EXPECT_FALSE(QFile::exists(path));
}

// A read that fails part of the way gives no songs at all, so nothing exports a part as
// the whole; the user learns which of the two it was.
TEST_F(StrawberryLibraryTest, ADamagedOrLockedLibraryIsCalledSoAndGivesNoSongs)
{
    std::vector<Song> songs;
    for (int i = 0; i < 3000; ++i)
        songs.emplace_back(QStringLiteral("Song %1").arg(i), QStringLiteral("Artist %1").arg(i), 200, "0.6", i);
    make(songs);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery lock(db);
        ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        ASSERT_TRUE(lock.exec(QStringLiteral("UPDATE songs SET playcount = 1")));
        QString error;
        EXPECT_FALSE(load(&error));
        EXPECT_TRUE(error.contains(QStringLiteral("is locked"))) << error.toStdString();
        db.rollback();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray noise(8192, 0);
    QRandomGenerator random(16);
    random.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    file.seek(file.size() / 2 / 4096 * 4096);
    file.write(noise);
    file.close();
    QString error;
    EXPECT_FALSE(load(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("is damaged"))) << error.toStdString();
}

TEST_F(StrawberryLibraryTest, AWriteStoresStrawberrysScaleAndKeepsACopy)
{
    make({ { "Rated", "A", 200, "0.6", 3, 1700000000 }, { "Unrated", "B" }, { "Same", "C", 200, "0.2", 1, 5 },
        { "Between", "D", 200, "0.55", 1, 5 } });
    const QString modes = SourceTestFiles::setModeAndOwner(path, 0640);
    const auto library = load();
    ASSERT_TRUE(library);
    track(*library, 4)->SetPlayedCount(2);
    track(*library, 1)->SetRating(0);
    track(*library, 1)->SetPlayedDate(QDateTime());
    track(*library, 2)->SetRating(80);
    track(*library, 2)->SetPlayedCount(4);
    track(*library, 2)->SetPlayedDate(QDateTime::fromSecsSinceEpoch(1800000000));
    QString message;
    ASSERT_TRUE(library->commit(&message)) << message.toStdString();

    EXPECT_EQ(row(QStringLiteral("Rated")), QStringLiteral("-1 3 -1"));
    EXPECT_EQ(row(QStringLiteral("Unrated")), QStringLiteral("0.8 4 1800000000"));
    EXPECT_EQ(row(QStringLiteral("Same")), QStringLiteral("0.2 1 5"));
    EXPECT_EQ(row(QStringLiteral("Between")), QStringLiteral("0.55 2 5")) << "a rating not imported stays as it was";
    const QString copy = QDir(dir.path()).filePath(QStringLiteral("strawberry.before-import-20260501-090503.db"));
    EXPECT_EQ(library->backupPath(), copy);
    EXPECT_EQ(row(QStringLiteral("Rated"), copy), QStringLiteral("0.6 3 1700000000"));
    EXPECT_EQ(SourceTestFiles::modeAndOwner(copy), modes);
    EXPECT_EQ(SourceTestFiles::modeAndOwner(path), modes);
    EXPECT_TRUE(library->completionNote().startsWith(
        QStringLiteral("Strawberry shows the new values when it next loads those tracks.")));
}

TEST_F(StrawberryLibraryTest, AFailedWriteChangesNothingAndSaysWhereTheCopyIs)
{
    make({ { "A", "X", 200, "0.2" }, { "B", "Y", 200, "0.2" } });
    // The second song's update fails after the first one's succeeded.
    ASSERT_EQ(SourceTestFiles::runSql(path,
                  { QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON songs WHEN old.title = 'B' "
                                   "BEGIN SELECT RAISE(ABORT, 'refused'); END") }),
        QString());
    const auto library = load();
    ASSERT_TRUE(library);
    track(*library, 1)->SetRating(100);
    track(*library, 2)->SetRating(100);
    QString message;
    EXPECT_FALSE(library->commit(&message));
    EXPECT_TRUE(message.contains(QStringLiteral("was not changed"))) << message.toStdString();
    EXPECT_TRUE(message.contains(library->backupPath())) << message.toStdString();
    EXPECT_EQ(row(QStringLiteral("A")), QStringLiteral("0.2 0 -1"));
    EXPECT_EQ(row(QStringLiteral("B")), QStringLiteral("0.2 0 -1"));
}

} // namespace
