#pragma once

#include <QPalette>

// Whether a palette is a dark one: its window colour below half lightness.
inline bool isDarkPalette(const QPalette& palette)
{
    constexpr int kHalfLightness = 128;
    return palette.color(QPalette::Window).lightness() < kHalfLightness;
}
