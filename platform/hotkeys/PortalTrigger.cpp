#include "PortalTrigger.h"

#include "HotKeyRegistrar.h"
#include "X11KeySyms.h"

#include <QStringList>

#include <X11/keysym.h>

#include <array>
#include <utility>

namespace
{
// xkbcommon names its keys as X does; letters and digits are named by their character.
const std::array<std::pair<quint32, const char*>, 8> kKeyNames { {
    { XK_Prior, "Prior" },
    { XK_Next, "Next" },
    { XK_Left, "Left" },
    { XK_Up, "Up" },
    { XK_Right, "Right" },
    { XK_Down, "Down" },
    { XK_KP_Add, "KP_Add" },
    { XK_KP_Subtract, "KP_Subtract" },
} };

std::optional<QString> keyName(quint32 keysym)
{
    if ((keysym >= XK_a && keysym <= XK_z) || (keysym >= XK_0 && keysym <= XK_9))
        return QString(QChar(char16_t(keysym)));
    if (keysym >= XK_F1 && keysym <= XK_F35)
        return QStringLiteral("F%1").arg(keysym - XK_F1 + 1);
    for (const auto& [sym, name] : kKeyNames) {
        if (sym == keysym)
            return QString::fromLatin1(name);
    }
    return std::nullopt;
}
}

std::optional<QString> portalTrigger(int modifiers, int virtualKey)
{
    const std::optional<quint32> keysym = keysymForVirtualKey(virtualKey);
    const std::optional<QString> key = keysym ? keyName(*keysym) : std::nullopt;
    if (!key)
        return std::nullopt;
    QStringList parts;
    if (modifiers & HotKeyModifier::Control)
        parts.append(QStringLiteral("CTRL"));
    if (modifiers & HotKeyModifier::Alt)
        parts.append(QStringLiteral("ALT"));
    if (modifiers & HotKeyModifier::Shift)
        parts.append(QStringLiteral("SHIFT"));
    if (modifiers & HotKeyModifier::Win)
        parts.append(QStringLiteral("LOGO"));
    parts.append(*key);
    return parts.join(u'+');
}
