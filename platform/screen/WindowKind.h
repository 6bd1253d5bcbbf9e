#pragma once

class QWidget;

// How the window manager treats a top-level window. Call before the window is first shown:
// X11 reads a window's kind when it is mapped. Both kinds float, never tiled. Nothing
// for nullptr.

// A pop-up the program places itself: exactly where it is moved, above other windows,
// never focused, typed as a notification. On X11 the window manager is bypassed, because
// some (sway) re-centre every floating window they manage on each move.
void MakeNotificationWindow(QWidget* window);

// A borderless window the user places, typed as a utility window.
void MakeUtilityWindow(QWidget* window);
