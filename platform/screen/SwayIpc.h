#pragma once

#include <QByteArray>
#include <QObject>

class QSocketNotifier;

// Commands to sway over its IPC socket (the i3 framing). One connection, opened at the first
// command and again after sway dropped it. Never blocks: what cannot be written at once is
// not sent, and sway's replies are read and dropped as they come.
class SwayIpc : public QObject
{
public:
    // socketPath is sway's socket (SWAYSOCK); an empty path sends nothing.
    explicit SwayIpc(QByteArray socketPath, QObject* parent = nullptr);
    ~SwayIpc() override;

    bool hasSocket() const { return !m_path.isEmpty(); }
    // Hands sway a command to run. False when it was not written whole: no sway, the
    // connection refused or full. True says nothing of whether sway could carry it out.
    bool runCommand(const QByteArray& command);

private:
    bool open();
    void close();
    void readReplies();

    QByteArray m_path;
    int m_socket = -1;
    QSocketNotifier* m_replies = nullptr;
};
