#include "AppBenchRig.h"

#include "app/frmMain.h"
#include "app/link/PlayerLink.h"
#include "app/notification/TrackNotification.h"
#include "artwork/Beeper.h"
#include "artwork/PicturePrinter.h"
#include "platform/hotkeys/HotKeyRegistrar.h"
#include "platform/screen/Screen.h"
#include "platform/tray/QtTrayShell.h"
#include "player/simulated/SimulatedPlayer.h"
#include "player/simulated/SimulatedPlayerBackend.h"
#include "popup/PopUpMessages.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTimer>

namespace
{
constexpr double kRealSpeed = 1.0;
// Wakes the wait for pop-ups to go even when nothing else happens, so its bound holds.
constexpr int kWaitWakeMs = 20;

const QString kLibraryFile = QStringLiteral("iTunes Music Library.xml");

bool copyFolder(const QDir& from, const QDir& to)
{
    if (!to.mkpath(QStringLiteral(".")))
        return false;
    for (const QString& file : from.entryList(QDir::Files))
        if (!QFile::copy(from.filePath(file), to.filePath(file)))
            return false;
    for (const QString& sub : from.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (!copyFolder(QDir(from.filePath(sub)), QDir(to.filePath(sub))))
            return false;
    return true;
}
}

AppBenchRig::AppBenchRig(const QMap<QString, QString>& settings)
    : m_desktop(QDir(QStringLiteral(BOLVIN_RESOURCE_DIR)).filePath(QStringLiteral("icons")))
{
    m_settings.values = settings;
    if (!m_settings.values.contains(QStringLiteral("FirstRun")))
        m_settings.values.insert(QStringLiteral("FirstRun"), QStringLiteral("No"));
    // The cover conversion writes to the temporary folder; keep it ours.
    const QString temp = m_dir.filePath(QStringLiteral("tmp"));
    QDir().mkpath(temp);
    qputenv("TMPDIR", QFile::encodeName(temp));
    m_shell = std::make_unique<QtTrayShell>(m_desktop);
    m_hotKeys = HotKeyRegistrar::create();
}

AppBenchRig::~AppBenchRig()
{
    if (m_form && !m_form->isUnloaded())
        m_form->Unload(frmMain::UnloadMode::FormCode);
    m_form.reset();
}

bool AppBenchRig::startPlayer()
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    const QDir library(m_dir.filePath(QStringLiteral("library")));
    if (!copyFolder(QDir(QStringLiteral(BOLVIN_SAMPLE_LIBRARY_DIR)), library)) {
        m_error = QStringLiteral("could not copy the sample library");
        return false;
    }
    m_backend = std::make_unique<SimulatedPlayerBackend>(library.filePath(kLibraryFile), kRealSpeed);
    m_backend->setRealTime(false);
    if (!m_backend->start(true)) {
        m_error = m_backend->lastError();
        return false;
    }
    return true;
}

bool AppBenchRig::loadWindow()
{
    PlayerBackend& backend = m_chosen ? *m_chosen : *m_backend;
    m_form = std::make_unique<frmMain>(
        AppServices { m_desktop, m_guard, m_settings, m_registry, backend, *m_shell, *m_hotKeys,
            QStringLiteral(BOLVIN_RESOURCE_DIR), QCoreApplication::applicationDirPath(), PopUpServices::system(),
            ShowPicServices(m_settings, m_desktop, Screen::system(), Beeper::system(), PicturePrinter::system()) });
    if (!m_form->Form_Load() || !m_form->link().isConnected()) {
        m_error = QStringLiteral("the window did not connect to the player");
        return false;
    }
    return true;
}

SimulatedPlayer& AppBenchRig::player()
{
    return *m_backend->player();
}

bool AppBenchRig::closeNotification(int timeoutMs)
{
    m_form->notification().closeTrackPopups();
    QTimer wake;
    wake.start(kWaitWakeMs);
    const QDeadlineTimer deadline(timeoutMs);
    while (m_form->notification().trackPopupsShowing() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return !m_form->notification().trackPopupsShowing();
}
