#include "TrayTestSupport.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <stdexcept>

namespace
{

class TrayMenu : public ::testing::Test
{
protected:
    // Chooses action from the next menu the component opens, as the user would.
    void choose(QAction* action)
    {
        shell.nextChoice = action;
        tray.ShowMenu();
    }
    QStringList captions() const
    {
        QStringList list;
        for (int i = 0; i < items.count(); ++i)
            list << items.caption(i);
        return list;
    }

    FakeTrayShell shell;
    RecordingOwner owner;
    frmSysTray tray { shell, owner };
    TrayMenuArray& items = tray.mnuSysTray();
    QSignalSpy clicks { &tray, &frmSysTray::MenuClick };
};

TEST_F(TrayMenu, StartsWithTheSubmenusAndOneHiddenElementThatTheFirstAddReuses)
{
    ASSERT_EQ(tray.mnuPopup()->actions().size(), 3);
    EXPECT_EQ(tray.ratingItem(6), nullptr);
    EXPECT_FALSE(items.isVisible(0));

    EXPECT_EQ(tray.AddMenuItem(QStringLiteral("&Exit"), QStringLiteral("close")), 0);
    EXPECT_EQ(tray.AddMenuItem(QStringLiteral("x")), 1);
    EXPECT_TRUE(items.isVisible(0));
    EXPECT_EQ(tray.AddPlayList(QStringLiteral("&Music"), QStringLiteral("Playlist1")), 0);
    EXPECT_EQ(tray.AddPlayList(QStringLiteral("&Movies"), QStringLiteral("Playlist2")), 1);
    EXPECT_EQ(tray.playlists()->menu()->actions().size(), 2);
    tray.ClearPlayLists();
    EXPECT_EQ(tray.AddPlayList(QStringLiteral("&Music"), QStringLiteral("Playlist1")), 0);
}

TEST_F(TrayMenu, ACaptionDecidesASeparatorFlaggedItemsMoveTheDefaultAndBadIndexesAreIgnored)
{
    fillMenu(tray);
    ASSERT_EQ(items.count(), kMenuItems);
    EXPECT_EQ(items.key(1), QStringLiteral("Pause"));
    for (int i = 0; i < kMenuItems; ++i)
        EXPECT_EQ(items.action(i)->isSeparator(), items.caption(i) == QStringLiteral("-")) << i;
    EXPECT_EQ(tray.DefaultMenuIndex(), kDefaultItem);
    EXPECT_EQ(tray.mnuPopup()->actions().size(), 2 + kMenuItems);

    EXPECT_THROW(items.caption(kMenuItems), std::out_of_range);
    EXPECT_THROW(items.setChecked(-1, true), std::out_of_range);
    tray.EnableMenuItem(kMenuItems, false);
    tray.EnableMenuItem(-1, false);
    EXPECT_EQ(tray.RemoveMenuItem(kMenuItems), 0);
    EXPECT_EQ(items.count(), kMenuItems);
    for (int i = 0; i < kMenuItems; ++i)
        EXPECT_TRUE(items.isEnabled(i));
    for (const auto& [set, read] : { std::pair { 99, 0 }, { 2, 2 }, { -1, 0 }, { 5, 5 } }) {
        tray.SetDefaultMenuIndex(set);
        EXPECT_EQ(tray.DefaultMenuIndex(), read) << set;
    }

    items.setCaption(0, QStringLiteral("&Back"));
    EXPECT_FALSE(items.action(0)->isSeparator());
    items.setCaption(2, QStringLiteral("-"));
    EXPECT_TRUE(items.action(2)->isSeparator());
    EXPECT_EQ(items.action(2)->text(), QString()) << "styles would print a separator's text";
}

TEST_F(TrayMenu, ShowMenuPassesTheDefaultAndRemovalShiftsCaptionsAndKeysButNotStates)
{
    fillMenu(tray);
    tray.ShowMenu();
    EXPECT_EQ(shell.foregroundCalls, 1);
    ASSERT_EQ(shell.popups.size(), 1);
    EXPECT_EQ(shell.popups.at(0), items.action(kDefaultItem));
    EXPECT_EQ(clicks.size(), 0);

    tray.EnableMenuItem(2, false);
    EXPECT_EQ(tray.RemoveMenuItem(2), 0);
    EXPECT_EQ(captions(), QStringList({ "-", "&Play", "-", "&Show Bolvin", "&Exit" }));
    EXPECT_EQ(items.key(3), QStringLiteral("open"));
    EXPECT_FALSE(items.isEnabled(2));
    EXPECT_EQ(tray.mnuPopup()->actions().size(), 2 + kMenuItems - 1);
    choose(items.action(4));
    EXPECT_EQ(clicks.at(0).at(1).toString(), QStringLiteral("close")) << "the old place reports its new key";

    tray.RemoveMenuItem(1);
    tray.ShowMenu();
    EXPECT_EQ(shell.popups.last(), nullptr) << "a default left past the end";

    // Element 0 is never removed, only emptied.
    tray.RemoveMenuItem(0);
    EXPECT_EQ(captions(), QStringList({ "", "-", "&Show Bolvin", "&Exit" }));
}

TEST_F(TrayMenu, ClicksCarryIndexAndKeyAfterTheMenuHasClosed)
{
    fillMenu(tray);
    for (int n = 1; n <= 4; ++n)
        tray.AddPlayList(QStringLiteral("&List %1").arg(n), QStringLiteral("Playlist%1").arg(n));
    QList<bool> openAtClick;
    QObject::connect(&tray, &frmSysTray::MenuClick, [&] { openAtClick.append(shell.menuOpen); });
    owner.onRate = [&](int) { openAtClick.append(shell.menuOpen); };

    items.setChecked(1, true);
    choose(items.action(1));
    choose(items.action(2));
    choose(tray.mnuPlayList().action(2));
    for (int n = 0; n <= 5; ++n)
        choose(tray.ratingItem(n));

    ASSERT_EQ(clicks.size(), 3) << "rating items rate without an event";
    EXPECT_EQ(clicks.at(1), QVariantList({ 2, QStringLiteral("Next Song") }));
    EXPECT_EQ(clicks.at(2), QVariantList({ 2, QStringLiteral("Playlist3") }));
    EXPECT_EQ(owner.ratings, QList<int>({ 0, 20, 40, 60, 80, 100 }));
    EXPECT_EQ(openAtClick, QList<bool>(9, false));
    EXPECT_TRUE(items.isChecked(1)) << "check marks are the owner's";
    EXPECT_FALSE(items.isChecked(2));
    EXPECT_FALSE(tray.ratingItem(1)->isChecked());
}

} // namespace
