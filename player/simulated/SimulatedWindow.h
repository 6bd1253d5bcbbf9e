#pragma once

#include "player/PlayerWindow.h"

#include <QObject>
#include <QString>

#include <optional>

// The simulated player's window as the player interface sees it: it remembers the last
// Visible, Minimized, Maximized and MiniPlayer values it was given (unset until first given)
// and announces each one, so that whatever draws the window can obey. It draws nothing
// itself: the player must not depend on a window toolkit.
class SimulatedWindow : public QObject, public PlayerWindow
{
    Q_OBJECT
public:
    explicit SimulatedWindow(const QString& name)
        : m_name(name)
    {
    }

    QString Name() const override { return m_name; }
    void SetVisible(bool visible) override
    {
        m_visible = visible;
        emit visibleSet(visible);
    }
    void SetMinimized(bool minimized) override
    {
        m_minimized = minimized;
        emit minimizedSet(minimized);
    }
    void SetMaximized(bool maximized) override
    {
        m_maximized = maximized;
        emit maximizedSet(maximized);
    }
    void SetMiniPlayer(bool miniPlayer) override
    {
        m_miniPlayer = miniPlayer;
        emit miniPlayerSet(miniPlayer);
    }

    std::optional<bool> visible() const { return m_visible; }
    std::optional<bool> minimized() const { return m_minimized; }
    std::optional<bool> maximized() const { return m_maximized; }
    std::optional<bool> miniPlayer() const { return m_miniPlayer; }

signals:
    // Sent on every call, also when the value is the one already held: "show" twice
    // still raises a window the user has covered since.
    void visibleSet(bool visible);
    void minimizedSet(bool minimized);
    void maximizedSet(bool maximized);
    void miniPlayerSet(bool miniPlayer);

private:
    QString m_name;
    std::optional<bool> m_visible;
    std::optional<bool> m_minimized;
    std::optional<bool> m_maximized;
    std::optional<bool> m_miniPlayer;
};
