#pragma once

#include "platform/screen/Clock.h"
#include "platform/screen/Cursor.h"
#include "platform/screen/Screen.h"
#include "platform/screen/SoundPlayer.h"
#include "platform/screen/Translucency.h"
#include "platform/screen/WindowStacking.h"

class PopUpFontSource;

// What the pop-up engine reads from and does to the outside world. None of them is owned;
// each must outlive the engine. fonts may be nullptr: messages keep the window's font.
struct PopUpServices {
    Screen* screen = &Screen::system();
    Cursor* cursor = &Cursor::system();
    Clock* clock = &Clock::system();
    SoundPlayer* sound = &SoundPlayer::system();
    Translucency* translucency = &Translucency::system();
    WindowStacking* stacking = &WindowStacking::system();
    const PopUpFontSource* fonts = nullptr;
};
