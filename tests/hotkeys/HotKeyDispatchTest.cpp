#include "HotKeyTestSupport.h"
#include "tray/hotkeys/HotKey.h"
#include "tray/hotkeys/HotKeyDispatcher.h"

#include <gtest/gtest.h>

namespace {

constexpr int kPlayPauseItem = 7;

class HotKeyDispatch : public testing::Test {
protected:
    QString playPauseCaption() { return actions.tray.mnuSysTray().caption(kPlayPauseItem); }

    RecordingActions actions;
    HotKeyDispatcher dispatcher { actions };
};

TEST_F(HotKeyDispatch, TrackKeysCallThePlayer)
{
    dispatcher.HotKey(HotKeyId::PreviousTrack);
    dispatcher.HotKey(HotKeyId::NextTrack);
    EXPECT_EQ(actions.player.calls, QStringList({ "PreviousTrack", "NextTrack" }));
}

TEST_F(HotKeyDispatch, VolumeStepsByFiveUnclamped)
{
    actions.player.volume = 98;
    dispatcher.HotKey(HotKeyId::VolumeUp);
    EXPECT_EQ(actions.player.volume, 103);

    actions.player.volume = 3;
    dispatcher.HotKey(HotKeyId::VolumeDown);
    EXPECT_EQ(actions.player.volume, -2);
}

TEST_F(HotKeyDispatch, PopUpKeyClosesShowingPopupsOrShowsTheTrack)
{
    dispatcher.HotKey(HotKeyId::PopUp);
    dispatcher.HotKey(HotKeyId::PopUp);
    EXPECT_EQ(actions.log, QStringList({ "ShowTrackPopup", "closeTrackPopups" }));
}

TEST_F(HotKeyDispatch, WhileNotPlayingOnlyPlayPauseActs)
{
    actions.player.state = PlayerApplication::Stopped;
    actions.player.volume = 50;
    actions.stars = 3;
    for (int id = HotKeyId::First; id <= HotKeyId::Last; ++id)
        dispatcher.HotKey(id);

    EXPECT_EQ(actions.player.calls, QStringList({ "Play" }));
    EXPECT_EQ(actions.player.volume, 50);
    EXPECT_TRUE(actions.log.isEmpty());
    EXPECT_EQ(playPauseCaption(), "&Pause");
}

TEST_F(HotKeyDispatch, AnUnreadableStateCountsAsNotPlaying)
{
    actions.player.failing = true;
    dispatcher.HotKey(HotKeyId::PopUp);
    dispatcher.HotKey(HotKeyId::PreviousTrack);
    EXPECT_TRUE(actions.log.isEmpty());
    EXPECT_TRUE(actions.player.calls.isEmpty());
}

TEST_F(HotKeyDispatch, WithoutAPlayerOnlyTheCaptionTurns)
{
    actions.connected = false;
    dispatcher.HotKey(HotKeyId::NextTrack);
    dispatcher.HotKey(HotKeyId::PlayPause);
    EXPECT_TRUE(actions.player.calls.isEmpty());
    EXPECT_EQ(playPauseCaption(), "&Pause");
}

TEST_F(HotKeyDispatch, UnknownIdsDoNothing)
{
    for (int id : { 0, 9, -1, 0x0312 })
        dispatcher.HotKey(id);
    EXPECT_TRUE(actions.player.calls.isEmpty());
    EXPECT_TRUE(actions.log.isEmpty());
    EXPECT_EQ(playPauseCaption(), "&Play");
}

TEST_F(HotKeyDispatch, PlayPauseWalksTheMenuCaptions)
{
    dispatcher.HotKey(HotKeyId::PlayPause);
    EXPECT_EQ(playPauseCaption(), "&Pause");
    dispatcher.HotKey(HotKeyId::PlayPause);
    EXPECT_EQ(playPauseCaption(), "&Play");
    EXPECT_EQ(actions.player.calls, QStringList({ "Play", "Pause" }));
}

TEST_F(HotKeyDispatch, PlayPauseTurnsOnlyTheFirstMatchingItem)
{
    TrayMenuArray& menu = actions.tray.mnuSysTray();
    menu.setCaption(3, "&Pause");
    dispatcher.HotKey(HotKeyId::PlayPause);
    EXPECT_EQ(menu.caption(3), "&Play");
    EXPECT_EQ(playPauseCaption(), "&Play");
    EXPECT_EQ(actions.player.calls, QStringList({ "Pause" }));
}

TEST_F(HotKeyDispatch, PlayPauseIgnoresElementZeroAndOtherCaptions)
{
    TrayMenuArray& menu = actions.tray.mnuSysTray();
    menu.setCaption(kPlayPauseItem, "&Stop");
    menu.setCaption(0, "&Play");
    dispatcher.HotKey(HotKeyId::PlayPause);
    EXPECT_EQ(menu.caption(0), "&Play");
    EXPECT_TRUE(actions.player.calls.isEmpty());

    actions.withMenu = false;
    dispatcher.HotKey(HotKeyId::PlayPause);
    EXPECT_TRUE(actions.player.calls.isEmpty());
}

TEST_F(HotKeyDispatch, PlayPauseTurnsTheCaptionEvenWhenThePlayerFails)
{
    actions.player.failing = true;
    dispatcher.HotKey(HotKeyId::PlayPause); // &Play -> &Pause, Play works
    dispatcher.HotKey(HotKeyId::PlayPause); // &Pause -> &Play, Pause throws
    EXPECT_EQ(playPauseCaption(), "&Play");
    EXPECT_EQ(actions.player.calls, QStringList({ "Play" }));
}

TEST_F(HotKeyDispatch, RatingStepsOneStarAndShowsThePopupAnew)
{
    actions.stars = 2;
    actions.popups = 2;
    dispatcher.HotKey(HotKeyId::RatingUp);
    EXPECT_EQ(actions.log,
        QStringList({ "RefreshRatingMarks", "updaterating 60", "closeTrackPopups", "ShowTrackPopup" }));

    actions.log.clear();
    actions.popups = 0;
    dispatcher.HotKey(HotKeyId::RatingDown);
    EXPECT_EQ(actions.log, QStringList({ "RefreshRatingMarks", "updaterating 20", "ShowTrackPopup" }));
}

TEST_F(HotKeyDispatch, RatingStaysWithinNoneAndFiveStars)
{
    struct Case {
        std::optional<int> stars;
        int id;
        const char* expected;
    };
    const Case cases[] = {
        { 5, HotKeyId::RatingUp, "updaterating 100" },
        { 0, HotKeyId::RatingDown, "updaterating 0" },
        { std::nullopt, HotKeyId::RatingUp, "updaterating 20" }, // unrated or odd rating
        { std::nullopt, HotKeyId::RatingDown, "updaterating 0" },
        { 4, HotKeyId::RatingUp, "updaterating 100" },
        { 1, HotKeyId::RatingDown, "updaterating 0" },
    };
    for (const Case& c : cases) {
        actions.log.clear();
        actions.stars = c.stars;
        dispatcher.HotKey(c.id);
        ASSERT_GE(actions.log.size(), 2);
        EXPECT_EQ(actions.log[1], c.expected) << c.stars.value_or(-1) << " stars, id " << c.id;
    }
}

TEST_F(HotKeyDispatch, AFailedRatingStillShowsThePopup)
{
    actions.ratingFails = true;
    actions.stars = 1;
    dispatcher.HotKey(HotKeyId::RatingUp);
    EXPECT_EQ(actions.log.last(), "ShowTrackPopup");
}

TEST_F(HotKeyDispatch, PlayerErrorsNeverEscape)
{
    actions.player.failingCalls = QStringList({ "NextTrack", "SoundVolume" });
    actions.player.volume = 40;
    for (int id = HotKeyId::First; id <= HotKeyId::Last; ++id)
        EXPECT_NO_THROW(dispatcher.HotKey(id)) << id;
    EXPECT_EQ(actions.player.volume, 40); // a failed read writes nothing
    EXPECT_EQ(actions.player.calls, QStringList({ "PreviousTrack", "Play" }));
}

} // namespace
