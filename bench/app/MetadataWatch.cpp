#include "MetadataWatch.h"

#include "dbuspropertiesproxy.h"

#include <QDBusConnection>

namespace
{
const QString kConnectionName = QStringLiteral("bolvin-metadata-watch");
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kMetadata = QStringLiteral("Metadata");
constexpr int kStopTimeoutMs = 3000;
}

MetadataWatch::MetadataWatch(const QString& service, const QElapsedTimer& clock)
    : m_service(service)
    , m_clock(clock)
{
}

MetadataWatch::~MetadataWatch()
{
    quit();
    wait(kStopTimeoutMs);
}

void MetadataWatch::listen()
{
    start();
    m_listening.acquire();
}

void MetadataWatch::reset()
{
    m_first = -1;
    m_last = -1;
}

void MetadataWatch::run()
{
    {
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, kConnectionName);
        DBusPropertiesProxy properties(m_service, kObjectPath, bus);
        // No context object: the handler runs on this thread, as the signal arrives.
        QObject::connect(&properties, &DBusPropertiesProxy::PropertiesChanged,
            [this](const QString&, const QVariantMap& changed, const QStringList&) {
                if (!changed.contains(kMetadata))
                    return;
                const qint64 now = m_clock.nsecsElapsed();
                qint64 none = -1;
                m_first.compare_exchange_strong(none, now);
                m_last = now;
            });
        m_listening.release();
        exec();
    }
    QDBusConnection::disconnectFromBus(kConnectionName);
}
