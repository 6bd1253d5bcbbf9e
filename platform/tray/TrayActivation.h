#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QSystemTrayIcon>

// The notification codes Qt's tray activation stands for, in the order to report them.
// Empty for activations the component has no code for (middle click, unknown).
QList<int> notificationCodesFor(QSystemTrayIcon::ActivationReason reason);

// A tray on D-Bus has no double click: its host sends Activate (Qt's Trigger) for each left
// click and SecondaryActivate (Qt's middle click) for the middle button. The second of two
// Activates within the double-click interval stands for the double click, as on XEmbed, and
// so does the secondary activation. lastActivate keeps the time of the previous one.
QSystemTrayIcon::ActivationReason fromTrayOnDBus(QSystemTrayIcon::ActivationReason reason, QElapsedTimer& lastActivate);
