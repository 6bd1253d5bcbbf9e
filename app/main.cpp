#include "Resources.h"
#include "SchemePalette.h"
#include "app/jukebox/JukeboxWindow.h"
#include "artwork/Beeper.h"
#include "artwork/PicturePrinter.h"
#include "frmMain.h"
#include "platform/appearance/DesktopColorScheme.h"
#include "platform/autostart/SystemRegistry.h"
#include "platform/desktop/LocalInstanceGuard.h"
#include "platform/desktop/ProgramRestart.h"
#include "platform/desktop/QtDesktop.h"
#include "platform/desktop/SessionEnd.h"
#include "platform/desktop/SessionPlatform.h"
#include "platform/hotkeys/HotKeyRegistrar.h"
#include "platform/notifications/FreedesktopNotifications.h"
#include "platform/screen/Screen.h"
#include "platform/settings/QtSettingsStore.h"
#include "platform/tray/QtTrayShell.h"
#include "platform/tray/StatusNotifierHostWatch.h"
#include "player/mpris/MprisPlayerBackend.h"
#include "player/selection/MprisPlayerChooser.h"
#include "player/simulated/SimulatedPlayerBackend.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDBusConnection>
#include <QDir>

#include <cstdio>

namespace
{
constexpr int kExitAlreadyRunning = 1;
constexpr int kExitUsage = 2;
constexpr int kExitUnsaved = 3;
// A shutdown writes what is unsaved, which can take a while for a large library.
constexpr int kQuitTimeoutMs = 30000;
constexpr double kDefaultSpeed = 1.0;
// The stored player choice, beside the options window's settings.
const QString kPlayerKey = QStringLiteral("Player");
// Set in a start that follows a tray host: its icon went there, so it does not start again.
constexpr char kRestartedForTray[] = "BOLVIN_RESTARTED_FOR_TRAY";

struct Options {
    QString player;
    QString library;
    double speed = kDefaultSpeed;
    bool quit = false;
};

// Returns false (and has told the user) when the command line cannot be used.
bool parseOptions(const QStringList& arguments, Options& options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Bolvin: track pop-ups, tray controls and hotkeys for your media player."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption library(QStringLiteral("library"),
        QStringLiteral("The simulated player's library file (an \"iTunes Music Library.xml\")."),
        QStringLiteral("file"));
    const QCommandLineOption speed(QStringLiteral("speed"),
        QStringLiteral("How many times faster than real time the simulated player plays."), QStringLiteral("factor"));
    const QCommandLineOption quit(QStringLiteral("quit"), QStringLiteral("Ask the running Bolvin to exit."));
    const QCommandLineOption player(QStringLiteral("player"),
        QStringLiteral("Which player to drive: \"sim\" (the built-in simulated player), \"mpris\" (the first media "
                       "player on the desktop bus) or \"mpris:NAME\" (the one whose bus name contains NAME). "
                       "Remembered for the next start."),
        QStringLiteral("choice"));
    parser.addOptions({ player, library, speed, quit });
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "bolvin: %s\n", qPrintable(parser.errorText()));
        return false;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    options.player = parser.value(player);
    if (!options.player.isEmpty() && options.player != QLatin1String("sim") && options.player != QLatin1String("mpris")
        && !options.player.startsWith(QLatin1String("mpris:"))) {
        std::fprintf(
            stderr, "bolvin: --player wants sim, mpris or mpris:NAME, not \"%s\"\n", qPrintable(options.player));
        return false;
    }
    options.library = parser.value(library);
    options.quit = parser.isSet(quit);
    if (parser.isSet(speed)) {
        bool ok = false;
        options.speed = parser.value(speed).toDouble(&ok);
        if (!ok || options.speed <= 0) {
            std::fprintf(
                stderr, "bolvin: --speed wants a number above 0, not \"%s\"\n", qPrintable(parser.value(speed)));
            return false;
        }
    }
    return true;
}

