#include "SwayWindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#include <unistd.h>

namespace
{
// sway answers a placement with a move to the centre, once when the window is mapped and once
// per geometry request; a window still elsewhere after this many moves is held by someone else.
constexpr int kMaxSwayMoves = 3;
}

SwayWindowPlacement::SwayWindowPlacement(const QByteArray& swaySocket, QObject* parent)
    : QObject(parent)
    , m_sway(swaySocket)
    , m_onX11(QGuiApplication::platformName() == QLatin1String("xcb"))
{
}

void SwayWindowPlacement::place(QWidget* window, const QRect& geometry)
{
    if (!window)
        return;
    if (!m_onX11 || !m_sway.hasSocket() || !window->isWindow()) {
        window->setGeometry(geometry);
        return;
    }
    auto known = m_windows.find(window);
    // Where Qt has a shown window is where sway last reported it, unless a move is under way.
    if ((known == m_windows.end() || known->reached) && window->isVisible() && window->geometry() == geometry)
        return;
    if (known == m_windows.end()) {
        window->installEventFilter(this);
        connect(window, &QObject::destroyed, this, [this, window] {
            m_windows.remove(window);
            m_placedBySway.remove(window);
        });
    }
    Target& target = m_windows[window] = Target { geometry.topLeft() };
    // Qt's move of a shown window would be answered by a jump to the centre and back; sway
    // reports the move it makes, so Qt learns the new position all the same. Until sway has
    // placed the window once, it may not be sway's window at all.
    if (window->isVisible() && window->size() == geometry.size() && m_placedBySway.contains(window)
        && moveWithSway(window, target))
        return;
    window->setGeometry(geometry);
}

bool SwayWindowPlacement::eventFilter(QObject* watched, QEvent* event)
{
    auto* window = static_cast<QWidget*>(watched);
    const auto target = m_windows.find(window);
    if (target == m_windows.end())
        return false;
    // Shown again, the window is mapped again, and sway centres it again.
    if (event->type() == QEvent::Show)
        *target = Target { target->position };
    // Only a move the window system reports says where sway has the window; Qt's own moves
    // of a window not yet shown say nothing of it.
    if (event->type() != QEvent::Move || !event->spontaneous() || target->reached)
        return false;
    if (window->pos() == target->position) {
        target->reached = true;
        if (target->swayMoves > 0)
            m_placedBySway.insert(window);
    } else if (target->swayMoves < kMaxSwayMoves) {
        moveWithSway(window, *target);
    }
    return false;
}

bool SwayWindowPlacement::moveWithSway(QWidget* window, Target& target)
{
    ++target.swayMoves;
    // Assumes X coordinates are sway's layout coordinates, as they are for outputs at scale 1:
    // only Qt's own scaling is undone. The process id keeps a window id of another X server
    // (a virtual one started inside a sway session) from naming a window of sway's.
    const QPoint pixels = target.position * window->devicePixelRatioF();
    const QByteArray command = "[id=" + QByteArray::number(window->winId()) + " pid=" + QByteArray::number(getpid())
        + "] move absolute position " + QByteArray::number(pixels.x()) + ' ' + QByteArray::number(pixels.y());
    return m_sway.runCommand(command);
}

WindowPlacement& WindowPlacement::system()
{
    static SwayWindowPlacement placement(qgetenv("SWAYSOCK"));
    return placement;
}
