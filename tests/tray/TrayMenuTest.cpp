#include "FakeTrayShell.h"
#include "TrayTestSupport.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class TrayMenu : public ::testing::Test {
protected:
    TrayMenu() { fillOwnerMenu(tray); }

    // Chooses action from the next menu the component opens, as the user would.
    void choose(QAction* action)
    {
        shell.nextChoice = action;
        tray.ShowMenu();
    }

    FakeTrayShell shell;
    RecordingOwner owner;
    frmSysTray tray { shell, owner };
    QSignalSpy clicks { &tray, &frmSysTray::MenuClick };
};

TEST(TrayMenuTree, StartsWithTheSubmenusAndOneHiddenElementThatTheFirstAddReuses)
{
    FakeTrayShell shell;
    RecordingOwner owner;
    frmSysTray tray(shell, owner);
    const QList<QAction*> top = tray.mnuPopup()->actions();
    ASSERT_EQ(top.size(), 3);
    EXPECT_EQ(top.at(0)->text(), QStringLiteral("Play Lists"));
    EXPECT_EQ(top.at(1)->text(), QStringLiteral("My Rating"));
    const QStringList stars = { "None", "*", "**", "***", "****", "*****" };
    for (int n = 0; n <= 5; ++n)
        EXPECT_EQ(tray.ratingItem(n)->text(), stars.at(n));
    EXPECT_EQ(tray.ratingItem(6), nullptr);
    EXPECT_FALSE(tray.mnuSysTray().isVisible(0));

    EXPECT_EQ(tray.AddMenuItem(QStringLiteral("&Exit"), QStringLiteral("close")), 0);
    EXPECT_EQ(tray.AddMenuItem(QStringLiteral("x")), 1);
    EXPECT_TRUE(tray.mnuSysTray().isVisible(0));
    EXPECT_EQ(tray.AddPlayList(QStringLiteral("&Music"), QStringLiteral("Playlist1")), 0);
    EXPECT_EQ(tray.AddPlayList(QStringLiteral("&Movies"), QStringLiteral("Playlist2")), 1);
    EXPECT_EQ(tray.playlists()->menu()->actions().size(), 2);
}

TEST_F(TrayMenu, OwnerFillBuildsFourteenItemsAndACaptionDecidesASeparator)
{
    const TrayMenuArray& items = tray.mnuSysTray();
    ASSERT_EQ(items.count(), 14);
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(items.caption(i), QString::fromUtf8(ownerMenu().at(i).caption)) << i;
        EXPECT_EQ(items.key(i), QString::fromUtf8(ownerMenu().at(i).key)) << i;
        EXPECT_EQ(items.action(i)->isSeparator(), items.caption(i) == QStringLiteral("-")) << i;
    }
    EXPECT_EQ(tray.DefaultMenuIndex(), 11);
    EXPECT_EQ(tray.mnuPopup()->actions().size(), 2 + 14);

    tray.mnuSysTray().setCaption(0, QStringLiteral("&Back"));
    EXPECT_FALSE(items.action(0)->isSeparator());
    tray.mnuSysTray().setCaption(8, QStringLiteral("-"));
    EXPECT_TRUE(items.action(8)->isSeparator());
    EXPECT_EQ(items.action(8)->text(), QString()) << "styles would print a separator's text";
}

TEST_F(TrayMenu, InvalidIndexesThrowFromTheArrayAndAreIgnoredByTheComponent)
{
    TrayMenuArray& items = tray.mnuSysTray();
    EXPECT_THROW(items.caption(14), std::out_of_range);
    EXPECT_THROW(items.setChecked(-1, true), std::out_of_range);
    tray.EnableMenuItem(14, false);
    tray.EnableMenuItem(-1, false);
    EXPECT_EQ(tray.RemoveMenuItem(14), 0);
    EXPECT_EQ(items.count(), 14);
    for (int i = 0; i < 14; ++i)
        EXPECT_TRUE(items.isEnabled(i));

    for (const auto& [set, read] : { std::pair { 99, 0 }, { 5, 5 }, { -1, 0 }, { 13, 13 } }) {
        tray.SetDefaultMenuIndex(set);
        EXPECT_EQ(tray.DefaultMenuIndex(), read) << set;
    }
}

