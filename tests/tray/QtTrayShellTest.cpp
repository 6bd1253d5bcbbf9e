#include "platform/tray/QtTrayShell.h"
#include "FakeDesktop.h"
#include "platform/tray/NotifyIconData.h"

#include <QPixmap>
#include <QPointer>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace
{

constexpr IconId kIcon = 1;
constexpr int kWaitMs = 2000;

struct IconDesktop : FakeDesktop {
    QIcon icon(IconId handle) const override
    {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        return handle == kIcon ? QIcon(pixmap) : QIcon();
    }
};

NotifyIconData recordWith(quint32 flags)
{
    NotifyIconData record = NotifyIconData::wideRecord();
    record.cbSize = NotifyIcon::SizeWide;
    record.uFlags = flags;
    return record;
}

TEST(QtTrayShell, AddModifyAndDeleteDriveOneIcon)
{
    IconDesktop desktop;
    QtTrayShell shell(desktop);
    NotifyIconData record = recordWith(7);
    record.szTip = QByteArray("t\0i\0p\0", 6).leftJustified(256, '\0');
    ASSERT_TRUE(shell.notifyIcon(NotifyIcon::Add, record));
    ASSERT_NE(shell.trayIcon(), nullptr);
    EXPECT_EQ(shell.trayIcon()->toolTip(), QStringLiteral("tip"));
    EXPECT_FALSE(shell.trayIcon()->isVisible()) << "no picture yet";
    record.uFlags = NotifyIcon::FlagIcon;
    record.hIcon = kIcon;
    EXPECT_TRUE(shell.notifyIcon(NotifyIcon::Modify, record));
    EXPECT_TRUE(shell.trayIcon()->isVisible());
    EXPECT_TRUE(shell.notifyIcon(NotifyIcon::Delete, record));
    EXPECT_EQ(shell.trayIcon(), nullptr);
}

TEST(QtTrayShell, ActivationsArriveAsCodesAfterTheEventAndAReceiverMayDeleteTheShell)
{
    IconDesktop desktop;
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
