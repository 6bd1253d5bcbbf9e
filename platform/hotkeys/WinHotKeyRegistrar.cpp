#include "WinHotKeyRegistrar.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <windows.h>

#include <utility>

namespace
{
constexpr UINT kWmHotKey = 0x0312;
constexpr DWORD kErrorHotKeyAlreadyRegistered = 1409;
}

std::unique_ptr<HotKeyRegistrar> HotKeyRegistrar::create()
{
    return std::make_unique<WinHotKeyRegistrar>();
}

WinHotKeyRegistrar::WinHotKeyRegistrar(QObject* parent)
    : HotKeyRegistrar(parent)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

WinHotKeyRegistrar::~WinHotKeyRegistrar()
{
    for (int id : std::as_const(m_ids))
        UnregisterHotKey(nullptr, id);
}

bool WinHotKeyRegistrar::registerHotKey(int id, int modifiers, int virtualKey, QString* error)
{
    unregisterHotKey(id);
    if (!RegisterHotKey(nullptr, id, UINT(modifiers), UINT(virtualKey))) {
        const DWORD code = GetLastError();
        if (error) {
            *error = code == kErrorHotKeyAlreadyRegistered
                ? QStringLiteral("Another program already uses this key combination.")
                : QStringLiteral("RegisterHotKey failed (error %1).").arg(code);
        }
        return false;
    }
    m_ids.insert(id);
    return true;
}

void WinHotKeyRegistrar::unregisterHotKey(int id)
{
    if (m_ids.remove(id))
        UnregisterHotKey(nullptr, id);
}

bool WinHotKeyRegistrar::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "windows_generic_MSG" || !message)
        return false;
    const auto* msg = static_cast<const MSG*>(message);
    if (msg->message != kWmHotKey || msg->hwnd != nullptr)
        return false;
    const int id = int(msg->wParam);
    // Delivered from the event loop so a receiver may open a dialog or delete us.
    QMetaObject::invokeMethod(
        this,
        [this, id] {
            if (m_ids.contains(id))
                emit hotKeyPressed(id);
        },
        Qt::QueuedConnection);
    return false;
}
