#pragma once

// Whether a compositing manager draws the desktop, so that a window can be translucent
// and shaped by its own pixels. On X11 one owns the _NET_WM_CM_S<screen> selection of the
// program's screen; a Wayland desktop always composites. False without a window system
// to ask. Asked afresh each time: a compositing manager may start or stop at any moment.
bool IsCompositingManagerRunning();
