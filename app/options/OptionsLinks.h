#pragma once

#include <QString>

#include <functional>
#include <memory>

class Desktop;
class PlayerApplication;
class PopUpMessages;
class Registry;
class SettingsStore;

// The pop-up collection; null before start-up makes it and after the unload.
using PopUpsAccess = std::function<PopUpMessages*()>;
// A player, or null when there is none.
using PlayerAccess = std::function<std::shared_ptr<PlayerApplication>()>;
// A tray balloon: message, title, icon, timeout in milliseconds.
using BalloonTip = std::function<void(const QString&, const QString&, int, int)>;

// The services the options pages use for the program's whole run.
struct OptionServices {
    SettingsStore& settings;
    Desktop& desktop;
    // Where the run-at-start-up entry is written.
    Registry& registry;
    // Where icons, backgrounds, logos and sounds are.
    QString resourceDir;
    // The folder the program was started from, which the start-up entry runs.
    QString programDir;
};

// What the options reach of the rest of the program, each as narrow as it is used.
struct OptionsLinks {
    PopUpsAccess popUps;
    // The attached player, without trying to attach one.
    PlayerAccess player;
    // Attaches a player if it can, telling the user when not.
    PlayerAccess connectPlayer;
    std::function<void()> showTrackPopup;
    std::function<void()> closeTrackPopups;
    BalloonTip balloon;
    // True once the program is ending: a held library write is then let go.
    std::function<bool()> shuttingDown;
    // After every settings load: what the settings drive outside the pages follows them.
    std::function<void()> settingsLoaded;
};
