#include "AppTestRig.h"
#include "platform/screen/modFunctions.h"
#include "popup/PopUpMessages.h"
#include "tray/hotkeys/HotKey.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

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
    QString stored(const char* key) { return settings.values.value(key, "<absent>"); }
    void save() { control<QPushButton>(*form, "btnSave")->click(); }
};
}

TEST_F(OptionsWindow, AnEmptyStoreLoadsTheDefaultsAndWritesNothingAndAboutSpeaksTheProgramsOwnWords)
{
    frmMain& main = connectAndLoad();
    ASSERT_TRUE(main.link().isConnected());
    EXPECT_TRUE(box("chkPopArt")->isChecked());
    EXPECT_TRUE(box("chkPopTitle")->isChecked());
    EXPECT_FALSE(box("chkStartup")->isChecked());
    EXPECT_EQ(combo("cboFonts")->currentText(), "DejaVu Sans") << "the desktop's own font";
    QStringList keys;
    for (const char* name : { "cboHotKeyMod", "cboHotKey", "cboPreviousTrackKey", "cboNextTrackKey", "cboVolumeUpKey",
             "cboVolumeDownKey", "cboPauseKey", "cboRatingUpKey", "cboRatingDownKey" })
        keys << combo(name)->currentText();
    EXPECT_EQ(keys, QStringList({ "Ctrl", "E", "Left", "Right", "Up", "Down", "P", "PageUp", "PageDn" }));
    // Pop-ups come up from the bottom right corner.
    EXPECT_EQ(group("optYPos")->caption(group("optYPos")->selectedIndex()), "Bottom");
    EXPECT_EQ(group("optXPos")->caption(group("optXPos")->selectedIndex()), "Right");
    EXPECT_EQ(main.notification().popups()->PopUpDirection(), 0);
    EXPECT_EQ(main.notification().popups()->ShowDelay(), bar("scrShowDelay")->value());

    // Nothing is added to the session's start unasked.
    EXPECT_TRUE(registry.runValue().isEmpty());
    EXPECT_EQ(settings.values.size(), 1);
    EXPECT_TRUE(desktop.messages.isEmpty());

    control<QPushButton>(main, "Command3")->click();
    ASSERT_EQ(desktop.messages.size(), 1);
    EXPECT_TRUE(desktop.messages[0].startsWith("Bolvin 1.0.143\r\n"));
    EXPECT_EQ(desktop.messages[0].split("\r\n").size(), 4);
}

TEST_F(OptionsWindow, TheHiddenBottomLeftDirectionLoadsActsAndSavesBack)
{
    settings.values.insert("Direction", "BottomLeft");
    frmMain& main = connectAndLoad();
    EXPECT_EQ(group("optDirection")->selectedIndex(), 4);
    EXPECT_FALSE(group("optDirection")->option(4)->isVisibleTo(&main));
    EXPECT_EQ(main.notification().popups()->PopUpDirection(), 4);
    save();
    EXPECT_EQ(stored("Direction"), "BottomLeft");
}

