#include "tray/hotkeys/HotKey.h"

#include <gtest/gtest.h>

#include <QComboBox>

namespace
{

// Stored settings are read by exact name; a near miss must not register some other key.
TEST(HotKeyNames, OnlyExactNamesHaveCodes)
{
    for (const char* text : { "", "a", "F11", "F0", "PageDown", "keypad+", " A", "Esc", "10" })
        EXPECT_FALSE(KeyCodeFromName(QString::fromLatin1(text)).has_value()) << text;
    for (const char* text : { "", "ctrl", "Control", "Ctrl+Alt" })
        EXPECT_FALSE(ModifierCodeFromName(QString::fromLatin1(text)).has_value()) << text;
}

TEST(FillKeyCombo, KindsFillTheirListsAndOnlyExactTextIsSelected)
{
    QComboBox modifiers;
    FillKeyCombo(&modifiers, "MOD");
    EXPECT_EQ(modifiers.count(), 3);
    SelectComboText(&modifiers, "Shift");
    SelectComboText(&modifiers, "Win");
    EXPECT_EQ(modifiers.currentText(), "Shift") << "Win cannot be picked";

    QComboBox keys;
    keys.addItem("existing");
    FillKeyCombo(&keys, "HOTKEY");
    EXPECT_EQ(keys.count(), 1 + KeyNames().size()) << "appended";
    SelectComboText(&keys, "PageDn");
    for (const char* text : { "pagedn", "", "PageDn " })
        SelectComboText(&keys, QString::fromLatin1(text));
    EXPECT_EQ(keys.currentText(), "PageDn");

    QComboBox other;
    for (const char* kind : { "", "mod", "hotkey", "KEYS" })
        FillKeyCombo(&other, QString::fromLatin1(kind));
    EXPECT_EQ(other.count(), 0);
}

} // namespace
