#pragma once

#include "InstanceGuard.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

// One instance per user through a lock file in the runtime folder. A lock left by a crashed
// process is taken over. The running instance listens on a local socket of the same name
// for "quit".
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
    static bool request(const QString& name, QByteArrayView command, int timeoutMs, QString* answer);

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    QList<QPointer<QLocalSocket>> m_quitters;
};
