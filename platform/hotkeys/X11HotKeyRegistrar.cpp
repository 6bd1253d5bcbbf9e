#include "X11HotKeyRegistrar.h"

#include "NullHotKeyRegistrar.h"
#include "PortalHotKeyRegistrar.h"
#include "X11KeySyms.h"

#include <QGuiApplication>
#include <QMetaObject>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <X11/keysym.h>

#include <cstdlib>
#include <memory>

namespace
{
constexpr quint8 kEventTypeMask = 0x7f; // the top bit marks events sent by other clients
constexpr quint16 kModifierBits = 0x00ff; // the rest of a key event's state is buttons
constexpr int kModifierCount = 8;

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbPtr = std::unique_ptr<T, FreeDeleter>;

struct KeySymbolsDeleter {
    void operator()(xcb_key_symbols_t* p) const { xcb_key_symbols_free(p); }
};
using KeySymbols = std::unique_ptr<xcb_key_symbols_t, KeySymbolsDeleter>;

QList<quint8> keycodesOf(xcb_key_symbols_t* symbols, xcb_keysym_t keysym)
{
    QList<quint8> codes;
    XcbPtr<xcb_keycode_t> found(xcb_key_symbols_get_keycode(symbols, keysym));
    for (const xcb_keycode_t* p = found.get(); p && *p != XCB_NO_SYMBOL; ++p) {
        if (!codes.contains(*p))
            codes.append(*p);
    }
    return codes;
}

// Which modifier bit the keyboard map gives each of Alt, the Windows key and Num Lock.
X11ModifierMasks readModifierMasks(xcb_connection_t* connection, xcb_key_symbols_t* symbols)
{
    X11ModifierMasks masks;
    XcbPtr<xcb_get_modifier_mapping_reply_t> reply(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
    if (!reply)
        return masks;
    const xcb_keycode_t* mapped = xcb_get_modifier_mapping_keycodes(reply.get());
    const int perModifier = reply->keycodes_per_modifier;
    auto maskOf = [&](xcb_keysym_t keysym) -> std::optional<quint16> {
        const QList<quint8> codes = keycodesOf(symbols, keysym);
        for (int modifier = 0; modifier < kModifierCount; ++modifier) {
            for (int k = 0; k < perModifier; ++k) {
                const xcb_keycode_t code = mapped[modifier * perModifier + k];
                if (code != XCB_NO_SYMBOL && codes.contains(code))
                    return quint16(1u << modifier);
            }
        }
        return std::nullopt;
    };
    // No Num Lock in the map means there is no lock state to cover.
    masks.numLock = maskOf(XK_Num_Lock).value_or(0);
    masks.alt = maskOf(XK_Alt_L).value_or(maskOf(XK_Meta_L).value_or(masks.alt));
    masks.win = maskOf(XK_Super_L).value_or(masks.win);
    return masks;
}

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}
}

std::unique_ptr<HotKeyRegistrar> HotKeyRegistrar::create()
{
    auto x11 = std::make_unique<X11HotKeyRegistrar>();
    // Under Wayland, X grabs see only the keys typed into XWayland windows.
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (x11->isAvailable() && !wayland)
        return x11;
    if (PortalHotKeyRegistrar::portalOn(QDBusConnection::sessionBus()))
        return std::make_unique<PortalHotKeyRegistrar>(QDBusConnection::sessionBus());
    if (x11->isAvailable())
        return x11;
    return std::make_unique<NullHotKeyRegistrar>();
}

X11HotKeyRegistrar::X11HotKeyRegistrar(QObject* parent)
    : HotKeyRegistrar(parent)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    m_connection = x11->connection();
    // The first screen's root: separate X screens on one display are rare today.
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    qGuiApp->installNativeEventFilter(this);
}

X11HotKeyRegistrar::~X11HotKeyRegistrar()
{
    if (!m_connection || !qGuiApp)
        return;
    for (const auto& [id, binding] : m_bindings)
        release(binding.grabs);
}

bool X11HotKeyRegistrar::isAvailable() const
{
    return m_connection != nullptr;
}

