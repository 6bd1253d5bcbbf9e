#pragma once

#include <QString>

#include <optional>

// A hotkey as the desktop portal's shortcut triggers write it: modifiers CTRL, ALT, SHIFT,
// LOGO and an xkbcommon key name, joined by "+" ("CTRL+ALT+Right"). modifiers are
// HotKeyModifier codes, virtualKey a Windows virtual-key code of the hotkey key list; no
// value for any other key.
std::optional<QString> portalTrigger(int modifiers, int virtualKey);
