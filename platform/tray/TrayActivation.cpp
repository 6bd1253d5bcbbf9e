#include "TrayActivation.h"

#include "TrayShell.h"

#include <QGuiApplication>
#include <QStyleHints>

QList<int> notificationCodesFor(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        // Qt/xcb reports Trigger on the press and never reports the release. The shell's
        // left click acts on the release (the press alone does nothing), so a Trigger stands
        // for the whole click: report the release, which is what the owner acts on.
        return { TrayCode::LeftButtonUp };
    case QSystemTrayIcon::DoubleClick:
        return { TrayCode::LeftDoubleClick };
    case QSystemTrayIcon::Context:
        // Qt has one event for the right click; the shell reports press (which opens the
        // menu) and release (after the menu has closed).
        return { TrayCode::RightButtonDown, TrayCode::RightButtonUp };
    case QSystemTrayIcon::MiddleClick:
    case QSystemTrayIcon::Unknown:
        break;
    }
    return {};
}

QSystemTrayIcon::ActivationReason fromTrayOnDBus(QSystemTrayIcon::ActivationReason reason, QElapsedTimer& lastActivate)
{
    if (reason == QSystemTrayIcon::MiddleClick)
        return QSystemTrayIcon::DoubleClick;
    if (reason != QSystemTrayIcon::Trigger)
        return reason;
    if (lastActivate.isValid() && lastActivate.elapsed() < QGuiApplication::styleHints()->mouseDoubleClickInterval()) {
        lastActivate.invalidate();
        return QSystemTrayIcon::DoubleClick;
    }
    lastActivate.start();
    return reason;
}
