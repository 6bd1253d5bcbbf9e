#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>

#include <map>

class QSocketNotifier;

// A local socket, for this user only, that takes one-line commands and answers each with one
// line: how a second start reaches the running instance. On Unix a Unix-domain socket file,
// without the network library QLocalServer would load at every start; Windows would use a
// named pipe of the same name.
class LocalCommandServer : public QObject
{
    Q_OBJECT
public:
    using Client = quint64;

    explicit LocalCommandServer(QObject* parent = nullptr);
    // Drops every client still waiting and removes the socket file.
    ~LocalCommandServer() override;

    // Listens at path, first removing a socket file left there: the caller holds the lock
    // that makes the name its own. False, with *error saying why, when it cannot.
    bool listen(const QString& path, QString* error);

    // Sends line (nothing when empty) to a client that sent a command, and closes its
    // connection. A client that has gone is forgotten quietly.
    void answer(Client client, QByteArrayView line);

    // Sends command to the server at path and waits for its one-line answer, '\n' included.
    // False when none listens or no whole line came within timeoutMs. Blocks: for use
    // before the event loop runs.
    static bool request(const QString& path, QByteArrayView command, int timeoutMs, QByteArray* answer);

signals:
    // A client sent line, '\n' included; it waits for answer().
    void commandReceived(LocalCommandServer::Client client, const QByteArray& line);

private:
    struct Connection {
        int fd = -1;
        QSocketNotifier* notifier = nullptr;
        QByteArray received;
    };

    void acceptPending();
    void readFrom(Client client);
    void close(Client client);

    QString m_path;
    int m_fd = -1;
    QSocketNotifier* m_listener = nullptr;
    std::map<Client, Connection> m_clients;
    Client m_nextClient = 1;
};