TEST_F(TrayMenu, RemovalShiftsCaptionsAndKeysDownButStatesStayWithThePlace)
{
    tray.EnableMenuItem(5, false);
    EXPECT_EQ(tray.RemoveMenuItem(5), 0);
    const TrayMenuArray& items = tray.mnuSysTray();
    ASSERT_EQ(items.count(), 13);
    for (int i = 0; i < 13; ++i) {
        const MenuEntry& expected = ownerMenu().at(i < 5 ? i : i + 1);
        EXPECT_EQ(items.caption(i), QString::fromUtf8(expected.caption)) << i;
        EXPECT_EQ(items.key(i), QString::fromUtf8(expected.key)) << i;
    }
    EXPECT_FALSE(items.isEnabled(5));
    EXPECT_EQ(tray.mnuPopup()->actions().size(), 2 + 13);

    choose(items.action(6));
    EXPECT_EQ(clicks.at(0).at(1).toString(), QStringLiteral("Pause")) << "the old place reports its new key";

    // Element 0 is never removed, only emptied.
    tray.RemoveMenuItem(0);
    EXPECT_EQ(items.count(), 13);
    EXPECT_EQ(items.caption(0), QString());
    EXPECT_EQ(items.caption(1), QStringLiteral("&Show iTunes"));
}

TEST_F(TrayMenu, ShowMenuRaisesTheWindowAndPassesTheDefaultItem)
{
    tray.ShowMenu();
    EXPECT_EQ(shell.foregroundCalls, 1);
    ASSERT_EQ(shell.popups.size(), 1);
    EXPECT_EQ(shell.popups.at(0).defaultItem, tray.mnuSysTray().action(11));
    EXPECT_EQ(tray.mnuSysTray().caption(11), QStringLiteral("&Show Bolvin"));
    EXPECT_EQ(clicks.size(), 0);

    for (int i = 0; i < 4; ++i)
        tray.RemoveMenuItem(1);
    tray.ShowMenu();
    EXPECT_EQ(shell.popups.at(1).defaultItem, nullptr) << "a default left past the end";
}

TEST_F(TrayMenu, ClicksCarryIndexAndKeyAfterTheMenuHasClosed)
{
    for (int n = 1; n <= 4; ++n)
        tray.AddPlayList(QStringLiteral("&List %1").arg(n), QStringLiteral("Playlist%1").arg(n));
    QList<bool> openAtClick;
    QObject::connect(&tray, &frmSysTray::MenuClick, [&] { openAtClick.append(shell.menuOpen); });
    owner.onRate = [&](int) { openAtClick.append(shell.menuOpen); };

    tray.mnuSysTray().setChecked(5, true);
    choose(tray.mnuSysTray().action(5));
    choose(tray.mnuSysTray().action(8));
    choose(tray.mnuPlayList().action(2));
    for (int n = 0; n <= 5; ++n)
        choose(tray.ratingItem(n));

    ASSERT_EQ(clicks.size(), 3) << "rating items rate without an event";
    EXPECT_EQ(clicks.at(1).at(0).toInt(), 8);
    EXPECT_EQ(clicks.at(1).at(1).toString(), QStringLiteral("Next Song"));
    EXPECT_EQ(clicks.at(2).at(0).toInt(), 2);
    EXPECT_EQ(clicks.at(2).at(1).toString(), QStringLiteral("Playlist3"));
    EXPECT_EQ(owner.ratings, QList<int>({ 0, 20, 40, 60, 80, 100 }));
    EXPECT_EQ(openAtClick, QList<bool>(9, false));
    EXPECT_TRUE(tray.mnuSysTray().isChecked(5)) << "check marks are the owner's";
    EXPECT_FALSE(tray.mnuSysTray().isChecked(8));
    EXPECT_FALSE(tray.ratingItem(1)->isChecked());
}

TEST(TrayMenuLifetime, OwnerMayDeleteTheComponentFromAMenuClick)
{
    FakeTrayShell shell;
    RecordingOwner owner;
    auto* tray = new frmSysTray(shell, owner);
    fillOwnerMenu(*tray);
    QObject::connect(tray, &frmSysTray::MenuClick, [&tray](int, const QString& key) {
        if (key == QStringLiteral("close")) {
            delete tray;
            tray = nullptr;
        }
    });
    shell.nextChoice = tray->mnuSysTray().action(13);
    tray->ShowMenu();
    EXPECT_EQ(tray, nullptr);
    EXPECT_EQ(shell.last().command, NotifyIcon::Delete);
}

} // namespace
