#include "LocalInstanceGuard.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <cstdio>

namespace
{
constexpr QByteArrayView kQuitCommand = "quit\n";
constexpr QByteArrayView kShowCommand = "show\n";
constexpr QByteArrayView kUnsavedAnswer = "unsaved ";

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
        = unsaved.isEmpty() ? QByteArray("ok\n") : kUnsavedAnswer.toByteArray() + unsaved.simplified().toUtf8() + '\n';
    for (const LocalCommandServer::Client client : std::exchange(m_quitters, {}))
        m_server->answer(client, answer);
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
    m_server = std::make_unique<LocalCommandServer>();
    connect(m_server.get(), &LocalCommandServer::commandReceived, this, &LocalInstanceGuard::obey);
    if (QString error; !m_server->listen(serverName(m_name), &error))
        std::fprintf(stderr, "Bolvin cannot be reached by --quit or a second start: %s\n", qPrintable(error));
}

void LocalInstanceGuard::obey(LocalCommandServer::Client client, const QByteArray& command)
{
    if (command == kShowCommand) {
        m_server->answer(client, "ok\n");
        emit showRequested();
    } else if (command == kQuitCommand) {
        // Answered once the shutdown has run, with whether everything was saved.
        m_quitters.append(client);
        emit quitRequested();
    } else {
        m_server->answer(client, {});
    }
}

bool LocalInstanceGuard::requestQuit(const QString& name, int timeoutMs, QString* unsaved)
{
    QByteArray answer;
    if (!LocalCommandServer::request(serverName(name), kQuitCommand, timeoutMs, &answer))
        return false;
    if (unsaved && answer.startsWith(kUnsavedAnswer))
        *unsaved = QString::fromUtf8(answer.mid(kUnsavedAnswer.size())).trimmed();
    return true;
}

bool LocalInstanceGuard::requestShow(const QString& name, int timeoutMs)
{
    return LocalCommandServer::request(serverName(name), kShowCommand, timeoutMs, nullptr);
}
