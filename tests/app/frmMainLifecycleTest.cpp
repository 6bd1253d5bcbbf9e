#include "AppTestRig.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

namespace
{
constexpr int kAdd = 0;
constexpr int kDelete = 2;

class frmMainLifecycle : public testing::Test, protected AppTestRig
{
protected:
    QStringList captions()
    {
        QStringList all;
        for (int i = 0; i <= tray().mnuSysTray().upperBound(); ++i)
            all << tray().mnuSysTray().caption(i);
        return all;
    }
};
}

TEST_F(frmMainLifecycle, StartUpBuildsTheTrayHiddenAndUnconnectedWhenNoPlayerRunsAndTheCloseBoxOnlyHides)
{
    frmMain& main = load();
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(shell.commandCodes().first(), kAdd);

    EXPECT_EQ(captions(),
        QStringList({ "-", "&Show Fake Player", "&Minimize Fake Player", "&Fake Player MiniPlayer", "-", "&Shuffle",
            "-", "&Play", "&Next Song", "&Previous Song", "-", "&Show Bolvin", "-", "&Exit" }));
    EXPECT_EQ(tray().DefaultMenuIndex(), 11);
    EXPECT_EQ(tray().ToolTip(), "Bolvin 1.0.143 by Harnwick\r\n Right-click and select 'Show Bolvin' for options");
    EXPECT_EQ(tray().IconHandle(), desktop.loadIcon("AAA", 16));
    EXPECT_FALSE(tray().myrating()->isEnabled() || tray().playlists()->isEnabled());
    EXPECT_EQ(main.findChild<QLabel*>("lblAbout")->text(), "version 1.0.143");

    EXPECT_FALSE(main.link().isConnected());
    EXPECT_EQ(backend.created, 0) << "start-up must not start the player";
    for (const char* key : { "Minimize", "MiniPlayer", "Shuffle", "Next Song", "Previous Song" }) {
        EXPECT_FALSE(entry(key)->isEnabled()) << key;
        EXPECT_FALSE(entry(key)->toolTip().isEmpty()) << "why: " << key;
    }
    EXPECT_TRUE(desktop.messages.isEmpty());

    QSignalSpy unloaded(&main, &frmMain::unloaded);
    ASSERT_TRUE(entry("open")->isEnabled());
    entry("open")->trigger();
    EXPECT_TRUE(main.isVisible());
    main.Unload(frmMain::UnloadMode::FormControlMenu);
    EXPECT_FALSE(main.isVisible());
    EXPECT_FALSE(main.isUnloaded());
    EXPECT_EQ(unloaded.count(), 0);
    EXPECT_FALSE(shell.commandCodes().contains(kDelete)) << "the tray icon stays";
}

TEST_F(frmMainLifecycle, ASecondInstanceSaysSoAndLoadsNothing)
{
    guard.anotherRunning = true;
    frmMain& main = load();
    EXPECT_FALSE(loaded);
    EXPECT_EQ(desktop.messages, QStringList({ "Bolvin is running." }));
    EXPECT_EQ(main.sysTray(), nullptr);
    EXPECT_FALSE(shell.commandCodes().contains(kAdd));
    EXPECT_EQ(backend.created, 0);
}

TEST_F(frmMainLifecycle, ARunningPlayerIsFoundByItsExecutableNameAndReleasedWhenItQuits)
{
    playerRuns();
    backend.player->state = PlayerApplication::Playing;
    frmMain& main = load();
    EXPECT_TRUE(main.link().isConnected());
    EXPECT_EQ(backend.created, 1);
    EXPECT_EQ(tray().mnuSysTray().caption(7), "&Pause");
    EXPECT_TRUE(entry("Next Song")->isEnabled());
    // Found by itself, it is attached without a word.
    for (const auto& c : shell.commands)
        EXPECT_NE(c.record.uFlags, NotifyIcon::FlagInfo) << c.record.infoText().toStdString();

    backend.player->Quit();
    EXPECT_FALSE(main.link().isConnected());
    EXPECT_EQ(tray().mnuSysTray().caption(7), "&Play");
    EXPECT_FALSE(entry("Next Song")->isEnabled());
    EXPECT_FALSE(tray().myrating()->isEnabled());
    EXPECT_TRUE(main.options().transfers().mbCancelExport());
    // Any menu command other than Exit reconnects on demand.
    entry("open")->trigger();
    EXPECT_TRUE(main.link().isConnected());
    EXPECT_TRUE(entry("Next Song")->isEnabled());
}

