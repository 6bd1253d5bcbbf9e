#pragma once

// The component's event for one notification code from the shell.
enum class TrayEvent {
    None,
    MouseDown,
    MouseUp,
    DoubleClick,
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
// MouseDown(1), so a left click acts once it is complete. Codes Qt's shell never sends (mouse
// moves, a right double click, balloon show/hide/time-out) decode to None like unknown ones.
TrayNotification decodeNotification(int code);
