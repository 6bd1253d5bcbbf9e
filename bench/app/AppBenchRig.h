#pragma once

#include "FakeInstanceGuard.h"
#include "FakeRegistry.h"
#include "FakeSettingsStore.h"
#include "QuietDesktop.h"

#include <QMap>
#include <QTemporaryDir>

#include <memory>

class HotKeyRegistrar;
class PlayerBackend;
class QtTrayShell;
class SimulatedPlayer;
class SimulatedPlayerBackend;
class frmMain;

// The real main window on the X display over the simulated player, which plays a private
// copy of the sample library and moves only when told to: the Qt desktop and tray shell and
// the X11 hotkey registrar, as the program runs. Settings, the instance guard and the
// run-at-logon registry stay in memory, and the temporary folder is a private one, so a
// run leaves nothing behind. Build it after the QApplication.
class AppBenchRig
{
public:
    // The settings the window loads; FirstRun is "No" unless given.
    explicit AppBenchRig(const QMap<QString, QString>& settings = {});
    ~AppBenchRig();

    // Copies the library and starts the player, playing. False, with why in error(), when
    // that fails. Connections to player() made before loadWindow() run ahead of the window's
    // own handlers, so they see an event before the window's work on it.
    bool startPlayer();
    // Drives this player instead of the simulated one; call before loadWindow().
    void usePlayer(PlayerBackend& backend) { m_chosen = &backend; }
    // Loads the window. False, with why in error(), when it did not connect to the player.
    bool loadWindow();
    QString error() const { return m_error; }

    frmMain& form() { return *m_form; }
    // The simulated player; only after startPlayer().
    SimulatedPlayer& player();
    // What the program wanted to tell the user in message boxes.
    QStringList messages() const { return m_desktop.messages(); }

    // Closes the track notification and runs the event loop until its pop-ups have gone.
    // False when some were still there after timeoutMs.
    bool closeNotification(int timeoutMs);

private:
    QTemporaryDir m_dir;
    QuietDesktop m_desktop;
    FakeInstanceGuard m_guard;
    FakeSettingsStore m_settings;
    FakeRegistry m_registry;
    std::unique_ptr<QtTrayShell> m_shell;
    std::unique_ptr<HotKeyRegistrar> m_hotKeys;
    std::unique_ptr<SimulatedPlayerBackend> m_backend;
    PlayerBackend* m_chosen = nullptr;
    std::unique_ptr<frmMain> m_form;
    QString m_error;
};
