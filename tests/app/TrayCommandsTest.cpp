#include "AppTestRig.h"
#include "popup/PopUpMessages.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

namespace
{
class TrayMenuCommands : public testing::Test, protected AppTestRig
{
protected:
    void SetUp() override
    {
        m_source->playlists->items = { std::make_shared<FakePlaylist>("Library"),
            std::make_shared<FakePlaylist>("Road & Trip"), std::make_shared<FakePlaylist>("Empty", 0) };
        m_playlists = m_source->playlists->items;
        player().librarySource = m_source;
        player().currentPlaylist = m_playlists[0];
        player().canSetShuffle = true;
        player().browserWindow = m_window;
        playerRuns();
        load();
        settings.values.insert("PlayLists", "1");
    }
    FakePlayer& player() { return *backend.player; }
    void click(const char* key) { entry(key)->trigger(); }
    QList<bool> playlistMarks()
    {
        QList<bool> marks;
        for (int i = 0; i < tray().mnuPlayList().count(); ++i)
            marks << tray().mnuPlayList().isChecked(i);
        return marks;
    }

    std::shared_ptr<FakeSource> m_source = std::make_shared<FakeSource>();
    QList<std::shared_ptr<PlayerPlaylist>> m_playlists;
    std::shared_ptr<FakeWindow> m_window = std::make_shared<FakeWindow>();
};
}

TEST_F(TrayMenuCommands, PlayPauseFollowsTheCaptionAndPlayChosenWhileDetachedPlaysEvenIfTheReattachedPlayerIsPlaying)
{
    player().calls.clear();
    click("Pause");
    EXPECT_EQ(entry("Pause")->text(), "&Pause");
    click("Pause");
    EXPECT_EQ(entry("Pause")->text(), "&Play");
    EXPECT_EQ(player().calls, QStringList({ "Play", "Pause" }));

    emit player().OnAboutToPromptUserToQuitEvent();
    ASSERT_FALSE(form->link().isConnected());
    player().state = PlayerApplication::Playing; // back, and playing on its own
    player().calls.clear();
    click("Pause"); // the menu shows "&Play"
    EXPECT_TRUE(form->link().isConnected());
    EXPECT_EQ(player().calls, QStringList({ "Play" }));
    EXPECT_EQ(entry("Pause")->text(), "&Pause");
}

TEST_F(TrayMenuCommands, SongWindowAndShuffleCommandsReachThePlayer)
{
    player().calls.clear();
    click("Next Song");
    click("Previous Song");
    EXPECT_EQ(player().calls, QStringList({ "NextTrack", "PreviousTrack" }));

    click("Minimize");
    click("MiniPlayer");
    click("Show iTunes");
    EXPECT_EQ(m_window->calls,
        QStringList({ "Minimized=1", "Minimized=0", "MiniPlayer=1", "Visible=1", "MiniPlayer=0", "Maximized=1" }));

    const bool before = m_playlists[0]->Shuffle();
    click("Shuffle");
    EXPECT_NE(entry("Shuffle")->isChecked(), before);
    EXPECT_EQ(m_playlists[0]->Shuffle(), !before);
    click("Shuffle");
    EXPECT_EQ(m_playlists[0]->Shuffle(), before);
}

TEST_F(TrayMenuCommands, PlaylistsAreAddedOnceFollowTheBoxAndAnEntryPlaysItAndMovesTheMarkUnlessItFails)
{
    EXPECT_FALSE(tray().playlists()->isEnabled());
    form->options().LoadSettings(); // "Enable Play Lists" fills the submenu
    EXPECT_TRUE(tray().playlists()->isEnabled());
    ASSERT_EQ(tray().mnuPlayList().count(), 3);
    EXPECT_EQ(tray().mnuPlayList().caption(1), "&Road & Trip");
    box("chkEnablePlayLists")->setChecked(false);
    EXPECT_FALSE(tray().playlists()->isEnabled());
    EXPECT_FALSE(tray().playlists()->toolTip().isEmpty());
    box("chkEnablePlayLists")->setChecked(true);
    EXPECT_TRUE(tray().playlists()->isEnabled());
    EXPECT_EQ(tray().mnuPlayList().count(), 3);

    tray().mnuPlayList().action(1)->trigger();
    EXPECT_EQ(static_cast<FakePlaylist&>(*m_playlists[1]).played, 1);
    EXPECT_EQ(playlistMarks(), QList<bool>({ false, true, false }));

    tray().mnuPlayList().action(2)->trigger(); // an empty playlist cannot play
    EXPECT_EQ(desktop.messages, QStringList({ "Error loading playlist" }));
    EXPECT_EQ(playlistMarks(), QList<bool>({ false, true, false }));

    // Another player's lists replace these; a player with none leaves the submenu grey.
    m_source->playlists->items.clear();
    emit player().OnAboutToPromptUserToQuitEvent();
    click("open");
    ASSERT_TRUE(form->link().isConnected());
    EXPECT_FALSE(tray().playlists()->isEnabled());
    EXPECT_FALSE(tray().mnuPlayList().isVisible(0));
}

