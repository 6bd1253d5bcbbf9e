#pragma once

// The component's event for one notification code from the shell.
enum class TrayEvent {
    None,
    MouseMove,
    MouseDown,
    MouseUp,
    DoubleClick,
    BalloonShow,
    BalloonHide,
    BalloonTimeOut,
    BalloonClicked,
};

// Button codes the mouse events carry.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;

struct TrayNotification {
    TrayEvent event = TrayEvent::None;
    int button = 0; // kLeftButton or kRightButton for the mouse-button events, else 0
};

// Decodes a TrayCode value. A left press raises nothing and the left release raises
// MouseDown(1), so a left click acts once it is complete; unknown codes decode to None.
TrayNotification decodeNotification(int code);
