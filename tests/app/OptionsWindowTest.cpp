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

namespace {
class OptionsWindow : public testing::Test, protected AppTestRig {
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
    HotKeysPage& hotKeys_() { return *form->hotKeysPage; }
    QString stored(const char* key) { return settings.values.value(key, "<absent>"); }
    void save() { form->btnSave->click(); }
};

QStringList selectorTexts(const HotKeysPage& page)
{
    QStringList texts { page.cboHotKeyMod->currentText() };
    for (QComboBox* box : page.keySelectors())
        texts << box->currentText();
    return texts;
}
}

TEST_F(OptionsWindow, AnEmptyStoreLoadsEveryDefaultIntoTheControlsAndTheCollection)
{
    frmMain& main = connectAndLoad();
    ASSERT_TRUE(main.isConnected());

    EXPECT_TRUE(notification().chkPopArt->isChecked());
    EXPECT_TRUE(notification().chkPopTitle->isChecked());
    for (QCheckBox* box : { advanced().chkStartup, notification().chkFading, notification().chkFloatArt, notification().chkStickyArt,
             notification().chkStickyTitle, notification().chkStretchBkg, advanced().chkExportMsg,
             advanced().chkEnablePlayLists, font().chkFontBold, font().chkFontItalic, hotKeys_().chkEnableHotKey })
        EXPECT_FALSE(box->isChecked()) << box->text().toStdString();
    EXPECT_EQ(advanced().scrPopUpHeight->value(), 2000);
    EXPECT_EQ(advanced().scrPopUpWidth->value(), 2000);
    EXPECT_EQ(advanced().scrShowDelay->value(), 3000);
    EXPECT_EQ(advanced().scrMovementIndex->value(), 5);
    EXPECT_EQ(advanced().scrScrollDelay->value(), 30);
    EXPECT_EQ(font().cboFonts->currentText(), "DejaVu Sans") << "the desktop's own font";
    EXPECT_EQ(font().cboFontSize->currentText(), "10");
    EXPECT_EQ(selectorTexts(hotKeys_()),
        QStringList({ "Ctrl", "E", "Left", "Right", "Up", "Down", "P", "PageUp", "PageDn" }));
    EXPECT_EQ(notification().optDirection->selectedIndex(), 0);
    EXPECT_EQ(notification().optBackGround->selectedIndex(), 0);
    EXPECT_EQ(notification().optYPos->caption(notification().optYPos->selectedIndex()), "Bottom");
    EXPECT_EQ(notification().optXPos->caption(notification().optXPos->selectedIndex()), "Right");

    PopUpMessages& popups = *main.popups();
    EXPECT_EQ(popups.PopUpDirection(), 0);
    EXPECT_EQ(popups.ShowDelay(), 3000);
    EXPECT_EQ(popups.MovementIndex(), 5);
    EXPECT_EQ(popups.ScrollDelay(), 30);
    EXPECT_FALSE(popups.AllowFading());

    // Loading writes nothing, and nothing is added to the session's start unasked.
    EXPECT_TRUE(registry.runValue().isEmpty());
    EXPECT_EQ(stored("Startup"), "<absent>");
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

TEST_F(OptionsWindow, GarbageInTheStoreLoadsEachKeysDefaultWithEveryGroupSelected)
{
    for (const auto& [key, value] : { std::pair { "Direction", "up" }, { "Background", "Five" }, { "YPos", "Middle" },
             { "XPos", "\x01" }, { "HotKey", "Nope" }, { "FontSize", "huge" } })
        settings.values.insert(key, value);
    connectAndLoad();
    for (OptionGroup* group : { notification().optDirection, notification().optBackGround, notification().optYPos,
             notification().optXPos })
        EXPECT_GE(group->selectedIndex(), 0);
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
    hotKeys_().cboPauseKey->setCurrentIndex(-1);
    save();
    EXPECT_EQ(stored("PauseKey"), "Q");
    EXPECT_EQ(stored("HotKey"), "E");
}

TEST_F(OptionsWindow, NumbersThatAreNotNumbersOrOutOfRangeLoadAsDefaults)
{
    settings.values.insert("ShowDelay", "abc");
    settings.values.insert("PopUpWidth", "99999");
    settings.values.insert("Movement", "-5");
    settings.values.insert("Fading", "2");
    settings.values.insert("Scroll", " 200 ");
    connectAndLoad();
    EXPECT_EQ(advanced().scrShowDelay->value(), 3000);
    EXPECT_EQ(advanced().scrPopUpWidth->value(), 2000);
    EXPECT_EQ(advanced().scrMovementIndex->value(), 5);
    EXPECT_FALSE(notification().chkFading->isChecked());
    EXPECT_EQ(advanced().scrScrollDelay->value(), 200);
}

TEST_F(OptionsWindow, SaveThenLoadReproducesTheControlsAndRepeatedLoadsAddNoEntries)
{
    frmMain& main = connectAndLoad();
    notification().chkFading->setChecked(true);
    notification().optDirection->setValue(2, true);
    notification().optBackGround->setValue(3, true);
    advanced().scrShowDelay->setValue(1);
    advanced().scrScrollDelay->setValue(200);
    font().chkFontItalic->setChecked(true);
    font().cboFontSize->setCurrentIndex(5);
    hotKeys_().cboHotKeyMod->setCurrentIndex(0);
    save();
    // Live values act at once.
    EXPECT_TRUE(main.popups()->AllowFading());
    EXPECT_EQ(main.popups()->PopUpDirection(), 2);
    EXPECT_EQ(main.popups()->ShowDelay(), 1);
    EXPECT_EQ(main.popups()->ScrollDelay(), 200);

    AppTestRig restarted;
    restarted.settings = settings;
    restarted.playerRuns();
    frmMain& again = restarted.load();
    EXPECT_TRUE(again.notificationPage->chkFading->isChecked());
    EXPECT_EQ(again.notificationPage->optDirection->selectedIndex(), 2);
    EXPECT_EQ(again.notificationPage->optBackGround->selectedIndex(), 3);
    EXPECT_EQ(again.advancedPage->scrShowDelay->value(), 1);
    EXPECT_TRUE(again.fontPage->chkFontItalic->isChecked());
    EXPECT_EQ(again.fontPage->cboFontSize->currentText(), "11");
    EXPECT_EQ(again.hotKeysPage->cboHotKeyMod->currentText(), "Alt");
    EXPECT_EQ(again.popups()->ScrollDelay(), 200);

    save();
    save();
    EXPECT_EQ(form->libraryPage->cboExportMode->count(), 5);
    EXPECT_EQ(form->libraryPage->cboPlayCount->count(), 2);
    EXPECT_EQ(font().cboFonts->count(), desktop.fonts.size());
}

TEST_F(OptionsWindow, LoadDefaultsForgetsEverySettingButTheFirstRunAndTheArtworkPosition)
{
    settings.values.insert("Position", "10,20");
    settings.values.insert("ShowDelay", "42");
    settings.values.insert("Direction", "Left");
    connectAndLoad();
    EXPECT_EQ(advanced().scrShowDelay->value(), 42);
    advanced().btnDefaults->click();
    EXPECT_EQ(advanced().scrShowDelay->value(), 3000);
    EXPECT_EQ(notification().optDirection->selectedIndex(), 0);
    EXPECT_EQ(stored("Position"), "10,20");
    EXPECT_EQ(stored("FirstRun"), "No");
    EXPECT_EQ(stored("ShowDelay"), "<absent>");
    EXPECT_TRUE(desktop.messages.isEmpty());
}

TEST_F(OptionsWindow, RunAtStartupWritesOrRemovesTheEntryAndStoresItsStateAtOnceAndDefaultsKeepIt)
{
    connectAndLoad();
    advanced().chkStartup->setChecked(true);
    EXPECT_EQ(registry.runValue(), "\"/opt/bolvin/bolvin\"");
    EXPECT_EQ(stored("Startup"), "1");
    advanced().btnDefaults->click();
    EXPECT_TRUE(advanced().chkStartup->isChecked());
    EXPECT_EQ(registry.runValue(), "\"/opt/bolvin/bolvin\"");

    registry.writable = false;
    advanced().chkStartup->setChecked(false);
    EXPECT_FALSE(advanced().chkStartup->isChecked());
    EXPECT_EQ(stored("Startup"), "0");
    EXPECT_EQ(registry.runValue(), "\"/opt/bolvin/bolvin\"") << "an unwritable place changes nothing else";
}

TEST_F(OptionsWindow, WithNoPlayerTheSettingsAreLoadedAppliedAndSavedBackUnchanged)
{
    for (const auto& [key, value] : { std::pair { "Fading", "1" }, { "Direction", "Right" }, { "Movement", "40" },
             { "Font", "Liberation Serif" }, { "FontSize", "14" }, { "EnableHotKey", "1" }, { "HotKeyMod", "Alt" },
             { "PauseKey", "Q" }, { "Startup", "0" } })
        settings.values.insert(key, value);
    frmMain& main = load();
    ASSERT_FALSE(main.isConnected());
    const auto before = settings.values;
    ASSERT_NE(main.popups(), nullptr);
    EXPECT_TRUE(main.popups()->AllowFading());
    EXPECT_EQ(main.popups()->PopUpDirection(), 3);
    EXPECT_EQ(main.popups()->MovementIndex(), 40);
    EXPECT_EQ(hotKeys.live.size(), 8) << "hotkeys are registered at start, player or not";
    save();
    for (const char* key : { "Fading", "Direction", "Movement", "Font", "FontSize", "EnableHotKey", "HotKeyMod",
             "PauseKey", "Startup" })
        EXPECT_EQ(stored(key), before.value(key)) << key;
    EXPECT_TRUE(desktop.messages.isEmpty());
}

TEST_F(OptionsWindow, PlaylistsAreAddedOnceAndTheSubmenuFollowsTheBox)
{
    auto source = std::make_shared<FakeSource>();
    source->playlists->items = { std::make_shared<FakePlaylist>("Library"), std::make_shared<FakePlaylist>("Road & Trip") };
    backend.player->librarySource = source;
    frmMain& main = connectAndLoad();
    frmSysTray& tray = *main.sysTray();
    EXPECT_FALSE(tray.playlists()->isEnabled());

    advanced().chkEnablePlayLists->setChecked(true);
    EXPECT_TRUE(tray.playlists()->isEnabled());
    ASSERT_EQ(tray.mnuPlayList().count(), 2);
    EXPECT_EQ(tray.mnuPlayList().caption(1), "&Road & Trip");
    EXPECT_EQ(tray.mnuPlayList().key(1), "Playlist2");

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
    font().cboFontSize->setCurrentIndex(10);
    page.cboFonts->setCurrentIndex(2);
    EXPECT_EQ(page.cboFontSize->count(), 18);
    EXPECT_EQ(page.cboFontSize->itemText(0), "6");
    EXPECT_EQ(page.cboFontSize->itemText(17), "72");
    EXPECT_EQ(page.cboFontSize->currentText(), "8") << "a refilled list falls back to entry 2";
    EXPECT_EQ(page.lblSample->text(), "Preview font\r\nLiberation Serif");
    EXPECT_EQ(page.lblSample->font().family(), "Liberation Serif");

    page.chkFontBold->setChecked(true);
    EXPECT_TRUE(page.lblSample->font().bold());
    page.cboFontSize->setCurrentIndex(6);
    EXPECT_EQ(page.lblSample->font().pointSize(), 12);
}

TEST_F(OptionsWindow, SetPopUpParentOnTheDesktopStartsAtTheWorkAreaEdge)
{
    frmMain& main = connectAndLoad();
    main.demo->chkUseParent->setChecked(true);
    EXPECT_EQ(main.popups()->ParentHandle(), main.demo->picHolder);
    EXPECT_EQ(main.popups()->XPos(), GetWindowWidthTwips(main.demo->picHolder) - main.popups()->MessageWidth())
        << "the chosen corner, inside the picture box";
    main.demo->chkUseParent->setChecked(false);
    EXPECT_EQ(main.popups()->ParentHandle(), nullptr);
    EXPECT_EQ(main.popups()->XPos(), GetWorkAreaRight() - main.popups()->MessageWidth());
    EXPECT_EQ(main.popups()->YPos(), GetWorkAreaBottom());
}

TEST_F(OptionsWindow, AboutAndTheWebLinkSpeakTheProgramsOwnWords)
{
    frmMain& main = load();
    main.aboutPage->Command3->click();
    ASSERT_EQ(desktop.messages.size(), 1);
    EXPECT_TRUE(desktop.messages[0].startsWith("Bolvin 1.0.143\r\n"));
    EXPECT_EQ(desktop.messages[0].split("\r\n").size(), 4);
}
