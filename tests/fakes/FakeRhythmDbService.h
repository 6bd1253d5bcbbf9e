#pragma once

#include "../mpris/FakeBusObject.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QHash>
#include <QMutex>
#include <QVariantMap>

#include <atomic>

// Rhythmbox's library database on a test's private bus (org.gnome.Rhythmbox3). Like Rhythmbox
// it answers success to a property of an unknown name or a wrong type and ignores it, stores
// out-of-range values as sent, and answers FileNotFound for a location it has no entry for.
// Unlike Rhythmbox it leaves zero values out of the entries it reports (as Rhythmbox's
// library file does), so a reader relying on them fails.
class FakeRhythmDbService : public FakeBusObject
{
public:
    explicit FakeRhythmDbService(const QString& busAddress)
        : FakeBusObject(
            busAddress, QStringLiteral("org.gnome.Rhythmbox3"), QStringLiteral("/org/gnome/Rhythmbox3/RhythmDB"))
    {
    }
    ~FakeRhythmDbService() override { stop(); }

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
    // Calls that reached the database, introspection aside.
    int callCount() const { return m_calls; }

    // The next Set takes effect, but the database leaves the bus before answering it.
    void vanishAfterNextSet() { m_vanishAfterSet = true; }
    // Answers Introspect with nothing useful, as a different program on the name would.
    void setDescribesItself(bool on) { m_describes = on; }

private:
    static QString signatureOf(const QVariant& value)
    {
        if (value.metaType() == QMetaType::fromType<QDBusArgument>())
            return value.value<QDBusArgument>().currentSignature();
        return QString::fromLatin1(QDBusMetaType::typeToSignature(value.metaType()));
    }

    void handle(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.member() == QLatin1String("Introspect")) {
            connection.send(message.createReply(m_describes ? kDescription : QStringLiteral("<node/>")));
            return;
        }
        ++m_calls;
        const QList<QVariant> args = message.arguments();
        const QString uri = args.value(0).toString();
        QMutexLocker lock(&m_mutex);
        if (!m_entries.contains(uri)) {
            connection.send(message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.FileNotFound"),
                QStringLiteral("No database entry %1 exists").arg(uri)));
            return;
        }
        QVariantMap& stored = m_entries[uri];
        if (message.member() == QLatin1String("GetEntryProperties")) {
            QVariantMap shown;
            for (auto it = stored.cbegin(); it != stored.cend(); ++it)
                if (it.value().toDouble() != 0.0)
                    shown.insert(it.key(), it.value());
            connection.send(message.createReply(QVariant::fromValue(shown)));
            return;
        }
        const QVariantMap values = qdbus_cast<QVariantMap>(args.value(1));
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (kTypes.value(it.key()) == signatureOf(it.value()))
                stored.insert(it.key(), it.value());
        }
        // Gone before the caller hears back, so its read-back cannot still reach us.
        if (m_vanishAfterSet.exchange(false))
            releaseName();
        connection.send(message.createReply());
    }

    static inline const QHash<QString, QString> kTypes { { "rating", "d" }, { "play-count", "u" },
        { "last-played", "u" } };
    static inline const QString kDescription
        = QStringLiteral("<node><interface name=\"org.gnome.Rhythmbox3.RhythmDB\">"
                         "<method name=\"GetEntryProperties\"><arg name=\"uri\" type=\"s\"/>"
                         "<arg name=\"properties\" type=\"a{sv}\" direction=\"out\"/></method>"
                         "<method name=\"SetEntryProperties\"><arg name=\"uri\" type=\"s\"/>"
                         "<arg name=\"properties\" type=\"a{sv}\"/></method></interface></node>");

    mutable QMutex m_mutex;
    QHash<QString, QVariantMap> m_entries;
    std::atomic<int> m_calls { 0 };
    std::atomic<bool> m_vanishAfterSet { false };
    std::atomic<bool> m_describes { true };
};
