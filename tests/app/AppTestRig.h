#pragma once

#include "FakeDesktop.h"
#include "FakeHotKeyRegistrar.h"
#include "FakeInstanceGuard.h"
#include "FakePlayer.h"
#include "FakeRegistry.h"
#include "FakeSettingsStore.h"
#include "FakeTrayShell.h"
#include "app/frmMain.h"
#include "app/link/PlayerLink.h"
#include "app/notification/TrackNotification.h"
#include "app/options/LibraryTransfers.h"
#include "app/options/OptionPages.h"
#include "artwork/Beeper.h"
#include "artwork/PicturePrinter.h"
#include "platform/screen/Screen.h"

#include <memory>

// The main window over fakes for every outside service. The settings say it is not the
// first run; a test changes what it needs before load(). load() builds the window's pages,
// which a real start leaves until the window opens; start() does not.
struct AppTestRig {
    AppTestRig() { settings.values.insert("FirstRun", "No"); }

    frmMain& start()
    {
        form = std::make_unique<frmMain>(AppServices { desktop, guard, settings, registry, *playerBackend, shell,
            hotKeys, resourceDir, "/opt/bolvin", PopUpServices::system(),
            ShowPicServices(settings, desktop, Screen::system(), Beeper::system(), PicturePrinter::system()) });
        loaded = form->Form_Load();
        return *form;
    }
    frmMain& load()
    {
        start();
        if (loaded)
            form->options();
        return *form;
    }
    void playerRuns() { backend.running = QStringList { "init", "FakePlayer-bin" }; }

    FakeDesktop desktop;
    FakeInstanceGuard guard;
    FakeSettingsStore settings;
    FakePlayerBackend backend;
    // The backend the window uses; a test may point it at a real one.
    PlayerBackend* playerBackend = &backend;
    QString resourceDir;
    FakeTrayShell shell;
    FakeRegistry registry;
    FakeHotKeyRegistrar hotKeys;
    std::unique_ptr<frmMain> form;
    bool loaded = false;
};
