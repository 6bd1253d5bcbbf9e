#pragma once

#include "tray/hotkeys/HotKeyActions.h"

#include <memory>

class Desktop;
class HotKeyDispatcher;
class HotKeyRegistrar;
class HotKeyRegistration;
class HotKeysPage;
class PlayerLink;
class TrackNotification;
struct HotKeySettings;

// The eight global hotkeys: registered as the options say, and what each one does.
class GlobalHotKeys : public HotKeyActions
{
public:
    // Names the eight actions to the registrar, and tells the user through a balloon when
    // the desktop refuses keys after the fact.
    GlobalHotKeys(HotKeyRegistrar& registrar, Desktop& desktop, PlayerLink& link, TrackNotification& notification);
    ~GlobalHotKeys() override;

    // The actions' names and descriptions, for desktops that list them to the user.
    static void describeHotKeys(HotKeyRegistrar& registrar);
    // Keeps page showing the keys the desktop assigned, when it assigns them itself.
    void showAssignmentsOn(HotKeysPage& page);

    void LoadHotKeys(const HotKeySettings& settings);
    // Lets the keys go, when they were taken.
    void UnloadHotKeys(bool enabled);
    void HotKey(int wParm);

    PlayerApplication* hotKeyPlayer() override;
    bool trackPopupsShowing() const override;
    void closeTrackPopups() override;
    void ShowTrackPopup() override;
    std::optional<int> RefreshRatingMarks() override;
    void updaterating(int rating) override;
    TrayMenuArray* mnuSysTray() override;

private:
    HotKeyRegistrar& m_registrar;
    Desktop& m_desktop;
    PlayerLink& m_link;
    TrackNotification& m_notification;
    std::unique_ptr<HotKeyRegistration> m_hotKeyRegistration;
    std::unique_ptr<HotKeyDispatcher> m_hotKeyDispatcher;
};
