#include "modTranslucency.h"

#include <QWidget>

bool IsLayeringSupported(const Translucency& translucency)
{
    return translucency.isLayeringSupported();
}

QWidget* GetTopVisibleAncestor(QWidget* hwnd)
{
    QWidget* reached = hwnd;
    while (reached && reached->parentWidget() && reached->parentWidget()->isVisible())
        reached = reached->parentWidget();
    return reached;
}

bool SetTranslucency(QWidget* hwnd, quint8 alpha, Translucency& translucency)
{
    if (!translucency.isLayeringSupported())
        return false;
    return translucency.setOpacity(GetTopVisibleAncestor(hwnd), alpha);
}
