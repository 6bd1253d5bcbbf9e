#include "TrayNotification.h"

#include "platform/tray/TrayShell.h"

TrayNotification decodeNotification(int code)
{
    switch (code) {
    case TrayCode::MouseMove:
        return { TrayEvent::MouseMove, 0 };
    case TrayCode::LeftButtonUp:
        return { TrayEvent::MouseDown, kLeftButton };
    case TrayCode::LeftDoubleClick:
        return { TrayEvent::DoubleClick, kLeftButton };
    case TrayCode::RightButtonDown:
        return { TrayEvent::MouseDown, kRightButton };
    case TrayCode::RightButtonUp:
        return { TrayEvent::MouseUp, kRightButton };
    case TrayCode::RightDoubleClick:
        return { TrayEvent::DoubleClick, kRightButton };
    case TrayCode::BalloonShow:
        return { TrayEvent::BalloonShow, 0 };
    case TrayCode::BalloonHide:
        return { TrayEvent::BalloonHide, 0 };
    case TrayCode::BalloonTimeOut:
        return { TrayEvent::BalloonTimeOut, 0 };
    case TrayCode::BalloonClicked:
        return { TrayEvent::BalloonClicked, 0 };
    default:
        return {};
    }
}
