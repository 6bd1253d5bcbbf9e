#include "FakeRhythmDbService.h"
#include "MprisFixture.h"

#include "player/PlayerError.h"

#include <QElapsedTimer>

namespace
{

const QString kUri = QStringLiteral("file:///music/Some%20Song.ogg");

// Rhythmbox as it appears on the bus: its MPRIS player, and its library database under a
// name of its own.
class RhythmboxDatabaseTest : public BusFixture
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(BusFixture::SetUp());
        m_mpris = std::make_unique<FakeMprisService>(bus().address(), QStringLiteral("rhythmbox"));
        m_mpris->fillTypical();
        m_mpris->set(FakeMprisService::kRoot, "Identity", QStringLiteral("Rhythmbox"));
        setTrackUri(kUri);
        ASSERT_TRUE(m_mpris->start());
        m_database = std::make_unique<FakeRhythmDbService>(bus().address());
        m_database->addEntry(kUri);
    }

    void setTrackUri(const QString& uri)
    {
        QVariantMap metadata = FakeMprisService::track("/org/gnome/Rhythmbox3/Track/7", "Some Song");
        if (!uri.isEmpty())
            metadata["xesam:url"] = uri;
        m_mpris->set(FakeMprisService::kPlayer, "Metadata", metadata);
    }
    MprisPlayer& player(bool databaseOnBus = true)
    {
        if (!m_player) {
            if (databaseOnBus) {
                EXPECT_TRUE(m_database->start());
            }
            m_player = connectTo(*m_mpris);
        }
        return *m_player;
    }
    FakeRhythmDbService& database() { return *m_database; }
    QStringList methods() const
    {
        QStringList names;
        for (const FakeRhythmDbCall& call : m_database->calls())
            names += call.method.left(3);
        return names;
    }

private:
    std::unique_ptr<FakeMprisService> m_mpris;
    std::unique_ptr<FakeRhythmDbService> m_database;
    std::unique_ptr<MprisPlayer> m_player;
};

TEST_F(RhythmboxDatabaseTest, WritesExactlyTypedValuesAndReadsEachBack)
{
    const PlayerCapabilities caps = player().capabilities();
    EXPECT_TRUE(caps.rate);
    EXPECT_TRUE(caps.writePlayCount);
    EXPECT_TRUE(caps.readStatistics);

    const auto track = player().CurrentTrack();
    const QDateTime played(QDate(2024, 5, 6), QTime(7, 8, 9), Qt::UTC);
    track->SetRating(60);
    track->SetPlayedCount(7);
    track->SetPlayedDate(played);
    // Out of range: Rhythmbox would store it as sent, so it is clamped here.
    track->SetRating(130);
    track->SetRating(-20);
    track->SetPlayedCount(-3);

    EXPECT_EQ(database().setTypes(),
        (QStringList { "rating:d", "play-count:u", "last-played:u", "rating:d", "rating:d", "play-count:u" }));
    const QList<FakeRhythmDbCall> calls = database().calls();
    ASSERT_EQ(calls.size(), 12);
    EXPECT_EQ(methods(),
        (QStringList { "Set", "Get", "Set", "Get", "Set", "Get", "Set", "Get", "Set", "Get", "Set", "Get" }));
    EXPECT_EQ(calls[0].uri, kUri);
    EXPECT_DOUBLE_EQ(calls[0].values.value("rating").toDouble(), 3.0);
    EXPECT_EQ(calls[4].values.value("last-played").toUInt(), uint(played.toSecsSinceEpoch()));
    EXPECT_DOUBLE_EQ(calls[6].values.value("rating").toDouble(), 5.0);
    EXPECT_DOUBLE_EQ(calls[8].values.value("rating").toDouble(), 0.0);

    const QVariantMap stored = database().entry(kUri);
    EXPECT_DOUBLE_EQ(stored.value("rating").toDouble(), 0.0);
    EXPECT_EQ(stored.value("play-count").toUInt(), 0u);
    EXPECT_EQ(track->Rating(), 0);
    EXPECT_EQ(track->PlayedCount(), 0);
    EXPECT_EQ(track->PlayedDate().toUTC(), played);
}

TEST_F(RhythmboxDatabaseTest, ReadsTheDatabaseNotTheMetadataAndRoundsHalfStars)
{
    database().addEntry(
        kUri, { { "rating", 3.5 }, { "play-count", 12u }, { "last-played", 1700000000u }, { "title", "Some Song" } });
    const auto track = player().CurrentTrack();
    EXPECT_EQ(track->Rating(), 80);
    EXPECT_EQ(track->PlayedCount(), 12);
    EXPECT_EQ(track->PlayedDate().toSecsSinceEpoch(), 1700000000);
    database().addEntry(kUri, { { "rating", 2.4 } });
    EXPECT_EQ(track->Rating(), 40);
    // Left out of the entry means never played.
    EXPECT_FALSE(track->PlayedDate().isValid());

    QSignalSpy changed(&player(), &PlayerApplication::OnDatabaseChangedEvent);
    track->SetRating(100);
    ASSERT_TRUE(changed.wait(kEventWaitMs));
    EXPECT_EQ(track->Rating(), 100);
}

TEST_F(RhythmboxDatabaseTest, ATrackNotInTheLibraryIsAFailedRead)
{
    setTrackUri(QStringLiteral("http://radio.example/stream"));
    const auto track = player().CurrentTrack();
    try {
        track->Rating();
        ADD_FAILURE() << "a rating was read for an unknown location";
    } catch (const PlayerError& error) {
        EXPECT_TRUE(QString::fromStdString(error.what()).contains("no track at http://radio.example/stream"));
    }
    EXPECT_THROW(track->SetRating(20), PlayerError);
    EXPECT_THROW(track->PlayedCount(), PlayerError);

    setTrackUri(QString());
    EXPECT_THROW(player().CurrentTrack()->SetRating(20), PlayerError);
}

TEST_F(RhythmboxDatabaseTest, WithoutItsDatabaseRhythmboxIsAPlainMprisPlayer)
{
    const PlayerCapabilities caps = player(false).capabilities();
    EXPECT_FALSE(caps.rate);
    EXPECT_EQ(caps.rate.reason, "Rhythmbox does not let other programs rate its tracks.");
    EXPECT_FALSE(caps.writePlayCount);
    EXPECT_THROW(player().CurrentTrack()->SetRating(20), PlayerError);
}

TEST_F(RhythmboxDatabaseTest, ANameThatDoesNotDescribeTheDatabaseIsNotUsed)
{
    database().setDescribesItself(false);
    EXPECT_FALSE(player().capabilities().rate);
    EXPECT_THROW(player().CurrentTrack()->SetRating(20), PlayerError);
    EXPECT_EQ(methods(), QStringList());
}

TEST_F(RhythmboxDatabaseTest, ADatabaseGoneBetweenTheWriteAndTheReadBackIsAFailedWrite)
{
    const auto track = player().CurrentTrack();
    database().vanishAfterNextSet();
    EXPECT_THROW(track->SetRating(80), PlayerError);
    EXPECT_EQ(methods(), QStringList { "Set" });
    EXPECT_THROW(track->Rating(), PlayerError);
}

TEST_F(RhythmboxDatabaseTest, AHungDatabaseFailsInBoundedTime)
{
    const auto track = player().CurrentTrack();
    database().setUnresponsive(true);
    QElapsedTimer clock;
    clock.start();
    EXPECT_THROW(track->SetRating(20), PlayerError);
    EXPECT_THROW(track->PlayedCount(), PlayerError);
    EXPECT_LT(clock.elapsed(), 8 * kTimeoutMs);
}

} // namespace
