#include "PopUpServices.h"

PopUpServices PopUpServices::system()
{
    return { &Screen::system(), &Cursor::system(), &Clock::system(), &SoundPlayer::system(), &Translucency::system(),
        &WindowStacking::system(), nullptr };
}
