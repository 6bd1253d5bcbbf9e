#pragma once

#include <QFont>

// The font choices of the options window (face, size, bold, italic) that pop-up messages
// are written in. The options window implements it; the engine only reads it.
class PopUpFontSource
{
public:
    virtual ~PopUpFontSource() = default;

    virtual QFont messageFont() const = 0;
};
