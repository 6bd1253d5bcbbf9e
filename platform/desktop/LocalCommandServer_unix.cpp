#include "LocalCommandServer.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{
// Commands are a word; an answer may list what could not be saved.
constexpr qsizetype kMaxCommandBytes = 64;
constexpr qsizetype kMaxAnswerBytes = 64 * 1024;
// Second starts queue here only while the running instance is busy starting.
constexpr int kBacklog = 8;
constexpr std::size_t kMaxClients = 16;

bool toAddress(const QString& path, sockaddr_un* address)
{
    const QByteArray name = QFile::encodeName(path);
    *address = {};
    address->sun_family = AF_UNIX;
    if (name.isEmpty() || std::size_t(name.size()) >= sizeof(address->sun_path))
        return false;
    std::memcpy(address->sun_path, name.constData(), std::size_t(name.size()));
    return true;
}

QString systemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

// Closes the descriptor when the request gives up at any step.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {
    }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    operator int() const { return m_fd; }

private:
    int m_fd;
};
}

LocalCommandServer::LocalCommandServer(QObject* parent)
    : QObject(parent)
{
}

LocalCommandServer::~LocalCommandServer()
{
    while (!m_clients.empty())
        close(m_clients.begin()->first);
    if (m_fd >= 0) {
        ::close(m_fd);
        QFile::remove(m_path);
    }
}

bool LocalCommandServer::listen(const QString& path, QString* error)
{
    sockaddr_un address;
    if (!toAddress(path, &address)) {
        *error = QStringLiteral("the socket path %1 is too long").arg(path);
        return false;
    }
    ::unlink(address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        *error = systemError("socket");
        return false;
    }
    // Nobody can connect between bind and listen, so the file is user-only before anyone can.
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0
        || ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, kBacklog) != 0) {
        *error = systemError("cannot listen");
        ::close(fd);
        ::unlink(address.sun_path);
        return false;
    }
    m_fd = fd;
    m_path = path;
    m_listener = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
    connect(m_listener, &QSocketNotifier::activated, this, &LocalCommandServer::acceptPending);
    return true;
}

void LocalCommandServer::acceptPending()
{
    for (;;) {
        const int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0)
            return;
        if (m_clients.size() >= kMaxClients) {
            ::close(fd);
            continue;
        }
        const Client client = m_nextClient++;
        auto* notifier = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
        m_clients[client] = Connection { fd, notifier, {} };
        connect(notifier, &QSocketNotifier::activated, this, [this, client] { readFrom(client); });
    }
}

void LocalCommandServer::readFrom(Client client)
{
    const auto found = m_clients.find(client);
    if (found == m_clients.end())
        return;
    Connection& connection = found->second;
    char buffer[kMaxCommandBytes];
    const ssize_t got = ::recv(connection.fd, buffer, sizeof buffer, 0);
    if (got < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (got <= 0) {
        close(client);
        return;
    }
    connection.received.append(buffer, got);
    const qsizetype end = connection.received.indexOf('\n');
    if (end < 0) {
        if (connection.received.size() > kMaxCommandBytes)
            close(client);
        return;
    }
    // One command a connection: the client now waits for the answer.
    connection.notifier->setEnabled(false);
    emit commandReceived(client, connection.received.left(end + 1));
}

void LocalCommandServer::answer(Client client, QByteArrayView line)
{
    const auto found = m_clients.find(client);
    if (found == m_clients.end())
        return;
    // A line fits in the socket's buffer, so this does not block; a client gone is EPIPE.
    if (!line.isEmpty())
        ::send(found->second.fd, line.data(), std::size_t(line.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
    close(client);
}

void LocalCommandServer::close(Client client)
{
    const auto found = m_clients.find(client);
    if (found == m_clients.end())
        return;
    // Called from the notifier's own signal too, so it goes later.
    found->second.notifier->setEnabled(false);
    found->second.notifier->deleteLater();
    ::close(found->second.fd);
    m_clients.erase(found);
}

bool LocalCommandServer::request(const QString& path, QByteArrayView command, int timeoutMs, QByteArray* answer)
{
    sockaddr_un address;
    if (!toAddress(path, &address) || timeoutMs <= 0)
        return false;
    const FileDescriptor fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (fd < 0)
        return false;
    // connect() waits while the server's queue is full, send() while its buffer is: both
    // only up to the timeout.
    const timeval limit { timeoutMs / 1000, (timeoutMs % 1000) * 1000 };
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    QDeadlineTimer deadline(timeoutMs);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return false;
    if (::send(fd, command.data(), std::size_t(command.size()), MSG_NOSIGNAL) != command.size())
        return false;
    QByteArray received;
    while (!received.contains('\n')) {
        pollfd readable { fd, POLLIN, 0 };
        const int ready = ::poll(&readable, 1, int(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        char buffer[512];
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || received.size() + got > kMaxAnswerBytes)
            return false;
        received.append(buffer, got);
    }
    if (answer)
        *answer = received.left(received.indexOf('\n') + 1);
    return true;
}
