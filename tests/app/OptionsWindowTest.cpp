#include "AppTestRig.h"
#include "app/options/AboutPage.h"
#include "app/options/AdvancedPage.h"
#include "app/options/DemoHarness.h"
#include "app/options/FontPage.h"
#include "app/options/HotKeysPage.h"
#include "app/options/LibraryPage.h"
#include "app/options/NotificationPage.h"
#include "app/options/OptionGroup.h"
#include "platform/screen/modFunctions.h"
#include "popup/PopUpMessages.h"
#include "tray/frmSysTray.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace
{
class OptionsWindow : public testing::Test, protected AppTestRig
{
protected:
    // Connecting is what loads the settings.
    frmMain& connectAndLoad()
    {
        playerRuns();
        return load();
    }
    NotificationPage& notification() { return *form->notificationPage; }
    AdvancedPage& advanced() { return *form->advancedPage; }
    FontPage& font() { return *form->fontPage; }
    QString stored(const char* key) { return settings.values.value(key, "<absent>"); }
    void save() { form->btnSave->click(); }
};
}

TEST_F(OptionsWindow, AnEmptyStoreLoadsTheDefaultsAndWritesNothing)
{
    frmMain& main = connectAndLoad();
    ASSERT_TRUE(main.isConnected());
    EXPECT_TRUE(notification().chkPopArt->isChecked());
    EXPECT_TRUE(notification().chkPopTitle->isChecked());
    EXPECT_FALSE(advanced().chkStartup->isChecked());
    EXPECT_EQ(font().cboFonts->currentText(), "DejaVu Sans") << "the desktop's own font";
    QStringList keys { form->hotKeysPage->cboHotKeyMod->currentText() };
    for (QComboBox* box : form->hotKeysPage->keySelectors())
        keys << box->currentText();
    EXPECT_EQ(keys, QStringList({ "Ctrl", "E", "Left", "Right", "Up", "Down", "P", "PageUp", "PageDn" }));
    // Pop-ups come up from the bottom right corner.
    EXPECT_EQ(notification().optYPos->caption(notification().optYPos->selectedIndex()), "Bottom");
    EXPECT_EQ(notification().optXPos->caption(notification().optXPos->selectedIndex()), "Right");
    EXPECT_EQ(main.popups()->PopUpDirection(), 0);
    EXPECT_EQ(main.popups()->ShowDelay(), advanced().scrShowDelay->value());

    // Nothing is added to the session's start unasked.
    EXPECT_TRUE(registry.runValue().isEmpty());
    EXPECT_EQ(settings.values.size(), 1);
    EXPECT_TRUE(desktop.messages.isEmpty());
}

TEST_F(OptionsWindow, TheHiddenBottomLeftDirectionLoadsActsAndSavesBack)
{
    settings.values.insert("Direction", "BottomLeft");
    frmMain& main = connectAndLoad();
    EXPECT_EQ(notification().optDirection->selectedIndex(), 4);
    EXPECT_FALSE(notification().optDirection->option(4)->isVisibleTo(&main));
    EXPECT_EQ(main.popups()->PopUpDirection(), 4);
    save();
    EXPECT_EQ(stored("Direction"), "BottomLeft");
}

TEST_F(OptionsWindow, GarbageInTheStoreLoadsEachKeysDefault)
{
    for (const auto& [key, value] : { std::pair { "Direction", "up" }, { "Background", "Five" }, { "YPos", "Middle" },
             { "XPos", "\x01" }, { "HotKey", "Nope" }, { "FontSize", "huge" }, { "ShowDelay", "abc" },
             { "PopUpWidth", "99999" }, { "Movement", "-5" }, { "Fading", "2" }, { "Scroll", " 200 " } })
        settings.values.insert(key, value);
    connectAndLoad();
    for (OptionGroup* group :
        { notification().optDirection, notification().optBackGround, notification().optYPos, notification().optXPos })
        EXPECT_GE(group->selectedIndex(), 0) << "every group has a choice";
    EXPECT_EQ(advanced().scrShowDelay->value(), 3000);
    EXPECT_EQ(advanced().scrPopUpWidth->value(), 2000);
    EXPECT_EQ(advanced().scrMovementIndex->value(), 5);
    EXPECT_FALSE(notification().chkFading->isChecked());
    EXPECT_EQ(advanced().scrScrollDelay->value(), 200) << "blanks around a number are read";
    save();
    EXPECT_EQ(stored("Direction"), "Up");
    EXPECT_EQ(stored("XPos"), "Right");
    EXPECT_EQ(stored("HotKey"), "E");
    EXPECT_EQ(stored("FontSize"), "10");
}

