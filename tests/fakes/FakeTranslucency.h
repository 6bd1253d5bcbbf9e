#pragma once

#include "platform/screen/Translucency.h"

#include <QList>
#include <QPair>

class QWidget;
// Records opacity requests; can pretend the window system has no translucency.
class FakeTranslucency : public Translucency
{
public:
    bool supported = true;
    QList<QPair<QWidget*, int>> calls;
    bool isLayeringSupported() const override { return supported; }
    bool setOpacity(QWidget* window, quint8 alpha) override
    {
        calls.append({ window, int(alpha) });
        return true;
    }
};
