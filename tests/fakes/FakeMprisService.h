#pragma once

#include "../mpris/FakeBusObject.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QHash>
#include <QMutex>
#include <QVariantMap>

#include <atomic>

// One entry of a fake player's Playlists interface, marshalled here and not by the code
// under test so a marshalling mistake there cannot hide.
struct FakeMprisPlaylist {
    QDBusObjectPath id;
    QString name;
    QString icon;
};
Q_DECLARE_METATYPE(FakeMprisPlaylist)

inline QDBusArgument& operator<<(QDBusArgument& argument, const FakeMprisPlaylist& entry)
{
    argument.beginStructure();
    argument << entry.id << entry.name << entry.icon;
    argument.endStructure();
    return argument;
}

inline const QDBusArgument& operator>>(const QDBusArgument& argument, FakeMprisPlaylist& entry)
{
    argument.beginStructure();
    argument >> entry.id >> entry.name >> entry.icon;
    argument.endStructure();
    return argument;
}

// A scriptable MPRIS player on a test's private bus. Properties hold raw values and go out
// with exactly the D-Bus types the test put in (a malformed type too); a property never set
// is missing and answered with an error, as a player without it does.
class FakeMprisService : public FakeBusObject
{
public:
    static inline const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
    static inline const QString kRoot = QStringLiteral("org.mpris.MediaPlayer2");
    static inline const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");
    static inline const QString kPlaylists = QStringLiteral("org.mpris.MediaPlayer2.Playlists");
    static inline const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

    FakeMprisService(const QString& busAddress, const QString& suffix)
        : FakeBusObject(busAddress, kRoot + QLatin1Char('.') + suffix, kPath)
    {
        qDBusRegisterMetaType<FakeMprisPlaylist>();
        qDBusRegisterMetaType<QList<FakeMprisPlaylist>>();
    }
    ~FakeMprisService() override { stop(); }

    // A player that does a little of everything: playing, controllable, with a track.
    void fillTypical()
    {
        QMutexLocker lock(&m_mutex);
        m_properties[kRoot]
            = { { "Identity", QStringLiteral("Fake Player") }, { "CanQuit", true }, { "CanRaise", true } };
        m_properties[kPlayer] = { { "PlaybackStatus", QStringLiteral("Playing") }, { "CanControl", true },
            { "Volume", 0.5 }, { "Shuffle", false }, { "Metadata", track("/t/1", "First Song") } };
    }

    // Exactly what MPRIS requires of every player, nothing optional: no Shuffle, LoopStatus,
    // mpris:length, mpris:artUrl or xesam:album.
    void fillRequired()
    {
        QMutexLocker lock(&m_mutex);
        m_properties[kRoot] = { { "Identity", QStringLiteral("Bare Player") }, { "CanQuit", false },
            { "CanRaise", false }, { "HasTrackList", false }, { "SupportedUriSchemes", QStringList() },
            { "SupportedMimeTypes", QStringList() } };
        m_properties[kPlayer] = { { "PlaybackStatus", QStringLiteral("Playing") }, { "Rate", 1.0 },
            { "MinimumRate", 1.0 }, { "MaximumRate", 1.0 }, { "Volume", 1.0 }, { "Position", qlonglong(0) },
            { "CanGoNext", true }, { "CanGoPrevious", true }, { "CanPlay", true }, { "CanPause", true },
            { "CanSeek", true }, { "CanControl", true },
            { "Metadata",
                QVariantMap { { "mpris:trackid", QVariant::fromValue(QDBusObjectPath("/t/1")) },
                    { "xesam:title", QStringLiteral("Bare Song") },
                    { "xesam:artist", QStringList { "Bare Artist" } } } } };
    }

