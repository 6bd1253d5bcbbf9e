#include "platform/hotkeys/PortalHotKeyRegistrar.h"
#include "FakeDesktop.h"
#include "FakeGlobalShortcutsPortal.h"
#include "PrivateBus.h"
#include "app/commands/GlobalHotKeys.h"
#include "app/options/HotKeysPage.h"
#include "platform/hotkeys/PortalTrigger.h"
#include "tray/hotkeys/HotKeyRegistration.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

// The portal registrar against a fake portal, registering the stored keys as the program does.
namespace
{
constexpr int kWaitMs = 5000;

class PortalHotKeyRegistrarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bus.start(QStringLiteral("portal-test"))) << qPrintable(bus.error());
        portal = std::make_unique<FakeGlobalShortcutsPortal>(bus.address());
        ASSERT_TRUE(portal->start());
        registrar = std::make_unique<PortalHotKeyRegistrar>(bus.client());
        GlobalHotKeys::describeHotKeys(*registrar);
        registration = std::make_unique<HotKeyRegistration>(*registrar, desktop, [this](int id) { pressed << id; });
    }

    void loadStoredKeys()
    {
        registration->LoadHotKeys({ true, "Ctrl", { "P", "PageUp", "Right", "KeyPad+", "KeyPad-", "5", "F9", "A" } });
    }
    // The desktop has bound the binds-th set of shortcuts and told their keys.
    bool assigned(int binds)
    {
        return QTest::qWaitFor(
            [&] { return portal->binds().size() == binds && !registrar->assignedTrigger(HotKeyId::PopUp).isEmpty(); },
            kWaitMs);
    }

    PrivateBus bus;
    std::unique_ptr<FakeGlobalShortcutsPortal> portal;
    std::unique_ptr<PortalHotKeyRegistrar> registrar;
    FakeDesktop desktop;
    QList<int> pressed;
    std::unique_ptr<HotKeyRegistration> registration;
};

TEST_F(PortalHotKeyRegistrarTest, BindsTheEightActionsAtOnceShowsTheirKeysAndDeliversTheirPresses)
{
    loadStoredKeys();
    ASSERT_TRUE(assigned(1)) << "the eight registrations go out as one bind";
    QMap<QString, QString> triggers;
    const QList<PortalShortcuts> binds = portal->binds();
    for (const auto& [name, properties] : binds.first())
        triggers.insert(name, properties.value("preferred_trigger").toString());
    const QMap<QString, QString> expected { { "popup", "CTRL+p" }, { "previous-track", "CTRL+Prior" },
        { "next-track", "CTRL+Right" }, { "volume-up", "CTRL+KP_Add" }, { "volume-down", "CTRL+KP_Subtract" },
        { "play-pause", "CTRL+5" }, { "rating-up", "CTRL+F9" }, { "rating-down", "CTRL+a" } };
    EXPECT_EQ(triggers, expected);
    EXPECT_EQ(portalTrigger(HotKeyModifier::All, 0x27), "CTRL+ALT+SHIFT+LOGO+Right");

    HotKeysPage page;
    page.showAssignments(*registrar);
    EXPECT_TRUE(page.findChild<QLabel*>("lblDesktopKeys")->isVisibleTo(&page));
    const auto* nextTrack = page.findChild<QLabel*>("lblAssignedKey3");
    EXPECT_EQ(nextTrack->text(), "Desk CTRL+Right") << "the keys assigned before the page was built";
    portal->reassign("next-track", "Meta+N");
    EXPECT_TRUE(QTest::qWaitFor([&] { return nextTrack->text() == "Meta+N"; }, kWaitMs));

    portal->activate("next-track");
    portal->activate("rating-up");
    ASSERT_TRUE(QTest::qWaitFor([&] { return pressed.size() == 2; }, kWaitMs));
    EXPECT_EQ(pressed, (QList<int> { HotKeyId::NextTrack, HotKeyId::RatingUp }));

    // Released: bound anew without it, and its presses stay silent.
    registrar->unregisterHotKey(HotKeyId::NextTrack);
    ASSERT_TRUE(assigned(2));
    EXPECT_EQ(portal->binds().last().size(), 7);
    portal->activate("next-track");
    portal->activate("popup");
    ASSERT_TRUE(QTest::qWaitFor([&] { return pressed.size() == 3; }, kWaitMs));
    EXPECT_EQ(pressed.last(), HotKeyId::PopUp);
}

TEST_F(PortalHotKeyRegistrarTest, RefusalsComeBackWhenTheDesktopAnswers)
{
    QSignalSpy failed(registrar.get(), &HotKeyRegistrar::registrationFailed);
    portal->bindResponse = 1;
    loadStoredKeys();
    // Counted rather than awaited: a busy machine may deliver the answer before a wait begins.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !failed.isEmpty(); }, kWaitMs))
        << "the user declined at the desktop's prompt";
    EXPECT_TRUE(registrar->isAvailable());
    EXPECT_TRUE(registrar->assignedTrigger(HotKeyId::PopUp).isEmpty());

    portal->hasGlobalShortcuts = false;
    PortalHotKeyRegistrar older(bus.client());
    QSignalSpy unavailable(&older, &HotKeyRegistrar::registrationFailed);
    EXPECT_TRUE(older.registerHotKey(HotKeyId::PopUp, HotKeyModifier::Control, 'P'));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !unavailable.isEmpty(); }, kWaitMs));
    EXPECT_FALSE(older.isAvailable());
    EXPECT_FALSE(older.registerHotKey(HotKeyId::PopUp, HotKeyModifier::Control, 'P'));
}
}