TEST_F(frmMainLifecycle, APlayerNotYetAttachableIsToldOnlyWhenAskedAndTheBalloonGoesWhenItComes)
{
    const auto balloons = [&] {
        QStringList texts;
        for (const auto& c : shell.commands)
            if (c.record.uFlags == NotifyIcon::FlagInfo)
                texts << c.record.infoText();
        return texts;
    };
    playerRuns();
    const std::shared_ptr<FakePlayer> player = std::exchange(backend.player, nullptr);
    frmMain& main = load();
    EXPECT_EQ(balloons(), QStringList());
    EXPECT_EQ(tray().ToolTip(), "Bolvin\r\nFake Player is not running.");
    entry("open")->trigger();
    EXPECT_EQ(balloons(), QStringList({ "Connecting to Fake Player", "Fake Player is not running." }));
    backend.player = player;
    main.link().CheckPlayerRunning(false);
    EXPECT_TRUE(main.link().isConnected());
    EXPECT_EQ(balloons().last(), "") << "the balloon on show is taken down";
}

TEST_F(frmMainLifecycle, WithoutANotificationAreaTheWindowOpensAndSaysWhy)
{
    shell.available = false;
    frmMain& main = load();
    EXPECT_FALSE(main.isVisible()) << "a tray host starting with the session gets a moment";
    QTRY_VERIFY_WITH_TIMEOUT(main.isVisible(), 5000);
    const QLabel* notice = main.findChild<QLabel*>("lblNoTray");
    EXPECT_TRUE(notice->isVisible());
    // A fixed size, which tiling window managers float, and the notice inside it.
    EXPECT_EQ(main.minimumSize(), main.maximumSize());
    EXPECT_TRUE(main.rect().contains(notice->geometry()));
}

TEST_F(frmMainLifecycle, ExitFromTheTrayMenuShutsDownAndLeavesTheUsersPlayerRunning)
{
    playerRuns();
    frmMain& main = load();
    QSignalSpy unloaded(&main, &frmMain::unloaded);

    // Chosen through the open menu, as a user does: the component goes from under its own click.
    shell.nextChoice = entry("close");
    shell.notify(516);

    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_EQ(main.sysTray(), nullptr);
    EXPECT_EQ(shell.commandCodes().last(), kDelete);
    EXPECT_TRUE(backend.player->calls.isEmpty());
    EXPECT_EQ(backend.created, 1) << "\"close\" must not touch the player link";
    EXPECT_TRUE(main.options().transfers().mbCancelExport() && main.options().transfers().mbCancelImport());
    EXPECT_FALSE(main.link().isConnected());
    main.Unload();
    EXPECT_EQ(unloaded.count(), 1) << "a second unload does nothing";
}

TEST_F(frmMainLifecycle, AnUnreadableProcessListConnectsNothingAndAQuitRequestThenLeavesThePlayerAlone)
{
    backend.running.reset();
    frmMain& main = load();
    EXPECT_FALSE(main.link().isConnected());
    EXPECT_EQ(backend.created, 0);
    guard.askToQuit();
    EXPECT_TRUE(main.isUnloaded());
    EXPECT_EQ(shell.commandCodes().last(), kDelete);
    EXPECT_TRUE(backend.player->calls.isEmpty());
}

TEST_F(frmMainLifecycle, ThePlayerVersionGateAcceptsFiveOneToSixFourAndSaysWhyNot)
{
    for (const auto& [version, accepted] : { std::pair { "6.0.5.20", true }, { "5.1", true }, { "6.4.1", true },
             { "4.9", false }, { "7.0", false }, { "10.1.2", false }, { "garbage", false } }) {
        AppTestRig rig;
        rig.playerRuns();
        rig.backend.player->version = version;
        EXPECT_EQ(rig.load().link().isConnected(), accepted) << version;
        QString lastBalloon;
        for (const auto& command : rig.shell.commands)
            if (command.record.uFlags == NotifyIcon::FlagInfo)
                lastBalloon = command.record.infoText();
        const QString refusal = QString("Fake Player %1 is not compatible with this version of Bolvin.\r\n"
                                        "Download the latest version of Bolvin from ")
                                    .arg(version);
        EXPECT_EQ(lastBalloon.startsWith(refusal), !accepted) << lastBalloon.toStdString();
    }
}