TEST_F(OptionsWindow, AFontThatIsNotInstalledBecomesTheOneTheDesktopDrawsInItsPlace)
{
    desktop.fonts = { "DejaVu Sans", "Liberation Serif" };
    desktop.systemFamily = "Liberation Serif";
    settings.values.insert("Font", "Comic Neue");
    connectAndLoad();
    EXPECT_EQ(font().cboFonts->currentText(), "Liberation Serif");
}

TEST_F(OptionsWindow, AnEmptyHotkeySelectorKeepsTheStoredKey)
{
    settings.values.insert("PauseKey", "Q");
    connectAndLoad();
    form->hotKeysPage->cboPauseKey->setCurrentIndex(-1);
    save();
    EXPECT_EQ(stored("PauseKey"), "Q");
}

TEST_F(OptionsWindow, SaveActsAtOnceAndTheNextStartLoadsItBackWithoutAddingEntries)
{
    frmMain& main = connectAndLoad();
    notification().chkFading->setChecked(true);
    notification().optDirection->setValue(2, true);
    advanced().scrScrollDelay->setValue(200);
    font().cboFontSize->setCurrentIndex(5);
    form->hotKeysPage->cboHotKeyMod->setCurrentIndex(0);
    save();
    EXPECT_TRUE(main.popups()->AllowFading());
    EXPECT_EQ(main.popups()->PopUpDirection(), 2);
    EXPECT_EQ(main.popups()->ScrollDelay(), 200);

    AppTestRig restarted;
    restarted.settings = settings;
    restarted.playerRuns();
    frmMain& again = restarted.load();
    EXPECT_TRUE(again.notificationPage->chkFading->isChecked());
    EXPECT_EQ(again.notificationPage->optDirection->selectedIndex(), 2);
    EXPECT_EQ(again.fontPage->cboFontSize->currentText(), "11");
    EXPECT_EQ(again.hotKeysPage->cboHotKeyMod->currentText(), "Alt");
    EXPECT_EQ(again.popups()->ScrollDelay(), 200);

    save();
    save();
    EXPECT_EQ(form->libraryPage->cboExportMode->count(), 5);
    EXPECT_EQ(font().cboFonts->count(), desktop.fonts.size());
}

TEST_F(OptionsWindow, LoadDefaultsForgetsEverySettingButTheFirstRunTheArtworkPositionAndRunAtStartup)
{
    settings.values.insert("Position", "10,20");
    settings.values.insert("ShowDelay", "42");
    connectAndLoad();
    advanced().chkStartup->setChecked(true);
    EXPECT_EQ(registry.runValue(), "\"/opt/bolvin/bolvin\"");
    EXPECT_EQ(stored("Startup"), "1") << "stored at once";
    advanced().btnDefaults->click();
    EXPECT_EQ(advanced().scrShowDelay->value(), 3000);
    EXPECT_EQ(stored("ShowDelay"), "<absent>");
    EXPECT_EQ(stored("Position"), "10,20");
    EXPECT_EQ(stored("FirstRun"), "No");
    EXPECT_TRUE(advanced().chkStartup->isChecked());
    EXPECT_EQ(registry.runValue(), "\"/opt/bolvin/bolvin\"");

    registry.writable = false;
    advanced().chkStartup->setChecked(false);
    EXPECT_FALSE(advanced().chkStartup->isChecked());
    EXPECT_EQ(stored("Startup"), "0");
    EXPECT_EQ(registry.runValue(), "\"/opt/bolvin/bolvin\"") << "an unwritable place changes nothing else";
    EXPECT_TRUE(desktop.messages.isEmpty());
}

