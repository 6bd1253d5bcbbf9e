#include "Resources.h"
#include "frmMain.h"
#include "platform/autostart/XdgAutostartRegistry.h"
#include "platform/desktop/LocalInstanceGuard.h"
#include "platform/desktop/QtDesktop.h"
#include "platform/hotkeys/HotKeyRegistrar.h"
#include "platform/settings/QtSettingsStore.h"
#include "platform/tray/QtTrayShell.h"
#include "player/simulated/SimulatedPlayerBackend.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include <cstdio>

namespace {
constexpr int kExitAlreadyRunning = 1;
constexpr int kExitUsage = 2;
constexpr double kDefaultSpeed = 1.0;

struct Options {
    QString library;
    double speed = kDefaultSpeed;
    bool quit = false;
};

// Returns false (and has told the user) when the command line cannot be used.
bool parseOptions(const QApplication& app, Options& options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Bolvin: track pop-ups, tray controls and hotkeys for your media player."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption library(QStringLiteral("library"),
        QStringLiteral("The simulated player's library file (an \"iTunes Music Library.xml\")."), QStringLiteral("file"));
    const QCommandLineOption speed(QStringLiteral("speed"),
        QStringLiteral("How many times faster than real time the simulated player plays."), QStringLiteral("factor"));
    const QCommandLineOption quit(QStringLiteral("quit"), QStringLiteral("Ask the running Bolvin to exit."));
    parser.addOptions({ library, speed, quit });
    if (!parser.parse(app.arguments())) {
        std::fprintf(stderr, "bolvin: %s\n", qPrintable(parser.errorText()));
        return false;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    options.library = parser.value(library);
    options.quit = parser.isSet(quit);
    if (parser.isSet(speed)) {
        bool ok = false;
        options.speed = parser.value(speed).toDouble(&ok);
        if (!ok || options.speed <= 0) {
            std::fprintf(stderr, "bolvin: --speed wants a number above 0, not \"%s\"\n", qPrintable(parser.value(speed)));
            return false;
        }
    }
    return true;
}
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bolvin"));
    QApplication::setApplicationVersion(QStringLiteral(BOLVIN_VERSION));
    // The program lives in the tray: closing its last window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    Options options;
    if (!parseOptions(app, options))
        return kExitUsage;
    if (options.quit)
        return LocalInstanceGuard::requestQuit() ? 0 : kExitAlreadyRunning;

    const QString resources = resourceDir(QApplication::applicationDirPath());
    QString libraryFile = options.library;
    if (libraryFile.isEmpty())
        libraryFile = SimulatedPlayerBackend::userLibraryFile(QDir(resources).filePath(QStringLiteral("library")));

    QtDesktop desktop(QDir(resources).filePath(QStringLiteral("icons")));
    LocalInstanceGuard instanceGuard;
    QtSettingsStore settings;
    XdgAutostartRegistry registry;
    QtTrayShell trayShell(desktop);
    const std::unique_ptr<HotKeyRegistrar> hotKeys = HotKeyRegistrar::create();
    SimulatedPlayerBackend player(libraryFile, options.speed);

    frmMain form({ desktop, instanceGuard, settings, registry, player, trayShell, *hotKeys, resources,
        QApplication::applicationDirPath() });
    QObject::connect(&form, &frmMain::unloaded, &app, &QApplication::quit, Qt::QueuedConnection);
    // A session that ends without asking us still gets the full shutdown.
    QObject::connect(&app, &QApplication::aboutToQuit, &form, [&form] { form.Unload(frmMain::UnloadMode::AppWindows); });

    // The embedded player stands in for one the user already runs, playing, so a track
    // shows at once.
    player.start(true);
    if (!form.Form_Load()) {
        std::fprintf(stderr, "Bolvin is running.\n");
        return kExitAlreadyRunning;
    }
    return app.exec();
}
