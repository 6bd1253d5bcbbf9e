#include "MprisFixture.h"

#include <QElapsedTimer>

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
    }

    void changeTrack(const QVariantMap& metadata) { change("Metadata", metadata); }
    void changeStatus(const QString& status) { change("PlaybackStatus", status); }
    // Lets every signal already sent arrive, for tests asserting that nothing happened.
    void settle() { QTest::qWait(kQuietMs); }

    std::unique_ptr<QSignalSpy> m_play, m_stop, m_quit;
};

// What mpv announces first: the file name as the title, no other tags.
QVariantMap provisional(const QString& file)
{
    return { { "mpris:trackid", QVariant::fromValue(QDBusObjectPath("/t/9")) },
        { "xesam:url", QString("file:///music/" + file) }, { "xesam:title", file } };
}

TEST_F(MprisEventsTest, PauseAndResumeRaiseStopAndPlayAndATrackCuedWhilePausedOrMalformedSignalsNothing)
{
    change("Metadata", QStringLiteral("not a map"));
    change("PlaybackStatus", 3);
    fake().change(QStringLiteral("org.example.Other"), { { "PlaybackStatus", QStringLiteral("Stopped") } });
    changeStatus("Playing");
    settle();
    // Metadata that is no map names no track: nothing plays that could be shown.
    EXPECT_EQ(player().PlayerState(), PlayerApplication::Stopped);
    EXPECT_EQ(m_play->count() + m_stop->count(), 0);

    changeStatus("Paused");
    ASSERT_TRUE(m_stop->wait(kEventWaitMs));
    changeTrack(FakeMprisService::track("/t/5", "Cued"));
    settle();
    EXPECT_EQ(m_play->count(), 0);
    changeStatus("Playing");
    ASSERT_TRUE(m_play->wait(kEventWaitMs));
    changeStatus("Stopped");
    ASSERT_TRUE(m_stop->wait(kEventWaitMs));
    settle();
    EXPECT_EQ(m_play->count(), 1);
    EXPECT_EQ(m_stop->count(), 2);
}

TEST_F(MprisEventsTest, ANewTrackWhilePlayingRaisesOnePlayAndANewRatingADatabaseChange)
{
    QSignalSpy database(&player(), &PlayerApplication::OnDatabaseChangedEvent);
    changeTrack(FakeMprisService::track("/t/2", "Second Song"));
    ASSERT_TRUE(m_play->wait(kEventWaitMs));
    EXPECT_EQ(player().CurrentTrack()->Name(), "Second Song");
    // The same track again (a length update, a volume change) is no new start.
    QVariantMap same = FakeMprisService::track("/t/2", "Second Song");
    same["mpris:length"] = qlonglong(1000);
    changeTrack(same);
    change("Volume", 0.3);
    same["xesam:userRating"] = 0.6;
    changeTrack(same);
    ASSERT_TRUE(database.wait(kEventWaitMs));
    // A new track announced without its tags: they are fetched, and it plays.
    fake().set(FakeMprisService::kPlayer, "Metadata", FakeMprisService::track("/t/3", "Third Song"));
    fake().change(FakeMprisService::kPlayer, {}, { "Metadata" });
    ASSERT_TRUE(m_play->wait(kEventWaitMs));
    EXPECT_EQ(player().CurrentTrack()->Name(), "Third Song");
    EXPECT_EQ(m_play->count(), 2);
    EXPECT_EQ(m_stop->count(), 0);
}

TEST_F(MprisEventsTest, AProvisionalTrackWaitsForItsTagsAskingNothingOrPlaysAfterTheGraceWithout)
{
    const int asked = fake().received();
    changeTrack(provisional("song.ogg"));
    QVariantMap tagged = provisional("song.ogg");
    tagged["xesam:title"] = QStringLiteral("Real Title");
    tagged["xesam:artist"] = QStringList { "Real Artist" };
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

    // Starting to play with a provisional track waits for its tags too.
    changeStatus("Stopped");
    ASSERT_TRUE(m_stop->wait(kEventWaitMs));
    fake().change(
        FakeMprisService::kPlayer, { { "PlaybackStatus", "Playing" }, { "Metadata", provisional("next.ogg") } });
    changeTrack(FakeMprisService::track("/t/9", "Next Title"));
    ASSERT_TRUE(m_play->wait(kEventWaitMs));
    settle();
    EXPECT_EQ(m_play->count(), 2);
    EXPECT_EQ(player().CurrentTrack()->Name(), "Next Title");
    // With none, it plays after the grace.
    QElapsedTimer clock;
    clock.start();
    changeTrack(provisional("untagged.ogg"));
    ASSERT_TRUE(m_play->wait(kEventWaitMs));
    EXPECT_GE(clock.elapsed(), MprisPlayer::kProvisionalGraceMs - 50);
    EXPECT_EQ(player().CurrentTrack()->Name(), "untagged.ogg");
    settle();
    EXPECT_EQ(m_play->count(), 3);
}

TEST_F(MprisEventsTest, AHungPlayerCostsItsCommandsAndNothingElseAndAVanishingOneRaisesQuitThenEveryCallThrows)
{
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
    EXPECT_TRUE(failed.constFirst().constFirst().toString().contains("did not answer in time"));
    EXPECT_FALSE(player().hasVanished());
    fake().setUnresponsive(false);
    player().NextTrack();
    EXPECT_TRUE(eventually([&] { return fake().calls().contains("Next"); }));

    // Gone in the middle of a call: the command neither throws nor hangs.
    fake().vanishOnNextCall();
    EXPECT_NO_THROW(player().NextTrack());
    ASSERT_TRUE(m_quit->wait(kEventWaitMs));
    EXPECT_TRUE(player().hasVanished());
    clock.restart();
    EXPECT_THROW(player().PlayerState(), PlayerError);
    EXPECT_THROW(player().NextTrack(), PlayerError);
    EXPECT_LT(clock.elapsed(), kTimeoutMs);
    EXPECT_FALSE(player().capabilities().raise);
    settle();
    EXPECT_EQ(m_quit->count(), 1);
}

} // namespace
