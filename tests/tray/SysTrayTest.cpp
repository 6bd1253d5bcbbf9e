#include "FakeTrayShell.h"
#include "platform/tray/TrayActivation.h"
#include "tray/SysTrayOwner.h"
#include "tray/frmSysTray.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace
{

struct RecordingOwner : SysTrayOwner {
    QList<int> ratings;
    std::function<void(int)> onRate;
    void updaterating(int rating) override
    {
        ratings.append(rating);
        if (onRate)
            onRate(rating);
    }
};

// A main menu as an owner fills one: element 0 a separator, every item but Exit flagged
// default, so the default ends on "&Show Bolvin" (4).
void fillMenu(frmSysTray& tray)
{
    tray.AddMenuItem(QStringLiteral("-"));
    tray.AddMenuItem(QStringLiteral("&Play"), QStringLiteral("Pause"), true);
    tray.AddMenuItem(QStringLiteral("&Next Song"), QStringLiteral("Next Song"), true);
    tray.AddMenuItem(QStringLiteral("-"));
    tray.AddMenuItem(QStringLiteral("&Show Bolvin"), QStringLiteral("open"), true);
    tray.AddMenuItem(QStringLiteral("&Exit"), QStringLiteral("close"));
}
constexpr int kMenuItems = 6;
constexpr int kDefaultItem = 4;

QString letters(int n)
{
    return QString::fromLatin1(QByteArray("abcdefghijklmnopqrstuvwxyz").repeated(12).left(n));
}

class SysTray : public ::testing::Test
{
protected:
    void load(quint32 version)
    {
        tray.reset();
        shell.commands.clear();
        shell.version = version;
        tray = std::make_unique<frmSysTray>(shell, owner);
    }
    // Chooses action from the next menu the component opens, as the user would.
    void choose(QAction* action)
    {
        shell.nextChoice = action;
        tray->ShowMenu();
    }
    QStringList captions()
    {
        QStringList list;
        for (int i = 0; i < items().count(); ++i)
            list << items().caption(i);
        return list;
    }
    TrayMenuArray& items() { return tray->mnuSysTray(); }
    const NotifyIconData& last() const { return shell.last().record; }

    FakeTrayShell shell;
    RecordingOwner owner;
    std::unique_ptr<frmSysTray> tray = std::make_unique<frmSysTray>(shell, owner);
    QSignalSpy clicks { tray.get(), &frmSysTray::MenuClick }; // until the next load()
};

TEST_F(SysTray, TheFirstAddShowsTheHiddenElementACaptionDecidesASeparatorAndBadIndexesAreIgnored)
{
    EXPECT_FALSE(items().isVisible(0));
    fillMenu(*tray);
    ASSERT_EQ(items().count(), kMenuItems);
    EXPECT_TRUE(items().isVisible(0));
    for (int i = 0; i < kMenuItems; ++i)
        EXPECT_EQ(items().action(i)->isSeparator(), items().caption(i) == QStringLiteral("-")) << i;
    EXPECT_EQ(tray->RemoveMenuItem(kMenuItems), 0);
    EXPECT_EQ(items().count(), kMenuItems);
    items().setCaption(2, QStringLiteral("-"));
    EXPECT_TRUE(items().action(2)->isSeparator());
    EXPECT_EQ(items().action(2)->text(), QString()) << "styles would print a separator's text";
}

TEST_F(SysTray, ShowMenuPassesTheDefaultAndRemovalShiftsCaptionsAndKeysButNotStates)
{
    fillMenu(*tray);
    tray->ShowMenu();
    ASSERT_EQ(shell.popups.size(), 1);
    EXPECT_EQ(shell.popups.at(0), items().action(kDefaultItem));
    tray->EnableMenuItem(2, false);
    EXPECT_EQ(tray->RemoveMenuItem(2), 0);
    EXPECT_EQ(captions(), QStringList({ "-", "&Play", "-", "&Show Bolvin", "&Exit" }));
    EXPECT_EQ(items().key(3), QStringLiteral("open"));
    EXPECT_FALSE(items().isEnabled(2));
    choose(items().action(4));
    EXPECT_EQ(clicks.at(0).at(1).toString(), QStringLiteral("close")) << "the old place reports its new key";
}

TEST_F(SysTray, ClicksCarryIndexAndKeyAfterTheMenuHasClosed)
{
    fillMenu(*tray);
    for (int n = 1; n <= 4; ++n)
        tray->AddPlayList(QStringLiteral("&List %1").arg(n), QStringLiteral("Playlist%1").arg(n));
    QList<bool> openAtClick;
    QObject::connect(tray.get(), &frmSysTray::MenuClick, [&] { openAtClick.append(shell.menuOpen); });
    owner.onRate = [&](int) { openAtClick.append(shell.menuOpen); };
    items().setChecked(1, true);
    choose(items().action(1));
    choose(items().action(2));
    choose(tray->mnuPlayList().action(2));
    for (int n = 0; n <= 5; ++n)
        choose(tray->ratingItem(n));
    ASSERT_EQ(clicks.size(), 3) << "rating items rate without an event";
    EXPECT_EQ(clicks.at(1), QVariantList({ 2, QStringLiteral("Next Song") }));
    EXPECT_EQ(clicks.at(2), QVariantList({ 2, QStringLiteral("Playlist3") }));
    EXPECT_EQ(owner.ratings, QList<int>({ 0, 20, 40, 60, 80, 100 }));
    EXPECT_EQ(openAtClick, QList<bool>(9, false));
    EXPECT_TRUE(items().isChecked(1)) << "check marks are the owner's";
    EXPECT_FALSE(tray->ratingItem(1)->isChecked());
}

TEST_F(SysTray, TipAndBalloonAreCutToTheirFieldsAndAskTenSilentSeconds)
{
    tray->SetToolTip(letters(300));
    EXPECT_EQ(last().tipText(), letters(127));
    load(FakeTrayShell::kNt40);
    shell.commands.clear();
    tray->ShowBalloonTip(QStringLiteral("Connecting to iTunes"), QStringLiteral("Bolvin"), 1, 5000);
    EXPECT_TRUE(shell.commands.isEmpty()) << "no balloons where Qt cannot show them";
    load(FakeTrayShell::kNt50);
    tray->ShowBalloonTip(letters(300), letters(100), 1, 5000);
    EXPECT_EQ(last().uTimeoutOrVersion, 10000u);
    EXPECT_EQ(last().dwInfoFlags, 1u | 16u);
    EXPECT_EQ(last().infoText(), letters(255));
    EXPECT_EQ(last().infoTitleText(), letters(63));
    tray->ShowBalloonTip(QStringLiteral("Export finished"));
    EXPECT_EQ(last().infoText(), QStringLiteral("Export finished"));
    EXPECT_EQ(last().infoTitleText(), letters(63)) << "an empty title keeps the last";
}

TEST_F(SysTray, QtClicksAndBalloonClicksBecomeTheComponentsEvents)
{
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
