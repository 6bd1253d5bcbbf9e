#pragma once

#include "FakePlayer.h"
#include "FakeTrayShell.h"
#include "tray/SysTrayOwner.h"
#include "tray/frmSysTray.h"
#include "tray/hotkeys/HotKeyActions.h"

#include <QStringList>

#include <optional>
#include <stdexcept>

// A player whose every call can be made to fail, as a player that vanished would.
class FailingPlayer : public FakePlayer
{
public:
    bool failing = false; // every call below fails
    QStringList failingCalls; // only these fail

    int PlayerState() const override
    {
        check(QStringLiteral("PlayerState"));
        return FakePlayer::PlayerState();
    }
    void NextTrack() override
    {
        check(QStringLiteral("NextTrack"));
        FakePlayer::NextTrack();
    }
    void Pause() override
    {
        check(QStringLiteral("Pause"));
        FakePlayer::Pause();
    }
    int SoundVolume() const override
    {
        check(QStringLiteral("SoundVolume"));
        return FakePlayer::SoundVolume();
    }

private:
    void check(const QString& call) const
    {
        if (failing || failingCalls.contains(call))
            throw PlayerError(QStringLiteral("player gone"));
    }
};

// The main window as the hotkeys see it, with a real tray menu (item 4 is the play/pause
// item) and a log of what was asked.
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