// A font that is not installed becomes the one the desktop draws in its place; an empty
// hotkey selector keeps the stored key.
TEST_F(OptionsWindow, GarbageInTheStoreLoadsEachKeysDefaultAndAMissingFontOrKeyTheNearestOne)
{
    desktop.fonts = { "DejaVu Sans", "Liberation Serif" };
    desktop.systemFamily = "Liberation Serif";
    for (const auto& [key, value] : { std::pair { "Direction", "up" }, { "Background", "Five" }, { "YPos", "Middle" },
             { "XPos", "\x01" }, { "HotKey", "Nope" }, { "FontSize", "huge" }, { "ShowDelay", "abc" },
             { "PopUpWidth", "99999" }, { "Movement", "-5" }, { "Fading", "2" }, { "Scroll", " 200 " },
             { "Font", "Comic Neue" }, { "PauseKey", "Q" } })
        settings.values.insert(key, value);
    connectAndLoad();
    EXPECT_EQ(combo("cboFonts")->currentText(), "Liberation Serif");
    for (const char* name : { "optDirection", "optBackGround", "optYPos", "optXPos" })
        EXPECT_GE(group(name)->selectedIndex(), 0) << "every group has a choice";
    EXPECT_EQ(bar("scrShowDelay")->value(), 3000);
    EXPECT_EQ(bar("scrPopUpWidth")->value(), 2000);
    EXPECT_EQ(bar("scrMovementIndex")->value(), 5);
    EXPECT_FALSE(box("chkFading")->isChecked());
    EXPECT_EQ(bar("scrScrollDelay")->value(), 200) << "blanks around a number are read";
    combo("cboPauseKey")->setCurrentIndex(-1);
    save();
    for (const auto& [key, value] : { std::pair { "Direction", "Up" }, { "XPos", "Right" }, { "HotKey", "E" },
             { "FontSize", "10" }, { "PauseKey", "Q" } })
        EXPECT_EQ(stored(key), value) << key;
}

TEST_F(OptionsWindow, SaveActsAtOnceAndTheNextStartLoadsItBackWithoutAddingEntries)
{
    frmMain& main = connectAndLoad();
    box("chkFading")->setChecked(true);
    group("optDirection")->setValue(2, true);
    bar("scrScrollDelay")->setValue(200);
    combo("cboFontSize")->setCurrentIndex(5);
    combo("cboHotKeyMod")->setCurrentIndex(0);
    save();
    EXPECT_TRUE(main.notification().popups()->AllowFading());
    EXPECT_EQ(main.notification().popups()->PopUpDirection(), 2);
    EXPECT_EQ(main.notification().popups()->ScrollDelay(), 200);

    AppTestRig restarted;
    restarted.settings = settings;
    restarted.playerRuns();
    frmMain& again = restarted.load();
    EXPECT_TRUE(control<QCheckBox>(again, "chkFading")->isChecked());
    EXPECT_EQ(control<OptionGroup>(again, "optDirection")->selectedIndex(), 2);
    EXPECT_EQ(control<QComboBox>(again, "cboFontSize")->currentText(), "11");
    EXPECT_EQ(control<QComboBox>(again, "cboHotKeyMod")->currentText(), "Alt");
    EXPECT_EQ(again.notification().popups()->ScrollDelay(), 200);

    save();
    save();
    EXPECT_EQ(combo("cboExportMode")->count(), 5);
    EXPECT_EQ(combo("cboFonts")->count(), desktop.fonts.size());
}

TEST_F(OptionsWindow, LoadDefaultsForgetsEverySettingButTheFirstRunTheArtworkPositionAndRunAtStartup)
{
    settings.values.insert("Position", "10,20");
    settings.values.insert("ShowDelay", "42");
    connectAndLoad();
    box("chkStartup")->setChecked(true);
    EXPECT_EQ(registry.runValue(), "\"/opt/bolvin/bolvin\"");
    EXPECT_EQ(stored("Startup"), "1") << "stored at once";
    control<QPushButton>(*form, "btnDefaults")->click();
    EXPECT_EQ(bar("scrShowDelay")->value(), 3000);
    EXPECT_EQ(stored("ShowDelay"), "<absent>");
    EXPECT_EQ(stored("Position"), "10,20");
    EXPECT_EQ(stored("FirstRun"), "No");
    EXPECT_TRUE(box("chkStartup")->isChecked());
    EXPECT_EQ(registry.runValue(), "\"/opt/bolvin/bolvin\"");

    registry.writable = false;
    box("chkStartup")->setChecked(false);
    EXPECT_FALSE(box("chkStartup")->isChecked());
    EXPECT_EQ(stored("Startup"), "0");
    EXPECT_EQ(registry.runValue(), "\"/opt/bolvin/bolvin\"") << "an unwritable place changes nothing else";
    EXPECT_TRUE(desktop.messages.isEmpty());
}

