#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QThread>

#include <atomic>

// One object of a fake service on a test's private bus. It answers from a thread of its
// own, so the code under test may block on a call to it from the GUI thread. A derived fake
// answers in handle(), on that thread, and calls stop() first thing in its destructor.
class FakeBusObject
{
public:
    FakeBusObject(const QString& busAddress, const QString& service, const QString& path)
        : m_service(service)
        , m_path(path)
        , m_connectionName(QStringLiteral("fake-%1-%2").arg(service).arg(quintptr(this)))
        , m_connection(QDBusConnection::connectToBus(busAddress, m_connectionName))
    {
        m_thread.start();
        m_handler = new Handler(*this);
        m_handler->moveToThread(&m_thread);
    }
    virtual ~FakeBusObject()
    {
        stop();
        QDBusConnection::disconnectFromBus(m_connectionName);
    }

    // Publishes the object and takes the bus name, again after releaseName(); false on failure.
    bool start()
    {
        if (!m_published)
            m_published = m_connection.isConnected()
                && m_connection.registerVirtualObject(m_path, m_handler, QDBusConnection::SingleNode);
        return m_published && m_connection.registerService(m_service);
    }
    void releaseName() { m_connection.unregisterService(m_service); }
    QString service() const { return m_service; }
    // While set, nothing is answered: the service hangs.
    void setUnresponsive(bool on) { m_unresponsive = on; }

protected:
    // Answers a message that reached the object, on its thread.
    virtual void handle(const QDBusMessage& message, const QDBusConnection& connection) = 0;
    QDBusConnection& connection() { return m_connection; }
    // No message is answered any more.
    void stop()
    {
        if (!m_handler)
            return;
        m_connection.unregisterObject(m_path);
        releaseName();
        QMetaObject::invokeMethod(
            m_handler, [handler = m_handler] { delete handler; }, Qt::BlockingQueuedConnection);
        m_handler = nullptr;
        m_thread.quit();
        m_thread.wait();
    }

private:
    class Handler : public QDBusVirtualObject
    {
    public:
        explicit Handler(FakeBusObject& owner)
            : m_owner(owner)
        {
        }
        QString introspect(const QString&) const override { return QString(); }
        bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
        {
            if (!m_owner.m_unresponsive)
                m_owner.handle(message, connection);
            return true;
        }

    private:
        FakeBusObject& m_owner;
    };

    const QString m_service;
    const QString m_path;
    const QString m_connectionName;
    QDBusConnection m_connection;
    QThread m_thread;
    Handler* m_handler = nullptr;
    bool m_published = false;
    std::atomic<bool> m_unresponsive { false };
};
