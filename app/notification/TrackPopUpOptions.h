#pragma once

#include <QPixmap>

// What the options say about a track's pop-ups, read when one is due.
struct TrackPopUpOptions {
    bool popTitle = true;
    bool popArt = true;
    bool stickyTitle = false;
    bool stickyArt = false;
    bool floatArt = false;
    bool stretchArt = false;
    // The corner the pop-ups rise from.
    bool top = false;
    bool left = false;
    int width = 0;
    int height = 0;
    QPixmap titleBackground;
    // The track goes to the desktop's notifications instead of the pop-ups.
    bool desktopNotifications = false;
};
