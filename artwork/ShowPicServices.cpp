#include "ShowPicServices.h"

ShowPicServices::ShowPicServices(
    SettingsStore& settings, Desktop& desktop, Screen& screen, Beeper& beeper, PicturePrinter& printer)
    : settings(&settings)
    , desktop(&desktop)
    , screen(&screen)
    , beeper(&beeper)
    , printer(&printer)
{
}
