#include "X11KeySyms.h"

#include "HotKeyRegistrar.h"

#include <X11/keysym.h>

namespace
{
constexpr int kVkA = 0x41;
constexpr int kVkZ = 0x5A;
constexpr int kVk0 = 0x30;
constexpr int kVk9 = 0x39;
constexpr int kVkF1 = 0x70;
constexpr int kVkF10 = 0x79;
constexpr int kVkPrior = 0x21;
constexpr int kVkNext = 0x22;
constexpr int kVkLeft = 0x25;
constexpr int kVkUp = 0x26;
constexpr int kVkRight = 0x27;
constexpr int kVkDown = 0x28;
constexpr int kVkAdd = 0x6B;
constexpr int kVkSubtract = 0x6D;

constexpr quint16 kShiftMask = 0x0001;
constexpr quint16 kLockMask = 0x0002;
constexpr quint16 kControlMask = 0x0004;
}

std::optional<quint32> keysymForVirtualKey(int virtualKey)
{
    // Lower-case letters: they sit in the first column of the keyboard map, where the
    // key-code lookup is sure to find them.
    if (virtualKey >= kVkA && virtualKey <= kVkZ)
        return XK_a + quint32(virtualKey - kVkA);
    if (virtualKey >= kVk0 && virtualKey <= kVk9)
        return XK_0 + quint32(virtualKey - kVk0);
    if (virtualKey >= kVkF1 && virtualKey <= kVkF10)
        return XK_F1 + quint32(virtualKey - kVkF1);
    switch (virtualKey) {
    case kVkPrior:
        return XK_Prior;
    case kVkNext:
        return XK_Next;
    case kVkLeft:
        return XK_Left;
    case kVkUp:
        return XK_Up;
    case kVkRight:
        return XK_Right;
    case kVkDown:
        return XK_Down;
    case kVkAdd:
        return XK_KP_Add;
    case kVkSubtract:
        return XK_KP_Subtract;
    default:
        return std::nullopt;
    }
}

quint16 x11ModifierMask(int modifiers, const X11ModifierMasks& masks)
{
    quint16 mask = 0;
    if (modifiers & HotKeyModifier::Alt)
        mask |= masks.alt;
    if (modifiers & HotKeyModifier::Control)
        mask |= kControlMask;
    if (modifiers & HotKeyModifier::Shift)
        mask |= kShiftMask;
    if (modifiers & HotKeyModifier::Win)
        mask |= masks.win;
    return mask;
}

QList<quint16> lockVariants(quint16 numLockMask)
{
    if (numLockMask == 0)
        return { 0, kLockMask };
    return { 0, kLockMask, numLockMask, quint16(kLockMask | numLockMask) };
}
