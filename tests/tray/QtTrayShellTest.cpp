#include "platform/tray/QtTrayShell.h"
#include "FakeDesktop.h"
#include "platform/tray/NotifyIconData.h"

#include <QPointer>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace
{

constexpr int kWaitMs = 2000;

NotifyIconData recordWith(quint32 flags)
{
    NotifyIconData record = NotifyIconData::wideRecord();
    record.cbSize = NotifyIcon::SizeWide;
    record.uFlags = flags;
    return record;
}

TEST(QtTrayShell, ActivationsArriveAsCodesAfterTheEventAndAReceiverMayDeleteTheShell)
{
    FakeDesktop desktop;
    QPointer<QtTrayShell> shell = new QtTrayShell(desktop);
    ASSERT_TRUE(shell->notifyIcon(NotifyIcon::Add, recordWith(7)));
    QSignalSpy codes(shell.data(), &TrayShell::notification);
    emit shell->trayIcon()->activated(QSystemTrayIcon::Context);
    EXPECT_EQ(codes.size(), 0);
    ASSERT_TRUE(codes.wait(kWaitMs));
    EXPECT_EQ(codes, QList<QVariantList>({ { 516 }, { 517 } }));
    emit shell->trayIcon()->messageClicked();
    ASSERT_TRUE(codes.wait(kWaitMs));
    EXPECT_EQ(codes.last().at(0).toInt(), 1029);
    // The right press opens the menu, whose Exit ends the program before the release is due.
    QObject::connect(shell, &TrayShell::notification, [&] { delete shell.data(); });
    emit shell->trayIcon()->activated(QSystemTrayIcon::Context);
    for (int i = 0; i < 100 && shell; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(shell.isNull());
    EXPECT_EQ(codes.size(), 4);
}

} // namespace
