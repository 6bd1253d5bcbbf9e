#include "tray/hotkeys/HotKey.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QSet>

namespace {

QStringList items(const QComboBox& combo)
{
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i);
    return texts;
}

// Letters, digits, F1-F10 and eight named keys: 54 names.
TEST(HotKeyNames, KeyListIsEveryNameInSelectorOrder)
{
    const QStringList& names = KeyNames();
    ASSERT_EQ(names.size(), 54);
    EXPECT_EQ(names.first(), "A");
    EXPECT_EQ(names[25], "Z");
    EXPECT_EQ(names[26], "0");
    EXPECT_EQ(names[35], "9");
    EXPECT_EQ(names[36], "F1");
    EXPECT_EQ(names[45], "F10");
    EXPECT_EQ(names.mid(46),
        QStringList({ "Up", "Down", "Left", "Right", "PageUp", "PageDn", "KeyPad+", "KeyPad-" }));
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 54);
}

TEST(HotKeyNames, EveryNameHasItsVirtualKeyCode)
{
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(KeyCodeFromName(QString(QChar(u'A' + i))), 0x41 + i);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(KeyCodeFromName(QString::number(i)), 0x30 + i);
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(KeyCodeFromName(QStringLiteral("F%1").arg(i)), 0x70 + i - 1);
    EXPECT_EQ(KeyCodeFromName("Up"), 38);
    EXPECT_EQ(KeyCodeFromName("Down"), 40);
    EXPECT_EQ(KeyCodeFromName("Left"), 37);
    EXPECT_EQ(KeyCodeFromName("Right"), 39);
    EXPECT_EQ(KeyCodeFromName("PageUp"), 33);
    EXPECT_EQ(KeyCodeFromName("PageDn"), 34);
    EXPECT_EQ(KeyCodeFromName("KeyPad+"), 107);
    EXPECT_EQ(KeyCodeFromName("KeyPad-"), 109);
}

TEST(HotKeyNames, AnyOtherTextHasNoCode)
{
    for (const char* text : { "", "a", "e", "F11", "F0", "PageDown", "keypad+", " A", "A ", "Esc", "10" })
        EXPECT_FALSE(KeyCodeFromName(QString::fromLatin1(text)).has_value()) << text;
}

TEST(HotKeyNames, ModifierCodesIncludeTheStoredOnlyWin)
{
    EXPECT_EQ(ModifierCodeFromName("Alt"), 1);
    EXPECT_EQ(ModifierCodeFromName("Ctrl"), 2);
    EXPECT_EQ(ModifierCodeFromName("Shift"), 4);
    EXPECT_EQ(ModifierCodeFromName("Win"), 8);
    for (const char* text : { "", "ctrl", "Control", "Ctrl+Alt", "Super" })
        EXPECT_FALSE(ModifierCodeFromName(QString::fromLatin1(text)).has_value()) << text;
    EXPECT_FALSE(ModifierNames().contains("Win"));
}

TEST(FillKeyCombo, ModifierKindOffersAltCtrlShift)
{
    QComboBox combo;
    FillKeyCombo(&combo, "MOD");
    EXPECT_EQ(items(combo), QStringList({ "Alt", "Ctrl", "Shift" }));
}

TEST(FillKeyCombo, HotKeyKindAppendsTheKeyNames)
{
    QComboBox combo;
    combo.addItem("existing");
    FillKeyCombo(&combo, "HOTKEY");
    EXPECT_EQ(items(combo), QStringList("existing") + KeyNames());
}

TEST(FillKeyCombo, OtherKindsAddNothing)
{
    QComboBox combo;
    for (const char* kind : { "", "mod", "hotkey", "KEYS" })
        FillKeyCombo(&combo, QString::fromLatin1(kind));
    EXPECT_EQ(combo.count(), 0);
}

TEST(SelectComboText, SelectsTheExactMatchOnly)
{
    QComboBox combo;
    FillKeyCombo(&combo, "HOTKEY");
    SelectComboText(&combo, "PageDn");
    EXPECT_EQ(combo.currentText(), "PageDn");
    for (const char* text : { "pagedn", "", "PageDn ", "Win" })
        SelectComboText(&combo, QString::fromLatin1(text));
    EXPECT_EQ(combo.currentText(), "PageDn");
}

TEST(SelectComboText, StoredWinCannotBePickedInTheModifierSelector)
{
    QComboBox combo;
    FillKeyCombo(&combo, "MOD");
    SelectComboText(&combo, "Shift");
    SelectComboText(&combo, "Win");
    EXPECT_EQ(combo.currentText(), "Shift");
}

} // namespace
