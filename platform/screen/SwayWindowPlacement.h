#pragma once

#include "SwayIpc.h"
#include "WindowPlacement.h"

#include <QHash>
#include <QObject>
#include <QPoint>
#include <QSet>

// Qt's placement, and under sway on XWayland sway's too. sway centres a floating X window
// when it maps it and again at every geometry request the window makes, whatever position
// that asks for; only its own "move" command puts the window elsewhere. Elsewhere (another
// window manager, no X) this is Qt's placement and nothing more.
class SwayWindowPlacement : public QObject, public WindowPlacement
{
public:
    // swaySocket is sway's IPC socket; empty outside sway.
    explicit SwayWindowPlacement(const QByteArray& swaySocket, QObject* parent = nullptr);

    void place(QWidget* window, const QRect& geometry) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Where a window was put, how often sway was told, and whether it has reported it there.
    struct Target {
        QPoint position;
        int swayMoves = 0;
        bool reached = false;
    };

    bool moveWithSway(QWidget* window, Target& target);

    SwayIpc m_sway;
    bool m_onX11 = false;
    QHash<QWidget*, Target> m_windows;
    // Windows that sway has moved where they were told: sway's own, on its XWayland.
    QSet<QWidget*> m_placedBySway;
};
