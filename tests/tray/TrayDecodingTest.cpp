#include "FakeTrayShell.h"
#include "TrayTestSupport.h"
#include "platform/tray/TrayActivation.h"
#include "tray/ShellVersion.h"
#include "tray/TrayNotification.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

TEST(DecodeNotification, MapsEveryKnownCode)
{
    struct Row {
        int code;
        TrayEvent event;
        int button;
    };
    const Row rows[] = {
        { 512, TrayEvent::MouseMove, 0 },
        { 513, TrayEvent::None, 0 },
        { 514, TrayEvent::MouseDown, 1 },
        { 515, TrayEvent::DoubleClick, 1 },
        { 516, TrayEvent::MouseDown, 2 },
        { 517, TrayEvent::MouseUp, 2 },
        { 518, TrayEvent::DoubleClick, 2 },
        { 1026, TrayEvent::BalloonShow, 0 },
        { 1027, TrayEvent::BalloonHide, 0 },
        { 1028, TrayEvent::BalloonTimeOut, 0 },
        { 1029, TrayEvent::BalloonClicked, 0 },
    };
    for (const Row& row : rows) {
        const TrayNotification decoded = decodeNotification(row.code);
        EXPECT_EQ(decoded.event, row.event) << row.code;
        EXPECT_EQ(decoded.button, row.button) << row.code;
    }
}

TEST(QtActivation, MapsOntoTheShellsCodes)
{
    EXPECT_EQ(notificationCodesFor(QSystemTrayIcon::Trigger), QList<int>({ 514 }));
    EXPECT_EQ(notificationCodesFor(QSystemTrayIcon::DoubleClick), QList<int>({ 515 }));
    EXPECT_EQ(notificationCodesFor(QSystemTrayIcon::Context), QList<int>({ 516, 517 }));
    EXPECT_TRUE(notificationCodesFor(QSystemTrayIcon::MiddleClick).isEmpty());
    EXPECT_TRUE(notificationCodesFor(QSystemTrayIcon::Unknown).isEmpty());
}

TEST(DecodeVersionWord, NtFamilyIsWideAndBalloonsComeWithFive)
{
    EXPECT_TRUE(decodeVersionWord(0x0005).useUnicode);
    EXPECT_TRUE(decodeVersionWord(0x0005).supportsBalloon);
    EXPECT_TRUE(decodeVersionWord(0x0105).supportsBalloon); // 5.1
    EXPECT_TRUE(decodeVersionWord(0x23F00206).supportsBalloon); // 6.2 with a build number
    EXPECT_TRUE(decodeVersionWord(0x0004).useUnicode);
    EXPECT_FALSE(decodeVersionWord(0x0004).supportsBalloon);
    EXPECT_FALSE(decodeVersionWord(0x5A04).supportsBalloon); // 4.90 is not special on NT
}

TEST(DecodeVersionWord, OtherFamilyIsNarrowAndOnlyFourNinetyHasBalloons)
{
    EXPECT_FALSE(decodeVersionWord(FakeTrayShell::kWindowsMe).useUnicode);
    EXPECT_TRUE(decodeVersionWord(FakeTrayShell::kWindowsMe).supportsBalloon);
    EXPECT_FALSE(decodeVersionWord(FakeTrayShell::kWindows98).useUnicode);
    EXPECT_FALSE(decodeVersionWord(FakeTrayShell::kWindows98).supportsBalloon);
    EXPECT_FALSE(decodeVersionWord(0x80000005).supportsBalloon);
}

class TrayEvents : public ::testing::Test {
protected:
    FakeTrayShell shell;
    RecordingOwner owner;
    frmSysTray tray { shell, owner };
    QSignalSpy down { &tray, &frmSysTray::SysTrayMouseDown };
    QSignalSpy up { &tray, &frmSysTray::SysTrayMouseUp };
    QSignalSpy move { &tray, &frmSysTray::SysTrayMouseMove };
    QSignalSpy dbl { &tray, &frmSysTray::SysTrayDoubleClick };

    int mouseSignals() const { return int(down.size() + up.size() + move.size() + dbl.size()); }
};

TEST_F(TrayEvents, LeftClickActsOnReleaseOnly)
{
    shell.notify(513);
    EXPECT_EQ(mouseSignals(), 0);
    shell.notify(514);
    ASSERT_EQ(down.size(), 1);
    EXPECT_EQ(down.at(0).at(0).toInt(), 1);
    EXPECT_EQ(up.size(), 0);
}

TEST_F(TrayEvents, RightClickRaisesDownOnPressAndUpOnRelease)
{
    shell.notify(516);
    ASSERT_EQ(down.size(), 1);
    EXPECT_EQ(down.at(0).at(0).toInt(), 2);
    EXPECT_EQ(up.size(), 0);
    shell.notify(517);
    ASSERT_EQ(up.size(), 1);
    EXPECT_EQ(up.at(0).at(0).toInt(), 2);
}

TEST_F(TrayEvents, MovesDoubleClicksAndBalloons)
{
    QSignalSpy shown(&tray, &frmSysTray::BalloonShow);
    QSignalSpy hidden(&tray, &frmSysTray::BalloonHide);
    QSignalSpy timedOut(&tray, &frmSysTray::BalloonTimeOut);
    QSignalSpy clicked(&tray, &frmSysTray::BalloonClicked);
    for (const int code : { 512, 515, 518, 1026, 1027, 1028, 1029 })
        shell.notify(code);
    EXPECT_EQ(move.size(), 1);
    ASSERT_EQ(dbl.size(), 2);
    EXPECT_EQ(dbl.at(0).at(0).toInt(), 1);
    EXPECT_EQ(dbl.at(1).at(0).toInt(), 2);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(hidden.size(), 1);
    EXPECT_EQ(timedOut.size(), 1);
    EXPECT_EQ(clicked.size(), 1);
}

TEST_F(TrayEvents, UnknownCodesRaiseNothing)
{
    QSignalSpy menu(&tray, &frmSysTray::MenuClick);
    for (const int code : { 0, 519, 1025, 1030 })
        shell.notify(code);
    EXPECT_EQ(mouseSignals(), 0);
    EXPECT_EQ(menu.size(), 0);
}

} // namespace