TEST_F(TrayMenuCommands, ALeftClickTogglesTheNotificationOnlyWhilePlaying)
{
    shell.notify(514); // left button up, player stopped
    EXPECT_EQ(form->notification().popups()->Count(), 0);
    EXPECT_TRUE(shell.popups.isEmpty());

    player().state = PlayerApplication::Playing;
    shell.notify(516); // right button down opens the menu, never a notification
    EXPECT_EQ(shell.popups.size(), 1);
    EXPECT_EQ(form->notification().popups()->Count(), 0);
}

TEST_F(TrayMenuCommands, ACommandWithNoPlayerToBeHadDoesNothingHarmfulAndATransferSaysSo)
{
    AppTestRig lonely;
    lonely.backend.player = nullptr;
    frmMain& main = lonely.load();
    for (const char* key :
        { "Next Song", "Previous Song", "Pause", "Minimize", "MiniPlayer", "Show iTunes", "Shuffle" })
        lonely.entry(key)->trigger();
    EXPECT_FALSE(main.link().isConnected());
    EXPECT_TRUE(lonely.desktop.messages.isEmpty());

    control<QPushButton>(main, "cmdStartBackup")->click();
    control<QPushButton>(main, "cmdStartImport")->click();
    EXPECT_EQ(lonely.desktop.messages, QStringList({ "Fake Player is not running.", "Fake Player is not running." }));
    EXPECT_FALSE(control<QPushButton>(main, "cmdStartBackup")->isHidden()) << "and stays idle";
    EXPECT_TRUE(control<QPushButton>(main, "cmdCancelBackup")->isHidden());
}

TEST(TrayAbilities, WhatThePlayerDoesNotAllowIsDisabledWithItsReasonUntilItGoes)
{
    AppTestRig rig;
    rig.playerRuns();
    FakePlayer& player = *rig.backend.player;
    player.state = PlayerApplication::Playing;
    player.canSetShuffle = true;
    player.currentPlaylist = std::make_shared<FakePlaylist>("Library");
    player.abilities.minimize = PlayerAbility::no("mpv cannot be minimised by other programs.");
    player.abilities.raise = PlayerAbility::no("mpv cannot be brought to the front by other programs.");
    player.abilities.rate = PlayerAbility::no("mpv does not let other programs rate its tracks.");
    player.abilities.library = PlayerAbility::no("mpv does not expose its library.");
    frmMain& main = rig.load();
    ASSERT_TRUE(main.link().isConnected());
    emit player.OnPlayerPlayEvent();

    EXPECT_FALSE(rig.entry("Minimize")->isEnabled());
    EXPECT_EQ(rig.entry("Minimize")->toolTip(), "mpv cannot be minimised by other programs.");
    EXPECT_FALSE(rig.entry("Show iTunes")->isEnabled());
    for (const char* allowed : { "MiniPlayer", "Shuffle", "Next Song" })
        EXPECT_TRUE(rig.entry(allowed)->isEnabled()) << allowed;
    EXPECT_FALSE(rig.tray().myrating()->isEnabled()) << "even while playing";
    EXPECT_EQ(rig.tray().myrating()->toolTip(), "mpv does not let other programs rate its tracks.");
    auto* startBackup = control<QPushButton>(main, "cmdStartBackup");
    auto* backupStatus = control<QLabel>(main, "lblBackupTrackName");
    EXPECT_FALSE(startBackup->isEnabled());
    EXPECT_FALSE(control<QPushButton>(main, "cmdStartImport")->isEnabled());
    EXPECT_EQ(control<QPushButton>(main, "cmdStartImport")->toolTip(), "mpv does not expose its library.");
    EXPECT_EQ(backupStatus->text(), "mpv does not expose its library.");
    rig.shell.commands.clear();
    EXPECT_THROW(main.notification().updaterating(60), PlayerError); // a rating hotkey says why it does nothing
    ASSERT_FALSE(rig.shell.commands.isEmpty());
    EXPECT_EQ(rig.shell.commands.last().record.infoText(), "mpv does not let other programs rate its tracks.");

    emit player.OnAboutToPromptUserToQuitEvent(); // another player may allow it all
    EXPECT_TRUE(rig.entry("Show iTunes")->isEnabled());
    EXPECT_FALSE(rig.entry("Show iTunes")->toolTip().contains("cannot"));
    EXPECT_FALSE(rig.entry("Minimize")->isEnabled()) << "no player to minimise";
    EXPECT_TRUE(startBackup->isEnabled());
    EXPECT_TRUE(backupStatus->text().isEmpty());
}
