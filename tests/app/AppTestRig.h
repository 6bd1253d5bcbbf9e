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
#include "app/options/OptionGroup.h"
#include "app/options/OptionPages.h"
#include "artwork/Beeper.h"
#include "artwork/PicturePrinter.h"
#include "platform/screen/Screen.h"
#include "tray/frmSysTray.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QScrollBar>

#include <memory>
#include <stdexcept>
#include <string>

// The control named name inside window, as the user reaches it through the window. Throws
// when there is none, so that a renamed control fails its test instead of crashing the run.
template <typename Control> Control* control(const QObject& window, const char* name)
{
    auto* found = window.findChild<Control*>(QLatin1String(name));
    if (!found)
        throw std::logic_error(std::string("no control named ") + name);
    return found;
}

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

    frmSysTray& tray() { return *form->sysTray(); }
    QAction* entry(const char* key)
    {
        TrayMenuArray& items = tray().mnuSysTray();
        for (int i = 0; i <= items.upperBound(); ++i)
            if (items.key(i) == QLatin1String(key))
                return items.action(i);
        throw std::logic_error(std::string("no entry ") + key);
    }
    QCheckBox* box(const char* name) { return control<QCheckBox>(*form, name); }
    QComboBox* combo(const char* name) { return control<QComboBox>(*form, name); }
    QScrollBar* bar(const char* name) { return control<QScrollBar>(*form, name); }
    OptionGroup* group(const char* name) { return control<OptionGroup>(*form, name); }

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
