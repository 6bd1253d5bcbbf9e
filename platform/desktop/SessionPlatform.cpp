#include "SessionPlatform.h"

#include <QProcessEnvironment>

#include <cstdio>

SessionPlatform SessionPlatform::choose(const QHash<QString, QString>& environment)
{
    const QString chosen = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
    const bool waylandSession = !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty()
        || environment.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland");
    const bool xwayland = !environment.value(QStringLiteral("DISPLAY")).isEmpty();

    SessionPlatform result;
    bool onWayland = chosen.startsWith(QLatin1String("wayland"));
    if (chosen.isEmpty() && waylandSession) {
        if (xwayland)
            result.platform = QByteArrayLiteral("xcb");
        else
            onWayland = true;
    }
    if (onWayland)
        result.warning = QStringLiteral("running on Wayland without XWayland: pop-ups cannot be placed at a screen "
                                        "edge, fading is off, and global hotkeys need the desktop portal.");
    return result;
}

void SessionPlatform::apply()
{
    const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    QHash<QString, QString> environment;
    for (const QString& name : { QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("WAYLAND_DISPLAY"),
             QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("DISPLAY") })
        environment.insert(name, system.value(name));
    const SessionPlatform choice = choose(environment);
    if (!choice.platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", choice.platform);
    if (!choice.warning.isEmpty())
        std::fprintf(stderr, "bolvin: %s\n", qPrintable(choice.warning));
}
