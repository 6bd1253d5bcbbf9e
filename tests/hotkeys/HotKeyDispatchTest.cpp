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
        if (failingCalls.contains(QLatin1String(name)))
            throw PlayerError(QStringLiteral("player gone"));
        return call();
    }

public:
    QStringList failingCalls;

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
class HotKeyDispatch : public testing::Test, public HotKeyActions, public SysTrayOwner
{
protected:
    HotKeyDispatch()
    {
        for (const char* caption : { "-", "&Show iTunes", "&Shuffle", "-", "&Play", "&Next Song", "&Exit" })
            tray.AddMenuItem(QString::fromLatin1(caption));
        player.state = PlayerApplication::Playing;
    }
    QString playPauseCaption() { return menu.caption(kPlayPauseItem); }

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
    TrayMenuArray* mnuSysTray() override { return withMenu ? &menu : nullptr; }

    FakeTrayShell shell;
    frmSysTray tray { shell, *this };
    TrayMenuArray& menu = tray.mnuSysTray();
    FailingPlayer player;
    bool connected = true;
    bool withMenu = true;
    bool ratingFails = false;
    int popups = 0;
    std::optional<int> stars;
    QStringList log;
    HotKeyDispatcher dispatcher { *this };
};

TEST_F(HotKeyDispatch, WhilePlayingTrackVolumePopUpAndRatingKeysActTheRatingOneStarWithinTheLimits)
{
    player.volume = 98;
    dispatcher.HotKey(HotKeyId::PreviousTrack);
    dispatcher.HotKey(HotKeyId::NextTrack);
    dispatcher.HotKey(HotKeyId::VolumeUp);
    EXPECT_EQ(player.calls, QStringList({ "PreviousTrack", "NextTrack" }));
    EXPECT_EQ(player.volume, 103) << "unclamped";
    player.volume = 3;
    dispatcher.HotKey(HotKeyId::VolumeDown);
    EXPECT_EQ(player.volume, -2);

    dispatcher.HotKey(HotKeyId::PopUp);
    dispatcher.HotKey(HotKeyId::PopUp);
    EXPECT_EQ(log, QStringList({ "ShowTrackPopup", "closeTrackPopups" }));

    log.clear();
    stars = 2;
    popups = 2;
    dispatcher.HotKey(HotKeyId::RatingUp);
    EXPECT_EQ(log, QStringList({ "RefreshRatingMarks", "updaterating 60", "closeTrackPopups", "ShowTrackPopup" }));

    const struct {
        std::optional<int> stars;
        int id;
        const char* expected;
    } cases[] = {
        { 5, HotKeyId::RatingUp, "updaterating 100" }, { 0, HotKeyId::RatingDown, "updaterating 0" },
        { std::nullopt, HotKeyId::RatingUp, "updaterating 20" }, // unrated or odd rating
    };
    for (const auto& c : cases) {
        log.clear();
        popups = 0;
        stars = c.stars;
        dispatcher.HotKey(c.id);
        EXPECT_EQ(log, QStringList({ "RefreshRatingMarks", c.expected, "ShowTrackPopup" }))
            << c.stars.value_or(-1) << " stars, id " << c.id;
    }

    ratingFails = true;
    dispatcher.HotKey(HotKeyId::RatingUp);
    EXPECT_EQ(log.last(), "updaterating 20") << "a rating that failed (it said why) leaves the pop-ups";
}

TEST_F(HotKeyDispatch, WhileNotPlayingOrUnreadableOnlyPlayPauseActs)
{
    player.state = PlayerApplication::Stopped;
    player.volume = 50;
    stars = 3;
    for (int id = HotKeyId::First; id <= HotKeyId::Last; ++id)
        dispatcher.HotKey(id);
    EXPECT_EQ(player.calls, QStringList({ "Play" }));
    EXPECT_EQ(player.volume, 50);
    EXPECT_TRUE(log.isEmpty());

    player.state = PlayerApplication::Playing;
    player.failingCalls = QStringList({ "PlayerState" });
    dispatcher.HotKey(HotKeyId::PopUp);
    dispatcher.HotKey(HotKeyId::PreviousTrack);
    EXPECT_TRUE(log.isEmpty());

    connected = false;
    dispatcher.HotKey(HotKeyId::PlayPause);
    EXPECT_EQ(player.calls, QStringList({ "Play" }));
    EXPECT_EQ(playPauseCaption(), "&Play") << "without a player only the caption turns";
}

TEST_F(HotKeyDispatch, PlayerErrorsNeverEscapeAndPlayPauseFollowsTheCaptionAllTheSame)
{
    player.failingCalls = QStringList({ "NextTrack", "SoundVolume", "Pause" });
    player.volume = 40;
    for (int id = HotKeyId::First; id <= HotKeyId::Last; ++id)
        EXPECT_NO_THROW(dispatcher.HotKey(id)) << id;
    EXPECT_EQ(player.volume, 40) << "a failed read writes nothing";
    EXPECT_EQ(player.calls, QStringList({ "PreviousTrack", "Play" }));
    EXPECT_EQ(playPauseCaption(), "&Pause");
    dispatcher.HotKey(HotKeyId::PlayPause); // Pause throws; the caption still turns
    EXPECT_EQ(playPauseCaption(), "&Play");
    player.failingCalls.clear();
    withMenu = false;
    dispatcher.HotKey(HotKeyId::PlayPause);
    EXPECT_EQ(player.calls, QStringList({ "PreviousTrack", "Play" })) << "without a menu there is no caption to follow";
}

} // namespace
