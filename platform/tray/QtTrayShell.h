#pragma once

#include "TrayShell.h"

#include <QElapsedTimer>
#include <QMenu>
#include <QPointer>
#include <QSystemTrayIcon>

class Desktop;
class DesktopNotifications;

// The notification-area shell on Qt: the record drives one QSystemTrayIcon, the record's
// icon handle is resolved through Desktop, the menu is a QMenu run with exec() (or, on a
// tray on D-Bus, handed to the icon for the host to show).
//
// The shell owns its icon outright and deletes it on the delete command, when the event
// loop ends (aboutToQuit) or in its destructor: an icon still alive when the application
// object goes away crashes the exit.
class QtTrayShell : public TrayShell
{
public:
    explicit QtTrayShell(const Desktop& desktop, QObject* parent = nullptr);
    ~QtTrayShell() override;

    // NT 5.0 when Qt can show balloon messages here, NT 4.0 otherwise, so the component
    // falls back to a short tip and no balloons.
    quint32 versionWord() const override;
    bool notifyIcon(int command, const NotifyIconData& record) override;
    void setForegroundWindow() override;
    bool isAvailable() const override;
    QAction* popupMenu(QMenu* menu, QAction* defaultItem) override;
    // Handed to the icon only on a tray on D-Bus: on XEmbed the right click opens it.
    void offerMenu(QMenu* menu) override;

    // Puts the program's icon in the tray before anything else is built, so that it is up
    // while the rest of the start-up runs; the record's Add then takes it over.
    void showAtOnce(const QIcon& icon);

    // On a tray on D-Bus, balloons go through this server, where each replaces the last and
    // an empty one takes it away; Qt's own pile up there, and an empty one of Qt's never
    // expires. Not owned; main sets it whenever there is a session bus.
    void sendBalloonsThrough(DesktopNotifications* server) { m_balloons = server; }

    // The icon between add and delete; null otherwise. For tests.
    QSystemTrayIcon* trayIcon() const { return m_added ? m_icon : nullptr; }

private:
    void createIcon();
    void apply(const NotifyIconData& record);
    void showBalloon(const NotifyIconData& record);
    void reportActivation(QSystemTrayIcon::ActivationReason reason);

    const Desktop& m_desktop;
    QSystemTrayIcon* m_icon = nullptr;
    // The record's Add came (the icon may be up before it).
    bool m_added = false;
    QPointer<QMenu> m_menu;
    DesktopNotifications* m_balloons = nullptr;
    QElapsedTimer m_lastActivate;
};
