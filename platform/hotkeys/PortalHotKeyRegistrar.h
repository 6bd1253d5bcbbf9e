#pragma once

#include "HotKeyRegistrar.h"
#include "PortalShortcuts.h"

#include <QDBusConnection>
#include <QMap>
#include <QTimer>

#include <functional>
#include <optional>

class PortalGlobalShortcutsProxy;
class PortalRequestProxy;
class QDBusPendingCall;

// Global hotkeys through the desktop portal (org.freedesktop.portal.GlobalShortcuts), for
// Wayland, where no program may grab keys: the desktop binds them, may ask the user first,
// and may assign other keys than the ones proposed. The registrations that come together
// (one event loop pass) go out as one set of shortcuts, in a session of their own: the
// previous session, and so its shortcuts, is closed first.
//
// Nothing here waits on the portal: every call is asynchronous, and what the portal answers
// arrives as signals.
class PortalHotKeyRegistrar : public HotKeyRegistrar
{
    Q_OBJECT
public:
    static constexpr int kCallTimeoutMs = 10000;

    // Talks to the portal on bus; nothing is sent before the first registration.
    explicit PortalHotKeyRegistrar(const QDBusConnection& bus, QObject* parent = nullptr);
    // Closes the session: the desktop lets the keys go.
    ~PortalHotKeyRegistrar() override;

    // Whether bus has a desktop portal, running or ready to start. Asks the bus only, which
    // answers at once, never the portal.
    static bool portalOn(const QDBusConnection& bus);

    // False once the portal turned out to offer no global shortcuts.
    bool isAvailable() const override;
    // Fails at once for a key the portal cannot name, a combination another id holds, or a
    // portal without global shortcuts; otherwise the proposal is on its way.
    bool registerHotKey(int id, int modifiers, int virtualKey, QString* error = nullptr) override;
    void unregisterHotKey(int id) override;
    void describeHotKey(int id, const QString& name, const QString& description) override;
    bool desktopAssignsKeys() const override { return true; }
    QString assignedTrigger(int id) const override;

private:
    // A portal call given its options; it answers through a request object's Response.
    using Call = std::function<QDBusPendingCall(const QVariantMap& options)>;
    using Answer = std::function<void(const QVariantMap& results)>;

    void sync();
    void probe();
    void connectPortal();
    void createSession();
    void bind();
    void list();
    void closeSession();
    void request(const Call& call, Answer answered);
    void watchRequest(const QString& path, const Answer& answered);
    void done();
    void fail(const QString& error);
    void assign(const PortalShortcuts& shortcuts);
    QString nameOf(int id) const;
    std::optional<int> idOf(const QString& name) const;
    QString nextToken();

    QDBusConnection m_bus;
    PortalGlobalShortcutsProxy* m_portal = nullptr; // once the portal said it has shortcuts
    PortalRequestProxy* m_request = nullptr; // the call in progress
    QTimer m_batch;
    QMap<int, QString> m_wanted; // id -> proposed trigger
    QMap<int, QString> m_bound; // what the current session holds
    QMap<int, QString> m_assigned; // id -> the desktop's description of its trigger
    QMap<int, std::pair<QString, QString>> m_names; // id -> name, description
    QString m_session;
    QString m_unavailable; // why the portal cannot bind shortcuts; empty while it may
    bool m_busy = false;
    bool m_dirty = false;
    int m_tokens = 0;
};
