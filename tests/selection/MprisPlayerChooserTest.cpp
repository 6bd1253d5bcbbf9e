#include "MprisFixture.h"

#include "player/mpris/MprisPlayerBackend.h"
#include "player/selection/MprisPlayerChooser.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

namespace
{

// The players on the bus, followed by the chooser, and the backend attaching to its choice
// as Bolvin runs them.
class MprisPlayerChooserTest : public BusFixture
{
protected:
    // A playing player.
    FakeMprisService& addPlayer(const QString& suffix, const QString& identity)
    {
        auto& fake = *m_players.emplace_back(std::make_unique<FakeMprisService>(bus().address(), suffix));
        fake.fillTypical();
        fake.set(FakeMprisService::kRoot, "Identity", identity);
        EXPECT_TRUE(fake.start());
        return fake;
    }

    std::vector<std::unique_ptr<FakeMprisService>> m_players;
};

TEST_F(MprisPlayerChooserTest, WithoutAPlayerTheBackendSaysWhyAndAPinnedOneIsAttachedOnceItStarts)
{
    MprisPlayerChooser unpinned(bus().client(), kTimeoutMs);
    MprisPlayerBackend none(QString(), bus().client(), kTimeoutMs);
    none.followChoice(unpinned);
    EXPECT_EQ(none.createApplication(), nullptr);
    EXPECT_TRUE(none.lastError().startsWith("No media player is running."));
    EXPECT_EQ(none.identity(), "your media player");

    MprisPlayerBackend detached(QString(), QDBusConnection(QStringLiteral("never-connected")), kTimeoutMs);
    EXPECT_FALSE(detached.runningExecutables().has_value());
    EXPECT_EQ(detached.createApplication(), nullptr);
    EXPECT_EQ(detached.lastError(), "Bolvin cannot reach the desktop's session bus, where media players are found.");

    addPlayer("alpha", "Alpha Player");
    MprisPlayerChooser chooser(bus().client(), kTimeoutMs, "gamma");
    MprisPlayerBackend backend(QString(), bus().client(), kTimeoutMs);
    backend.followChoice(chooser);
    EXPECT_EQ(backend.executableName(), "gamma");
    EXPECT_EQ(backend.lastError(), "Waiting for gamma to start.");
    EXPECT_EQ(backend.createApplication(), nullptr);
    EXPECT_EQ(backend.identity(), "gamma");

    addPlayer("gamma", "Gamma Player");
    EXPECT_TRUE(QTest::qWaitFor([&] { return backend.identity() == "Gamma Player"; }, kEventWaitMs));
    const auto first = backend.createApplication();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Identity(), "Gamma Player");
    EXPECT_TRUE(backend.lastError().isEmpty());
    EXPECT_EQ(backend.createApplication(), first);
}

TEST_F(MprisPlayerChooserTest, AHungPlayerNeverHoldsUpTheGuiThread)
{
    FakeMprisService& mpv = addPlayer("mpv", "mpv");
    MprisPlayerChooser chooser(bus().client(), kTimeoutMs);
    MprisPlayerBackend backend(QString(), bus().client(), kTimeoutMs);
    backend.followChoice(chooser);
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser.activeName() == "mpv"; }, kEventWaitMs));

    // The GUI thread's heartbeat: every stretch it is held up shows as a gap between ticks.
    constexpr int kTickMs = 15;
    constexpr qint64 kLongestGapMs = 100;
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer heartbeat;
    heartbeat.setTimerType(Qt::PreciseTimer);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    sinceTick.start();
    heartbeat.start(kTickMs);

    FakeMprisService hung(bus().address(), "hung");
    hung.fillTypical();
    hung.setUnresponsive(true);
    ASSERT_TRUE(hung.start());
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser.players().size() == 2; }, kEventWaitMs));
    chooser.pin("hung");
    // It takes part in the choice once it has let the timeout pass.
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser.activeId() == "hung"; }, kEventWaitMs));
    const auto player = std::dynamic_pointer_cast<MprisPlayer>(backend.createApplication());
    ASSERT_TRUE(player);
    EXPECT_EQ(player->busName(), hung.service());
    QSignalSpy failed(player.get(), &MprisPlayer::commandFailed);
    // What attaching reads, then every command the tray gives.
    EXPECT_TRUE(backend.rejectionReason(*player).isEmpty());
    EXPECT_EQ(player->Identity(), "hung");
    player->capabilities();
    EXPECT_EQ(player->PlayerState(), PlayerApplication::Stopped);
    EXPECT_EQ(player->LibrarySource()->Playlists()->Count(), 0);
    EXPECT_FALSE(player->CanSetShuffle(player->CurrentPlaylist()));
    for (auto command :
        { &MprisPlayer::Play, &MprisPlayer::Pause, &MprisPlayer::NextTrack, &MprisPlayer::PreviousTrack })
        ((*player).*command)();
    player->SetSoundVolume(30);
    player->CurrentPlaylist()->SetShuffle(true);
    player->BrowserWindow()->SetVisible(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return failed.count() == 7; }, kEventWaitMs));
    QStringList listed;
    for (const PlayerChooser::Entry& entry : chooser.players())
        listed << entry.id + "=" + entry.name;
    listed.sort();
    EXPECT_EQ(listed, QStringList({ "hung=hung", "mpv=mpv" })) << "listed by its bus name";

    // The other player is untouched by it.
    chooser.pin("mpv");
    backend.createApplication()->NextTrack();
    EXPECT_TRUE(QTest::qWaitFor([&] { return mpv.calls().contains("Next"); }, kEventWaitMs));
    heartbeat.stop();
    EXPECT_LT(longestGap, kLongestGapMs);
}

} // namespace
