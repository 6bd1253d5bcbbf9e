#pragma once

#include "popup/PopUpSettings.h"
#include "tray/hotkeys/HotKey.h"

#include <QString>

#include <array>

// The options window's stored settings, declared once: the pages take their choices from
// here, and the program reads the same keys and defaults while the window is not built.
namespace OptionKeys
{
// A box's setting: off or on.
constexpr NumberSetting box(const char* key, bool on = false)
{
    return { key, on ? 1 : 0, 0, 1 };
}

inline constexpr NumberSetting kExportMsg = box("ExportMsg");
inline constexpr NumberSetting kFloatArtwork = box("FloatArtwork");
inline constexpr NumberSetting kFading = box("Fading");
inline constexpr NumberSetting kPopArt = box("PopArt", true);
inline constexpr NumberSetting kPopTitle = box("PopTitle", true);
inline constexpr NumberSetting kStretchBackground = box("StretchBackground");
inline constexpr NumberSetting kStickyArt = box("StickyArt");
inline constexpr NumberSetting kStickyTitle = box("StickyTitle");
inline constexpr NumberSetting kDesktopNotifications = box("DesktopNotifications");
inline constexpr NumberSetting kPlayLists = box("PlayLists");
// Off until the user asks: nothing is added to the session's start without asking.
inline constexpr NumberSetting kStartup = box("Startup");
inline constexpr NumberSetting kFontBold = box("FontBold");
inline constexpr NumberSetting kFontItalic = box("FontItalic");
inline constexpr NumberSetting kEnableHotKey = box("EnableHotKey");

// A setting stored as the caption of the option chosen in a group.
struct Choice {
    const char* key;
    int defaultIndex;
    std::array<const char*, 5> captions;
    int count;

    // The index of a stored caption, or -1.
    int indexOf(const QString& caption) const
    {
        for (int i = 0; i < count; ++i)
            if (caption == QLatin1String(captions[std::size_t(i)]))
                return i;
        return -1;
    }
    QString caption(int index) const { return QString::fromLatin1(captions[std::size_t(index)]); }
};
inline constexpr Choice kDirection { "Direction", 0, { "Up", "Down", "Left", "Right", "BottomLeft" }, 5 };
inline constexpr Choice kBackground { "Background", 0, { "One", "Two", "Three", "Four" }, 4 };
inline constexpr Choice kYPos { "YPos", 1, { "Top", "Bottom" }, 2 };
inline constexpr Choice kXPos { "XPos", 1, { "Left", "Right" }, 2 };

// A hotkey's stored key name.
struct Key {
    const char* key;
    const char* defaultName;
};
inline constexpr Key kModifier { "HotKeyMod", "Ctrl" };
// By hotkey id: kKeys[0] is id 1.
inline constexpr std::array<Key, HotKeyId::Count> kKeys { { { "HotKey", "E" }, { "PreviousTrackKey", "Left" },
    { "NextTrackKey", "Right" }, { "VolumeUpKey", "Up" }, { "VolumeDownKey", "Down" }, { "PauseKey", "P" },
    { "RatingUpKey", "PageUp" }, { "RatingDownKey", "PageDn" } } };

inline constexpr const char* kFont = "Font";
inline constexpr const char* kFontSize = "FontSize";
} // namespace OptionKeys