bool X11HotKeyRegistrar::registerHotKey(int id, int modifiers, int virtualKey, QString* error)
{
    unregisterHotKey(id);
    if (!m_connection)
        return fail(error, QStringLiteral("Global hotkeys need an X display."));
    const std::optional<quint32> keysym = keysymForVirtualKey(virtualKey);
    if (!keysym)
        return fail(error, QStringLiteral("Key code %1 has no X11 equivalent.").arg(virtualKey));

    KeySymbols symbols(xcb_key_symbols_alloc(m_connection));
    if (!symbols)
        return fail(error, QStringLiteral("The keyboard map could not be read."));
    const QList<quint8> keycodes = keycodesOf(symbols.get(), *keysym);
    if (keycodes.isEmpty())
        return fail(error, QStringLiteral("Key code %1 is not on this keyboard.").arg(virtualKey));
    const X11ModifierMasks masks = readModifierMasks(m_connection, symbols.get());
    const quint16 mask = x11ModifierMask(modifiers, masks);

    // The server lets one client grab a combination twice without complaint, so a second
    // id on the same keys has to be refused here.
    if (const std::optional<int> holder = holderOf(mask, keycodes))
        return fail(error, QStringLiteral("The key combination is already hotkey %1.").arg(*holder));

    QList<Grab> requested;
    QList<xcb_void_cookie_t> cookies;
    for (quint8 keycode : keycodes) {
        for (quint16 lock : lockVariants(masks.numLock)) {
            const Grab grab { keycode, quint16(mask | lock) };
            // Not owner_events: presses always come reported on the root window, even
            // when one of our own windows has the focus.
            cookies.append(xcb_grab_key_checked(
                m_connection, 0, m_root, grab.modifiers, grab.keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
            requested.append(grab);
        }
    }
    QList<Grab> taken;
    int refusal = 0;
    for (qsizetype i = 0; i < cookies.size(); ++i) {
        XcbPtr<xcb_generic_error_t> refused(xcb_request_check(m_connection, cookies[i]));
        if (refused)
            refusal = refused->error_code;
        else
            taken.append(requested[i]);
    }
    if (refusal != 0) {
        release(taken);
        if (refusal == XCB_ACCESS)
            return fail(error, QStringLiteral("Another program already uses this key combination."));
        return fail(error, QStringLiteral("The X server refused the key grab (error %1).").arg(refusal));
    }
    m_numLockMask = masks.numLock;
    m_bindings[id] = Binding { mask, keycodes, taken };
    return true;
}

void X11HotKeyRegistrar::unregisterHotKey(int id)
{
    const auto found = m_bindings.find(id);
    if (found == m_bindings.end())
        return;
    release(found->second.grabs);
    m_bindings.erase(found);
}

bool X11HotKeyRegistrar::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t" || !message)
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & kEventTypeMask) != XCB_KEY_PRESS)
        return false;
    const auto* press = reinterpret_cast<const xcb_key_press_event_t*>(event);
    if (press->event != m_root)
        return false;
    const quint16 state = press->state & kModifierBits & ~quint16(XCB_MOD_MASK_LOCK | m_numLockMask);
    for (const auto& [id, binding] : m_bindings) {
        if (binding.modifiers == state && binding.keycodes.contains(press->detail)) {
            // Delivered from the event loop, not from inside Qt's X event handling, so a
            // receiver may open a dialog or delete the registrar.
            QMetaObject::invokeMethod(
                this, [this, id = id] { deliver(id); }, Qt::QueuedConnection);
            break;
        }
    }
    return false;
}

std::optional<int> X11HotKeyRegistrar::holderOf(quint16 modifiers, const QList<quint8>& keycodes) const
{
    for (const auto& [id, binding] : m_bindings) {
        if (binding.modifiers != modifiers)
            continue;
        for (quint8 keycode : keycodes) {
            if (binding.keycodes.contains(keycode))
                return id;
        }
    }
    return std::nullopt;
}

void X11HotKeyRegistrar::release(const QList<Grab>& grabs)
{
    for (const Grab& grab : grabs)
        xcb_ungrab_key(m_connection, grab.keycode, m_root, grab.modifiers);
    // A round trip, so the keys are free for other clients when this returns.
    XcbPtr<xcb_get_input_focus_reply_t> sync(
        xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}

void X11HotKeyRegistrar::deliver(int id)
{
    // A hotkey unregistered while its press waited in the queue stays silent.
    if (m_bindings.count(id))
        emit hotKeyPressed(id);
}
