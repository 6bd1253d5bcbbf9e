#pragma once

#include "tray/SysTrayOwner.h"
#include "tray/frmSysTray.h"

#include <QList>
#include <QString>

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

struct MenuEntry {
    const char* caption;
    const char* key;
    bool isDefault;
};

// The owner's start-up fill of the main menu.
inline const QList<MenuEntry>& ownerMenu()
{
    static const QList<MenuEntry> entries = {
        { "-", "", false },
        { "&Show iTunes", "Show iTunes", true },
        { "&Minimize iTunes", "Minimize", true },
        { "&iTunes MiniPlayer", "MiniPlayer", true },
        { "-", "", false },
        { "&Shuffle", "Shuffle", true },
        { "-", "", false },
        { "&Play", "Pause", true },
        { "&Next Song", "Next Song", true },
        { "&Previous Song", "Previous Song", true },
        { "-", "", false },
        { "&Show Bolvin", "open", true },
        { "-", "", false },
        { "&Exit", "close", false },
    };
    return entries;
}

inline void fillOwnerMenu(frmSysTray& tray)
{
    for (const MenuEntry& e : ownerMenu())
        tray.AddMenuItem(QString::fromUtf8(e.caption), QString::fromUtf8(e.key), e.isDefault);
}
