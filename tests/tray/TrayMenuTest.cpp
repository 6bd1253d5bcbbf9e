#include "FakeTrayShell.h"
#include "TrayTestSupport.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class TrayMenu : public ::testing::Test {
protected:
    FakeTrayShell shell;
    RecordingOwner owner;
    frmSysTray tray { shell, owner };
    QSignalSpy clicks { &tray, &frmSysTray::MenuClick };

    // Chooses action from the next menu the component opens, as the user would.
    void choose(QAction* action)
    {
        shell.nextChoice = action;
        tray.ShowMenu();
    }
};

TEST_F(TrayMenu, DesignTimeTree)
{
    QMenu* popup = tray.mnuPopup();
    EXPECT_EQ(popup->title(), QStringLiteral("&Popup"));
    EXPECT_EQ(popup->parentWidget()->windowTitle(), QStringLiteral("Sys Tray Interface"));
    EXPECT_FALSE(popup->parentWidget()->isVisible());

    const QList<QAction*> top = popup->actions();
    ASSERT_EQ(top.size(), 3);
    EXPECT_EQ(top.at(0), tray.playlists());
    EXPECT_EQ(tray.playlists()->text(), QStringLiteral("Play Lists"));
    EXPECT_EQ(top.at(1), tray.myrating());
    EXPECT_EQ(tray.myrating()->text(), QStringLiteral("My Rating"));
    EXPECT_EQ(top.at(2), tray.mnuSysTray().action(0));

    const QStringList stars = { "None", "*", "**", "***", "****", "*****" };
    for (int n = 0; n <= 5; ++n) {
        ASSERT_NE(tray.ratingItem(n), nullptr);
        EXPECT_EQ(tray.ratingItem(n)->text(), stars.at(n));
        EXPECT_TRUE(tray.ratingItem(n)->isCheckable());
    }
    EXPECT_EQ(tray.ratingItem(-1), nullptr);
    EXPECT_EQ(tray.ratingItem(6), nullptr);

    for (TrayMenuArray* array : { &tray.mnuSysTray(), &tray.mnuPlayList() }) {
        EXPECT_EQ(array->count(), 1);
        EXPECT_EQ(array->lowerBound(), 0);
        EXPECT_EQ(array->upperBound(), 0);
        EXPECT_FALSE(array->isVisible(0));
        EXPECT_EQ(array->caption(0), QString());
    }
}

TEST_F(TrayMenu, FirstCallReusesElementZero)
{
    EXPECT_EQ(tray.AddMenuItem(QStringLiteral("&Exit"), QStringLiteral("close")), 0);
    EXPECT_EQ(tray.mnuSysTray().count(), 1);
    EXPECT_TRUE(tray.mnuSysTray().isVisible(0));
    EXPECT_EQ(tray.mnuSysTray().key(0), QStringLiteral("close"));
    EXPECT_EQ(tray.AddMenuItem(QStringLiteral("&Show Bolvin"), QStringLiteral("open")), 1);
    EXPECT_EQ(tray.AddMenuItem(QStringLiteral("x")), 2);
    EXPECT_EQ(tray.mnuSysTray().key(2), QString());

    EXPECT_EQ(tray.AddPlayList(QStringLiteral("&Music"), QStringLiteral("Playlist1")), 0);
    EXPECT_EQ(tray.AddPlayList(QStringLiteral("&Movies"), QStringLiteral("Playlist2")), 1);
    EXPECT_EQ(tray.mnuPlayList().count(), 2);
    EXPECT_EQ(tray.playlists()->menu()->actions().size(), 2);
}

TEST_F(TrayMenu, OwnerFillBuildsFourteenItemsWithShowBolvinAsDefault)
{
    fillOwnerMenu(tray);
    const TrayMenuArray& items = tray.mnuSysTray();
    ASSERT_EQ(items.count(), 14);
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(items.caption(i), QString::fromUtf8(ownerMenu().at(i).caption)) << i;
        EXPECT_EQ(items.key(i), QString::fromUtf8(ownerMenu().at(i).key)) << i;
        EXPECT_EQ(items.action(i)->isSeparator(), items.caption(i) == QStringLiteral("-")) << i;
        EXPECT_TRUE(items.isVisible(i));
        EXPECT_TRUE(items.isEnabled(i));
    }
    EXPECT_EQ(tray.DefaultMenuIndex(), 11);
    EXPECT_EQ(tray.mnuPopup()->actions().size(), 2 + 14);
}

