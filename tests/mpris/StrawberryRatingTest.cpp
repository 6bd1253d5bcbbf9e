#include "FakeStrawberryService.h"
#include "MprisFixture.h"

#include "player/PlayerError.h"

#include <QElapsedTimer>

namespace
{

class StrawberryRatingTest : public BusFixture
{
protected:
    FakeStrawberryService& fake(FakeStrawberryService::Version version = FakeStrawberryService::WithRating)
    {
        if (!m_fake) {
            m_fake = std::make_unique<FakeStrawberryService>(bus().address(), version);
            EXPECT_TRUE(m_fake->start());
        }
        return *m_fake;
    }
    MprisPlayer& player()
    {
        if (!m_player)
            m_player = connectTo(fake());
        return *m_player;
    }
    QStringList ratingWrites() const { return m_fake->calls().filter(QStringLiteral("Set Rating")); }

private:
    std::unique_ptr<FakeStrawberryService> m_fake;
    std::unique_ptr<MprisPlayer> m_player;
};

TEST_F(StrawberryRatingTest, RatesTheCurrentTrackAndReadsTheRatingBack)
{
    const PlayerCapabilities caps = player().capabilities();
    EXPECT_TRUE(caps.rate);
    EXPECT_FALSE(caps.writePlayCount);
    EXPECT_TRUE(caps.writePlayCount.reason.contains("Strawberry"));
    EXPECT_TRUE(caps.readStatistics);

    QSignalSpy changed(&player(), &PlayerApplication::OnDatabaseChangedEvent);
    const auto track = player().CurrentTrack();
    track->SetRating(80);
    EXPECT_EQ(fake().get(FakeMprisService::kPlayer, "Rating").metaType(), QMetaType::fromType<double>());
    EXPECT_DOUBLE_EQ(fake().rating(), 0.8);
    // The published metadata still says unrated; the rating comes from the property.
    EXPECT_EQ(track->Rating(), 80);
    EXPECT_EQ(player().CurrentTrack()->Rating(), 80);
    track->SetRating(0);
    EXPECT_DOUBLE_EQ(fake().rating(), 0.0);
    EXPECT_EQ(track->Rating(), 0);
    EXPECT_EQ(track->PlayedCount(), 3);
    EXPECT_THROW(track->SetPlayedCount(4), PlayerError);

    // Two writes in one go raise one event, after the writer's caller has finished.
    EXPECT_EQ(changed.count(), 0);
    ASSERT_TRUE(changed.wait(kEventWaitMs));
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(StrawberryRatingTest, WithoutTheRatingPropertyRatingIsRefusedWithTheReason)
{
    fake(FakeStrawberryService::WithoutRating);
    const PlayerAbility rate = player().capabilities().rate;
    EXPECT_FALSE(rate);
    EXPECT_EQ(rate.reason, "Strawberry 1.0.19 or later is needed to rate tracks from other programs.");
    const auto track = player().CurrentTrack();
    try {
        track->SetRating(60);
        ADD_FAILURE() << "a rating was accepted";
    } catch (const PlayerError& error) {
        EXPECT_EQ(QString::fromStdString(error.what()), rate.reason);
    }
    EXPECT_TRUE(ratingWrites().isEmpty());
    EXPECT_EQ(track->Rating(), 0);
}

TEST_F(StrawberryRatingTest, OnlyAWritableRatingOfTheObjectItselfCounts)
{
    // Read-only: seen, but not something to write to.
    fake().setIntrospection(FakeStrawberryService::description("read"));
    EXPECT_FALSE(player().capabilities().rate);
}

TEST_F(StrawberryRatingTest, WithoutADescriptionAReadableRatingIsEnough)
{
    fake().setIntrospection(QString());
    EXPECT_TRUE(player().capabilities().rate);
    player().CurrentTrack()->SetRating(40);
    EXPECT_DOUBLE_EQ(fake().rating(), 0.4);
}

TEST_F(StrawberryRatingTest, RatesOnlyWhileTheTrackIsStillPlaying)
{
    fake().set(FakeMprisService::kPlayer, "Rating", 0.6);
    const auto track = player().CurrentTrack();
    fake().set(FakeMprisService::kPlayer, "Metadata", FakeMprisService::track("/t/2", "Next Song"));
    EXPECT_THROW(track->SetRating(100), PlayerError);
    EXPECT_TRUE(ratingWrites().isEmpty());
    // The other track's rating is not this one's: the snapshot's own is all there is.
    EXPECT_EQ(track->Rating(), 0);
}

TEST_F(StrawberryRatingTest, ARatingAppliedLateIsConfirmedOneNeverKeptIsAnError)
{
    fake().applySetsLate("Rating", 2);
    const auto track = player().CurrentTrack();
    EXPECT_NO_THROW(track->SetRating(40));
    EXPECT_EQ(track->Rating(), 40);

    fake().applySetsLate("Rating", 1000);
    EXPECT_THROW(track->SetRating(100), PlayerError);
    EXPECT_EQ(track->Rating(), 40);
}

TEST_F(StrawberryRatingTest, APlayerGoneOrHungFailsTheWriteInBoundedTime)
{
    const auto track = player().CurrentTrack();
    fake().setUnresponsive(true);
    QElapsedTimer clock;
    clock.start();
    EXPECT_THROW(track->SetRating(20), PlayerError);
    EXPECT_THROW(track->Rating(), PlayerError);
    // One timeout, not one per call: the second is refused at once.
    EXPECT_LT(clock.elapsed(), 2 * kTimeoutMs);
    fake().setUnresponsive(false);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            try {
                return track->Rating() >= 0;
            } catch (const PlayerError&) {
                return false;
            }
        },
        kEventWaitMs))
        << "a player that is back is heard again";

    fake().vanishAfterNextSet();
    EXPECT_THROW(track->SetRating(60), PlayerError);
    EXPECT_THROW(track->Rating(), PlayerError);
}

} // namespace
