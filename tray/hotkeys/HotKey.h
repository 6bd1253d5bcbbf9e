#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QComboBox;

// The hotkeys' names and codes: the texts the options window's selectors list, as they
// are stored in the settings, and the codes the registrar takes.

// Hotkey identifiers; each has its own key, all share one modifier.
namespace HotKeyId
{
constexpr int PopUp = 1;
constexpr int PreviousTrack = 2;
constexpr int NextTrack = 3;
constexpr int VolumeUp = 4;
constexpr int VolumeDown = 5;
constexpr int PlayPause = 6;
constexpr int RatingUp = 7;
constexpr int RatingDown = 8;
constexpr int First = PopUp;
constexpr int Last = RatingDown;
constexpr int Count = Last - First + 1;
} // namespace HotKeyId

// "Alt", "Ctrl", "Shift": the modifier names a user can pick.
const QStringList& ModifierNames();
// The key names in the order the key selectors list them: "A"-"Z", "0"-"9", "F1"-"F10",
// "Up", "Down", "Left", "Right", "PageUp", "PageDn", "KeyPad+", "KeyPad-".
const QStringList& KeyNames();

// kind "MOD" appends the modifier names, "HOTKEY" the key names; any other kind nothing.
void FillKeyCombo(QComboBox* combo, const QString& kind);

// The virtual-key code of a key name (case-sensitive); no value for any other text.
std::optional<int> KeyCodeFromName(const QString& name);

// The modifier code of a modifier name: "Alt" 1, "Ctrl" 2, "Shift" 4, and "Win" 8, which a
// stored setting may hold although no selector offers it. No value for any other text.
std::optional<int> ModifierCodeFromName(const QString& name);

// Selects the last entry whose text equals text exactly; when none does, the selection is
// left as it was.
void SelectComboText(QComboBox* combo, const QString& text);
