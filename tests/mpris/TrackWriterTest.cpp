#include "FakeRhythmDbService.h"
#include "MprisFixture.h"

#include <gmock/gmock.h>

#include "player/rhythmdb/RhythmDbClient.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

namespace
{

const QString kUri = QStringLiteral("file:///music/Some%20Song.ogg");

// Strawberry as other programs see it: from 1.0.19 a writable Rating (0..1) on its player
// interface, not shown in its metadata; 1.0.14 has none. It describes itself by introspection.
class Strawberry : public FakeMprisService
{
public:
    static constexpr const char* kName = "Strawberry";
    static constexpr double kScale = 1.0;
    // One timeout, not one per call: the next call is refused at once.
    static constexpr double kRetryTimeouts = 0.3;
    static inline const QString kRefusal = "Strawberry 1.0.19 or later is needed to rate tracks from other programs.";

    Strawberry(const QString& busAddress, bool withRating)
        : FakeMprisService(busAddress, QStringLiteral("strawberry"))
    {
        fillTypical();
        set(kRoot, "Identity", "Strawberry");
        QVariantMap metadata = track("/org/strawberrymusicplayer/strawberry/Track/1", "Song");
        metadata["xesam:useCount"] = 3;
        set(kPlayer, "Metadata", metadata);
        if (withRating)
            set(kPlayer, "Rating", 0.0);
        setIntrospection(description(withRating ? QStringLiteral("readwrite") : QString()));
    }

    // The player interface's description; ratingAccess empty leaves Rating out. A child
    // object's Rating is not the player's.
    static QString description(const QString& ratingAccess)
    {
        const QString rating = "<property name='Rating' type='d' access='%1'/>";
        return QString("<node><interface name='%1'><method name='Next'/>%2</interface>"
                       "<node name='child'><interface name='%1'>%3</interface></node></node>")
            .arg(kPlayer, ratingAccess.isEmpty() ? QString() : rating.arg(ratingAccess), rating.arg("readwrite"));
    }

    Strawberry& ratingService() { return *this; }
    QVariant stored() const { return get(kPlayer, "Rating"); }
    qsizetype writes() const { return calls().filter("Set Rating").size(); }
};

// Rhythmbox: the rating is in its library database, in stars, under a bus name of its own.
// Without it, the name answers but does not describe the database.
class Rhythmbox : public FakeMprisService
{
public:
    static constexpr const char* kName = "Rhythmbox";
    static constexpr double kScale = 5.0;
    static constexpr double kRetryTimeouts = 2;
    static inline const QString kRefusal = QStringLiteral("Rhythmbox does not let other programs rate its tracks.");

    Rhythmbox(const QString& busAddress, bool withDatabase)
        : FakeMprisService(busAddress, QStringLiteral("rhythmbox"))
        , m_database(busAddress)
    {
        fillTypical();
        set(kRoot, "Identity", "Rhythmbox");
        setTrackUri(kUri);
        m_database.addEntry(kUri);
        m_database.setDescribesItself(withDatabase);
    }
    bool start() { return m_database.start() && FakeMprisService::start(); }
    void setTrackUri(const QString& uri)
    {
        QVariantMap metadata = track("/org/gnome/Rhythmbox3/Track/7", "Some Song");
        if (!uri.isEmpty())
            metadata["xesam:url"] = uri;
        set(kPlayer, "Metadata", metadata);
    }

