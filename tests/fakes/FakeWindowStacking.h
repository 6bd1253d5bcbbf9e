#pragma once

#include "platform/screen/WindowStacking.h"

#include <QList>
#include <QWidget>

// Records which windows were put on top, and shows them as the real one does.
class FakeWindowStacking : public WindowStacking
{
public:
    QList<QWidget*> raised;
    void makeTopMost(QWidget* window) override
    {
        if (!window)
            return;
        raised.append(window);
        window->show();
    }
};
