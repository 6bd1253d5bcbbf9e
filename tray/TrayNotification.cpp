#include "TrayNotification.h"

#include "platform/tray/TrayShell.h"

TrayNotification decodeNotification(int code)
{
    switch (code) {
    case TrayCode::LeftButtonUp:
        return { TrayEvent::MouseDown, kLeftButton };
    case TrayCode::LeftDoubleClick:
        return { TrayEvent::DoubleClick, kLeftButton };
    case TrayCode::RightButtonDown:
        return { TrayEvent::MouseDown, kRightButton };
    case TrayCode::RightButtonUp:
        return { TrayEvent::MouseUp, kRightButton };
    case TrayCode::BalloonClicked:
        return { TrayEvent::BalloonClicked, 0 };
    default:
        return {};
    }
}
