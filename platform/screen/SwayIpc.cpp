#include "SwayIpc.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace
{
constexpr char kMagic[] = "i3-ipc";
constexpr std::uint32_t kRunCommand = 0;

QByteArray message(std::uint32_t type, const QByteArray& payload)
{
    // The length and type are in the machine's own byte order.
    const auto length = static_cast<std::uint32_t>(payload.size());
    QByteArray bytes(kMagic, sizeof kMagic - 1);
    bytes.append(reinterpret_cast<const char*>(&length), sizeof length);
    bytes.append(reinterpret_cast<const char*>(&type), sizeof type);
    return bytes + payload;
}
}

SwayIpc::SwayIpc(QByteArray socketPath, QObject* parent)
    : QObject(parent)
    , m_path(std::move(socketPath))
{
}

SwayIpc::~SwayIpc()
{
    close();
}

bool SwayIpc::runCommand(const QByteArray& command)
{
    if (!open())
        return false;
    const QByteArray bytes = message(kRunCommand, command);
    const ssize_t written = ::send(m_socket, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (written == bytes.size())
        return true;
    // Part of a message would garble every later one; a full socket only drops this one.
    if (written >= 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
        close();
    return false;
}

bool SwayIpc::open()
{
    if (m_socket >= 0)
        return true;
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (m_path.isEmpty() || size_t(m_path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, m_path.constData(), size_t(m_path.size()));
    m_socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_socket < 0)
        return false;
    // A local socket connects at once or not at all; a busy sway (EAGAIN) counts as gone.
    if (::connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close();
        return false;
    }
    m_replies = new QSocketNotifier(m_socket, QSocketNotifier::Read, this);
    connect(m_replies, &QSocketNotifier::activated, this, &SwayIpc::readReplies);
    return true;
}

void SwayIpc::close()
{
    // Closing can come from the notifier's own signal, so the notifier goes once that returns.
    if (m_replies) {
        m_replies->setEnabled(false);
        m_replies->deleteLater();
        m_replies = nullptr;
    }
    if (m_socket >= 0)
        ::close(m_socket);
    m_socket = -1;
}

void SwayIpc::readReplies()
{
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::recv(m_socket, buffer, sizeof buffer, MSG_DONTWAIT);
        if (got > 0 || (got < 0 && errno == EINTR))
            continue;
        // At the end of the file sway went away; the next command connects again.
        if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
            close();
        return;
    }
}
