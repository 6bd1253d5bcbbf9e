#include "FakeTrayShell.h"
#include "TrayTestSupport.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>

#include <gtest/gtest.h>

#include <memory>

namespace {

QString letters(int n)
{
    QString text;
    for (int i = 0; i < n; ++i)
        text.append(QChar(u'a' + i % 26));
    return text;
}

class TrayRecord : public ::testing::Test {
protected:
    void load(quint32 version)
    {
        tray.reset();
        shell.commands.clear();
        shell.version = version;
        tray = std::make_unique<frmSysTray>(shell, owner);
    }
    qsizetype callsSince(qsizetype before) const { return shell.commands.size() - before; }

    FakeTrayShell shell;
    RecordingOwner owner;
    std::unique_ptr<frmSysTray> tray;
};

TEST_F(TrayRecord, LoadSizesTheRecordByFamilyAndBalloonSupport)
{
    const struct {
        quint32 version;
        quint32 cbSize;
        bool wide;
        QList<int> commands;
    } rows[] = {
        { FakeTrayShell::kNt50, 936, true, { NotifyIcon::Add, NotifyIcon::SetVersion } },
        { FakeTrayShell::kNt40, 152, true, { NotifyIcon::Add } },
        { FakeTrayShell::kWindowsMe, 488, false, { NotifyIcon::Add, NotifyIcon::SetVersion } },
        { FakeTrayShell::kWindows98, 88, false, { NotifyIcon::Add } },
    };
    for (const auto& row : rows) {
        load(row.version);
        ASSERT_EQ(shell.commandCodes(), row.commands) << row.version;
        const NotifyIconData& added = shell.commands.at(0).record;
        EXPECT_EQ(added.cbSize, row.cbSize);
        EXPECT_EQ(added.wide, row.wide);
        EXPECT_EQ(added.uFlags, 7u);
        EXPECT_EQ(added.uCallbackMessage, 0x0200u);
    }
    EXPECT_EQ(shell.commands.at(0).record.uTimeoutOrVersion, 0u);
    load(FakeTrayShell::kNt50);
    EXPECT_EQ(shell.commands.at(0).record.uTimeoutOrVersion, 3u);
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
    EXPECT_EQ(shell.last().record.uID, shell.commands.at(0).record.uID);
    EXPECT_EQ(shell.last().record.tipText(), QStringLiteral("tip"));
}

TEST_F(TrayRecord, TooltipIsCutToTheFieldAndEmptyKeepsThePreviousOnlyOnTheWideRecord)
{
    load(FakeTrayShell::kNt50);
    tray->SetToolTip(letters(300));
    EXPECT_EQ(shell.last().command, NotifyIcon::Modify);
    EXPECT_EQ(shell.last().record.uFlags, 4u);
    EXPECT_EQ(shell.last().record.tipText(), letters(127));
    EXPECT_EQ(tray->ToolTip(), letters(127));
    tray->SetToolTip(QString());
    EXPECT_EQ(tray->ToolTip(), letters(127));

    load(FakeTrayShell::kNt40);
    tray->SetToolTip(letters(300));
    EXPECT_EQ(shell.last().record.tipText(), letters(63));
    const qsizetype before = shell.commands.size();
    tray->ShowBalloonTip(QStringLiteral("Connecting to iTunes"), QStringLiteral("Bolvin"), 1, 5000);
    EXPECT_EQ(callsSince(before), 0) << "no balloons before NT 5";

    load(FakeTrayShell::kWindowsMe);
    tray->SetToolTip(QStringLiteral("short"));
    EXPECT_EQ(shell.last().record.szTip.left(6), QByteArray("short\0", 6));
    tray->SetToolTip(QString());
    EXPECT_EQ(tray->ToolTip(), QString()) << "the narrow field is rewritten whole";
}

TEST_F(TrayRecord, BalloonAsksTenSecondsWithoutSoundCutsItsTextsAndNulTakesItDown)
{
    load(FakeTrayShell::kNt50);
    tray->ShowBalloonTip(letters(300), letters(100), 1, 5000);
    const NotifyIconData& shown = shell.last().record;
    EXPECT_EQ(shell.last().command, NotifyIcon::Modify);
    EXPECT_EQ(shown.uFlags, 16u);
    EXPECT_EQ(shown.uTimeoutOrVersion, 10000u);
    EXPECT_EQ(shown.dwInfoFlags, 1u | 16u);
    EXPECT_EQ(shown.infoText(), letters(255));
    EXPECT_EQ(shown.infoTitleText(), letters(63));

    tray->ShowBalloonTip(QString(QChar(u'\0')), QStringLiteral("Bolvin"), 1, 5000);
    EXPECT_EQ(shell.last().record.infoText(), QString());
    tray->ShowBalloonTip(QStringLiteral("Export finished"));
    EXPECT_EQ(shell.last().record.infoText(), QStringLiteral("Export finished"));
    EXPECT_EQ(shell.last().record.infoTitleText(), QStringLiteral("Bolvin")) << "an empty title keeps the last";
    EXPECT_EQ(shell.last().record.dwInfoFlags, 16u);

    load(FakeTrayShell::kWindowsMe);
    tray->ShowBalloonTip(QStringLiteral("Done"), QStringLiteral("Bolvin"), 1, 5000);
    EXPECT_EQ(shell.last().record.dwInfoFlags, 1u);
    EXPECT_EQ(shell.last().record.szInfo, QByteArray("Done").leftJustified(256, ' '));
    EXPECT_EQ(shell.last().record.szInfoTitle, QByteArray("Bolvin").leftJustified(64, ' '));
}

TEST_F(TrayRecord, OnlyANewIconHandleCallsTheShell)
{
    load(FakeTrayShell::kNt50);
    const qsizetype before = shell.commands.size();
    tray->SetIconHandle(0);
    EXPECT_EQ(callsSince(before), 0);
    tray->SetIconHandle(7);
    tray->SetIconHandle(7);
    EXPECT_EQ(callsSince(before), 1);
    EXPECT_EQ(shell.last().record.uFlags, 2u);
    EXPECT_EQ(shell.last().record.hIcon, 7u);
}

} // namespace
