#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QTemporaryFile>

// A dbus-daemon of the test's own, so tests never touch (or need) a session bus.
class PrivateBus
{
public:
    static constexpr int kStartTimeoutMs = 5000;

    ~PrivateBus()
    {
        if (!m_clientName.isEmpty())
            QDBusConnection::disconnectFromBus(m_clientName);
        if (m_daemon.state() != QProcess::NotRunning) {
            m_daemon.kill();
            m_daemon.waitForFinished(kStartTimeoutMs);
        }
    }

    // Starts the daemon and connects a client under clientName; false with error() when
    // either fails within the bounded start-up. The bus starts services only from serviceDir.
    bool start(const QString& clientName, const QString& serviceDir = QString())
    {
        // A session bus without the session's service files: a call to a name nobody owns fails
        // at once instead of starting a real Rhythmbox (or playerctld) on the test's display.
        QByteArray config(kConfig);
        if (!serviceDir.isEmpty())
            config.replace("</busconfig>", "<servicedir>" + serviceDir.toUtf8() + "</servicedir></busconfig>");
        if (!m_config.open() || m_config.write(config) < 0 || !m_config.flush())
            return fail(QStringLiteral("cannot write the bus configuration"));
        m_daemon.start(
            QStringLiteral("dbus-daemon"), { "--config-file=" + m_config.fileName(), "--print-address", "--nofork" });
        if (!m_daemon.waitForStarted(kStartTimeoutMs))
            return fail(QStringLiteral("dbus-daemon did not start: ") + m_daemon.errorString());
        while (!m_daemon.canReadLine())
            if (!m_daemon.waitForReadyRead(kStartTimeoutMs))
                return fail(QStringLiteral("dbus-daemon printed no address"));
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        m_clientName = clientName;
        m_client = QDBusConnection::connectToBus(m_address, clientName);
        return m_client.isConnected() || fail(QStringLiteral("cannot connect to ") + m_address);
    }

    QString address() const { return m_address; }
    QDBusConnection client() const { return m_client; }
    QString error() const { return m_error; }

private:
    bool fail(const QString& error)
    {
        m_error = error;
        return false;
    }

    static constexpr const char* kConfig
        = "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen><auth>EXTERNAL</auth>"
          "<policy context='default'><allow send_destination='*' eavesdrop='true'/><allow eavesdrop='true'/>"
          "<allow own='*'/></policy></busconfig>";

    QTemporaryFile m_config;
    QProcess m_daemon;
    QString m_address;
    QString m_clientName;
    QDBusConnection m_client { QString() };
    QString m_error;
};
