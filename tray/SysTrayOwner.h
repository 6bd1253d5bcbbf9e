#pragma once

// What the tray component asks of its owner besides listening to its signals: the rating
// submenu rates the current track directly.
class SysTrayOwner
{
public:
    virtual ~SysTrayOwner() = default;
    // rating is 0, 20, 40, 60, 80 or 100 (none to five stars).
    virtual void updaterating(int rating) = 0;
};