TEST_F(OptionsWindow, WithNoPlayerTheSettingsAreLoadedAppliedAndSavedBackUnchanged)
{
    for (const auto& [key, value] : { std::pair { "Fading", "1" }, { "Direction", "Right" }, { "Movement", "40" },
             { "Font", "Liberation Serif" }, { "FontSize", "14" }, { "EnableHotKey", "1" }, { "HotKeyMod", "Alt" },
             { "PauseKey", "Q" }, { "Startup", "0" } })
        settings.values.insert(key, value);
    const auto before = settings.values;
    frmMain& main = load();
    ASSERT_FALSE(main.isConnected());
    ASSERT_NE(main.popups(), nullptr);
    EXPECT_TRUE(main.popups()->AllowFading());
    EXPECT_EQ(main.popups()->PopUpDirection(), 3);
    EXPECT_EQ(main.popups()->MovementIndex(), 40);
    EXPECT_EQ(hotKeys.live.size(), 8) << "hotkeys are registered at start, player or not";
    save();
    for (auto stored = before.cbegin(); stored != before.cend(); ++stored)
        EXPECT_EQ(settings.values.value(stored.key()), stored.value()) << stored.key().toStdString();
    EXPECT_TRUE(desktop.messages.isEmpty());
}

TEST_F(OptionsWindow, PlaylistsAreAddedOnceAndTheSubmenuFollowsTheBox)
{
    auto source = std::make_shared<FakeSource>();
    source->playlists->items
        = { std::make_shared<FakePlaylist>("Library"), std::make_shared<FakePlaylist>("Road & Trip") };
    backend.player->librarySource = source;
    frmMain& main = connectAndLoad();
    frmSysTray& tray = *main.sysTray();
    EXPECT_FALSE(tray.playlists()->isEnabled());

    advanced().chkEnablePlayLists->setChecked(true);
    EXPECT_TRUE(tray.playlists()->isEnabled());
    ASSERT_EQ(tray.mnuPlayList().count(), 2);
    EXPECT_EQ(tray.mnuPlayList().caption(1), "&Road & Trip");
    advanced().chkEnablePlayLists->setChecked(false);
    EXPECT_FALSE(tray.playlists()->isEnabled());
    EXPECT_FALSE(tray.playlists()->toolTip().isEmpty());
    advanced().chkEnablePlayLists->setChecked(true);
    EXPECT_EQ(tray.mnuPlayList().count(), 2);

    // Another player's lists replace these; a player with none leaves the submenu grey.
    source->playlists->items.clear();
    backend.player->OnAboutToPromptUserToQuitEvent();
    tray.mnuSysTray().action(11)->trigger();
    ASSERT_TRUE(main.isConnected());
    EXPECT_FALSE(tray.playlists()->isEnabled());
    EXPECT_FALSE(tray.mnuPlayList().isVisible(0));
}

TEST_F(OptionsWindow, TheFontPreviewFollowsTheSelectorsAndFallsBackToSizeEight)
{
    connectAndLoad();
    FontPage& page = font();
    page.cboFontSize->setCurrentIndex(10);
    page.cboFonts->setCurrentIndex(2);
    EXPECT_EQ(page.cboFontSize->currentText(), "8") << "a refilled list falls back to entry 2";
    EXPECT_EQ(page.lblSample->text(), "Preview font\r\nLiberation Serif");
    EXPECT_EQ(page.lblSample->font().family(), "Liberation Serif");
    page.chkFontBold->setChecked(true);
    page.cboFontSize->setCurrentIndex(6);
    EXPECT_TRUE(page.lblSample->font().bold());
    EXPECT_EQ(page.lblSample->font().pointSize(), 12);
}

TEST_F(OptionsWindow, SetPopUpParentStartsInTheBoxAndOnTheDesktopAtTheWorkAreaEdge)
{
    frmMain& main = connectAndLoad();
    PopUpMessages& popups = *main.popups();
    main.demo->chkUseParent->setChecked(true);
    EXPECT_EQ(popups.ParentHandle(), main.demo->picHolder);
    EXPECT_EQ(popups.XPos(), GetWindowWidthTwips(main.demo->picHolder, Screen::system()) - popups.MessageWidth());
    main.demo->chkUseParent->setChecked(false);
    EXPECT_EQ(popups.ParentHandle(), nullptr);
    EXPECT_EQ(popups.XPos(), GetWorkAreaRight(Screen::system()) - popups.MessageWidth());
    EXPECT_EQ(popups.YPos(), GetWorkAreaBottom(Screen::system()));
}

TEST_F(OptionsWindow, AboutSpeaksTheProgramsOwnWords)
{
    frmMain& main = load();
    main.aboutPage->Command3->click();
    ASSERT_EQ(desktop.messages.size(), 1);
    EXPECT_TRUE(desktop.messages[0].startsWith("Bolvin 1.0.143\r\n"));
    EXPECT_EQ(desktop.messages[0].split("\r\n").size(), 4);
}
