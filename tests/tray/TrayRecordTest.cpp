#include "TrayTestSupport.h"
#include "platform/tray/TrayActivation.h"
#include "tray/NotifyIconText.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

namespace
{

QString letters(int n)
{
    return QString::fromLatin1(QByteArray("abcdefghijklmnopqrstuvwxyz").repeated(12).left(n));
}

class TrayRecord : public ::testing::Test
{
protected:
    void load(quint32 version)
    {
        tray.reset();
        shell.commands.clear();
        shell.version = version;
        tray = std::make_unique<frmSysTray>(shell, owner);
    }
    qsizetype callsSince(qsizetype before) const { return shell.commands.size() - before; }
    const NotifyIconData& last() const { return shell.last().record; }

    FakeTrayShell shell;
    RecordingOwner owner;
    std::unique_ptr<frmSysTray> tray;
};

TEST(CopyStringToBytes, WritesUtf16ZeroFillsAndKeepsThePreviousTextForEmpty)
{
    QByteArray field(16, '\x7f');
    CopyStringToBytes(field, QStringLiteral("A\u20AC"), 16);
    EXPECT_EQ(field, QByteArray("A\0\xAC\x20", 4) + QByteArray(12, '\0'));
    CopyStringToBytes(field, QString(), 16);
    EXPECT_EQ(field.left(4), QByteArray("A\0\xAC\x20", 4)) << "an empty text changes nothing";

    QByteArray wide(256, '\x55');
    CopyStringToBytes(wide, QString(200, u'y'), 128);
    EXPECT_EQ(NotifyIconData::wideRecord().fieldText(wide), QString(63, u'y')) << "the size includes the NUL";
    EXPECT_EQ(wide.mid(128), QByteArray(128, '\x55')) << "nothing past the given size";
}

// Qt's shell reports version 5 where its icon shows messages and 4 where it cannot.
TEST_F(TrayRecord, LoadSizesTheRecordByBalloonSupport)
{
    const struct {
        quint32 version;
        quint32 cbSize;
        quint32 shellVersion;
        QList<int> commands;
    } rows[] = {
        { FakeTrayShell::kNt50, 936, 3, { NotifyIcon::Add, NotifyIcon::SetVersion } },
        { FakeTrayShell::kNt40, 152, 0, { NotifyIcon::Add } },
    };
    for (const auto& row : rows) {
        load(row.version);
        ASSERT_EQ(shell.commandCodes(), row.commands) << row.version;
        const NotifyIconData& added = shell.commands.at(0).record;
        EXPECT_EQ(added.cbSize, row.cbSize);
        EXPECT_EQ(added.uFlags, 7u);
        EXPECT_EQ(added.uCallbackMessage, 0x0200u);
        EXPECT_EQ(added.uTimeoutOrVersion, row.shellVersion);
    }
}

TEST_F(TrayRecord, UnloadAndARefusedCloseDeleteTheIconWithTheRecordInUse)
{
    load(FakeTrayShell::kNt50);
    QCloseEvent close;
    QCoreApplication::sendEvent(tray->mnuPopup()->parentWidget(), &close);
    EXPECT_FALSE(close.isAccepted());
    EXPECT_EQ(shell.last().command, NotifyIcon::Delete);

    load(FakeTrayShell::kNt50);
    tray->SetToolTip(QStringLiteral("tip"));
    tray.reset();
    EXPECT_EQ(shell.last().command, NotifyIcon::Delete);
    EXPECT_EQ(last().uID, shell.commands.at(0).record.uID);
    EXPECT_EQ(last().tipText(), QStringLiteral("tip"));
}

TEST_F(TrayRecord, TooltipIsCutToTheFieldAndEmptyKeepsThePrevious)
{
    load(FakeTrayShell::kNt50);
    tray->SetToolTip(letters(300));
    EXPECT_EQ(shell.last().command, NotifyIcon::Modify);
    EXPECT_EQ(last().uFlags, 4u);
    EXPECT_EQ(last().tipText(), letters(127));
    EXPECT_EQ(tray->ToolTip(), letters(127));
    tray->SetToolTip(QString());
    EXPECT_EQ(tray->ToolTip(), letters(127));

    load(FakeTrayShell::kNt40);
    tray->SetToolTip(letters(300));
    EXPECT_EQ(last().tipText(), letters(63));
    const qsizetype before = shell.commands.size();
    tray->ShowBalloonTip(QStringLiteral("Connecting to iTunes"), QStringLiteral("Bolvin"), 1, 5000);
    EXPECT_EQ(callsSince(before), 0) << "no balloons where Qt cannot show them";
}

TEST_F(TrayRecord, BalloonAsksTenSecondsWithoutSoundCutsItsTextsAndNulTakesItDown)
{
    load(FakeTrayShell::kNt50);
    tray->ShowBalloonTip(letters(300), letters(100), 1, 5000);
    EXPECT_EQ(shell.last().command, NotifyIcon::Modify);
    EXPECT_EQ(last().uFlags, 16u);
    EXPECT_EQ(last().uTimeoutOrVersion, 10000u);
    EXPECT_EQ(last().dwInfoFlags, 1u | 16u);
    EXPECT_EQ(last().infoText(), letters(255));
    EXPECT_EQ(last().infoTitleText(), letters(63));

    tray->ShowBalloonTip(QString(QChar(u'\0')), QStringLiteral("Bolvin"), 1, 5000);
    EXPECT_EQ(last().infoText(), QString());
    tray->ShowBalloonTip(QStringLiteral("Export finished"));
    EXPECT_EQ(last().infoText(), QStringLiteral("Export finished"));
    EXPECT_EQ(last().infoTitleText(), QStringLiteral("Bolvin")) << "an empty title keeps the last";
    EXPECT_EQ(last().dwInfoFlags, 16u);

    const qsizetype before = shell.commands.size();
    tray->SetIconHandle(0);
    EXPECT_EQ(callsSince(before), 0) << "only a new icon handle calls the shell";
    tray->SetIconHandle(7);
    tray->SetIconHandle(7);
    EXPECT_EQ(callsSince(before), 1);
    EXPECT_EQ(last().uFlags, 2u);
    EXPECT_EQ(last().hIcon, 7u);
}

TEST_F(TrayRecord, QtClicksAndBalloonClicksBecomeTheComponentsEvents)
{
    load(FakeTrayShell::kNt50);
    QSignalSpy down(tray.get(), &frmSysTray::SysTrayMouseDown);
    QSignalSpy up(tray.get(), &frmSysTray::SysTrayMouseUp);
    QSignalSpy dbl(tray.get(), &frmSysTray::SysTrayDoubleClick);
    QSignalSpy balloon(tray.get(), &frmSysTray::BalloonClicked);

    // Qt reports a left click once; it must act as the shell's completed click.
    for (const auto reason : { QSystemTrayIcon::Trigger, QSystemTrayIcon::Context, QSystemTrayIcon::DoubleClick,
             QSystemTrayIcon::MiddleClick })
        for (const int code : notificationCodesFor(reason))
            shell.notify(code);
    EXPECT_EQ(down, QList<QVariantList>({ { 1 }, { 2 } }));
    EXPECT_EQ(up, QList<QVariantList>({ { 2 } })) << "a left click acts on release only";
    EXPECT_EQ(dbl, QList<QVariantList>({ { 1 } }));

    for (const int code : { 1029, 0, 512, 513, 518, 1026, 1030 })
        shell.notify(code);
    EXPECT_EQ(balloon.size(), 1);
    EXPECT_EQ(down.size() + up.size() + dbl.size(), 4) << "other codes raise nothing";
}

} // namespace
