#include "FakePlayer.h"
#include "FakeTrayShell.h"
#include "tray/SysTrayOwner.h"
#include "tray/frmSysTray.h"
#include "tray/hotkeys/HotKey.h"
#include "tray/hotkeys/HotKeyActions.h"
#include "tray/hotkeys/HotKeyDispatcher.h"

#include <gtest/gtest.h>

#include <optional>

namespace
{

constexpr int kPlayPauseItem = 4;

// A player whose calls below can be made to fail, as those of a player that vanished would.
class FailingPlayer : public FakePlayer
{
    template <typename Call> auto unlessFailing(const char* name, Call call) const
    {
        if (failing || failingCalls.contains(QLatin1String(name)))
            throw PlayerError(QStringLiteral("player gone"));
        return call();
    }

public:
    bool failing = false; // every call below fails
    QStringList failingCalls; // only these fail

    int PlayerState() const override
    {
        return unlessFailing("PlayerState", [&] { return FakePlayer::PlayerState(); });
    }
    void NextTrack() override
    {
        unlessFailing("NextTrack", [&] { FakePlayer::NextTrack(); });
    }
    void Pause() override
    {
        unlessFailing("Pause", [&] { FakePlayer::Pause(); });
    }
    int SoundVolume() const override
    {
        return unlessFailing("SoundVolume", [&] { return FakePlayer::SoundVolume(); });
    }
};

// The main window as the hotkeys see it, with a real tray menu and a log of what was asked.
class RecordingActions : public HotKeyActions, public SysTrayOwner
{
public:
    RecordingActions()
        : tray(shell, *this)
    {
        for (const char* caption : { "-", "&Show iTunes", "&Shuffle", "-", "&Play", "&Next Song", "&Exit" })
            tray.AddMenuItem(QString::fromLatin1(caption));
        player.state = PlayerApplication::Playing;
    }

    PlayerApplication* hotKeyPlayer() override { return connected ? &player : nullptr; }
    bool trackPopupsShowing() const override { return popups > 0; }
    void closeTrackPopups() override
    {
        log << QStringLiteral("closeTrackPopups");
        popups = 0;
    }
    void ShowTrackPopup() override
    {
        log << QStringLiteral("ShowTrackPopup");
        popups = 2;
    }
    std::optional<int> RefreshRatingMarks() override
    {
        log << QStringLiteral("RefreshRatingMarks");
        return stars;
    }
    void updaterating(int rating) override
    {
        log << QStringLiteral("updaterating %1").arg(rating);
        if (ratingFails)
            throw PlayerError(QStringLiteral("rating refused"));
    }
    TrayMenuArray* mnuSysTray() override { return withMenu ? &tray.mnuSysTray() : nullptr; }

    FakeTrayShell shell;
    frmSysTray tray;
    FailingPlayer player;
    bool connected = true;
    bool withMenu = true;
    bool ratingFails = false;
    int popups = 0;
    std::optional<int> stars;
    QStringList log;
};

class HotKeyDispatch : public testing::Test
{
protected:
    QString playPauseCaption() { return menu.caption(kPlayPauseItem); }

