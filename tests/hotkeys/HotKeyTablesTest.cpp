#include "tray/hotkeys/HotKey.h"

#include <gtest/gtest.h>

#include <QComboBox>

namespace {

TEST(HotKeyNames, EveryNameInSelectorOrderHasItsVirtualKeyCode)
{
    const QStringList& names = KeyNames();
    ASSERT_EQ(names.size(), 54);
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(names[i], QString(QChar(u'A' + i)));
        EXPECT_EQ(KeyCodeFromName(names[i]), 0x41 + i);
    }
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(names[26 + i], QString::number(i));
        EXPECT_EQ(KeyCodeFromName(names[26 + i]), 0x30 + i);
        EXPECT_EQ(names[36 + i], QStringLiteral("F%1").arg(i + 1));
        EXPECT_EQ(KeyCodeFromName(names[36 + i]), 0x70 + i);
    }
    const QStringList named { "Up", "Down", "Left", "Right", "PageUp", "PageDn", "KeyPad+", "KeyPad-" };
    const QList<int> codes { 38, 40, 37, 39, 33, 34, 107, 109 };
    EXPECT_EQ(names.mid(46), named);
    for (int i = 0; i < named.size(); ++i)
        EXPECT_EQ(KeyCodeFromName(named[i]), codes[i]) << named[i].toStdString();

    for (const char* text : { "", "a", "F11", "F0", "PageDown", "keypad+", " A", "Esc", "10" })
        EXPECT_FALSE(KeyCodeFromName(QString::fromLatin1(text)).has_value()) << text;
}

TEST(HotKeyNames, ModifierCodesIncludeTheStoredOnlyWin)
{
    EXPECT_EQ(ModifierCodeFromName("Alt"), 1);
    EXPECT_EQ(ModifierCodeFromName("Ctrl"), 2);
    EXPECT_EQ(ModifierCodeFromName("Shift"), 4);
    EXPECT_EQ(ModifierCodeFromName("Win"), 8);
    for (const char* text : { "", "ctrl", "Control", "Ctrl+Alt" })
        EXPECT_FALSE(ModifierCodeFromName(QString::fromLatin1(text)).has_value()) << text;
}

TEST(FillKeyCombo, KindsFillTheirListsAndOnlyExactTextIsSelected)
{
    QComboBox modifiers;
    FillKeyCombo(&modifiers, "MOD");
    ASSERT_EQ(modifiers.count(), 3);
    EXPECT_EQ(modifiers.itemText(2), "Shift");
    SelectComboText(&modifiers, "Shift");
    SelectComboText(&modifiers, "Win");
    EXPECT_EQ(modifiers.currentText(), "Shift") << "Win cannot be picked";

    QComboBox keys;
    keys.addItem("existing");
    FillKeyCombo(&keys, "HOTKEY");
    EXPECT_EQ(keys.count(), 1 + 54) << "appended";
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
