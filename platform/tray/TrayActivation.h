#pragma once

#include <QList>
#include <QSystemTrayIcon>

// The notification codes Qt's tray activation stands for, in the order to report them.
// Empty for activations the component has no code for (middle click, unknown).
QList<int> notificationCodesFor(QSystemTrayIcon::ActivationReason reason);
