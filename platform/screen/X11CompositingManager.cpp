#include "CompositingManager.h"

#include <QByteArray>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace
{
// The screen of a display name such as ":0.1"; the first when it names none.
QByteArray screenNumber(const QByteArray& display)
{
    const int colon = display.lastIndexOf(':');
    const int dot = display.indexOf('.', colon + 1);
    return colon < 0 || dot < 0 ? QByteArrayLiteral("0") : display.mid(dot + 1);
}
}

bool IsCompositingManagerRunning()
{
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return true;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    const QByteArray name = "_NET_WM_CM_S" + screenNumber(qgetenv("DISPLAY"));
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, name.size(), name.constData()), nullptr),
        &std::free);
    if (!atom)
        return false;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr),
        &std::free);
    return owner && owner->owner != XCB_NONE;
}
