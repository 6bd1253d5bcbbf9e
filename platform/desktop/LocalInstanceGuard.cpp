#include "LocalInstanceGuard.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace {
constexpr QByteArrayView kQuitCommand = "quit\n";
constexpr QByteArrayView kShowCommand = "show\n";
constexpr int kReadTimeoutMs = 1000;

QString runtimeDir()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}
}

LocalInstanceGuard::LocalInstanceGuard(QString name, QObject* parent)
    : InstanceGuard(parent)
    , m_name(std::move(name))
{
}

LocalInstanceGuard::~LocalInstanceGuard() = default;

QString LocalInstanceGuard::lockFilePath(const QString& name)
{
    return QDir(runtimeDir()).filePath(name + QStringLiteral(".lock"));
}

QString LocalInstanceGuard::serverName(const QString& name)
{
    return QDir(runtimeDir()).filePath(name + QStringLiteral(".socket"));
}

bool LocalInstanceGuard::previousInstanceRunning()
{
    if (m_lock)
        return false;
    auto lock = std::make_unique<QLockFile>(lockFilePath(m_name));
    // QLockFile treats a lock whose process is gone as stale and takes it over.
    if (!lock->tryLock(0))
        return true;
    m_lock = std::move(lock);
    listen();
    return false;
}

void LocalInstanceGuard::listen()
{
    // We hold the lock, so a socket file left behind is a crashed instance's.
    QLocalServer::removeServer(serverName(m_name));
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(serverName(m_name)))
        return;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine())
                    return;
                const QByteArray command = socket->readLine();
                if (command != kQuitCommand && command != kShowCommand)
                    return;
                socket->write("ok\n");
                socket->flush();
                if (command == kQuitCommand)
                    emit quitRequested();
                else
                    emit showRequested();
            });
        }
    });
}

bool LocalInstanceGuard::requestQuit(const QString& name, int timeoutMs)
{
    return request(name, kQuitCommand, timeoutMs);
}

bool LocalInstanceGuard::requestShow(const QString& name, int timeoutMs)
{
    return request(name, kShowCommand, timeoutMs);
}

bool LocalInstanceGuard::request(const QString& name, QByteArrayView command, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(serverName(name));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(command.data(), command.size());
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    return socket.waitForReadyRead(std::min(timeoutMs, kReadTimeoutMs)) || socket.bytesAvailable() > 0;
}
