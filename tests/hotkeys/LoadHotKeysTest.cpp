#include "FakeDesktop.h"
#include "FakeHotKeyRegistrar.h"
#include "tray/hotkeys/HotKeyRegistration.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <memory>

namespace {

using Registration = FakeHotKeyRegistrar::Registration;
constexpr int kCtrl = 2;

// The default page: "Ctrl" with "E", "Left", "Right", "Up", "Down", "P", "PageUp", "PageDn".
HotKeySettings defaults(bool enabled = true)
{
    HotKeySettings settings;
    settings.enabled = enabled;
    settings.modifier = "Ctrl";
    settings.keys = { "E", "Left", "Right", "Up", "Down", "P", "PageUp", "PageDn" };
    return settings;
}

const QList<Registration> kDefaultRegistrations { { 1, kCtrl, 0x45 }, { 2, kCtrl, 37 }, { 3, kCtrl, 39 },
    { 4, kCtrl, 38 }, { 5, kCtrl, 40 }, { 6, kCtrl, 0x50 }, { 7, kCtrl, 33 }, { 8, kCtrl, 34 } };

class LoadHotKeys : public testing::Test {
protected:
    std::unique_ptr<HotKeyRegistration> makeRegistration()
    {
        return std::make_unique<HotKeyRegistration>(registrar, desktop, [this](int id) { pressed << id; });
    }

