#include "SimulatedPlayerBackend.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{

const QString simulatedExecutable = QStringLiteral("bolvin-simulated-player");
const QString libraryFileName = QStringLiteral("iTunes Music Library.xml");

// Copies every file below source into target, keeping the folder layout; false on the
// first failure.
bool copyTree(const QString& source, const QString& target)
{
    const QDir sourceDir(source);
    QDirIterator it(source, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString copy = QDir(target).filePath(sourceDir.relativeFilePath(file));
        if (!QDir().mkpath(QFileInfo(copy).absolutePath()))
            return false;
        QFile::remove(copy);
        if (!QFile::copy(file, copy))
            return false;
        // A bundled file installed read-only must still be writable in the user's copy.
        QFile::setPermissions(copy, QFile::permissions(copy) | QFile::WriteOwner);
    }
    return true;
}

} // namespace

SimulatedPlayerBackend::SimulatedPlayerBackend(const QString& libraryFile, double speed)
    : m_libraryFile(libraryFile)
    , m_speed(speed)
{
}

QString SimulatedPlayerBackend::executableName() const
{
    return simulatedExecutable;
}

std::optional<QStringList> SimulatedPlayerBackend::runningExecutables() const
{
    if (player())
        return QStringList { simulatedExecutable };
    return QStringList();
}

std::shared_ptr<SimulatedPlayer> SimulatedPlayerBackend::player() const
{
    return m_player && m_player->isRunning() ? m_player : nullptr;
}

std::shared_ptr<PlayerApplication> SimulatedPlayerBackend::createApplication()
{
    if (std::shared_ptr<SimulatedPlayer> running = player())
        return running;
    m_player.reset();
    auto library = std::make_unique<MusicLibrary>();
    if (m_libraryFile.isEmpty()) {
        m_lastError = QStringLiteral("No music library was found for the simulated player.");
        return nullptr;
    }
    if (!library->load(m_libraryFile)) {
        m_lastError = library->errorString();
        return nullptr;
    }
    m_lastError.clear();
    m_player = std::make_shared<SimulatedPlayer>(std::move(library));
    m_player->setSpeed(m_speed);
    m_player->setRealTime(m_realTime);
    m_player->cueFirstTrack();
    return m_player;
}

bool SimulatedPlayerBackend::start(bool play)
{
    if (!createApplication())
        return false;
    if (play)
        m_player->Play();
    return true;
}

QString SimulatedPlayerBackend::userLibraryFile(const QString& bundledLibraryDir)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty())
        return QString();
    const QString copyDir = QDir(folder).filePath(QStringLiteral("library"));
    const QString copy = QDir(copyDir).filePath(libraryFileName);
    if (QFileInfo(copy).isFile())
        return copy;
    if (!QFileInfo(QDir(bundledLibraryDir).filePath(libraryFileName)).isFile())
        return QString();
    if (!copyTree(bundledLibraryDir, copyDir)) {
        // A half-made copy would be taken for a finished one next time.
        QFile::remove(copy);
        return QString();
    }
    return copy;
}
