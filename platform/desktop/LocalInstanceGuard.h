#pragma once

#include "InstanceGuard.h"
#include "LocalCommandServer.h"

#include <QList>
#include <QString>

#include <memory>

class QLockFile;

// One instance per user through a lock file in the runtime folder. A lock left by a crashed
// process is taken over. The running instance listens on a local socket of the same name
// for "quit" and "show".
class LocalInstanceGuard : public InstanceGuard
{
    Q_OBJECT
public:
    explicit LocalInstanceGuard(QString name = QStringLiteral("bolvin"), QObject* parent = nullptr);
    ~LocalInstanceGuard() override;

    bool previousInstanceRunning() override;
    // Answers the instances that asked this one to quit, once its shutdown has run: unsaved
    // says what could not be saved, "" when everything was.
    void finishQuit(const QString& unsaved);

    // Asks a running instance to quit and waits for its shutdown; false when none answered
    // within timeoutMs. *unsaved receives what it could not save, "" when everything was.
    static bool requestQuit(
        const QString& name = QStringLiteral("bolvin"), int timeoutMs = 10000, QString* unsaved = nullptr);
    // Asks a running instance to show its window; false when none answered within timeoutMs.
    static bool requestShow(const QString& name = QStringLiteral("bolvin"), int timeoutMs = 2000);

    // Where the lock and socket of an instance called name live.
    static QString lockFilePath(const QString& name);
    static QString serverName(const QString& name);

private:
    void listen();
    void obey(LocalCommandServer::Client client, const QByteArray& command);

    QString m_name;
    // Declared before the server, so the socket file is gone before the lock is released
    // and cannot take a successor's socket with it.
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<LocalCommandServer> m_server;
    QList<LocalCommandServer::Client> m_quitters;
};
