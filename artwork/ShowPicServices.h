#pragma once

class Beeper;
class Desktop;
class PicturePrinter;
class Screen;
class SettingsStore;

// What the artwork window needs from outside: where its position is stored, message boxes,
// the screen, a beep and a printer. The services must outlive every window made with them.
struct ShowPicServices {
    ShowPicServices(SettingsStore& settings, Desktop& desktop, Screen& screen, Beeper& beeper, PicturePrinter& printer);

    SettingsStore* settings;
    Desktop* desktop;
    Screen* screen;
    Beeper* beeper;
    PicturePrinter* printer;
};
