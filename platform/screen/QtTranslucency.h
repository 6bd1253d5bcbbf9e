#pragma once

#include "Translucency.h"

// Opacity through Qt's window opacity. On X11 it only shows while a compositing manager
// runs; the opacity property is set either way.
class QtTranslucency : public Translucency
{
public:
    bool isLayeringSupported() const override;
    bool setOpacity(QWidget* window, quint8 alpha) override;
};