    FakeHotKeyRegistrar registrar;
    FakeDesktop desktop;
    QList<int> pressed;
    std::unique_ptr<HotKeyRegistration> hotKeys = makeRegistration();
};

TEST_F(LoadHotKeys, RegistersIdsOneToEightInOrderWithTheSharedModifier)
{
    hotKeys->LoadHotKeys(defaults());

    EXPECT_EQ(registrar.unregistered, QList<int>({ 1, 2, 3, 4, 5, 6, 7, 8 }));
    EXPECT_EQ(registrar.attempts, kDefaultRegistrations);
    EXPECT_EQ(registrar.live.size(), 8);
    EXPECT_TRUE(desktop.messages.isEmpty());
    EXPECT_TRUE(hotKeys->isHooked());
    EXPECT_TRUE(hotKeys->failures().isEmpty());

    registrar.press(kCtrl, 39);
    registrar.press(kCtrl, 0x45);
    EXPECT_EQ(pressed, QList<int>({ 3, 1 }));
}

TEST_F(LoadHotKeys, TwoSelectorsOnOneKeyGiveOneMessageAndSevenHotkeys)
{
    HotKeySettings settings = defaults();
    settings.keys[2] = "Left"; // next track on previous track's key
    hotKeys->LoadHotKeys(settings);

    EXPECT_EQ(desktop.messages, QStringList(HotKeyRegistration::kRegistrationError));
    EXPECT_EQ(desktop.messages.first(), "Error registering hotkey usually caused by mapping the same key twice.");
    EXPECT_EQ(registrar.attempts.size(), 8);
    EXPECT_EQ(registrar.live.size(), 7);
    EXPECT_FALSE(registrar.live.contains(3)); // the later id fails
    EXPECT_EQ(hotKeys->failures().keys(), QList<int>({ 3 }));
    EXPECT_TRUE(hotKeys->isHooked());
    registrar.press(kCtrl, 40);
    EXPECT_EQ(pressed, QList<int>({ 5 }));
}

TEST_F(LoadHotKeys, AKeyAnotherProgramHoldsFailsOnlyItsId)
{
    registrar.heldElsewhere.insert({ kCtrl, 0x45 });
    hotKeys->LoadHotKeys(defaults());

    EXPECT_EQ(desktop.messages.size(), 1);
    EXPECT_EQ(hotKeys->failures().keys(), QList<int>({ 1 }));
    EXPECT_EQ(registrar.live.keys(), QList<int>({ 2, 3, 4, 5, 6, 7, 8 }));
}

TEST_F(LoadHotKeys, ApplyingTwiceLeavesEightRegistrationsAndOneHook)
{
    hotKeys->LoadHotKeys(defaults());
    hotKeys->LoadHotKeys(defaults());

    EXPECT_EQ(registrar.live.size(), 8);
    EXPECT_EQ(registrar.hooks(), 1);
    EXPECT_TRUE(desktop.messages.isEmpty());
    registrar.press(kCtrl, 0x50);
    EXPECT_EQ(pressed, QList<int>({ 6 })); // once, not once per pass
}

TEST_F(LoadHotKeys, EverythingIsReleasedBeforeAnythingIsRegistered)
{
    hotKeys->LoadHotKeys(defaults());
    HotKeySettings swapped = defaults();
    std::swap(swapped.keys[1], swapped.keys[2]);
    hotKeys->LoadHotKeys(swapped);

    EXPECT_TRUE(desktop.messages.isEmpty());
    EXPECT_EQ(registrar.live[2].virtualKey, 39);
    EXPECT_EQ(registrar.live[3].virtualKey, 37);
}

TEST_F(LoadHotKeys, DisabledRegistersNothingAndLeavesNoHook)
{
    hotKeys->LoadHotKeys(defaults(false));

    EXPECT_TRUE(registrar.attempts.isEmpty());
    EXPECT_TRUE(registrar.live.isEmpty());
    EXPECT_FALSE(hotKeys->isHooked());
    EXPECT_EQ(registrar.hooks(), 0);
}

TEST_F(LoadHotKeys, DisablingAfterwardsReleasesEveryHotkeyAndTheHook)
{
    hotKeys->LoadHotKeys(defaults());
    hotKeys->LoadHotKeys(defaults(false));

    EXPECT_TRUE(registrar.live.isEmpty());
    EXPECT_FALSE(hotKeys->isHooked());
    EXPECT_EQ(registrar.hooks(), 0);
    emit registrar.hotKeyPressed(1);
    EXPECT_TRUE(pressed.isEmpty());
}

TEST_F(LoadHotKeys, ModifierNamesGiveTheirCodes)
{
    HotKeySettings settings = defaults();
    settings.modifier = "Win"; // from the store only
    hotKeys->LoadHotKeys(settings);
    EXPECT_EQ(registrar.live[1].modifiers, 8);

    settings.modifier = "Alt";
    hotKeys->LoadHotKeys(settings);
    EXPECT_EQ(registrar.live[1].modifiers, 1);

    settings.modifier = "Shift";
    hotKeys->LoadHotKeys(settings);
    EXPECT_EQ(registrar.live[8].modifiers, 4);
}

TEST_F(LoadHotKeys, AnIdWithoutAKnownKeyIsSkippedQuietly)
{
    HotKeySettings settings = defaults();
    settings.keys[0] = "";
    settings.keys[5] = "Esc";
    hotKeys->LoadHotKeys(settings);

    EXPECT_TRUE(desktop.messages.isEmpty());
    EXPECT_EQ(registrar.live.keys(), QList<int>({ 2, 3, 4, 5, 7, 8 }));
    EXPECT_TRUE(hotKeys->isHooked());
}

TEST_F(LoadHotKeys, AnUnknownModifierRegistersNoBareKeys)
{
    HotKeySettings settings = defaults();
    settings.modifier = "";
    hotKeys->LoadHotKeys(settings);

    EXPECT_TRUE(registrar.attempts.isEmpty());
    EXPECT_TRUE(desktop.messages.isEmpty());
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

TEST_F(LoadHotKeys, ShutdownAndDestructionUnregisterAndUnhook)
{
    hotKeys->LoadHotKeys(defaults());
    hotKeys->Unhook();
    EXPECT_TRUE(registrar.live.isEmpty());
    EXPECT_FALSE(hotKeys->isHooked());
    EXPECT_EQ(registrar.hooks(), 0);

    hotKeys->LoadHotKeys(defaults());
    registrar.unregistered.clear();
    hotKeys.reset();
    EXPECT_EQ(registrar.unregistered, QList<int>({ 1, 2, 3, 4, 5, 6, 7, 8 }));
    EXPECT_TRUE(registrar.live.isEmpty());
    EXPECT_EQ(registrar.hooks(), 0);
}

// The message box's nested event loop may end the program, destroying the registration.
class DestroyingDesktop : public FakeDesktop {
public:
    std::function<void()> onMessage;
    void messageBox(const QString& text) override
    {
        FakeDesktop::messageBox(text);
        if (onMessage)
            onMessage();
    }
};

TEST(LoadHotKeysReentry, DestroyedDuringTheMessageBoxStopsThePass)
{
    FakeHotKeyRegistrar registrar;
    DestroyingDesktop desktop;
    auto hotKeys = std::make_unique<HotKeyRegistration>(registrar, desktop, [](int) { });
    desktop.onMessage = [&] { hotKeys.reset(); };
    registrar.heldElsewhere.insert({ kCtrl, 37 });

    hotKeys->LoadHotKeys(defaults());

    EXPECT_EQ(desktop.messages.size(), 1);
    EXPECT_EQ(registrar.attempts.size(), 2); // nothing after id 2
    EXPECT_TRUE(registrar.live.isEmpty()); // id 1 released by the destruction
    EXPECT_EQ(registrar.hooks(), 0);
}

} // namespace
