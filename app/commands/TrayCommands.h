#pragma once

#include <QObject>
#include <QString>

#include <functional>

class Desktop;
class PlayerLink;
class TrackNotification;
class frmSysTray;

// What the tray icon and its menu do: each entry's command, and the icon's clicks.
class TrayCommands : public QObject
{
    Q_OBJECT
public:
    struct Window {
        std::function<void()> show;
        std::function<void()> quit;
    };
    TrayCommands(
        PlayerLink& link, TrackNotification& notification, Desktop& desktop, Window window, QObject* parent = nullptr);

    // Fills the tray component's menu with the entries these commands answer, and listens
    // to it; it lives as long as this or shorter.
    void attachTo(frmSysTray& tray);

    void m_frmSysTray_MenuClick(int lIndex, const QString& sKey);
    void m_frmSysTray_SysTrayMouseDown(int eButton);
    void m_frmSysTray_SysTrayDoubleClick(int eButton);

private:
    void playPauseToggle(const QString& shownCaption);
    void shuffleToggle();
    void playPlaylist(const QString& sKey);

    PlayerLink& m_link;
    TrackNotification& m_notification;
    Desktop& m_desktop;
    Window m_window;
    bool mbDoubleClickBusy = false;
};
