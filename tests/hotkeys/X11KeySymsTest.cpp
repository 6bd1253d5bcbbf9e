#include "platform/hotkeys/HotKeyRegistrar.h"
#include "platform/hotkeys/X11KeySyms.h"

#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <QSet>

namespace {

QList<int> offeredKeyCodes()
{
    QList<int> codes;
    for (int vk = 0x41; vk <= 0x5A; ++vk)
        codes << vk;
    for (int vk = 0x30; vk <= 0x39; ++vk)
        codes << vk;
    for (int vk = 0x70; vk <= 0x79; ++vk)
        codes << vk;
    codes << 38 << 40 << 37 << 39 << 33 << 34 << 107 << 109;
    return codes;
}

TEST(X11KeySyms, EveryOfferedKeyHasItsOwnKeysym)
{
    QSet<quint32> keysyms;
    for (int vk : offeredKeyCodes()) {
        const std::optional<quint32> keysym = keysymForVirtualKey(vk);
        ASSERT_TRUE(keysym.has_value()) << vk;
        keysyms.insert(*keysym);
    }
    EXPECT_EQ(keysyms.size(), offeredKeyCodes().size());
}

TEST(X11KeySyms, KeysMapToTheirX11Names)
{
    EXPECT_EQ(keysymForVirtualKey(0x41), quint32(XK_a));
    EXPECT_EQ(keysymForVirtualKey(0x5A), quint32(XK_z));
    EXPECT_EQ(keysymForVirtualKey(0x30), quint32(XK_0));
    EXPECT_EQ(keysymForVirtualKey(0x79), quint32(XK_F10));
    EXPECT_EQ(keysymForVirtualKey(37), quint32(XK_Left));
    EXPECT_EQ(keysymForVirtualKey(38), quint32(XK_Up));
    EXPECT_EQ(keysymForVirtualKey(39), quint32(XK_Right));
    EXPECT_EQ(keysymForVirtualKey(40), quint32(XK_Down));
    EXPECT_EQ(keysymForVirtualKey(33), quint32(XK_Prior));
    EXPECT_EQ(keysymForVirtualKey(34), quint32(XK_Next));
    EXPECT_EQ(keysymForVirtualKey(107), quint32(XK_KP_Add));
    EXPECT_EQ(keysymForVirtualKey(109), quint32(XK_KP_Subtract));
}

TEST(X11KeySyms, KeysOutsideTheListHaveNone)
{
    for (int vk : { 0, 0x7A, 0x60, 0x1B, 0x20, 0x2F, 0x3A, 0x40, 0x5B, 0x6C, 0xFF })
        EXPECT_FALSE(keysymForVirtualKey(vk).has_value()) << vk;
}

TEST(X11KeySyms, ModifierCodesBecomeTheMappedBits)
{
    const X11ModifierMasks masks { 0x0008, 0x0040, 0x0010 };
    EXPECT_EQ(x11ModifierMask(HotKeyModifier::Alt, masks), 0x0008);
    EXPECT_EQ(x11ModifierMask(HotKeyModifier::Control, masks), 0x0004);
    EXPECT_EQ(x11ModifierMask(HotKeyModifier::Shift, masks), 0x0001);
    EXPECT_EQ(x11ModifierMask(HotKeyModifier::Win, masks), 0x0040);
    EXPECT_EQ(x11ModifierMask(HotKeyModifier::Control | HotKeyModifier::Shift, masks), 0x0005);
    EXPECT_EQ(x11ModifierMask(0x4000, masks), 0);
    const X11ModifierMasks altOnMod4 { 0x0040, 0x0080, 0x0010 };
    EXPECT_EQ(x11ModifierMask(HotKeyModifier::Alt | HotKeyModifier::Win, altOnMod4), 0x00C0);
}

TEST(X11KeySyms, GrabsCoverEveryLockState)
{
    EXPECT_EQ(lockVariants(0x0010), QList<quint16>({ 0x0000, 0x0002, 0x0010, 0x0012 }));
    EXPECT_EQ(lockVariants(0), QList<quint16>({ 0x0000, 0x0002 }));
}

} // namespace
