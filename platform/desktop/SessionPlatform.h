#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// Which Qt platform Bolvin runs on. On a Wayland session it prefers XWayland, where it can
// place its pop-ups at a screen edge and fade them; a platform the user set wins.
struct SessionPlatform {
    // The QT_QPA_PLATFORM to set; empty leaves Qt's own choice.
    QByteArray platform;
    // What running on Wayland itself costs the user, to tell once; empty when nothing.
    QString warning;

    // The choice for an environment (variable name to value).
    static SessionPlatform choose(const QHash<QString, QString>& environment);
    // Chooses for this process's environment, sets QT_QPA_PLATFORM and prints the warning
    // on stderr. Call before the QApplication exists.
    static void apply();
};
