#pragma once

#include "FakeTrayShell.h"
#include "tray/SysTrayOwner.h"
#include "tray/frmSysTray.h"

#include <functional>

struct RecordingOwner : SysTrayOwner {
    QList<int> ratings;
    std::function<void(int)> onRate;
    void updaterating(int rating) override
    {
        ratings.append(rating);
        if (onRate)
            onRate(rating);
    }
};

// A main menu as an owner fills one: element 0 a separator, every item but Exit flagged
// default, so the default ends on "&Show Bolvin" (4).
inline void fillMenu(frmSysTray& tray)
{
    tray.AddMenuItem(QStringLiteral("-"));
    tray.AddMenuItem(QStringLiteral("&Play"), QStringLiteral("Pause"), true);
    tray.AddMenuItem(QStringLiteral("&Next Song"), QStringLiteral("Next Song"), true);
    tray.AddMenuItem(QStringLiteral("-"));
    tray.AddMenuItem(QStringLiteral("&Show Bolvin"), QStringLiteral("open"), true);
    tray.AddMenuItem(QStringLiteral("&Exit"), QStringLiteral("close"));
}
constexpr int kMenuItems = 6;
constexpr int kDefaultItem = 4;
