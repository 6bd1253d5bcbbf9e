#pragma once

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QSet>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <memory>
#include <optional>

class DBusPropertiesProxy;
class MprisPlayerProxy;
class MprisPlaylistsProxy;
class MprisRootProxy;

// The link to one player's bus name, shared by the player object and the tracks, playlists
// and windows it hands out. Every call waits at most the timeout; once the name has vanished
// every call throws PlayerError at once instead of waiting on a player that is gone.
class MprisConnection
{
public:
    static constexpr int kDefaultTimeoutMs = 400;

    static const QString kObjectPath;
    static const QString kRootInterface;
    static const QString kPlayerInterface;
    static const QString kPlaylistsInterface;

    // service is the full bus name ("org.mpris.MediaPlayer2.mpv").
    MprisConnection(const QDBusConnection& bus, const QString& service, int timeoutMs);
    ~MprisConnection();

    QDBusConnection bus() const { return m_bus; }
    QString service() const { return m_service; }
    int timeoutMs() const { return m_timeoutMs; }
    // The player's name for messages: its Identity once known, else its bus name's suffix.
    QString displayName() const { return m_displayName; }
    void setDisplayName(const QString& name) { m_displayName = name; }

    // Throws PlayerError when the player does not answer in time, has gone, or lacks it.
    QVariant property(const QString& interface, const QString& name) const;
    // nullopt when the property cannot be had for any reason; for optional properties.
    std::optional<QVariant> optionalProperty(const QString& interface, const QString& name) const;
    // nullopt when the player says it has no such property; throws PlayerError as property()
    // does on any other failure, so a slow answer is never taken for an absent value.
    std::optional<QVariant> offeredProperty(const QString& interface, const QString& name) const;
    void setProperty(const QString& interface, const QString& name, const QVariant& value) const;
    // Keeps a copy of what the player says of interface: all of it now (one call, waiting at
    // most the timeout), then what it announces, handed to remember(). False when the player
    // did not answer; reads of that interface then stay live.
    bool keep(const QString& interface);
    void remember(const QString& interface, const QVariantMap& values);
    // The copy of a property is no longer to be trusted (Bolvin just changed it): the next
    // known() of it asks the player once.
    void forget(const QString& interface, const QString& name) const;
    // The kept value of a property, without asking the player unless the copy was forgotten
    // or the interface is not kept; nullopt when the player has no such property or does not
    // answer. Throws PlayerError once the player has gone.
    std::optional<QVariant> known(const QString& interface, const QString& name) const;
    // Waits for a call made through one of the proxies; throws PlayerError saying what
    // failed (action is the user's words for it, "go to the next track").
    void finish(QDBusPendingCall call, const QString& action) const;
    // Sends a proxy call (call() returns its pending reply) unless the player has gone, and
    // waits for it as finish() does.
    template <typename Call> void invoke(Call&& call, const QString& action) const
    {
        ensureAlive();
        finish(call(), action);
    }
    // Throws PlayerError once the player has gone.
    void ensureAlive() const;

    MprisRootProxy& root() const { return *m_root; }
    MprisPlayerProxy& player() const { return *m_player; }
    MprisPlaylistsProxy& playlists() const { return *m_playlists; }
    DBusPropertiesProxy& properties() const { return *m_properties; }

    void markVanished() { m_vanished = true; }
    bool vanished() const { return m_vanished; }

    // The user's words for a failed call: "<player> did not answer in time when asked to
    // <action>.", "<player> has quit.", or the player's own message.
    QString reason(const QDBusError& error, const QString& action) const;

private:
    QDBusConnection m_bus;
    QString m_service;
    int m_timeoutMs;
    QString m_displayName;
    bool m_vanished = false;
    QString m_keptInterface;
    mutable QVariantMap m_kept;
    mutable QSet<QString> m_forgotten;
    std::unique_ptr<MprisRootProxy> m_root;
    std::unique_ptr<MprisPlayerProxy> m_player;
    std::unique_ptr<MprisPlaylistsProxy> m_playlists;
    std::unique_ptr<DBusPropertiesProxy> m_properties;
};
