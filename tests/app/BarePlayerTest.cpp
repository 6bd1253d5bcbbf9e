#include "../mpris/PrivateBus.h"
#include "AppTestRig.h"
#include "FakeMprisService.h"
#include "player/mpris/MprisPlayerBackend.h"
#include "popup/PopUpMessage.h"

#include <gtest/gtest.h>

#include <QTest>

// A player with nothing but what MPRIS requires, on a bus of the test's own.
TEST(BarePlayer, GetsItsPopUpTooltipAndCommandsAndOutlivesExit)
{
    PrivateBus bus;
    ASSERT_TRUE(bus.start(QStringLiteral("bare-player-test"))) << bus.error().toStdString();
    FakeMprisService player(bus.address(), QStringLiteral("bare"));
    player.fillRequired();
    ASSERT_TRUE(player.start());
    MprisPlayerBackend backend(QString(), bus.client());
    AppTestRig rig;
    rig.playerBackend = &backend;
    frmMain& main = rig.load();

    ASSERT_TRUE(main.link().isConnected());
    // Attached at once, described as soon as it answers: what plays shows then.
    QTRY_VERIFY_WITH_TIMEOUT(main.notification().titlePopUp() != nullptr, 5000);
    // Named as the player calls itself, even when its name comes after its track.
    QTRY_COMPARE_WITH_TIMEOUT(main.notification().titlePopUp()->Caption(), QStringLiteral("Bare Player"), 5000);
    EXPECT_TRUE(main.notification().titlePopUp()->message().startsWith("Bare Song\r\nBare Artist\r\n"));
    EXPECT_TRUE(main.sysTray()->ToolTip().contains("Bare Song"));
    EXPECT_FALSE(rig.entry("Shuffle")->isEnabled());
    EXPECT_FALSE(rig.entry("Shuffle")->toolTip().isEmpty()) << "no shuffle, and why";
    rig.entry("Next Song")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(player.calls().contains("Next"), 5000);

    main.Unload();
    EXPECT_FALSE(player.calls().contains("Quit")) << "the user's player outlives Bolvin";
}
