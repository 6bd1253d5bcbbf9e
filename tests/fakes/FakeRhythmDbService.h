#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QThread>
#include <QVariantMap>

#include <atomic>

// One call that reached the fake database, with the D-Bus type of every property value as it
// travelled ("rating:d"), so a test can tell a double from an int32 that prints the same.
struct FakeRhythmDbCall {
    QString method;
    QString uri;
    QStringList types;
    QVariantMap values;
};

// Rhythmbox's library database on a test's private bus (org.gnome.Rhythmbox3), answering
// from its own thread. Like Rhythmbox it answers success to a property of an unknown name or
// a wrong type and ignores it, stores out-of-range values as sent, and answers FileNotFound
// for a location it has no entry for. Unlike Rhythmbox it leaves zero values out of the
// entries it reports (as Rhythmbox's library file does), so a reader relying on them fails.
class FakeRhythmDbService
{
public:
    static inline const QString kService = QStringLiteral("org.gnome.Rhythmbox3");
    static inline const QString kPath = QStringLiteral("/org/gnome/Rhythmbox3/RhythmDB");
    static inline const QString kInterface = QStringLiteral("org.gnome.Rhythmbox3.RhythmDB");

    explicit FakeRhythmDbService(const QString& busAddress)
        : m_connectionName(QStringLiteral("fake-rhythmdb-%1").arg(quintptr(this)))
        , m_connection(QDBusConnection::connectToBus(busAddress, m_connectionName))
    {
        m_thread.start();
        m_handler = new Handler(*this);
        m_handler->moveToThread(&m_thread);
    }

    ~FakeRhythmDbService()
    {
        m_connection.unregisterObject(kPath);
        m_connection.unregisterService(kService);
        QMetaObject::invokeMethod(
            m_handler, [handler = m_handler] { delete handler; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
        QDBusConnection::disconnectFromBus(m_connectionName);
    }

    // Publishes the object and takes the bus name; again after the name was dropped, takes
    // it back. False when either fails.
    bool start()
    {
        if (!m_published)
            m_published = m_connection.isConnected()
                && m_connection.registerVirtualObject(kPath, m_handler, QDBusConnection::SingleNode);
        return m_published && m_connection.registerService(kService);
    }

    // An entry with no values yet; values as Rhythmbox types them: rating d, counts u.
    void addEntry(const QString& uri, const QVariantMap& values = {})
    {
        QMutexLocker lock(&m_mutex);
        m_entries[uri] = values;
    }
    QVariantMap entry(const QString& uri) const
    {
        QMutexLocker lock(&m_mutex);
        return m_entries.value(uri);
    }
    QList<FakeRhythmDbCall> calls() const
    {
        QMutexLocker lock(&m_mutex);
        return m_calls;
    }
    // Every type any Set call carried, in order.
    QStringList setTypes() const
    {
        QStringList types;
        for (const FakeRhythmDbCall& call : calls())
            if (call.method == QLatin1String("SetEntryProperties"))
                types += call.types;
        return types;
    }

    // While set, nothing is answered.
    void setUnresponsive(bool on) { m_unresponsive = on; }
    // The next Set takes effect, but the database leaves the bus before answering it.
    void vanishAfterNextSet() { m_vanishAfterSet = true; }
    // Answers Introspect with nothing useful, as a different program on the name would.
    void setDescribesItself(bool on) { m_describes = on; }

private:
    class Handler : public QDBusVirtualObject
    {
    public:
        explicit Handler(FakeRhythmDbService& owner)
            : m_owner(owner)
        {
        }
        QString introspect(const QString&) const override { return QString(); }
        bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
        {
            return m_owner.handle(message, connection);
        }

    private:
        FakeRhythmDbService& m_owner;
    };

    static QString signatureOf(const QVariant& value)
    {
        if (value.metaType() == QMetaType::fromType<QDBusArgument>())
            return value.value<QDBusArgument>().currentSignature();
        return QString::fromLatin1(QDBusMetaType::typeToSignature(value.metaType()));
    }

    static QString expectedType(const QString& name)
    {
        if (name == QLatin1String("rating"))
            return QStringLiteral("d");
        if (name == QLatin1String("play-count") || name == QLatin1String("last-played"))
            return QStringLiteral("u");
        return QString();
    }

    bool handle(const QDBusMessage& message, const QDBusConnection& connection)
    {
        if (m_unresponsive)
            return true;
        if (message.member() == QLatin1String("Introspect")) {
            connection.send(message.createReply(m_describes ? kDescription : QStringLiteral("<node/>")));
            return true;
        }
        const QList<QVariant> args = message.arguments();
        FakeRhythmDbCall call { message.member(), args.value(0).toString(), {}, {} };
        if (message.member() == QLatin1String("SetEntryProperties") && args.size() == 2) {
            const QDBusArgument map = args.at(1).value<QDBusArgument>();
            map.beginMap();
            while (!map.atEnd()) {
                QString name;
                QDBusVariant value;
                map.beginMapEntry();
                map >> name >> value;
                map.endMapEntry();
                call.types += name + QLatin1Char(':') + signatureOf(value.variant());
                call.values.insert(name, value.variant());
            }
            map.endMap();
        }
        QMutexLocker lock(&m_mutex);
        m_calls.append(call);
        if (!m_entries.contains(call.uri)) {
            connection.send(message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.FileNotFound"),
                QStringLiteral("No database entry %1 exists").arg(call.uri)));
            return true;
        }
        QVariantMap& stored = m_entries[call.uri];
        if (call.method == QLatin1String("GetEntryProperties")) {
            QVariantMap shown;
            for (auto it = stored.cbegin(); it != stored.cend(); ++it)
                if (it.value().toDouble() != 0.0)
                    shown.insert(it.key(), it.value());
            connection.send(message.createReply(QVariant::fromValue(shown)));
            return true;
        }
        for (auto it = call.values.cbegin(); it != call.values.cend(); ++it)
            if (signatureOf(it.value()) == expectedType(it.key()))
                stored.insert(it.key(), it.value());
        // Gone before the caller hears back, so its read-back cannot still reach us.
        if (m_vanishAfterSet.exchange(false))
            m_connection.unregisterService(kService);
        connection.send(message.createReply());
        return true;
    }

    static inline const QString kDescription
        = QStringLiteral("<node><interface name=\"org.gnome.Rhythmbox3.RhythmDB\">"
                         "<method name=\"GetEntryProperties\"><arg name=\"uri\" type=\"s\"/>"
                         "<arg name=\"properties\" type=\"a{sv}\" direction=\"out\"/></method>"
                         "<method name=\"SetEntryProperties\"><arg name=\"uri\" type=\"s\"/>"
                         "<arg name=\"properties\" type=\"a{sv}\"/></method></interface></node>");

    const QString m_connectionName;
    QDBusConnection m_connection;
    QThread m_thread;
    Handler* m_handler = nullptr;
    bool m_published = false;
    mutable QMutex m_mutex;
    QHash<QString, QVariantMap> m_entries;
    QList<FakeRhythmDbCall> m_calls;
    std::atomic<bool> m_unresponsive { false };
    std::atomic<bool> m_vanishAfterSet { false };
    std::atomic<bool> m_describes { true };
};
