#include "HotKeyTestSupport.h"
#include "tray/hotkeys/HotKey.h"
#include "tray/hotkeys/HotKeyDispatcher.h"

#include <gtest/gtest.h>

namespace
{

constexpr int kPlayPauseItem = 4;

class HotKeyDispatch : public testing::Test
{
protected:
    QString playPauseCaption() { return actions.tray.mnuSysTray().caption(kPlayPauseItem); }

    RecordingActions actions;
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
    for (int id : { 0, 9, -1, 0x0312 })
        dispatcher.HotKey(id);
    EXPECT_EQ(playPauseCaption(), "&Play") << "unknown ids do nothing";
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
    EXPECT_EQ(actions.player.calls, QStringList({ "Play" }));
    actions.player.failing = false;

    TrayMenuArray& menu = actions.tray.mnuSysTray();
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
