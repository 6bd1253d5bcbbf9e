#include "WindowKind.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace
{
// Read by Qt's X11 plugin whenever the window's flags are applied; the value is its
// notification type.
constexpr auto kX11WindowTypeProperty = "_q_xcb_wm_window_type";
constexpr int kX11NotificationType = 0x000800;

// Qt applies a widget's type attribute only to a native window that exists already, and
// keeps it through later flag changes only through the property. A shown widget has its
// native window, still unmapped, so the type is set there, and only for a top-level:
// a pop-up hosted in another window stays an ordinary child.
class NotificationType : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && widget->isWindow() && widget->windowHandle()) {
            widget->windowHandle()->setProperty(kX11WindowTypeProperty, kX11NotificationType);
            widget->setAttribute(Qt::WA_X11NetWmWindowTypeNotification);
        }
        return false;
    }
};
}

void MakeNotificationWindow(QWidget* window)
{
    if (!window)
        return;
    Qt::WindowFlags flags
        = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus;
    // Elsewhere the hint means other things (a Wayland compositor places windows itself).
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        flags |= Qt::X11BypassWindowManagerHint;
        window->installEventFilter(new NotificationType(window));
    }
    window->setWindowFlags(flags);
    window->setAttribute(Qt::WA_ShowWithoutActivating);
}

void MakeUtilityWindow(QWidget* window)
{
    // On X11 a tool window is a utility window, and stays one whatever flags come later.
    if (window)
        window->setWindowFlags((window->windowFlags() & ~Qt::WindowType_Mask) | Qt::Tool);
}
