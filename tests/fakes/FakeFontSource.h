#pragma once

#include "popup/PopUpFontSource.h"

// Hands out the font the test chose.
class FakeFontSource : public PopUpFontSource
{
public:
    QFont font;
    QFont messageFont() const override { return font; }
};
