#include "SimulatedPlayerBackend.h"

#include "player/plist/FileCopy.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
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

// Beside a working copy: which user file it was made from, and that file's size and
// modification time then.
const QString sourceFileName = QStringLiteral("source.json");
const QString pathKey = QStringLiteral("path");
// Enough of a hash of the user file's path to keep the copies of different files apart.
constexpr int copyKeyLength = 16;

QJsonObject sourceStamp(const QFileInfo& user)
{
    return { { pathKey, user.absoluteFilePath() }, { QStringLiteral("size"), double(user.size()) },
        { QStringLiteral("modified"), double(user.lastModified().toMSecsSinceEpoch()) } };
}

QJsonObject readStamp(const QDir& folder)
{
    QFile file(folder.filePath(sourceFileName));
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}

bool writeStamp(const QDir& folder, const QJsonObject& stamp, QString* why)
{
    QByteArray text = QJsonDocument(stamp).toJson();
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    return FileCopy::write(buffer, folder.filePath(sourceFileName), why);
}

// Covers named relative to a working copy's library sit beside the user's file it came from.
QString artworkFolderOf(const QString& libraryFile)
{
    const QString source = readStamp(QFileInfo(libraryFile).absoluteDir()).value(pathKey).toString();
    return source.isEmpty() ? QString() : QFileInfo(source).absolutePath();
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
    if (!library->load(m_libraryFile, artworkFolderOf(m_libraryFile))) {
        m_lastError = library->errorString();
        return nullptr;
    }
    m_lastError.clear();
    m_player = std::make_shared<SimulatedPlayer>(std::move(library));
    m_player->setSpeed(m_speed);
    m_player->setRealTime(m_realTime);
    m_player->cueFirstTrack();
    if (m_playerStarted)
        m_playerStarted(m_player);
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

QString SimulatedPlayerBackend::workingLibraryFile(const QString& userFile, QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return QString();
    };
    const QFileInfo user(userFile);
    if (!user.isFile() || !user.isReadable())
        return fail(QStringLiteral("The music library \"%1\" could not be opened.").arg(userFile));
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (data.isEmpty())
        return fail(QStringLiteral("There is no folder for application data to copy the music library into."));
    const QByteArray key = QCryptographicHash::hash(user.absoluteFilePath().toUtf8(), QCryptographicHash::Sha1)
                               .toHex()
                               .left(copyKeyLength);
    const QDir folder(QDir(data).filePath(QStringLiteral("libraries/") + QString::fromLatin1(key)));
    const QString copy = folder.filePath(user.fileName());
    // Taken before copying: a file changed while it is copied is copied again next time.
    const QJsonObject stamp = sourceStamp(user);
    if (QFileInfo(copy).isFile() && readStamp(folder) == stamp) {
        if (error)
            error->clear();
        return copy;
    }
    const QString failed
        = QStringLiteral("A working copy of the music library \"%1\" could not be made in \"%2\": %3.");
    if (!folder.mkpath(QStringLiteral(".")))
        return fail(failed.arg(userFile, folder.path(), QStringLiteral("the folder cannot be created")));
    // Without its stamp a copy half made is never taken for a finished one.
    QFile::remove(folder.filePath(sourceFileName));
    QString why;
    if (!FileCopy::copy(userFile, copy, &why) || !writeStamp(folder, stamp, &why))
        return fail(failed.arg(userFile, folder.path(), why));
    // The player writes its copy even when the user keeps the file read-only.
    QFile::setPermissions(copy, QFile::permissions(copy) | QFile::WriteOwner);
    if (error)
        error->clear();
    return copy;
}
