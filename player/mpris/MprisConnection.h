#pragma once

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

class DBusPropertiesProxy;
class MprisPlayerProxy;
class MprisPlaylistsProxy;
class MprisRootProxy;

// The link to one player's bus name, shared by the player object and the tracks, playlists
// and windows it hands out. Reads come from a copy of the player's properties and commands
// go out without waiting, so a hung player never holds up the caller; only the rating path
// (property(), setProperty(), finish()) still waits, at most the timeout. Once the name has
// vanished every call throws PlayerError at once instead of waiting on a player that is gone.
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

    // Waiting reads, for the rating path. Throws PlayerError when the player does not
    // answer in time, has gone, or lacks it.
    QVariant property(const QString& interface, const QString& name) const;
    // nullopt when the property cannot be had for any reason; for optional properties.
    std::optional<QVariant> optionalProperty(const QString& interface, const QString& name) const;
    // nullopt when the player says it has no such property; throws PlayerError as property()
    // does on any other failure, so a slow answer is never taken for an absent value.
    std::optional<QVariant> offeredProperty(const QString& interface, const QString& name) const;
    // Writes and waits for the answer (the rating path, which reads the write back).
    void setProperty(const QString& interface, const QString& name, const QVariant& value) const;

    // Asks for all of interface without waiting; the onKept() handler runs when it is in.
    void keep(const QString& interface);
    // Takes what someone else already heard from the player as the copy of interface.
    void seed(const QString& interface, const QVariantMap& values);
    void remember(const QString& interface, const QVariantMap& values) const;
    // Whether the player has answered for interface (a player without it answers too).
    bool answered(const QString& interface) const { return m_answers.value(interface) == Answer::Kept; }
    // The copy of interface; empty until answered.
    QVariantMap kept(const QString& interface) const { return m_kept.value(interface); }
    // Runs with the interface's name each time a keep() answer arrives.
    void onKept(std::function<void(const QString&)> arrived) { m_onKept = std::move(arrived); }
    // The kept value of a property, never asking the player; nullopt when it has no such
    // property or has not answered yet (asked again then, if it failed to before). Throws
    // PlayerError once the player has gone.
    std::optional<QVariant> known(const QString& interface, const QString& name) const;
    // Whether a boolean permission holds: what the player said, or true while it has not
    // answered, so the command is sent and its own failure reported.
    bool allows(const QString& interface, const QString& name) const;
    // Asks the player for the current value now, waiting at most the timeout, and keeps it;
    // for the rating path, which must see what a write did.
    std::optional<QVariant> reread(const QString& interface, const QString& name) const;
    // Writes without waiting: the copy holds the value at once and is corrected by the
    // player's answer to a read that follows the write.
    void writeProperty(const QString& interface, const QString& name, const QVariant& value) const;
    // Waits for a call made through one of the proxies (the playlist list, the rating path);
    // throws PlayerError saying what failed (action is the user's words for it, "list its
    // playlists").
    void finish(QDBusPendingCall call, const QString& action) const;
    // Sends a proxy call (call() returns its pending reply) unless the player has gone,
    // without waiting; a failure goes to the failure handler.
    template <typename Call> void send(Call&& call, const QString& action) const
    {
        ensureAlive();
        watch(call(), action);
    }
    // Runs with the user's words for each command that failed after it was sent.
    void onFailure(std::function<void(const QString&)> failed) { m_onFailure = std::move(failed); }
    // Throws PlayerError once the player has gone.
    void ensureAlive() const;
    // For calls that wait: throws PlayerError at once, as ensureAlive() does, while the player
    // has let a call time out and said nothing since, so a hung player costs one timeout and
    // not one per call. Meanwhile it is asked, without waiting, whether it is back.
    void ensureAnswering() const;

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
    enum class Answer { None, Asking, Kept, Unanswered };

    void watch(QDBusPendingCall call, const QString& action) const;
    void ask(const QString& interface) const;
    void fail(const QDBusError& error, const QString& action) const;
    // Notes whether a call got an answer, to know a hung player from one that is back.
    void heard(const QDBusError& error) const;

    QDBusConnection m_bus;
    QString m_service;
    int m_timeoutMs;
    QString m_displayName;
    bool m_vanished = false;
    mutable bool m_silent = false;
    mutable QHash<QString, QVariantMap> m_kept;
    mutable QHash<QString, Answer> m_answers;
    std::function<void(const QString&)> m_onKept;
    std::function<void(const QString&)> m_onFailure;
    // Owns the watchers of calls in flight, so none answers into a link that is gone.
    mutable QObject m_calls;
    std::unique_ptr<MprisRootProxy> m_root;
    std::unique_ptr<MprisPlayerProxy> m_player;
    std::unique_ptr<MprisPlaylistsProxy> m_playlists;
    std::unique_ptr<DBusPropertiesProxy> m_properties;
};
