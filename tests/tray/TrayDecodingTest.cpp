#include "FakeTrayShell.h"
#include "TrayTestSupport.h"
#include "platform/tray/TrayActivation.h"
#include "tray/ShellVersion.h"
#include "tray/TrayNotification.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

TEST(DecodeNotification, MapsEveryKnownCodeAndQtActivations)
{
    const struct {
        int code;
        TrayEvent event;
        int button;
    } rows[] = {
        { 512, TrayEvent::MouseMove, 0 }, { 513, TrayEvent::None, 0 }, { 514, TrayEvent::MouseDown, 1 },
        { 515, TrayEvent::DoubleClick, 1 }, { 516, TrayEvent::MouseDown, 2 }, { 517, TrayEvent::MouseUp, 2 },
        { 518, TrayEvent::DoubleClick, 2 }, { 1026, TrayEvent::BalloonShow, 0 },
        { 1027, TrayEvent::BalloonHide, 0 }, { 1028, TrayEvent::BalloonTimeOut, 0 },
        { 1029, TrayEvent::BalloonClicked, 0 }, { 519, TrayEvent::None, 0 }, { 1025, TrayEvent::None, 0 },
    };
    for (const auto& row : rows) {
        const TrayNotification decoded = decodeNotification(row.code);
        EXPECT_EQ(decoded.event, row.event) << row.code;
        EXPECT_EQ(decoded.button, row.button) << row.code;
    }
    EXPECT_EQ(notificationCodesFor(QSystemTrayIcon::Trigger), QList<int>({ 514 }));
    EXPECT_EQ(notificationCodesFor(QSystemTrayIcon::DoubleClick), QList<int>({ 515 }));
    EXPECT_EQ(notificationCodesFor(QSystemTrayIcon::Context), QList<int>({ 516, 517 }));
    EXPECT_TRUE(notificationCodesFor(QSystemTrayIcon::MiddleClick).isEmpty());
}

TEST(DecodeVersionWord, FamilyGivesWidthAndVersionGivesBalloons)
{
    const struct {
        quint32 word;
        bool wide;
        bool balloon;
    } rows[] = {
        { 0x0005, true, true }, { 0x0105, true, true }, { 0x23F00206, true, true }, // 5.0, 5.1, 6.2 + build
        { 0x0004, true, false }, { 0x5A04, true, false }, // 4.90 is not special on NT
        { FakeTrayShell::kWindowsMe, false, true }, { FakeTrayShell::kWindows98, false, false },
        { 0x80000005, false, false },
    };
    for (const auto& row : rows) {
        EXPECT_EQ(decodeVersionWord(row.word).useUnicode, row.wide) << std::hex << row.word;
        EXPECT_EQ(decodeVersionWord(row.word).supportsBalloon, row.balloon) << std::hex << row.word;
    }
}

TEST(TrayEvents, ClicksMovesAndBalloonsBecomeTheComponentsEvents)
{
    FakeTrayShell shell;
    RecordingOwner owner;
    frmSysTray tray { shell, owner };
    QSignalSpy down(&tray, &frmSysTray::SysTrayMouseDown);
    QSignalSpy up(&tray, &frmSysTray::SysTrayMouseUp);
    QSignalSpy move(&tray, &frmSysTray::SysTrayMouseMove);
    QSignalSpy dbl(&tray, &frmSysTray::SysTrayDoubleClick);
    QSignalSpy balloon(&tray, &frmSysTray::BalloonClicked);

    shell.notify(513); // left press: nothing
    EXPECT_EQ(down.size() + up.size(), 0);
    shell.notify(514);
    ASSERT_EQ(down.size(), 1);
    EXPECT_EQ(down.at(0).at(0).toInt(), 1);
    EXPECT_EQ(up.size(), 0) << "a left click acts on release only";
    shell.notify(516);
    shell.notify(517);
    ASSERT_EQ(down.size(), 2);
    EXPECT_EQ(down.at(1).at(0).toInt(), 2);
    ASSERT_EQ(up.size(), 1);
    EXPECT_EQ(up.at(0).at(0).toInt(), 2);

    for (const int code : { 512, 515, 518, 1029, 0, 519, 1030 })
        shell.notify(code);
    EXPECT_EQ(move.size(), 1);
    ASSERT_EQ(dbl.size(), 2);
    EXPECT_EQ(dbl.at(1).at(0).toInt(), 2);
    EXPECT_EQ(balloon.size(), 1);
    EXPECT_EQ(down.size() + up.size(), 3) << "unknown codes raise nothing";
}

} // namespace
