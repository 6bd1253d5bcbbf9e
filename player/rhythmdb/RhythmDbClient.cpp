#include "RhythmDbClient.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
constexpr double kMaximumStars = 5.0;
constexpr double kSameStars = 1e-6;
constexpr int kReadBackAttempts = 10;
constexpr int kReadBackPauseMs = 20;
} // namespace

const QString RhythmDbClient::kService = QStringLiteral("org.gnome.Rhythmbox3");
const QString RhythmDbClient::kPath = QStringLiteral("/org/gnome/Rhythmbox3/RhythmDB");
const QString RhythmDbClient::kInterface = QStringLiteral("org.gnome.Rhythmbox3.RhythmDB");
const QString RhythmDbClient::kRating = QStringLiteral("rating");
const QString RhythmDbClient::kPlayCount = QStringLiteral("play-count");
const QString RhythmDbClient::kLastPlayed = QStringLiteral("last-played");

RhythmDbClient::RhythmDbClient(const QDBusConnection& bus, int timeoutMs)
    : m_bus(bus)
    , m_timeoutMs(timeoutMs)
{
}

bool RhythmDbClient::isRunning() const
{
    return m_bus.isConnected() && m_bus.interface() && m_bus.interface()->isServiceRegistered(kService).value();
}

QVariant RhythmDbClient::starsValue(double stars)
{
    return QVariant(std::isfinite(stars) ? std::clamp(stars, 0.0, kMaximumStars) : 0.0);
}

QVariant RhythmDbClient::countValue(qint64 count)
{
    return QVariant(uint(std::clamp<qint64>(count, 0, std::numeric_limits<uint>::max())));
}

std::optional<double> RhythmDbClient::number(const QVariant& value)
{
    const QMetaType type = value.metaType();
    if (type != QMetaType::fromType<double>() && type != QMetaType::fromType<uint>()
        && type != QMetaType::fromType<int>() && type != QMetaType::fromType<qulonglong>()
        && type != QMetaType::fromType<qlonglong>())
        return std::nullopt;
    const double result = value.toDouble();
    return std::isfinite(result) ? std::optional(result) : std::nullopt;
}

RhythmDbClient::Outcome RhythmDbClient::failed(const QDBusMessage& reply) const
{
    Outcome outcome;
    outcome.error = QDBusError(reply);
    outcome.kind = reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.FileNotFound") ? Outcome::NoEntry
                                                                                                 : Outcome::NoAnswer;
    return outcome;
}

std::optional<QVariantMap> RhythmDbClient::entry(const QString& location, Outcome* outcome) const
{
    QDBusMessage get
        = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetEntryProperties"));
    get << location;
    // Asking must not start a Rhythmbox the user quit: the bus would, for this name.
    get.setAutoStartService(false);
    const QDBusMessage reply = m_bus.call(get, QDBus::Block, m_timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        *outcome = failed(reply);
        return std::nullopt;
    }
    return qdbus_cast<QVariantMap>(reply.arguments().constFirst());
}

RhythmDbClient::Outcome RhythmDbClient::write(const QString& location, const QVariantMap& properties) const
{
    QDBusMessage set
        = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("SetEntryProperties"));
    set << location << properties;
    set.setAutoStartService(false);
    const QDBusMessage reply = m_bus.call(set, QDBus::Block, m_timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return failed(reply);
    const auto keeps = [&properties](const QVariantMap& held) {
        for (auto sent = properties.cbegin(); sent != properties.cend(); ++sent) {
            // A zero value is left out of an entry.
            const std::optional<double> value = number(held.value(sent.key(), QVariant(0U)));
            if (!value || std::abs(*value - sent.value().toDouble()) > kSameStars)
                return false;
        }
        return true;
    };
    Outcome outcome;
    for (int attempt = 0; attempt < kReadBackAttempts; ++attempt) {
        if (attempt > 0)
            QThread::msleep(kReadBackPauseMs);
        const std::optional<QVariantMap> held = entry(location, &outcome);
        if (!held)
            return outcome;
        if (keeps(*held))
            return {};
        outcome.held = *held;
    }
    outcome.kind = Outcome::NotKept;
    return outcome;
}
