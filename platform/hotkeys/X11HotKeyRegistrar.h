#pragma once

#include "HotKeyRegistrar.h"

#include <QAbstractNativeEventFilter>
#include <QList>

#include <map>
#include <optional>

struct xcb_connection_t;

// Global hotkeys on X11: every combination is a passive grab of the key on the root
// window, taken once per lock state so Caps Lock and Num Lock do not get in the way.
// Presses arrive through Qt's native event filter on the application's own X connection.
//
// Key codes are looked up when a hotkey is registered; a keyboard layout changed later
// takes effect at the next registration. Must be destroyed before the application object,
// whose X connection it uses.
class X11HotKeyRegistrar : public HotKeyRegistrar, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    // Uses the application's X connection; without one (Qt not running on X) the
    // registrar is unavailable.
    explicit X11HotKeyRegistrar(QObject* parent = nullptr);
    // Releases every grab.
    ~X11HotKeyRegistrar() override;

    bool isAvailable() const override;
    // A grab the X server refuses for any lock state (another client holds it) fails the
    // whole registration; the lock states already grabbed are released.
    bool registerHotKey(int id, int modifiers, int virtualKey, QString* error = nullptr) override;
    // The key is free for other clients when this returns.
    void unregisterHotKey(int id) override;

    // Sees every X event first; passes all of them on.
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct Grab {
        quint8 keycode;
        quint16 modifiers;
    };
    struct Binding {
        quint16 modifiers;
        QList<quint8> keycodes;
        QList<Grab> grabs;
    };

    std::optional<int> holderOf(quint16 modifiers, const QList<quint8>& keycodes) const;
    void release(const QList<Grab>& grabs);
    void deliver(int id);

    xcb_connection_t* m_connection = nullptr;
    quint32 m_root = 0;
    quint16 m_numLockMask = 0;
    std::map<int, Binding> m_bindings;
};
