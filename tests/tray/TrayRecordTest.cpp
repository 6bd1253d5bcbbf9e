#include "FakeTrayShell.h"
#include "TrayTestSupport.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kStartupTip = QStringLiteral(
    "Bolvin 1.0.143 by Harnwick\r\n Right-click and select 'Show Bolvin' for options");

QString letters(int n)
{
    QString text;
    for (int i = 0; i < n; ++i)
        text.append(QChar(u'a' + i % 26));
    return text;
}

class TrayRecord : public ::testing::Test {
protected:
    FakeTrayShell shell;
    RecordingOwner owner;
    std::unique_ptr<frmSysTray> tray;

    void load(quint32 version)
    {
        shell.version = version;
        tray = std::make_unique<frmSysTray>(shell, owner);
    }
    qsizetype callsAfter(qsizetype before) const { return shell.commands.size() - before; }
};

TEST_F(TrayRecord, LoadOnNt5AddsTheIconWithTheVersionTwoWideRecord)
{
    load(FakeTrayShell::kNt50);
    EXPECT_TRUE(tray->useUnicode());
    EXPECT_TRUE(tray->supportsBalloon());
    ASSERT_EQ(shell.commandCodes(), QList<int>({ NotifyIcon::Add, NotifyIcon::SetVersion }));
    const NotifyIconData& added = shell.commands.at(0).record;
    EXPECT_TRUE(added.wide);
    EXPECT_EQ(added.cbSize, 936u);
    EXPECT_EQ(added.uFlags, 7u);
    EXPECT_EQ(added.uCallbackMessage, 0x0200u);
    EXPECT_EQ(added.hIcon, 0u);
    EXPECT_EQ(added.uTimeoutOrVersion, 3u);
    EXPECT_EQ(added.tipText(), QString());
    EXPECT_EQ(tray->IconHandle(), 0u);
}

TEST_F(TrayRecord, LoadSizesTheRecordByFamilyAndBalloonSupport)
{
    struct Row {
        quint32 version;
        quint32 cbSize;
        bool wide;
        QList<int> commands;
    };
    const Row rows[] = {
        { FakeTrayShell::kNt40, 152, true, { NotifyIcon::Add } },
        { FakeTrayShell::kWindowsMe, 488, false, { NotifyIcon::Add, NotifyIcon::SetVersion } },
        { FakeTrayShell::kWindows98, 88, false, { NotifyIcon::Add } },
    };
    for (const Row& row : rows) {
        tray.reset();
        shell.commands.clear();
        load(row.version);
        ASSERT_EQ(shell.commandCodes(), row.commands) << row.version;
        EXPECT_EQ(shell.commands.at(0).record.cbSize, row.cbSize);
        EXPECT_EQ(shell.commands.at(0).record.wide, row.wide);
        EXPECT_EQ(tray->ToolTip(), QString());
    }
}

TEST_F(TrayRecord, UnloadDeletesTheIconWithTheRecordInUse)
{
    load(FakeTrayShell::kNt50);
    tray->SetToolTip(QStringLiteral("tip"));
    tray.reset();
    EXPECT_EQ(shell.last().command, NotifyIcon::Delete);
    EXPECT_EQ(shell.last().record.uID, shell.commands.at(0).record.uID);
    EXPECT_EQ(shell.last().record.tipText(), QStringLiteral("tip"));
}

TEST_F(TrayRecord, CloseRequestIsRefusedButTakesTheIconAway)
{
    load(FakeTrayShell::kNt50);
    QWidget* form = tray->mnuPopup()->parentWidget();
    QCloseEvent close;
    QCoreApplication::sendEvent(form, &close);
    EXPECT_FALSE(close.isAccepted());
    EXPECT_EQ(shell.last().command, NotifyIcon::Delete);
}

TEST_F(TrayRecord, TooltipIsCutToTheFieldAndEmptyKeepsThePrevious)
{
    load(FakeTrayShell::kNt50);
    tray->SetToolTip(kStartupTip);
    EXPECT_EQ(shell.last().command, NotifyIcon::Modify);
    EXPECT_EQ(shell.last().record.uFlags, 4u);
    EXPECT_EQ(shell.last().record.tipText(), kStartupTip);
    EXPECT_EQ(tray->ToolTip(), kStartupTip);

    tray->SetToolTip(letters(300));
    EXPECT_EQ(shell.last().record.tipText(), letters(127));
    EXPECT_EQ(tray->ToolTip(), letters(127));

    const qsizetype before = shell.commands.size();
    tray->SetToolTip(QString());
    EXPECT_EQ(callsAfter(before), 1);
    EXPECT_EQ(shell.last().record.tipText(), letters(127));
    EXPECT_EQ(tray->ToolTip(), letters(127));
}

