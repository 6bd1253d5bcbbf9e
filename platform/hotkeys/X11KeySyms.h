#pragma once

#include <QList>
#include <QtGlobal>

#include <optional>

// The X modifier bits that stand for Alt, the Windows key and Num Lock. Which bit each
// gets is the keyboard mapping's choice; these defaults are what X servers set up.
struct X11ModifierMasks {
    quint16 alt = 0x0008; // Mod1
    quint16 win = 0x0040; // Mod4
    quint16 numLock = 0x0010; // Mod2
};

// The X keysym for a Windows virtual-key code of the hotkey key list; no value for any
// other code.
std::optional<quint32> keysymForVirtualKey(int virtualKey);

// The X modifier mask for HotKeyModifier codes; bits outside HotKeyModifier::All are
// ignored.
quint16 x11ModifierMask(int modifiers, const X11ModifierMasks& masks);

// The lock states a grab must also cover so the key works with Caps Lock and Num Lock on:
// none, Caps Lock, Num Lock, both. Two entries when there is no Num Lock bit.
QList<quint16> lockVariants(quint16 numLockMask);
