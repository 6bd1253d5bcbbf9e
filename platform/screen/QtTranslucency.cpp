#include "QtTranslucency.h"

#include <QGuiApplication>
#include <QWidget>

namespace
{
constexpr double kOpaque = 255.0;
}

bool QtTranslucency::isLayeringSupported() const
{
    // Wayland leaves whole-window opacity to the compositor; Qt ignores it there.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool QtTranslucency::setOpacity(QWidget* window, quint8 alpha)
{
    if (!window || !window->isWindow())
        return false;
    window->setWindowOpacity(alpha / kOpaque);
    return true;
}

Translucency& Translucency::system()
{
    static QtTranslucency translucency;
    return translucency;
}