// Start-up leaves the pages unbuilt: the stored settings drive everything until the window opens.
TEST_F(OptionsWindow, WithNoPlayerAndNoWindowTheStoredSettingsActAndOpeningAndSavingChangesNothing)
{
    for (const auto& [key, value] : { std::pair { "Fading", "1" }, { "Direction", "Right" }, { "Movement", "40" },
             { "Font", "Liberation Serif" }, { "FontSize", "15" }, { "EnableHotKey", "1" }, { "HotKeyMod", "Alt" },
             { "PauseKey", "Q" }, { "Startup", "1" } })
        settings.values.insert(key, value);
    frmMain& main = start();
    EXPECT_FALSE(registry.runValue().isEmpty()) << "a ticked \"Run at startup\" renews its entry at start";
    ASSERT_FALSE(main.link().isConnected());
    EXPECT_EQ(main.findChild<OptionPages*>(), nullptr);
    ASSERT_NE(main.notification().popups(), nullptr);
    EXPECT_TRUE(main.notification().popups()->AllowFading());
    EXPECT_EQ(main.notification().popups()->PopUpDirection(), 3);
    EXPECT_EQ(main.notification().popups()->MovementIndex(), 40);
    EXPECT_EQ(hotKeys.live.size(), 8) << "hotkeys are registered at start, player or not";
    EXPECT_EQ(hotKeys.live.value(6).virtualKey, *KeyCodeFromName("Q"));
    EXPECT_EQ(hotKeys.live.value(6).modifiers, *ModifierCodeFromName("Alt"));
    const QFont font = main.messageFont();
    EXPECT_EQ(std::pair(font.family(), font.pointSize()), std::pair(QString("Liberation Serif"), 14))
        << "the nearest size the list offers";

    main.options();
    EXPECT_EQ(combo("cboFontSize")->currentText(), "14");
    EXPECT_EQ(main.messageFont(), font);
    EXPECT_EQ(hotKeys.attempts.size(), 8) << "opening the window registers nothing again";
    settings.values.insert("FontSize", "14");
    const auto loaded = settings.values;
    save();
    for (auto stored = loaded.cbegin(); stored != loaded.cend(); ++stored)
        EXPECT_EQ(settings.values.value(stored.key()), stored.value()) << stored.key().toStdString();
    EXPECT_TRUE(desktop.messages.isEmpty());
}

TEST_F(OptionsWindow, TheFontPreviewFollowsTheSelectorsAndAParentForThePopUpsStartsThemInTheBox)
{
    frmMain& main = connectAndLoad();
    QComboBox* sizes = combo("cboFontSize");
    QLabel* sample = control<QLabel>(*form, "lblSample");
    sizes->setCurrentIndex(10);
    combo("cboFonts")->setCurrentIndex(2);
    EXPECT_EQ(sizes->currentText(), "8") << "a refilled list falls back to entry 2";
    EXPECT_EQ(sample->text(), "Preview font\r\nLiberation Serif");
    EXPECT_EQ(sample->font().family(), "Liberation Serif");
    box("chkFontBold")->setChecked(true);
    sizes->setCurrentIndex(6);
    EXPECT_TRUE(sample->font().bold());
    EXPECT_EQ(sample->font().pointSize(), 12);

    PopUpMessages& popups = *main.notification().popups();
    QFrame* picHolder = control<QFrame>(main, "picHolder");
    box("chkUseParent")->setChecked(true);
    EXPECT_EQ(popups.ParentHandle(), picHolder);
    EXPECT_EQ(popups.XPos(), GetWindowWidthTwips(picHolder, Screen::system()) - popups.MessageWidth());
    box("chkUseParent")->setChecked(false);
    EXPECT_EQ(popups.ParentHandle(), nullptr);
    EXPECT_EQ(popups.XPos(), GetWorkAreaRight(Screen::system()) - popups.MessageWidth());
    EXPECT_EQ(popups.YPos(), GetWorkAreaBottom(Screen::system()));
}