    RecordingActions actions;
    TrayMenuArray& menu = actions.tray.mnuSysTray();
    HotKeyDispatcher dispatcher { actions };
};

TEST_F(HotKeyDispatch, WhilePlayingTrackVolumeAndPopUpKeysAct)
{
    actions.player.volume = 98;
    dispatcher.HotKey(HotKeyId::PreviousTrack);
    dispatcher.HotKey(HotKeyId::NextTrack);
    dispatcher.HotKey(HotKeyId::VolumeUp);
    EXPECT_EQ(actions.player.calls, QStringList({ "PreviousTrack", "NextTrack" }));
    EXPECT_EQ(actions.player.volume, 103) << "unclamped";
    actions.player.volume = 3;
    dispatcher.HotKey(HotKeyId::VolumeDown);
    EXPECT_EQ(actions.player.volume, -2);

    dispatcher.HotKey(HotKeyId::PopUp);
    dispatcher.HotKey(HotKeyId::PopUp);
    EXPECT_EQ(actions.log, QStringList({ "ShowTrackPopup", "closeTrackPopups" }));
}

TEST_F(HotKeyDispatch, WhileNotPlayingOrUnreadableOnlyPlayPauseActs)
{
    actions.player.state = PlayerApplication::Stopped;
    actions.player.volume = 50;
    actions.stars = 3;
    for (int id : { 0, 9, -1, 0x0312 }) // unknown ids
        dispatcher.HotKey(id);
    for (int id = HotKeyId::First; id <= HotKeyId::Last; ++id)
        dispatcher.HotKey(id);
    EXPECT_EQ(actions.player.calls, QStringList({ "Play" }));
    EXPECT_EQ(actions.player.volume, 50);
    EXPECT_TRUE(actions.log.isEmpty());
    EXPECT_EQ(playPauseCaption(), "&Pause");

    actions.player.state = PlayerApplication::Playing;
    actions.player.failing = true;
    dispatcher.HotKey(HotKeyId::PopUp);
    dispatcher.HotKey(HotKeyId::PreviousTrack);
    EXPECT_TRUE(actions.log.isEmpty());

    actions.connected = false;
    dispatcher.HotKey(HotKeyId::PlayPause);
    EXPECT_EQ(actions.player.calls, QStringList({ "Play" }));
    EXPECT_EQ(playPauseCaption(), "&Play") << "without a player only the caption turns";
}

TEST_F(HotKeyDispatch, PlayPauseFollowsTheFirstMatchingCaptionEvenWhenThePlayerFails)
{
    dispatcher.HotKey(HotKeyId::PlayPause);
    EXPECT_EQ(playPauseCaption(), "&Pause");
    actions.player.failing = true;
    dispatcher.HotKey(HotKeyId::PlayPause); // Pause throws; the caption still turns
    EXPECT_EQ(playPauseCaption(), "&Play");
    actions.player.failing = false;

    menu.setCaption(2, "&Pause");
    dispatcher.HotKey(HotKeyId::PlayPause);
    EXPECT_EQ(menu.caption(2), "&Play");
    EXPECT_EQ(playPauseCaption(), "&Play") << "only the first match turns";

    menu.setCaption(kPlayPauseItem, "&Stop");
    menu.setCaption(2, "&Stop");
    menu.setCaption(0, "&Play");
    dispatcher.HotKey(HotKeyId::PlayPause);
    EXPECT_EQ(menu.caption(0), "&Play") << "element 0 is not searched";
    actions.withMenu = false;
    dispatcher.HotKey(HotKeyId::PlayPause);
    EXPECT_EQ(actions.player.calls, QStringList({ "Play", "Pause" }));
}

TEST_F(HotKeyDispatch, RatingStepsOneStarWithinTheLimitsAndShowsThePopupAnew)
{
    actions.stars = 2;
    actions.popups = 2;
    dispatcher.HotKey(HotKeyId::RatingUp);
    EXPECT_EQ(
        actions.log, QStringList({ "RefreshRatingMarks", "updaterating 60", "closeTrackPopups", "ShowTrackPopup" }));

    const struct {
        std::optional<int> stars;
        int id;
        const char* expected;
    } cases[] = {
        { 2, HotKeyId::RatingDown, "updaterating 20" },
        { 5, HotKeyId::RatingUp, "updaterating 100" },
        { 0, HotKeyId::RatingDown, "updaterating 0" },
        { std::nullopt, HotKeyId::RatingUp, "updaterating 20" }, // unrated or odd rating
        { std::nullopt, HotKeyId::RatingDown, "updaterating 0" },
    };
    for (const auto& c : cases) {
        actions.log.clear();
        actions.popups = 0;
        actions.stars = c.stars;
        dispatcher.HotKey(c.id);
        EXPECT_EQ(actions.log, QStringList({ "RefreshRatingMarks", c.expected, "ShowTrackPopup" }))
            << c.stars.value_or(-1) << " stars, id " << c.id;
    }

    actions.ratingFails = true;
    dispatcher.HotKey(HotKeyId::RatingUp);
    EXPECT_EQ(actions.log.last(), "updaterating 20") << "a rating that failed (it said why) leaves the pop-ups";
}

TEST_F(HotKeyDispatch, PlayerErrorsNeverEscape)
{
    actions.player.failingCalls = QStringList({ "NextTrack", "SoundVolume" });
    actions.player.volume = 40;
    for (int id = HotKeyId::First; id <= HotKeyId::Last; ++id)
        EXPECT_NO_THROW(dispatcher.HotKey(id)) << id;
    EXPECT_EQ(actions.player.volume, 40) << "a failed read writes nothing";
    EXPECT_EQ(actions.player.calls, QStringList({ "PreviousTrack", "Play" }));
}

} // namespace
