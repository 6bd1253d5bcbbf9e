#include "FakeMprisService.h"
#include "PrivateBus.h"

#include "player/mpris/MprisPlayerBackend.h"
#include "player/selection/MprisPlayerChooser.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace
{
constexpr int kTimeoutMs = 300;
constexpr int kSignalWaitMs = 3000;

class MprisPlayerChooserTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_bus.start(QStringLiteral("chooser-client-%1").arg(++s_clients))) << m_bus.error().toStdString();
    }
    void TearDown() override
    {
        m_players.clear();
        m_bus.stop();
    }
    FakeMprisService& addPlayer(const QString& suffix, const QString& identity, const QString& status)
    {
        auto fake = std::make_unique<FakeMprisService>(m_bus.address(), suffix);
        fake->fillTypical();
        fake->set(FakeMprisService::kRoot, "Identity", identity);
        fake->set(FakeMprisService::kPlayer, "PlaybackStatus", status);
        EXPECT_TRUE(fake->start());
        m_players.push_back(std::move(fake));
        return *m_players.back();
    }
    static QStringList names(const PlayerChooser& chooser)
    {
        QStringList list;
        for (const PlayerChooser::Entry& entry : chooser.players())
            list << entry.id + "=" + entry.name;
        list.sort();
        return list;
    }

    static inline int s_clients = 0;
    PrivateBus m_bus;
    std::vector<std::unique_ptr<FakeMprisService>> m_players;
};
}

TEST_F(MprisPlayerChooserTest, FollowsPlayersAsTheyStartPlayingComeAndGo)
{
    addPlayer("alpha", "Alpha Player", "Paused");
    FakeMprisService& beta = addPlayer("beta", "Beta Player", "Stopped");
    MprisPlayerChooser chooser(m_bus.client(), kTimeoutMs);
    // Listed at once by id, named when they answer.
    EXPECT_EQ(names(chooser), QStringList({ "alpha=alpha", "beta=beta" }));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return names(chooser) == QStringList({ "alpha=Alpha Player", "beta=Beta Player" })
                && !chooser.activeId().isEmpty();
        },
        kSignalWaitMs));

    QSignalSpy active(&chooser, &PlayerChooser::activeChanged);
    const QString other = chooser.activeId() == "alpha" ? "beta" : "alpha";
    FakeMprisService& starter = other == "beta" ? beta : *m_players.front();
    starter.change(FakeMprisService::kPlayer, { { "PlaybackStatus", QStringLiteral("Playing") } });
    ASSERT_TRUE(active.wait(kSignalWaitMs));
    EXPECT_EQ(chooser.activeId(), other);
    EXPECT_EQ(chooser.activeService(), "org.mpris.MediaPlayer2." + other);

    const QString gamma = addPlayer("gamma", "Gamma", "Playing").service();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return chooser.heard(gamma).contains("org.mpris.MediaPlayer2.Player"); }, kSignalWaitMs));
    EXPECT_EQ(chooser.activeId(), other) << "the active one plays: it stays";
    EXPECT_EQ(chooser.players().size(), 3);

    active.clear();
    m_players.erase(std::find_if(
        m_players.begin(), m_players.end(), [&](const auto& fake) { return fake->service().endsWith(other); }));
    ASSERT_TRUE(active.wait(kSignalWaitMs));
    EXPECT_EQ(chooser.activeId(), "gamma") << "the one still playing follows";
}

TEST_F(MprisPlayerChooserTest, APinnedPlayerHoldsAgainstOneThatStartsPlaying)
{
    addPlayer("alpha", "Alpha Player", "Paused");
    FakeMprisService& beta = addPlayer("beta", "Beta Player", "Paused");
    MprisPlayerChooser chooser(m_bus.client(), kTimeoutMs, "ALPHA");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return chooser.activeId() == "alpha" && chooser.heard(beta.service()).size() == 3; }, kSignalWaitMs));
    QSignalSpy players(&chooser, &PlayerChooser::playersChanged);
    beta.change(FakeMprisService::kPlayer, { { "PlaybackStatus", QStringLiteral("Playing") } });
    addPlayer("delta", "Delta", "Paused"); // a later event proves the first was handled
    ASSERT_TRUE(players.wait(kSignalWaitMs));
    EXPECT_EQ(chooser.activeId(), "alpha");

    QSignalSpy active(&chooser, &PlayerChooser::activeChanged);
    chooser.pin("beta");
    EXPECT_EQ(active.count(), 1);
    EXPECT_EQ(chooser.activeId(), "beta");
}

TEST_F(MprisPlayerChooserTest, APinnedPlayerThatIsNotRunningIsWaitedFor)
{
    addPlayer("alpha", "Alpha Player", "Playing");
    addPlayer("beta", "Beta Player", "Paused");
    MprisPlayerChooser chooser(m_bus.client(), kTimeoutMs, "gamma");
    MprisPlayerBackend backend("gamma", m_bus.client(), kTimeoutMs);
    backend.followChoice(chooser);
    const QString wanted = backend.executableName();
    const QStringList running = backend.runningExecutables().value_or(QStringList());
    for (const QString& name : running)
        EXPECT_FALSE(name.contains(wanted)) << name.toStdString();
    EXPECT_EQ(backend.lastError(), "Waiting for gamma to start.");
    EXPECT_EQ(backend.createApplication(), nullptr);
    EXPECT_EQ(backend.identity(), "gamma");

    QSignalSpy active(&chooser, &PlayerChooser::activeChanged);
    addPlayer("gamma", "Gamma Player", "Stopped");
    ASSERT_TRUE(active.wait(kSignalWaitMs));
    EXPECT_EQ(chooser.activeId(), "gamma");
    EXPECT_TRUE(QTest::qWaitFor([&] { return backend.identity() == "Gamma Player"; }, kSignalWaitMs));
    const auto player = backend.createApplication();
    ASSERT_TRUE(player);
    EXPECT_EQ(player->Identity(), "Gamma Player");
    EXPECT_TRUE(backend.lastError().isEmpty());
}

TEST_F(MprisPlayerChooserTest, AHungPlayerNeverHoldsUpTheGuiThread)
{
    FakeMprisService& mpv = addPlayer("mpv", "mpv", "Playing");
    MprisPlayerChooser chooser(m_bus.client(), kTimeoutMs);
    MprisPlayerBackend backend(QString(), m_bus.client(), kTimeoutMs);
    backend.followChoice(chooser);
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser.activeName() == "mpv"; }, kSignalWaitMs));

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

    FakeMprisService hung(m_bus.address(), "hung");
    hung.fillTypical();
    hung.setUnresponsive(true);
    ASSERT_TRUE(hung.start());
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser.players().size() == 2; }, kSignalWaitMs));
    chooser.pin("hung");
    // It takes part in the choice once it has let the timeout pass.
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser.activeId() == "hung"; }, kSignalWaitMs));
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
    player->Play();
    player->Pause();
    player->NextTrack();
    player->PreviousTrack();
    player->SetSoundVolume(30);
    player->CurrentPlaylist()->SetShuffle(true);
    player->BrowserWindow()->SetVisible(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return failed.count() == 7; }, kSignalWaitMs));
    EXPECT_EQ(names(chooser), QStringList({ "hung=hung", "mpv=mpv" })) << "listed by its bus name";

    // The other player is untouched by it.
    chooser.pin("mpv");
    backend.createApplication()->NextTrack();
    EXPECT_TRUE(QTest::qWaitFor([&] { return mpv.calls().contains("Next"); }, kSignalWaitMs));
    heartbeat.stop();
    EXPECT_LT(longestGap, kLongestGapMs);
}
