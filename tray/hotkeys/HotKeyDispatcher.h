#pragma once

class HotKeyActions;
class PlayerApplication;

// Performs the action of a pressed hotkey on the main window's behalf.
class HotKeyDispatcher
{
public:
    // actions must outlive the dispatcher.
    explicit HotKeyDispatcher(HotKeyActions& actions);

    // Performs the action of hotkey id wParm (HotKeyId). While the player is not playing,
    // or its state cannot be read, only PlayPause acts. Every step's error is ignored and
    // the next step runs; never throws. An unknown id does nothing.
    void HotKey(int wParm);

    // The rating for a star count after a step: below 1 is 0, 5 or more is 100.
    static int RatingForStars(int stars);

private:
    void PlayPause(PlayerApplication* player);
    void Rate(int step);

    HotKeyActions& m_actions;
};
