#include "../library/sources/SourceTestFiles.h"

#include "player/PlayerError.h"
#include "player/extras/ExtrasStore.h"
#include "player/extras/ExtrasTrackWriter.h"
#include "player/extras/TrackIdentity.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>

namespace
{
MprisMetadata track(const QString& url, const QString& artist, const QString& title, qint64 lengthUs)
{
    return MprisMetadata({ { "xesam:url", url }, { "xesam:artist", QStringList { artist } }, { "xesam:title", title },
        { "xesam:album", "Night Lines" }, { "mpris:length", lengthUs } });
}

StoredTrack stored(const QString& identity, const StoredExtras& extras)
{
    StoredTrack track;
    track.identity = identity;
    track.extras = extras;
    return track;
}
}

class ExtrasStoreTest : public testing::Test
{
protected:
    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath("Bolvin/extras.sqlite");
};

TEST_F(ExtrasStoreTest, TracksAreKnownByTheirFileOrTheirTagsAndKeptAcrossReopening)
{
    ASSERT_TRUE(LibraryFiles::write(m_dir.filePath("tone.ogg"), "tone"));
    ASSERT_TRUE(QFile::link(m_dir.filePath("tone.ogg"), m_dir.filePath("link.ogg")));
    const QString stream = "https://radio.example/live";
    {
        ExtrasTrackWriter writer(std::make_shared<ExtrasStore>(m_path));
        QSignalSpy written(&writer, &TrackWriter::written);
        EXPECT_FALSE(writer.readBack(track(stream, "Café Noir", "Last Tram", 183'400'000)).rating);
        EXPECT_TRUE(writer.rateAbility() && !QFile::exists(m_path)) << "nothing stored: nothing read, no file made";
        writer.rate(track(QUrl::fromLocalFile(m_dir.filePath("link.ogg")).toString(), "A", "B", 1), 60);
        writer.rate(track(stream, QString::fromUtf8("Café Noir "), "Last Tram", 183'400'000), 80);
        writer.setPlayCount(track(stream, "Café Noir", "Last Tram", 183'400'000), 7);
        writer.setPlayedDate(track(stream, "Café Noir", "Last Tram", 183'400'000), QDateTime::fromSecsSinceEpoch(1e9));
        EXPECT_EQ(written.count(), 4);
        EXPECT_TRUE(writer.readBack(track(stream, "Other", "Last Tram", 183'400'000)).rating == std::nullopt);
    }
    ExtrasTrackWriter reopened(std::make_shared<ExtrasStore>(m_path));
    EXPECT_EQ(
        reopened.readBack(track(QUrl::fromLocalFile(m_dir.filePath("tone.ogg")).toString(), "", "", -1)).rating, 60);
    // Case, surrounding spaces, NFD against NFC, a different address and a length within the second.
    const TrackStatistics tags = reopened.readBack(
        track("https://elsewhere/", QString::fromUtf8(" CAFE\u0301 noir"), "last tram ", 182'600'000));
    EXPECT_EQ(tags.rating, 80);
    EXPECT_EQ(tags.playCount, 7);
    EXPECT_EQ(tags.playedDate, QDateTime::fromSecsSinceEpoch(1e9));
    EXPECT_TRUE(reopened.readBack(track(stream, "Café Noir", "Last Tram", 190'000'000)).rating == std::nullopt);
    EXPECT_TRUE(TrackIdentity::of("file:///gone.ogg", "", "", "", -1).isEmpty());
}

TEST_F(ExtrasStoreTest, AnOlderFileIsUpgradedAndANewerOneRefusedUntouched)
{
    QDir().mkpath(m_dir.filePath("Bolvin"));
    ASSERT_EQ(SourceTestFiles::runSql(m_path,
                  { "CREATE TABLE tracks (identity TEXT PRIMARY KEY NOT NULL, rating INTEGER NOT NULL, "
                    "play_count INTEGER NOT NULL, played_ms INTEGER) WITHOUT ROWID",
                      "INSERT INTO tracks VALUES ('file:/a', 40, 1, NULL)", "PRAGMA user_version=1" }),
        QString());
    {
        ExtrasStore store(m_path);
        StoredTrack kept = store.find("file:/a").value_or(StoredTrack());
        EXPECT_EQ(kept.extras.rating, 40);
        kept.title = "Tagged Now";
        QString error;
        ASSERT_TRUE(store.save(kept, &error)) << error.toStdString();
        EXPECT_EQ(store.all(&error).at(0).title, "Tagged Now");
    }
    ASSERT_EQ(SourceTestFiles::runSql(m_path, { "PRAGMA user_version=99" }), QString());
    const QByteArray before = LibraryFiles::read(m_path);
    ExtrasStore store(m_path);
    ExtrasTrackWriter writer(std::shared_ptr<ExtrasStore>(&store, [](ExtrasStore*) {}));
    EXPECT_FALSE(store.find("file:/a"));
    EXPECT_FALSE(writer.rateAbility());
    EXPECT_TRUE(writer.rateAbility().reason.contains("newer version of Bolvin"));
    EXPECT_THROW(writer.rate(track("x", "A", "B", -1), 20), PlayerError);
    EXPECT_EQ(LibraryFiles::read(m_path), before);
}

TEST_F(ExtrasStoreTest, ADamagedFileIsSetAsideOnceAndANewOneStarted)
{
    QByteArray healthy;
    {
        ExtrasStore store(m_path);
        QString error;
        for (int i = 0; i < 300; ++i)
            ASSERT_TRUE(store.save(stored(QString("tags:%1").arg(i).repeated(20), { 20, i, {} }), &error));
    }
    healthy = LibraryFiles::read(m_path);
    for (const QByteArray& damage : { QByteArray(8192, 'x'), healthy.left(healthy.size() / 2) }) {
        QDir(m_dir.filePath("Bolvin")).removeRecursively();
        QDir().mkpath(m_dir.filePath("Bolvin"));
        ASSERT_TRUE(LibraryFiles::write(m_path, damage));
        ExtrasStore store(m_path);
        QSignalSpy damaged(&store, &ExtrasStore::damaged);
        EXPECT_FALSE(store.find("tags:1"));
        QString error;
        EXPECT_TRUE(store.save(stored("tags:1", { 100, 2, {} }), &error)) << error.toStdString();
        EXPECT_EQ(store.find("tags:1")->extras.rating, 100);
        ASSERT_EQ(damaged.count(), 1);
        const QStringList aside = QDir(m_dir.filePath("Bolvin")).entryList({ "extras.sqlite.damaged-*" });
        ASSERT_EQ(aside.size(), 1);
        EXPECT_TRUE(damaged.first().first().toString().contains(aside.first()));
        EXPECT_EQ(LibraryFiles::read(m_dir.filePath("Bolvin/" + aside.first())), damage);
    }
}
