#include "platform/hotkeys/X11KeySyms.h"
#include "platform/hotkeys/HotKeyRegistrar.h"
#include "tray/hotkeys/HotKey.h"

#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <QSet>

namespace
{

// A key the selectors offer without a keysym of its own would be a hotkey that never fires.
TEST(X11KeySyms, EveryOfferedKeyNameReachesItsOwnKeysym)
{
    QSet<quint32> keysyms;
    for (const QString& name : KeyNames()) {
        const std::optional<int> code = KeyCodeFromName(name);
        ASSERT_TRUE(code.has_value()) << name.toStdString();
        const std::optional<quint32> keysym = keysymForVirtualKey(*code);
        ASSERT_TRUE(keysym.has_value()) << name.toStdString();
        keysyms.insert(*keysym);
    }
    EXPECT_EQ(keysyms.size(), KeyNames().size()) << "no two keys share a keysym";

    // The integration run presses Prior, Next, Right and P; these are the others that differ.
    const std::pair<const char*, quint32> named[]
        = { { "A", XK_a }, { "0", XK_0 }, { "Up", XK_Up }, { "KeyPad+", XK_KP_Add }, { "KeyPad-", XK_KP_Subtract } };
    for (const auto& [name, keysym] : named)
        EXPECT_EQ(keysymForVirtualKey(KeyCodeFromName(QString::fromLatin1(name)).value_or(0)), keysym) << name;

    for (int vk : { 0, 0x7A, 0x60, 0x1B, 0x20, 0x2F, 0x3A, 0x40, 0x5B, 0xFF })
        EXPECT_FALSE(keysymForVirtualKey(vk).has_value()) << vk;
}

TEST(X11KeySyms, ModifiersBecomeTheMappedBitsAndGrabsCoverEveryLockState)
{
    const X11ModifierMasks masks { 0x0008, 0x0040, 0x0010 };
    EXPECT_EQ(x11ModifierMask(HotKeyModifier::Alt, masks), 0x0008);
    EXPECT_EQ(x11ModifierMask(HotKeyModifier::Win, masks), 0x0040);
    EXPECT_EQ(x11ModifierMask(HotKeyModifier::Control | HotKeyModifier::Shift, masks), 0x0005);
    EXPECT_EQ(x11ModifierMask(0x4000, masks), 0);
    const X11ModifierMasks altOnMod4 { 0x0040, 0x0080, 0x0010 };
    EXPECT_EQ(x11ModifierMask(HotKeyModifier::Alt | HotKeyModifier::Win, altOnMod4), 0x00C0);

    EXPECT_EQ(lockVariants(0x0010), QList<quint16>({ 0x0000, 0x0002, 0x0010, 0x0012 }));
    EXPECT_EQ(lockVariants(0), QList<quint16>({ 0x0000, 0x0002 }));
}

} // namespace
