#include "LocalInstanceGuard.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace
{
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

LocalInstanceGuard::~LocalInstanceGuard()
{
    finishQuit(QString());
}

void LocalInstanceGuard::finishQuit(const QString& unsaved)
{
    const QByteArray answer
        = unsaved.isEmpty() ? QByteArray("ok\n") : "unsaved " + unsaved.simplified().toUtf8() + '\n';
    for (const QPointer<QLocalSocket>& socket : std::exchange(m_quitters, {})) {
        if (!socket)
            continue;
        socket->write(answer);
        socket->flush();
        socket->waitForBytesWritten(kReadTimeoutMs);
    }
}

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
                if (command == kShowCommand) {
                    socket->write("ok\n");
                    socket->flush();
                    emit showRequested();
                } else if (command == kQuitCommand) {
                    // Answered once the shutdown has run, with whether everything was saved.
                    m_quitters.append(socket);
                    emit quitRequested();
                }
            });
        }
    });
}

bool LocalInstanceGuard::requestQuit(const QString& name, int timeoutMs, QString* unsaved)
{
    QString answer;
    if (!request(name, kQuitCommand, timeoutMs, &answer))
        return false;
    if (unsaved && answer.startsWith(QLatin1String("unsaved ")))
        *unsaved = answer.mid(int(qstrlen("unsaved "))).trimmed();
    return true;
}

bool LocalInstanceGuard::requestShow(const QString& name, int timeoutMs)
{
    return request(name, kShowCommand, timeoutMs, nullptr);
}

bool LocalInstanceGuard::request(const QString& name, QByteArrayView command, int timeoutMs, QString* answer)
{
    QLocalSocket socket;
    socket.connectToServer(serverName(name));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(command.data(), command.size());
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    QElapsedTimer waited;
    waited.start();
    while (!socket.canReadLine()) {
        const qint64 left = timeoutMs - waited.elapsed();
        if (left <= 0 || !socket.waitForReadyRead(int(left)))
            return false;
    }
    const QByteArray line = socket.readLine();
    if (answer)
        *answer = QString::fromUtf8(line);
    return true;
}
