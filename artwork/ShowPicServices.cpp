#include "ShowPicServices.h"

#include "Beeper.h"
#include "PicturePrinter.h"
#include "platform/screen/Screen.h"

ShowPicServices::ShowPicServices(SettingsStore& settings, Desktop& desktop)
    : ShowPicServices(settings, desktop, Screen::system(), Beeper::system(), PicturePrinter::system())
{
}

ShowPicServices::ShowPicServices(
    SettingsStore& settings, Desktop& desktop, Screen& screen, Beeper& beeper, PicturePrinter& printer)
    : settings(&settings)
    , desktop(&desktop)
    , screen(&screen)
    , beeper(&beeper)
    , printer(&printer)
{
}