TEST_F(TrayMenu, CaptionDecidesSeparator)
{
    fillOwnerMenu(tray);
    tray.mnuSysTray().setCaption(0, QStringLiteral("&Back"));
    EXPECT_FALSE(tray.mnuSysTray().action(0)->isSeparator());
    EXPECT_EQ(tray.mnuSysTray().action(0)->text(), QStringLiteral("&Back"));
    tray.mnuSysTray().setCaption(8, QStringLiteral("-"));
    EXPECT_TRUE(tray.mnuSysTray().action(8)->isSeparator());
    EXPECT_EQ(tray.mnuSysTray().caption(8), QStringLiteral("-"));
    // Styles would print a separator's text beside the line.
    EXPECT_EQ(tray.mnuSysTray().action(8)->text(), QString());
}

TEST_F(TrayMenu, InvalidIndexesThrowFromTheArrayAndAreIgnoredByTheComponent)
{
    fillOwnerMenu(tray);
    TrayMenuArray& items = tray.mnuSysTray();
    EXPECT_THROW(items.caption(14), std::out_of_range);
    EXPECT_THROW(items.setChecked(-1, true), std::out_of_range);
    EXPECT_THROW(tray.mnuPlayList().key(1), std::out_of_range);

    tray.EnableMenuItem(14, false);
    tray.EnableMenuItem(-1, false);
    for (int i = 0; i < 14; ++i)
        EXPECT_TRUE(items.isEnabled(i));
    tray.EnableMenuItem(13, false);
    EXPECT_FALSE(items.isEnabled(13));
    tray.EnableMenuItem(13, true);
    EXPECT_TRUE(items.isEnabled(13));

    EXPECT_EQ(tray.RemoveMenuItem(14), 0);
    EXPECT_EQ(items.count(), 14);
}

TEST_F(TrayMenu, DefaultIndexOutsideTheMenuReadsZero)
{
    fillOwnerMenu(tray);
    tray.SetDefaultMenuIndex(99);
    EXPECT_EQ(tray.DefaultMenuIndex(), 0);
    tray.SetDefaultMenuIndex(5);
    EXPECT_EQ(tray.DefaultMenuIndex(), 5);
    tray.SetDefaultMenuIndex(-1);
    EXPECT_EQ(tray.DefaultMenuIndex(), 0);
    tray.SetDefaultMenuIndex(13);
    EXPECT_EQ(tray.DefaultMenuIndex(), 13);
}

TEST_F(TrayMenu, RemovalShiftsCaptionsAndKeysDown)
{
    fillOwnerMenu(tray);
    tray.EnableMenuItem(5, false);
    EXPECT_EQ(tray.RemoveMenuItem(5), 0);
    const TrayMenuArray& items = tray.mnuSysTray();
    ASSERT_EQ(items.count(), 13);
    for (int i = 0; i < 13; ++i) {
        const MenuEntry& expected = ownerMenu().at(i < 5 ? i : i + 1);
        EXPECT_EQ(items.caption(i), QString::fromUtf8(expected.caption)) << i;
        EXPECT_EQ(items.key(i), QString::fromUtf8(expected.key)) << i;
    }
    // States stay with the place, not with the moved caption.
    EXPECT_FALSE(items.isEnabled(5));
    EXPECT_TRUE(items.action(5)->isSeparator());
    EXPECT_EQ(tray.mnuPopup()->actions().size(), 2 + 13);
}

TEST_F(TrayMenu, RemovingTheLastAndTheFirstElement)
{
    fillOwnerMenu(tray);
    tray.RemoveMenuItem(13);
    EXPECT_EQ(tray.mnuSysTray().count(), 13);
    EXPECT_EQ(tray.mnuSysTray().caption(12), QStringLiteral("-"));

    tray.mnuSysTray().setCaption(0, QStringLiteral("&First"));
    tray.RemoveMenuItem(0);
    EXPECT_EQ(tray.mnuSysTray().count(), 13);
    EXPECT_EQ(tray.mnuSysTray().caption(0), QString());
    EXPECT_EQ(tray.mnuSysTray().key(0), QString());
    EXPECT_EQ(tray.mnuSysTray().caption(1), QStringLiteral("&Show iTunes"));
}

