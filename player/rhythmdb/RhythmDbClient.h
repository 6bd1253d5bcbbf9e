#pragma once

#include <QDBusConnection>
#include <QDBusError>
#include <QString>
#include <QVariantMap>

#include <optional>

// Rhythmbox's library database, which it offers on the session bus beside its MPRIS name:
// entries are keyed by their location URI and carry "rating" (0..5 stars, may be
// fractional), "play-count" and "last-played" (Unix seconds), a zero value left out.
// Rhythmbox answers success to a value of the wrong type or an unknown name and stores an
// out-of-range value as sent, so values go out only as starsValue() and countValue() make
// them: exactly typed (d, u) and clamped; and it applies a write a moment later from its
// main loop, so every write is read back until it shows, for a bounded time. The one client
// of it, for the player backend and the library transfer alike.
class RhythmDbClient
{
public:
    static const QString kService;
    static const QString kPath;
    static const QString kInterface;
    static const QString kRating;
    static const QString kPlayCount;
    static const QString kLastPlayed;
    static constexpr int kDefaultTimeoutMs = 500;

    // How a call ended; error is the bus's answer for NoEntry and NoAnswer, held what the
    // entry holds after a write it did not keep.
    struct Outcome {
        enum Kind { Done, NoEntry, NoAnswer, NotKept } kind = Done;
        QDBusError error;
        QVariantMap held;

        explicit operator bool() const { return kind == Done; }
    };

    explicit RhythmDbClient(
        const QDBusConnection& bus = QDBusConnection::sessionBus(), int timeoutMs = kDefaultTimeoutMs);

    // Whether Rhythmbox owns its name on the bus.
    bool isRunning() const;

    static QVariant starsValue(double stars);
    static QVariant countValue(qint64 count);
    // A number as Rhythmbox sends it (d or u); nullopt for anything else.
    static std::optional<double> number(const QVariant& value);

    // The entry's properties; nullopt with *outcome saying why.
    std::optional<QVariantMap> entry(const QString& location, Outcome* outcome) const;
    // Sets the properties (made by starsValue and countValue) and reads them back until each
    // shows.
    Outcome write(const QString& location, const QVariantMap& properties) const;

private:
    Outcome failed(const QDBusMessage& reply) const;

    QDBusConnection m_bus;
    int m_timeoutMs;
};
