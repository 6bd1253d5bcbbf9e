#include "MprisFixture.h"

#include "player/PlayerError.h"

#include <QElapsedTimer>
#include <QTest>

namespace
{

class MprisEventsTest : public MprisFixture
{
protected:
    void SetUp() override
    {
        MprisFixture::SetUp();
        m_play = std::make_unique<QSignalSpy>(&player(), &PlayerApplication::OnPlayerPlayEvent);
        m_stop = std::make_unique<QSignalSpy>(&player(), &PlayerApplication::OnPlayerStopEvent);
        m_quit = std::make_unique<QSignalSpy>(&player(), &PlayerApplication::OnAboutToPromptUserToQuitEvent);
        m_database = std::make_unique<QSignalSpy>(&player(), &PlayerApplication::OnDatabaseChangedEvent);
    }

    void changeTrack(const QVariantMap& metadata)
    {
        fake().change(FakeMprisService::kPlayer, { { "Metadata", metadata } });
    }
    void changeStatus(const QString& status)
    {
        fake().change(FakeMprisService::kPlayer, { { "PlaybackStatus", status } });
    }
    // Lets every signal already sent arrive, for tests asserting that nothing happened.
    void settle() { QTest::qWait(kQuietMs); }

    std::unique_ptr<QSignalSpy> m_play, m_stop, m_quit, m_database;
};

QVariantMap provisional(const QString& file)
{
    return { { "mpris:trackid", QVariant::fromValue(QDBusObjectPath("/t/9")) },
        { "xesam:url", QString("file:///music/" + file) }, { "xesam:title", file } };
}

TEST_F(MprisEventsTest, PauseAndResumeRaiseStopAndPlayAndATrackCuedWhilePausedNothing)
{
    changeStatus("Paused");
    ASSERT_TRUE(m_stop->wait(kEventWaitMs));
    fake().set(FakeMprisService::kPlayer, "PlaybackStatus", QStringLiteral("Paused"));
    changeTrack(FakeMprisService::track("/t/5", "Cued"));
    settle();
    EXPECT_EQ(m_play->count(), 0);
    changeStatus("Playing");
    ASSERT_TRUE(m_play->wait(kEventWaitMs));
    EXPECT_EQ(player().PlayerState(), PlayerApplication::Playing);
    changeStatus("Stopped");
    ASSERT_TRUE(m_stop->wait(kEventWaitMs));
    settle();
    EXPECT_EQ(m_play->count(), 1);
    EXPECT_EQ(m_stop->count(), 2);
}

TEST_F(MprisEventsTest, NewTrackWhilePlayingRaisesOnePlay)
{
    changeTrack(FakeMprisService::track("/t/2", "Second Song"));
    ASSERT_TRUE(m_play->wait(kEventWaitMs));
    EXPECT_EQ(player().CurrentTrack()->Name(), "Second Song");
    // The same track again (a length update, a volume change) is no new start.
    QVariantMap same = FakeMprisService::track("/t/2", "Second Song");
    same["mpris:length"] = qlonglong(1000);
    changeTrack(same);
    fake().change(FakeMprisService::kPlayer, { { "Volume", 0.3 } });
    settle();
    EXPECT_EQ(m_play->count(), 1);
    // A new track announced without its tags: they are fetched, and it plays.
    fake().set(FakeMprisService::kPlayer, "Metadata", FakeMprisService::track("/t/3", "Third Song"));
    fake().change(FakeMprisService::kPlayer, {}, { "Metadata" });
    ASSERT_TRUE(m_play->wait(kEventWaitMs));
    EXPECT_EQ(player().CurrentTrack()->Name(), "Third Song");
    EXPECT_EQ(m_stop->count(), 0);
}

TEST_F(MprisEventsTest, MpvsTwoSignalTrackChangeGivesOnePlayWithFinalTags)
{
    player();
    const int asked = fake().received();
    changeTrack(provisional("song.ogg"));
    QVariantMap tagged = provisional("song.ogg");
    tagged["xesam:title"] = QStringLiteral("Real Title");
    tagged["xesam:artist"] = QStringList { "Real Artist" };
    fake().set(FakeMprisService::kPlayer, "Metadata", tagged);
    changeTrack(tagged);
    ASSERT_TRUE(m_play->wait(kEventWaitMs));
    // All a track notification reads, with nothing asked of mpv between its two signals.
    EXPECT_EQ(player().PlayerState(), PlayerApplication::Playing);
    EXPECT_FALSE(player().CurrentPlaylist()->Shuffle());
    EXPECT_TRUE(player().CanSetShuffle(nullptr));
    const auto track = player().CurrentTrack();
    EXPECT_EQ(track->Name() + track->Artist() + track->Album(), "Real TitleReal Artist");
    EXPECT_EQ(track->Rating(), 0);
    EXPECT_EQ(track->Artwork()->Count(), 0);
    EXPECT_EQ(fake().received(), asked);
    settle();
    EXPECT_EQ(m_play->count(), 1);
}

TEST_F(MprisEventsTest, ProvisionalTrackWithoutTagsStillPlaysAfterTheGrace)
{
    QElapsedTimer clock;
    clock.start();
    changeTrack(provisional("untagged.ogg"));
    ASSERT_TRUE(m_play->wait(kEventWaitMs));
    EXPECT_GE(clock.elapsed(), MprisPlayer::kProvisionalGraceMs - 50);
    EXPECT_EQ(player().CurrentTrack()->Name(), "untagged.ogg");
    settle();
    EXPECT_EQ(m_play->count(), 1);
}

TEST_F(MprisEventsTest, StartFromStoppedWithProvisionalTrackWaitsForTags)
{
    changeStatus("Stopped");
    ASSERT_TRUE(m_stop->wait(kEventWaitMs));
    fake().set(FakeMprisService::kPlayer, "Metadata", provisional("next.ogg"));
    fake().change(FakeMprisService::kPlayer,
        { { "PlaybackStatus", QStringLiteral("Playing") }, { "Metadata", provisional("next.ogg") } });
    QVariantMap tagged = FakeMprisService::track("/t/9", "Next Title");
    fake().set(FakeMprisService::kPlayer, "Metadata", tagged);
    changeTrack(tagged);
    ASSERT_TRUE(m_play->wait(kEventWaitMs));
    settle();
    EXPECT_EQ(m_play->count(), 1);
}

TEST_F(MprisEventsTest, NewRatingOfTheSameTrackIsADatabaseChange)
{
    QVariantMap rated = FakeMprisService::track("/t/1", "First Song");
    rated["xesam:userRating"] = 0.6;
    changeTrack(rated);
    ASSERT_TRUE(m_database->wait(kEventWaitMs));
    EXPECT_EQ(m_play->count(), 0);
}

TEST_F(MprisEventsTest, MalformedSignalsAreIgnored)
{
    fake().change(FakeMprisService::kPlayer, { { "Metadata", QStringLiteral("not a map") } });
    fake().change(FakeMprisService::kPlayer, { { "PlaybackStatus", 3 } });
    fake().change(QStringLiteral("org.example.Other"), { { "PlaybackStatus", QStringLiteral("Stopped") } });
    // Still answering afterwards.
    changeStatus("Playing");
    settle();
    EXPECT_EQ(player().PlayerState(), PlayerApplication::Playing);
    EXPECT_EQ(m_play->count(), 0);
    EXPECT_EQ(m_stop->count(), 0);
}

TEST_F(MprisEventsTest, VanishingPlayerRaisesQuitAndThenEveryCallThrowsAtOnce)
{
    // Gone in the middle of a call: the command neither throws nor hangs.
    fake().vanishOnNextCall();
    EXPECT_NO_THROW(player().NextTrack());
    ASSERT_TRUE(m_quit->wait(kEventWaitMs));
    EXPECT_TRUE(player().hasVanished());
    QElapsedTimer clock;
    clock.start();
    EXPECT_THROW(player().PlayerState(), PlayerError);
    EXPECT_THROW(player().NextTrack(), PlayerError);
    EXPECT_THROW(player().CurrentTrack(), PlayerError);
    EXPECT_THROW(player().CurrentPlaylist(), PlayerError);
    EXPECT_LT(clock.elapsed(), kTimeoutMs);
    EXPECT_FALSE(player().capabilities().raise);
    settle();
    EXPECT_EQ(m_quit->count(), 1);
}

TEST_F(MprisEventsTest, AHungPlayerCostsItsCommandsAndNothingElse)
{
    player();
    QSignalSpy failed(&player(), &MprisPlayer::commandFailed);
    fake().setUnresponsive(true);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(player().PlayerState(), PlayerApplication::Playing);
    EXPECT_EQ(player().CurrentTrack()->Name(), "First Song");
    EXPECT_TRUE(player().CanSetShuffle(nullptr));
    EXPECT_NO_THROW(player().NextTrack());
    EXPECT_LT(clock.elapsed(), kTimeoutMs);
    ASSERT_TRUE(failed.wait(kEventWaitMs));
    EXPECT_NE(failed.constFirst().constFirst().toString().indexOf("did not answer in time"), -1);
    EXPECT_FALSE(player().hasVanished());
    fake().setUnresponsive(false);
    player().NextTrack();
    EXPECT_TRUE(QTest::qWaitFor([&] { return fake().calls().contains("Next"); }, kEventWaitMs));
}

} // namespace
