#include "platform/hotkeys/HotKeyRegistrar.h"
#include "platform/hotkeys/X11KeySyms.h"

#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <QSet>

namespace {

TEST(X11KeySyms, EveryOfferedKeyHasItsOwnKeysymAndNoOtherHasOne)
{
    QSet<quint32> keysyms;
    int offered = 0;
    for (const auto& [first, last] : { std::pair { 0x41, 0x5A }, { 0x30, 0x39 }, { 0x70, 0x79 } }) {
        for (int vk = first; vk <= last; ++vk, ++offered)
            keysyms.insert(keysymForVirtualKey(vk).value_or(0));
    }
    const QList<std::pair<int, quint32>> named { { 0x41, XK_a }, { 0x5A, XK_z }, { 0x30, XK_0 },
        { 0x79, XK_F10 }, { 37, XK_Left }, { 38, XK_Up }, { 39, XK_Right }, { 40, XK_Down }, { 33, XK_Prior },
        { 34, XK_Next }, { 107, XK_KP_Add }, { 109, XK_KP_Subtract } };
    for (const auto& [vk, keysym] : named) {
        EXPECT_EQ(keysymForVirtualKey(vk), keysym) << vk;
        keysyms.insert(keysym);
    }
    EXPECT_FALSE(keysyms.contains(0));
    EXPECT_EQ(keysyms.size(), offered + 8) << "no two keys share a keysym";

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
