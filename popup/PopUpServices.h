#pragma once

#include "platform/screen/Clock.h"
#include "platform/screen/Cursor.h"
#include "platform/screen/Screen.h"
#include "platform/screen/SoundPlayer.h"
#include "platform/screen/Translucency.h"
#include "platform/screen/WindowStacking.h"

class PopUpFontSource;

// What the pop-up engine reads from and does to the outside world, handed to it by whoever
// builds it. None of them is owned; each must outlive the engine. fonts may be nullptr:
// messages keep the window's font.
struct PopUpServices {
    Screen* screen = nullptr;
    Cursor* cursor = nullptr;
    Clock* clock = nullptr;
    SoundPlayer* sound = nullptr;
    Translucency* translucency = nullptr;
    WindowStacking* stacking = nullptr;
    const PopUpFontSource* fonts = nullptr;

    // The real screen, pointer, clock, sound, opacity and stacking, for the program's
    // composition root.
    static PopUpServices system();
};