    FakeRhythmDbService& ratingService() { return m_database; }
    QVariant stored() const { return m_database.entry(kUri).value("rating"); }
    qsizetype writes() const { return m_database.callCount(); }

private:
    FakeRhythmDbService m_database;
};

// Players rated through an interface of their own promise the same: a rating written in range
// and read back, and for a player that cannot take one, hangs or goes, a bounded wait and an error.
template <typename Flavour> class TrackWriterTest : public BusFixture
{
protected:
    Flavour& flavour(bool rates = true)
    {
        if (!m_flavour)
            m_flavour = std::make_unique<Flavour>(bus().address(), rates);
        return *m_flavour;
    }
    MprisPlayer& player(bool rates = true)
    {
        if (!m_player) {
            EXPECT_TRUE(flavour(rates).start());
            m_player = connectTo(flavour());
        }
        return *m_player;
    }

private:
    std::unique_ptr<Flavour> m_flavour;
    std::unique_ptr<MprisPlayer> m_player;
};

struct FlavourName {
    template <typename Flavour> static std::string GetName(int) { return Flavour::kName; }
};
using Flavours = testing::Types<Strawberry, Rhythmbox>;
TYPED_TEST_SUITE(TrackWriterTest, Flavours, FlavourName);

TYPED_TEST(TrackWriterTest, WritesARatingInRangeAsADoubleReadsItBackAndRaisesOneEvent)
{
    MprisPlayer& player = this->player();
    const PlayerCapabilities caps = player.capabilities();
    EXPECT_TRUE(caps.rate);
    EXPECT_TRUE(caps.readStatistics);
    QSignalSpy changed(&player, &PlayerApplication::OnDatabaseChangedEvent);
    const auto track = player.CurrentTrack();
    // Out of range is clamped here: both players store what they are sent.
    for (const auto& [rating, kept] : { std::pair { 80, 80 }, { 130, 100 }, { -20, 0 } }) {
        track->SetRating(rating);
        EXPECT_EQ(this->flavour().stored().metaType(), QMetaType::fromType<double>()) << rating;
        EXPECT_DOUBLE_EQ(this->flavour().stored().toDouble(), kept * TypeParam::kScale / 100) << rating;
        EXPECT_EQ(track->Rating(), kept) << rating;
        EXPECT_EQ(player.CurrentTrack()->Rating(), kept) << rating;
    }
    // Writes in one go raise one event, after the writer's caller has finished.
    EXPECT_EQ(changed.count(), 0);
    ASSERT_TRUE(changed.wait(BusFixture::kEventWaitMs));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(QFile::exists(this->extrasPath()));
}

TYPED_TEST(TrackWriterTest, WithoutItsRatingInterfaceRatingIsRefusedWithTheReason)
{
    const PlayerAbility rate = this->player(false).capabilities().rate;
    EXPECT_FALSE(rate);
    EXPECT_EQ(rate.reason, TypeParam::kRefusal);
    EXPECT_THROW(this->player().CurrentTrack()->SetRating(60), PlayerError);
    EXPECT_EQ(this->flavour().writes(), 0);
}

TYPED_TEST(TrackWriterTest, AHungPlayerFailsInBoundedTimeAndIsHeardAgainOnceBackAndOneGoneBeforeTheReadBackFails)
{
    const auto track = this->player().CurrentTrack();
    this->flavour().ratingService().setUnresponsive(true);
    QElapsedTimer clock;
    clock.start();
    EXPECT_THROW(track->SetRating(20), PlayerError);
    EXPECT_LT(clock.restart(), 2 * BusFixture::kTimeoutMs);
    EXPECT_THROW(track->Rating(), PlayerError);
    EXPECT_LT(clock.elapsed(), TypeParam::kRetryTimeouts * BusFixture::kTimeoutMs);
    this->flavour().ratingService().setUnresponsive(false);
    EXPECT_TRUE(this->eventually([&] { return !throwsPlayerError([&] { track->Rating(); }); }));

    this->flavour().ratingService().vanishAfterNextSet();
    EXPECT_THROW(track->SetRating(80), PlayerError);
    EXPECT_THROW(track->Rating(), PlayerError);
}

using StrawberryRatingTest = TrackWriterTest<Strawberry>;

TEST_F(StrawberryRatingTest, RatesOnlyTheTrackStillPlayingOnceItKeptTheRatingAndOnlyWhenTheRatingIsWritable)
{
    const PlayerCapabilities caps = player().capabilities();
    EXPECT_FALSE(caps.writePlayCount);
    EXPECT_TRUE(caps.writePlayCount.reason.contains("Strawberry"));
    const auto track = player().CurrentTrack();
    EXPECT_EQ(track->PlayedCount(), 3);
    EXPECT_THROW(track->SetPlayedCount(4), PlayerError);

    flavour().applySetsLate("Rating", 2);
    EXPECT_NO_THROW(track->SetRating(40));
    EXPECT_EQ(track->Rating(), 40);
    flavour().applySetsLate("Rating", 1000);
    EXPECT_THROW(track->SetRating(100), PlayerError);
    EXPECT_EQ(track->Rating(), 40);

    flavour().set(FakeMprisService::kPlayer, "Metadata", FakeMprisService::track("/t/2", "Next Song"));
    EXPECT_THROW(track->SetRating(100), PlayerError);
    EXPECT_EQ(flavour().writes(), 2);
    // The other track's rating is not this one's: the snapshot's own is all there is.
    EXPECT_EQ(track->Rating(), 0);

    // Only a writable rating counts, and without a description a readable one is enough.
    for (const auto& [description, rates] :
        { std::pair { Strawberry::description("read"), false }, { QString(), true } }) {
        flavour().setIntrospection(description);
        MprisPlayer fresh(bus().client(), flavour().service(), kTimeoutMs);
        ASSERT_TRUE(answeredSoon(fresh));
        EXPECT_EQ(bool(fresh.capabilities().rate), rates) << description.toStdString();
    }
}

using RhythmboxDatabaseTest = TrackWriterTest<Rhythmbox>;

TEST_F(RhythmboxDatabaseTest, PlayCountAndDateGoAsUnsignedAndEveryValueIsReadFromTheDatabase)
{
    EXPECT_TRUE(player().capabilities().writePlayCount);
    const auto track = player().CurrentTrack();
    const QDateTime played(QDate(2024, 5, 6), QTime(7, 8, 9), Qt::UTC);
    // Rhythmbox ignores a value of another type, so the read-back shows the type sent.
    track->SetPlayedCount(7);
    EXPECT_EQ(track->PlayedCount(), 7);
    track->SetPlayedDate(played);
    track->SetPlayedCount(-3);
    EXPECT_EQ(track->PlayedCount(), 0);
    EXPECT_EQ(track->PlayedDate().toUTC(), played);

    // Not the metadata's values, and half stars round up.
    flavour().ratingService().addEntry(
        kUri, { { "rating", 3.5 }, { "play-count", 12u }, { "last-played", 1700000000u } });
    EXPECT_EQ(track->Rating(), 80);
    EXPECT_EQ(track->PlayedCount(), 12);
    EXPECT_EQ(track->PlayedDate().toSecsSinceEpoch(), 1700000000);
    flavour().ratingService().addEntry(kUri, { { "rating", 2.4 } });
    EXPECT_EQ(track->Rating(), 40);
    EXPECT_FALSE(track->PlayedDate().isValid()) << "left out of the entry means never played";
}

TEST_F(RhythmboxDatabaseTest, ATrackNotInTheLibraryOrWithoutALocationIsAFailedRead)
{
    flavour().setTrackUri("http://radio.example/stream");
    EXPECT_THAT([&] { player().CurrentTrack()->Rating(); },
        testing::ThrowsMessage<PlayerError>(testing::HasSubstr("no track at http://radio.example/stream")));
    EXPECT_THROW(player().CurrentTrack()->SetRating(20), PlayerError);
    flavour().setTrackUri(QString());
    EXPECT_THROW(player().CurrentTrack()->SetRating(20), PlayerError);
}

TEST(RhythmDbClientTest, AskingNeverStartsRhythmbox)
{
    // The bus would start Rhythmbox for a call to its name, and a Rhythmbox the user quit
    // would come back at the next rating.
    QTemporaryDir services;
    const QString started = services.filePath("started");
    QFile service(services.filePath("org.gnome.Rhythmbox3.service"));
    ASSERT_TRUE(service.open(QIODevice::WriteOnly));
    service.write(
        QString("[D-BUS Service]\nName=org.gnome.Rhythmbox3\nExec=/usr/bin/touch %1\n").arg(started).toUtf8());
    service.close();
    PrivateBus bus;
    ASSERT_TRUE(bus.start("rhythmdb-no-start", services.path())) << bus.error().toStdString();
    const RhythmDbClient client(bus.client(), 1000);
    RhythmDbClient::Outcome outcome;
    EXPECT_FALSE(client.entry("file:///a.ogg", &outcome));
    EXPECT_FALSE(client.write("file:///a.ogg", { { "rating", RhythmDbClient::starsValue(3) } }));
    QTest::qWait(200);
    EXPECT_FALSE(QFile::exists(started));
}

} // namespace
