#pragma once

#include <optional>

class PlayerApplication;
class TrayMenuArray;

// What the hotkeys act on, provided by the main window. Any of these may throw; the
// dispatcher ignores the error and goes on with its next step.
class HotKeyActions
{
public:
    virtual ~HotKeyActions() = default;

    // The connected player; null while there is none.
    virtual PlayerApplication* hotKeyPlayer() = 0;
    // True when the pop-up collection holds at least one pop-up.
    virtual bool trackPopupsShowing() const = 0;
    // Closes both pop-ups of the latest track notification.
    virtual void closeTrackPopups() = 0;
    // Shows the current track's notification.
    virtual void ShowTrackPopup() = 0;
    // Re-checks the rating submenu and returns the current track's stars (0 to 5); no
    // value when there is no track or its rating is not a whole number of stars.
    virtual std::optional<int> RefreshRatingMarks() = 0;
    // Sets the current track's rating (0, 20 … 100) and refreshes the marks.
    virtual void updaterating(int rating) = 0;
    // The tray menu's main items; null when there is no tray component.
    virtual TrayMenuArray* mnuSysTray() = 0;
};
