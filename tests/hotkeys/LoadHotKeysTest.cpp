#include "FakeDesktop.h"
#include "FakeHotKeyRegistrar.h"
#include "tray/hotkeys/HotKeyRegistration.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <memory>

namespace
{

constexpr int kCtrl = 2;

HotKeySettings defaults(bool enabled = true)
{
    return { enabled, "Ctrl", { "E", "Left", "Right", "Up", "Down", "P", "PageUp", "PageDn" } };
}

class LoadHotKeys : public testing::Test
{
protected:
    FakeHotKeyRegistrar registrar;
    FakeDesktop desktop;
    QList<int> pressed;
    std::unique_ptr<HotKeyRegistration> hotKeys
        = std::make_unique<HotKeyRegistration>(registrar, desktop, [this](int id) { pressed << id; });
};

TEST_F(LoadHotKeys, RegistersIdsOneToEightOnceHoweverOftenAppliedSkippingUnknownKeysQuietly)
{
    hotKeys->LoadHotKeys(defaults());
    EXPECT_EQ(registrar.live.keys(), QList<int>({ 1, 2, 3, 4, 5, 6, 7, 8 }));

    // A second pass with two keys swapped: everything is released before anything is taken.
    HotKeySettings swapped = defaults();
    std::swap(swapped.keys[1], swapped.keys[2]);
    hotKeys->LoadHotKeys(swapped);
    EXPECT_EQ(registrar.live[2].virtualKey, 39);
    registrar.press(kCtrl, 39);
    registrar.press(kCtrl, 0x45);
    EXPECT_EQ(pressed, QList<int>({ 2, 1 })) << "once each, not once per pass";

    // The modifier gives the code; unknown keys and bare keys are not registered.
    HotKeySettings settings = defaults();
    settings.keys[0] = "";
    settings.keys[5] = "Esc";
    for (const auto& [name, code] : { std::pair { "Win", 8 }, { "Alt", 1 }, { "Shift", 4 } }) {
        settings.modifier = name;
        hotKeys->LoadHotKeys(settings);
        EXPECT_EQ(registrar.live.keys(), QList<int>({ 2, 3, 4, 5, 7, 8 })) << name;
        EXPECT_EQ(registrar.live[8].modifiers, code) << name;
    }
    registrar.attempts.clear();
    settings.modifier = "";
    hotKeys->LoadHotKeys(settings);
    EXPECT_TRUE(registrar.attempts.isEmpty()) << "no bare keys without a modifier";
    EXPECT_TRUE(desktop.messages.isEmpty());
}

TEST_F(LoadHotKeys, AKeyTakenTwiceOrByAnotherProgramFailsOnlyItsIdWithOneMessageARun)
{
    HotKeySettings settings = defaults();
    settings.keys[2] = "Left"; // next track on previous track's key
    hotKeys->LoadHotKeys(settings);
    EXPECT_EQ(desktop.messages, QStringList("Error registering hotkey usually caused by mapping the same key twice."));
    EXPECT_EQ(hotKeys->failures().keys(), QList<int>({ 3 })) << "the later id fails";
    EXPECT_EQ(registrar.live.size(), 7);
    registrar.press(kCtrl, 40);
    EXPECT_EQ(pressed, QList<int>({ 5 }));

    registrar.heldElsewhere.insert({ kCtrl, 0x45 });
    hotKeys->LoadHotKeys(defaults());
    EXPECT_EQ(desktop.messages.size(), 1) << "a refusal is told once a run";
    EXPECT_EQ(hotKeys->failures().keys(), QList<int>({ 1 }));
    EXPECT_EQ(registrar.live.keys(), QList<int>({ 2, 3, 4, 5, 6, 7, 8 }));
}

TEST_F(LoadHotKeys, DisablingUnhookingAndDestructionReleaseEverything)
{
    const std::function<void()> releases[] = {
        [&] { hotKeys->LoadHotKeys(defaults(false)); },
        [&] { hotKeys->Unhook(); },
        [&] { hotKeys.reset(); },
    };
    for (const auto& release : releases) {
        hotKeys->LoadHotKeys(defaults());
        release();
        EXPECT_TRUE(registrar.live.isEmpty());
        emit registrar.hotKeyPressed(1);
        EXPECT_TRUE(pressed.isEmpty());
    }
}

TEST_F(LoadHotKeys, AnUnavailableSessionIsToldOnceAndShowsNoMessageBoxes)
{
    registrar.available = false;
    QSignalSpy unavailable(hotKeys.get(), &HotKeyRegistration::hotKeysUnavailable);
    hotKeys->LoadHotKeys(defaults(false));
    EXPECT_EQ(unavailable.count(), 0);
    hotKeys->LoadHotKeys(defaults());
    hotKeys->LoadHotKeys(defaults());
    EXPECT_EQ(unavailable.count(), 1);
    EXPECT_TRUE(registrar.attempts.isEmpty());
    EXPECT_TRUE(desktop.messages.isEmpty());
}

// The message box's nested event loop may end the program, destroying the registration.
TEST_F(LoadHotKeys, DestroyedDuringTheMessageBoxStopsThePass)
{
    desktop.onMessage = [&] { hotKeys.reset(); };
    registrar.heldElsewhere.insert({ kCtrl, 37 });
    hotKeys->LoadHotKeys(defaults());
    EXPECT_EQ(registrar.attempts.size(), 2) << "nothing after id 2";
    EXPECT_TRUE(registrar.live.isEmpty());
}

} // namespace