void setApplicationNames()
{
    QCoreApplication::setApplicationName(QStringLiteral("Bolvin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BOLVIN_VERSION));
}
}

namespace
{
// Bolvin from its start to its end; restart tells whether it wants to start again.
int run(int argc, char** argv, const Options& options, bool& restart);
}

int main(int argc, char** argv)
{
    Options options;
    {
        // Read before any window system is needed, so --help and --quit work without a display.
        QCoreApplication probe(argc, argv);
        setApplicationNames();
        if (!parseOptions(probe.arguments(), options))
            return kExitUsage;
        if (options.quit) {
            QString unsaved;
            if (LocalInstanceGuard::requestQuit(QStringLiteral("bolvin"), kQuitTimeoutMs, &unsaved)) {
                if (unsaved.isEmpty())
                    return 0;
                std::fprintf(stderr, "Bolvin quit, but could not save: %s\n", qPrintable(unsaved));
                return kExitUnsaved;
            }
            std::fprintf(stderr, "Bolvin is not running.\n");
            return kExitAlreadyRunning;
        }
        // Started again from the menu: the running one opens its window, and this one ends
        // before it has touched anything of the user's.
        if (LocalInstanceGuard::requestShow())
            return 0;
    }

    bool restart = false;
    const int status = run(argc, argv, options, restart);
    // Everything of that run is gone, the instance lock with it: the program starts afresh.
    if (restart) {
        qputenv(kRestartedForTray, "1");
        restartProgram(argv);
    }
    return status;
}

namespace
{
int run(int argc, char** argv, const Options& options, bool& restart)
{
    SessionPlatform::apply();
    QApplication app(argc, argv);
    setApplicationNames();
    // The program lives in the tray: closing its last window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    // Installed first: an end asked for while Bolvin starts is kept until it can be honoured.
    SessionEnd sessionEnd;
    LocalInstanceGuard instanceGuard;
    if (instanceGuard.previousInstanceRunning()) {
        std::fprintf(stderr, "Bolvin is running.\n");
        return kExitAlreadyRunning;
    }

    const QString resources = resourceDir(QApplication::applicationDirPath());
    QtDesktop desktop(QDir(resources).filePath(QStringLiteral("icons")));
    QtTrayShell trayShell(desktop);
    // The icon is up while the rest is built. Only the window system is let in: an end
    // asked for, or a second start, waits for the window that handles it.
    trayShell.showAtOnce(
        desktop.icon(desktop.loadIcon(QString::fromLatin1(frmMain::kIconResource), frmMain::kTrayIconSize)));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
    // Every window takes its colours from the palette, which follows the desktop's scheme.
    DesktopColorScheme colorScheme(QDBusConnection::sessionBus());
    SchemePalette schemePalette(colorScheme);

    QtSettingsStore settings;
    // The choice is remembered; without one, a desktop with a session bus gets its real
    // players, anything else the simulated one.
    const QString defaultPlayer
        = QDBusConnection::sessionBus().isConnected() ? QStringLiteral("mpris") : QStringLiteral("sim");
    QString playerChoice = options.player.isEmpty() ? settings.GetSetting(kPlayerKey, defaultPlayer) : options.player;
    if (!options.player.isEmpty())
        settings.SaveSetting(kPlayerKey, options.player);

    std::unique_ptr<SimulatedPlayerBackend> simulated;
    std::unique_ptr<MprisPlayerBackend> mpris;
    std::unique_ptr<MprisPlayerChooser> chooser;
    PlayerBackend* player = nullptr;
    if (playerChoice.startsWith(QLatin1String("mpris"))) {
        const QString name = playerChoice.section(QLatin1Char(':'), 1);
        mpris = std::make_unique<MprisPlayerBackend>(name);
        chooser = std::make_unique<MprisPlayerChooser>(
            QDBusConnection::sessionBus(), MprisConnection::kDefaultTimeoutMs, name);
        mpris->followChoice(*chooser);
        QObject::connect(chooser.get(), &PlayerChooser::pinned, [&settings](const QString& id) {
            settings.SaveSetting(kPlayerKey, id.isEmpty() ? QStringLiteral("mpris") : QStringLiteral("mpris:") + id);
        });
        player = mpris.get();
    } else {
        // The Jukebox plays a copy: the user's own file is never written.
        QString libraryFile;
        if (options.library.isEmpty()) {
            libraryFile = SimulatedPlayerBackend::userLibraryFile(QDir(resources).filePath(QStringLiteral("library")));
        } else {
            QString error;
            libraryFile = SimulatedPlayerBackend::workingLibraryFile(options.library, &error);
            if (libraryFile.isEmpty())
                std::fprintf(stderr, "bolvin: %s\n", qPrintable(error));
        }
        simulated = std::make_unique<SimulatedPlayerBackend>(libraryFile, options.speed);
        player = simulated.get();
    }

    const std::unique_ptr<Registry> registry = createSystemRegistry();
    const bool onBus = QDBusConnection::sessionBus().isConnected();
    const auto notifications = onBus
        ? std::make_unique<FreedesktopNotifications>(QDBusConnection::sessionBus(), QStringLiteral("Show the cover"))
        : nullptr;
    // Balloons are numbered apart from the tracks: neither replaces the other.
    const auto balloons
        = onBus ? std::make_unique<FreedesktopNotifications>(QDBusConnection::sessionBus(), QString()) : nullptr;
    trayShell.sendBalloonsThrough(balloons.get());
    const std::unique_ptr<HotKeyRegistrar> hotKeys = HotKeyRegistrar::create();

    frmMain form({ desktop, instanceGuard, settings, *registry, *player, trayShell, *hotKeys, resources,
        QApplication::applicationDirPath(), PopUpServices::system(),
        ShowPicServices(settings, desktop, Screen::system(), Beeper::system(), PicturePrinter::system()) });
    form.setPlayerChooser(chooser.get());
    if (notifications) {
        // A Wayland window cannot put itself at a screen edge.
        form.setDesktopNotifications(
            notifications.get(), QGuiApplication::platformName().startsWith(QLatin1String("wayland")));
    }
    const std::unique_ptr<JukeboxWindow> jukebox = simulated ? std::make_unique<JukeboxWindow>(*simulated) : nullptr;
    QObject::connect(&form, &frmMain::unloaded, &app, &QApplication::quit, Qt::QueuedConnection);
    // A session that ends without asking us still gets the full shutdown.
    QObject::connect(
        &app, &QApplication::aboutToQuit, &form, [&form] { form.Unload(frmMain::UnloadMode::AppWindows); });
    QObject::connect(&sessionEnd, &SessionEnd::endRequested, &form, [&form] {
        if (form.isUnloaded())
            QApplication::quit();
        else
            form.Unload(frmMain::UnloadMode::AppWindows);
    });

    // The embedded player stands in for one the user already runs, playing, so a track
    // shows at once.
    if (simulated)
        simulated->start(true);
    if (!form.Form_Load()) {
        std::fprintf(stderr, "Bolvin is running.\n");
        return kExitAlreadyRunning;
    }
    // Qt picks the kind of tray once, at the first icon: a tray host on D-Bus that comes later
    // (a panel starting after Bolvin at login) is reached only by starting again. Once only: a
    // desktop whose Qt keeps to XEmbed whatever the host says would start it for ever.
    std::unique_ptr<StatusNotifierHostWatch> trayHost;
    if (!qEnvironmentVariableIsSet(kRestartedForTray)) {
        trayHost = std::make_unique<StatusNotifierHostWatch>(QDBusConnection::sessionBus());
        QObject::connect(trayHost.get(), &StatusNotifierHostWatch::hostAppeared, &form, [&] {
            if (restart || form.isUnloaded() || trayShell.isAvailable())
                return;
            restart = true;
            form.Unload(frmMain::UnloadMode::AppWindows);
        });
    }
    qunsetenv(kRestartedForTray);
    const int status = app.exec();
    // What the built-in player could not save is said, and reflected in the exit status of
    // this process and of a "--quit" that asked for it.
    QString unsaved;
    if (simulated)
        if (const auto player = simulated->player(); player && !player->flush())
            unsaved = player->saveError();
    instanceGuard.finishQuit(unsaved);
    if (!unsaved.isEmpty()) {
        std::fprintf(stderr, "bolvin: the Jukebox could not save its library: %s\n", qPrintable(unsaved));
        return kExitUnsaved;
    }
    return status;
}
}
