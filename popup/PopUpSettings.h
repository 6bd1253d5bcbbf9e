#pragma once

// A stored setting that is a whole number: its key, its value when none is stored, and the
// range a user may set.
struct NumberSetting {
    const char* key;
    int defaultValue;
    int minimum;
    int maximum;
};

// The pop-up engine's stored settings, declared here once: the engine starts from these
// defaults, and the options window takes its keys, defaults and slider ranges from them.
// Times are milliseconds, sizes twips.
namespace PopUpSettings
{
inline constexpr NumberSetting kShowDelay { "ShowDelay", 3000, 1, 10000 };
inline constexpr NumberSetting kMovementIndex { "Movement", 5, 1, 100 };
inline constexpr NumberSetting kScrollDelay { "Scroll", 30, 1, 200 };
inline constexpr NumberSetting kWidth { "PopUpWidth", 2000, 1000, 10000 };
inline constexpr NumberSetting kHeight { "PopUpHeight", 2000, 1000, 10000 };
} // namespace PopUpSettings
