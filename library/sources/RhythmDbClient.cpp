#include "RhythmDbClient.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

const QString kService = QStringLiteral("org.gnome.Rhythmbox3");
const QString kPath = QStringLiteral("/org/gnome/Rhythmbox3/RhythmDB");
const QString kInterface = QStringLiteral("org.gnome.Rhythmbox3.RhythmDB");
const QString kRating = QStringLiteral("rating");
const QString kPlayCount = QStringLiteral("play-count");
const QString kLastPlayed = QStringLiteral("last-played");
constexpr double kMaximumStars = 5.0;
constexpr double kStarsTolerance = 1e-9;
constexpr int kReadBackAttempts = 10;
constexpr int kReadBackPauseMs = 20;

uint toUint(qint64 value)
{
    return uint(std::clamp<qint64>(value, 0, std::numeric_limits<uint>::max()));
}

QString failure(const QDBusMessage& reply, const QString& location)
{
    if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.FileNotFound"))
        return QStringLiteral("Rhythmbox has no track at \"%1\" in its library.").arg(location);
    return QStringLiteral("Rhythmbox did not answer (%1).").arg(reply.errorMessage());
}

} // namespace

RhythmDbClient::RhythmDbClient(const QDBusConnection& bus, int timeoutMs)
    : m_bus(bus)
    , m_timeoutMs(timeoutMs)
{
}

bool RhythmDbClient::isRunning() const
{
    return m_bus.isConnected() && m_bus.interface() && m_bus.interface()->isServiceRegistered(kService).value();
}

bool RhythmDbClient::write(const QString& location, const RhythmdbFile::Values& values, QString* error) const
{
    const double stars = std::isfinite(values.stars) ? std::clamp(values.stars, 0.0, kMaximumStars) : 0.0;
    const uint playCount = toUint(values.playCount);
    const uint lastPlayed = toUint(values.lastPlayed);
    QDBusMessage set
        = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("SetEntryProperties"));
    set << location
        << QVariantMap { { kRating, QVariant(stars) }, { kPlayCount, QVariant(playCount) },
               { kLastPlayed, QVariant(lastPlayed) } };
    const QDBusMessage setReply = m_bus.call(set, QDBus::Block, m_timeoutMs);
    if (setReply.type() != QDBusMessage::ReplyMessage) {
        *error = failure(setReply, location);
        return false;
    }
    // Rhythmbox answers success even for a value it did not take, and applies what it took a
    // moment later, from its main loop: read back until the values show, for a bounded time.
    QVariantMap stored;
    for (int attempt = 0; attempt < kReadBackAttempts; ++attempt) {
        if (attempt > 0)
            QThread::msleep(kReadBackPauseMs);
        QDBusMessage get
            = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetEntryProperties"));
        get << location;
        const QDBusMessage getReply = m_bus.call(get, QDBus::Block, m_timeoutMs);
        if (getReply.type() != QDBusMessage::ReplyMessage || getReply.arguments().isEmpty()) {
            *error = failure(getReply, location);
            return false;
        }
        stored = qdbus_cast<QVariantMap>(getReply.arguments().constFirst());
        if (std::abs(stored.value(kRating).toDouble() - stars) <= kStarsTolerance
            && stored.value(kPlayCount).toUInt() == playCount && stored.value(kLastPlayed).toUInt() == lastPlayed)
            return true;
    }
    *error = QStringLiteral("Rhythmbox did not keep the values sent for \"%1\" (sent %2 stars, %3 plays, "
                            "last played %4; it holds %5, %6, %7).")
                 .arg(location)
                 .arg(stars)
                 .arg(playCount)
                 .arg(lastPlayed)
                 .arg(stored.value(kRating).toDouble())
                 .arg(stored.value(kPlayCount).toUInt())
                 .arg(stored.value(kLastPlayed).toUInt());
    return false;
}