TEST_F(TrayMenu, ShowMenuRaisesTheWindowAndPassesTheDefaultItem)
{
    fillOwnerMenu(tray);
    tray.ShowMenu();
    EXPECT_EQ(shell.foregroundCalls, 1);
    ASSERT_EQ(shell.popups.size(), 1);
    EXPECT_EQ(shell.popups.at(0).menu, tray.mnuPopup());
    EXPECT_EQ(shell.popups.at(0).defaultItem, tray.mnuSysTray().action(11));
    EXPECT_EQ(tray.mnuSysTray().caption(11), QStringLiteral("&Show Bolvin"));
    EXPECT_EQ(clicks.size(), 0);

    // A default index left past the end by removals gives a menu without a default.
    for (int i = 0; i < 4; ++i)
        tray.RemoveMenuItem(1);
    tray.ShowMenu();
    EXPECT_EQ(shell.popups.at(1).defaultItem, nullptr);
}

TEST_F(TrayMenu, MainItemClickCarriesIndexAndKey)
{
    fillOwnerMenu(tray);
    choose(tray.mnuSysTray().action(8));
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 8);
    EXPECT_EQ(clicks.at(0).at(1).toString(), QStringLiteral("Next Song"));

    // After a removal the element at the old place reports its new key.
    tray.RemoveMenuItem(5);
    choose(tray.mnuSysTray().action(6));
    EXPECT_EQ(clicks.at(1).at(1).toString(), QStringLiteral("Pause"));
}

TEST_F(TrayMenu, ThirdPlaylistReportsIndexTwo)
{
    fillOwnerMenu(tray);
    for (int n = 1; n <= 4; ++n)
        tray.AddPlayList(QStringLiteral("&List %1").arg(n), QStringLiteral("Playlist%1").arg(n));
    choose(tray.mnuPlayList().action(2));
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 2);
    EXPECT_EQ(clicks.at(0).at(1).toString(), QStringLiteral("Playlist3"));
}

TEST_F(TrayMenu, RatingItemsRateWithoutAnEvent)
{
    for (int n = 0; n <= 5; ++n)
        choose(tray.ratingItem(n));
    EXPECT_EQ(owner.ratings, QList<int>({ 0, 20, 40, 60, 80, 100 }));
    EXPECT_EQ(clicks.size(), 0);
}

TEST_F(TrayMenu, ChoosingAnItemLeavesItsCheckMarkToTheOwner)
{
    fillOwnerMenu(tray);
    tray.mnuSysTray().setChecked(5, true);
    choose(tray.mnuSysTray().action(5));
    EXPECT_TRUE(tray.mnuSysTray().isChecked(5));
    choose(tray.mnuSysTray().action(8));
    EXPECT_FALSE(tray.mnuSysTray().isChecked(8));
    tray.mnuSysTray().setChecked(5, false);
    EXPECT_FALSE(tray.mnuSysTray().isChecked(5));

    tray.ratingItem(3)->setChecked(true);
    choose(tray.ratingItem(3));
    choose(tray.ratingItem(1));
    EXPECT_TRUE(tray.ratingItem(3)->isChecked());
    EXPECT_FALSE(tray.ratingItem(1)->isChecked());
}

TEST_F(TrayMenu, ClickArrivesAfterTheMenuHasClosed)
{
    fillOwnerMenu(tray);
    QList<bool> openAtClick;
    QObject::connect(&tray, &frmSysTray::MenuClick, [&] { openAtClick.append(shell.menuOpen); });
    owner.onRate = [&](int) { openAtClick.append(shell.menuOpen); };
    choose(tray.mnuSysTray().action(13));
    choose(tray.ratingItem(2));
    EXPECT_EQ(openAtClick, QList<bool>({ false, false }));
    EXPECT_EQ(owner.ratings, QList<int>({ 40 }));
    // Outside a menu (a direct trigger) the click arrives at once.
    tray.mnuSysTray().action(11)->trigger();
    EXPECT_EQ(clicks.size(), 2);
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
