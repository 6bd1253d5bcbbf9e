#pragma once

#include <QtGlobal>

class QWidget;

// Whole-window opacity.
class Translucency
{
public:
    virtual ~Translucency() = default;

    // False when the window system cannot make windows translucent at all.
    virtual bool isLayeringSupported() const = 0;
    // Sets the opacity of a top-level window: 0 fully transparent, 255 opaque. False when
    // the window is nullptr, not a top-level window, or the window system refused.
    virtual bool setOpacity(QWidget* window, quint8 alpha) = 0;

    // The real window system, for code that is not handed one.
    static Translucency& system();
};