    static QVariantMap track(const QString& id, const QString& title)
    {
        return { { QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(id)) },
            { QStringLiteral("xesam:title"), title }, { QStringLiteral("xesam:artist"), QStringList { "Artist" } },
            { QStringLiteral("xesam:album"), QStringLiteral("Album") },
            { QStringLiteral("mpris:length"), qlonglong(185000000) } };
    }

    void set(const QString& interface, const QString& name, const QVariant& value)
    {
        QMutexLocker lock(&m_mutex);
        m_properties[interface][name] = value;
    }
    QVariant get(const QString& interface, const QString& name) const
    {
        QMutexLocker lock(&m_mutex);
        return m_properties.value(interface).value(name);
    }
    void remove(const QString& interface, const QString& name)
    {
        QMutexLocker lock(&m_mutex);
        m_properties[interface].remove(name);
    }
    // Sets the values and announces them in one PropertiesChanged signal, with the names of
    // properties changed without saying their new value.
    void change(const QString& interface, const QVariantMap& values, const QStringList& invalidated = {})
    {
        for (auto it = values.begin(); it != values.end(); ++it)
            set(interface, it.key(), it.value());
        QDBusMessage signal = QDBusMessage::createSignal(kPath, kProperties, QStringLiteral("PropertiesChanged"));
        signal << interface << values << invalidated;
        connection().send(signal);
    }
    void setPlaylists(const QList<FakeMprisPlaylist>& playlists)
    {
        QMutexLocker lock(&m_mutex);
        m_playlists = playlists;
        m_properties[kPlaylists][QStringLiteral("PlaylistCount")] = uint(playlists.size());
    }

    // Methods called and properties set, in order: "Next", "Set Volume 0.25", "ActivatePlaylist /p/2".
    QStringList calls() const
    {
        QMutexLocker lock(&m_mutex);
        return m_calls;
    }
    // Every message the player answered, property reads included.
    int received() const { return m_received; }
    // An introspection document to answer Introspect with; with none set, Introspect is
    // answered like any other method, with an empty reply.
    void setIntrospection(const QString& xml)
    {
        QMutexLocker lock(&m_mutex);
        m_introspection = xml;
    }
    // After a property Set of name, the next `reads` Gets of it still answer the old value,
    // as a player that applies a change a moment later does.
    void applySetsLate(const QString& name, int reads)
    {
        QMutexLocker lock(&m_mutex);
        m_lateName = name;
        m_lateReads = reads;
    }
    // The next property Set takes effect, but the player drops its bus name before answering.
    void vanishAfterNextSet() { m_vanishAfterSet = true; }
    // The next method call (not a property read) makes the player drop its bus name instead
    // of answering, as a player quitting mid-call does.
    void vanishOnNextCall() { m_vanishOnCall = true; }

private:
    void handle(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        ++m_received;
        const QList<QVariant> args = message.arguments();
        QMutexLocker lock(&m_mutex);
        if (message.member() == QLatin1String("Introspect") && !m_introspection.isEmpty()) {
            connection.send(message.createReply(m_introspection));
        } else if (message.interface() == kProperties) {
            connection.send(answerProperties(message, args));
        } else if (m_vanishOnCall.exchange(false)) {
            releaseName();
        } else {
            QString call = message.member();
            if (!args.isEmpty() && args.first().canConvert<QDBusObjectPath>())
                call += QLatin1Char(' ') + args.first().value<QDBusObjectPath>().path();
            m_calls.append(call);
            connection.send(message.member() == QLatin1String("GetPlaylists")
                    ? message.createReply(QVariant::fromValue(m_playlists))
                    : message.createReply());
        }
    }

    QDBusMessage answerProperties(const QDBusMessage& message, const QList<QVariant>& args)
    {
        const QString interface = args.value(0).toString();
        const QString name = args.value(1).toString();
        const QVariantMap properties = m_properties.value(interface);
        if (message.member() == QLatin1String("GetAll"))
            return message.createReply(QVariant::fromValue(properties));
        if (!properties.contains(name))
            return message.createErrorReply(
                QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"), QStringLiteral("No such property"));
        if (message.member() == QLatin1String("Get")) {
            const bool late = name == m_lateName && m_lateAnswers > 0;
            m_lateAnswers -= late ? 1 : 0;
            return message.createReply(QVariant::fromValue(QDBusVariant(late ? m_lateValue : properties.value(name))));
        }
        const QVariant value = args.value(2).value<QDBusVariant>().variant();
        if (name == m_lateName) {
            m_lateValue = properties.value(name);
            m_lateAnswers = m_lateReads;
        }
        m_properties[interface][name] = value;
        m_calls.append(QStringLiteral("Set %1 %2").arg(name, value.toString()));
        // Gone before the caller hears back, so its next call cannot still reach us.
        if (m_vanishAfterSet.exchange(false))
            releaseName();
        return message.createReply();
    }

    mutable QMutex m_mutex;
    QHash<QString, QVariantMap> m_properties;
    QList<FakeMprisPlaylist> m_playlists;
    QStringList m_calls;
    std::atomic<int> m_received { 0 };
    std::atomic<bool> m_vanishOnCall { false };
    std::atomic<bool> m_vanishAfterSet { false };
    QString m_introspection;
    QString m_lateName;
    int m_lateReads = 0;
    int m_lateAnswers = 0;
    QVariant m_lateValue;
};
