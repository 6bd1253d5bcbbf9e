#include "MprisFixture.h"

#include "player/mpris/MprisPlayerBackend.h"

namespace
{

class MprisPlayerBackendTest : public BusFixture
{
protected:
    FakeMprisService& addPlayer(const QString& suffix, const QString& status)
    {
        auto& fake = *m_players.emplace_back(std::make_unique<FakeMprisService>(bus().address(), suffix));
        fake.fillTypical();
        fake.set(FakeMprisService::kPlayer, "PlaybackStatus", status);
        EXPECT_TRUE(fake.start());
        return fake;
    }
    MprisPlayerBackend backend(const QString& name = QString())
    {
        return MprisPlayerBackend(name, bus().client(), kTimeoutMs);
    }

    std::vector<std::unique_ptr<FakeMprisService>> m_players;
};

TEST_F(MprisPlayerBackendTest, NoPlayerRunning)
{
    MprisPlayerBackend none = backend();
    ASSERT_TRUE(none.runningExecutables().has_value());
    EXPECT_TRUE(none.runningExecutables()->isEmpty());
    EXPECT_EQ(none.executableName(), "");
    EXPECT_EQ(none.createApplication(), nullptr);
    EXPECT_TRUE(none.lastError().startsWith("No media player is running."));
    EXPECT_EQ(none.identity(), "your media player");
    MprisPlayerBackend named = backend("vlc");
    EXPECT_EQ(named.createApplication(), nullptr);
    EXPECT_EQ(named.lastError(), "Waiting for vlc to start.");
    EXPECT_EQ(named.identity(), "vlc");
}

TEST_F(MprisPlayerBackendTest, BusNamesStandInForExecutables)
{
    addPlayer("mpv", "Stopped");
    addPlayer("vlc.instance4711", "Stopped");
    EXPECT_EQ(*backend().runningExecutables(), (QStringList { "mpv", "vlc.instance4711" }));
    // The configured name in any case matches inside the bus name.
    MprisPlayerBackend vlc = backend("VLC");
    EXPECT_EQ(vlc.executableName(), "vlc");
    const auto player = std::dynamic_pointer_cast<MprisPlayer>(vlc.createApplication());
    ASSERT_TRUE(player);
    EXPECT_EQ(player->busName(), "org.mpris.MediaPlayer2.vlc.instance4711");
}

TEST_F(MprisPlayerBackendTest, WithoutANameThePlayingPlayerOrElseTheFirstIsChosen)
{
    addPlayer("rhythmbox", "Stopped");
    addPlayer("elisa", "Paused");
    EXPECT_EQ(backend().executableName(), "elisa");
    addPlayer("strawberry", "Playing");
    MprisPlayerBackend any = backend();
    EXPECT_EQ(any.executableName(), "strawberry");
    const auto player = std::dynamic_pointer_cast<MprisPlayer>(any.createApplication());
    ASSERT_TRUE(player);
    EXPECT_EQ(player->busName(), "org.mpris.MediaPlayer2.strawberry");
}

TEST_F(MprisPlayerBackendTest, SamePlayerObjectUntilItVanishes)
{
    FakeMprisService& mpv = addPlayer("mpv", "Playing");
    MprisPlayerBackend chooser = backend("mpv");
    const auto first = chooser.createApplication();
    ASSERT_TRUE(first);
    EXPECT_EQ(chooser.createApplication(), first);
    QSignalSpy quit(first.get(), &PlayerApplication::OnAboutToPromptUserToQuitEvent);
    mpv.releaseName();
    ASSERT_TRUE(quit.wait(kEventWaitMs));
    EXPECT_EQ(chooser.createApplication(), nullptr);
    // A restarted player is picked up by the next attempt.
    ASSERT_TRUE(mpv.connection().registerService(mpv.service()));
    const auto second = chooser.createApplication();
    ASSERT_TRUE(second);
    EXPECT_NE(second, first);
    EXPECT_TRUE(QTest::qWaitFor([&] { return second->PlayerState() == PlayerApplication::Playing; }, kEventWaitMs));
}

TEST_F(MprisPlayerBackendTest, ABusThatCannotBeAskedGivesNoList)
{
    MprisPlayerBackend detached(QString(), QDBusConnection(QStringLiteral("never-connected")), kTimeoutMs);
    EXPECT_FALSE(detached.runningExecutables().has_value());
    EXPECT_EQ(detached.createApplication(), nullptr);
    EXPECT_EQ(detached.lastError(), "Bolvin cannot reach the desktop's session bus, where media players are found.");
}

} // namespace