TEST_F(TrayRecord, WithoutBalloonsTheTipHoldsSixtyThreeAndNoBalloonIsShown)
{
    load(FakeTrayShell::kNt40);
    tray->SetToolTip(letters(300));
    EXPECT_EQ(shell.last().record.tipText(), letters(63));
    EXPECT_EQ(tray->ToolTip(), letters(63));

    const qsizetype before = shell.commands.size();
    tray->ShowBalloonTip(QStringLiteral("Connecting to iTunes"), QStringLiteral("Bolvin"), 1, 5000);
    EXPECT_EQ(callsAfter(before), 0);
}

TEST_F(TrayRecord, NarrowTipIsStoredWithANul)
{
    load(FakeTrayShell::kWindowsMe);
    tray->SetToolTip(QStringLiteral("short"));
    EXPECT_EQ(shell.last().record.szTip.left(6), QByteArray("short\0", 6));
    EXPECT_EQ(tray->ToolTip(), QStringLiteral("short"));
    // The narrow field is rewritten whole: an empty tip clears it.
    tray->SetToolTip(QString());
    EXPECT_EQ(tray->ToolTip(), QString());
}

TEST_F(TrayRecord, BalloonAsksTenSecondsWithoutSoundAndCutsItsTexts)
{
    load(FakeTrayShell::kNt50);
    tray->ShowBalloonTip(QStringLiteral("Connecting to iTunes"), QStringLiteral("Bolvin"), 1, 5000);
    const NotifyIconData& shown = shell.last().record;
    EXPECT_EQ(shell.last().command, NotifyIcon::Modify);
    EXPECT_EQ(shown.uFlags, 16u);
    EXPECT_EQ(shown.uTimeoutOrVersion, 10000u);
    EXPECT_EQ(shown.dwInfoFlags, 1u | 16u);
    EXPECT_EQ(shown.infoText(), QStringLiteral("Connecting to iTunes"));
    EXPECT_EQ(shown.infoTitleText(), QStringLiteral("Bolvin"));

    tray->ShowBalloonTip(letters(300), letters(100), 1, 0);
    EXPECT_EQ(shell.last().record.infoText(), letters(255));
    EXPECT_EQ(shell.last().record.infoTitleText(), letters(63));
    EXPECT_EQ(shell.last().record.uTimeoutOrVersion, 10000u);
}

TEST_F(TrayRecord, SingleNulTakesTheBalloonDownAndEmptyTitleKeepsThePrevious)
{
    load(FakeTrayShell::kNt50);
    tray->ShowBalloonTip(QStringLiteral("Connecting to iTunes"), QStringLiteral("Bolvin"), 1, 5000);
    tray->ShowBalloonTip(QString(QChar(u'\0')), QStringLiteral("Bolvin"), 1, 5000);
    EXPECT_EQ(shell.last().record.uFlags, 16u);
    EXPECT_EQ(shell.last().record.infoText(), QString());

    tray->ShowBalloonTip(QStringLiteral("Export finished"));
    EXPECT_EQ(shell.last().record.infoText(), QStringLiteral("Export finished"));
    EXPECT_EQ(shell.last().record.infoTitleText(), QStringLiteral("Bolvin"));
    EXPECT_EQ(shell.last().record.dwInfoFlags, 16u);
}

TEST_F(TrayRecord, NarrowBalloonKeepsTheIconFlagsAndPadsTheTexts)
{
    load(FakeTrayShell::kWindowsMe);
    tray->ShowBalloonTip(QStringLiteral("Done"), QStringLiteral("Bolvin"), 1, 5000);
    const NotifyIconData& shown = shell.last().record;
    EXPECT_EQ(shown.dwInfoFlags, 1u);
    EXPECT_EQ(shown.uTimeoutOrVersion, 10000u);
    EXPECT_EQ(shown.szInfo, QByteArray("Done").leftJustified(256, ' '));
    EXPECT_EQ(shown.szInfoTitle, QByteArray("Bolvin").leftJustified(64, ' '));
}

TEST_F(TrayRecord, SameIconHandleMakesNoCall)
{
    load(FakeTrayShell::kNt50);
    qsizetype before = shell.commands.size();
    tray->SetIconHandle(0);
    EXPECT_EQ(callsAfter(before), 0);

    tray->SetIconHandle(7);
    EXPECT_EQ(callsAfter(before), 1);
    EXPECT_EQ(shell.last().record.uFlags, 2u);
    EXPECT_EQ(shell.last().record.hIcon, 7u);
    EXPECT_EQ(tray->IconHandle(), 7u);

    before = shell.commands.size();
    tray->SetIconHandle(7);
    EXPECT_EQ(callsAfter(before), 0);
}

} // namespace
