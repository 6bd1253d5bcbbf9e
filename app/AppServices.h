#pragma once

#include "artwork/ShowPicServices.h"
#include "popup/PopUpServices.h"

#include <QString>

class Desktop;
class HotKeyRegistrar;
class InstanceGuard;
class PlayerBackend;
class Registry;
class SettingsStore;
class TrayShell;

// Everything outside the window that the program reaches through a narrow interface.
struct AppServices {
    Desktop& desktop;
    InstanceGuard& instanceGuard;
    SettingsStore& settings;
    Registry& registry;
    PlayerBackend& playerBackend;
    TrayShell& trayShell;
    HotKeyRegistrar& hotKeyRegistrar;
    // Where icons, backgrounds, logos and sounds are.
    QString resourceDir;
    // The folder the program was started from.
    QString programDir;
    // The screen, clock, sound and the rest that the pop-ups use.
    PopUpServices popUps;
    // The screen, beep and printer of the floating artwork window.
    ShowPicServices artwork;
};
