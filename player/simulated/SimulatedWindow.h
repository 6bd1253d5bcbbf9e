#pragma once

#include "player/PlayerWindow.h"

#include <QString>

#include <optional>

// A player window that only remembers what it was told, so tests can read back the last
// Visible, Minimized, Maximized and MiniPlayer values; unset until first given.
class SimulatedWindow : public PlayerWindow
{
public:
    explicit SimulatedWindow(const QString& name)
        : m_name(name)
    {
    }

    QString Name() const override { return m_name; }
    void SetVisible(bool visible) override { m_visible = visible; }
    void SetMinimized(bool minimized) override { m_minimized = minimized; }
    void SetMaximized(bool maximized) override { m_maximized = maximized; }
    void SetMiniPlayer(bool miniPlayer) override { m_miniPlayer = miniPlayer; }

    std::optional<bool> visible() const { return m_visible; }
    std::optional<bool> minimized() const { return m_minimized; }
    std::optional<bool> maximized() const { return m_maximized; }
    std::optional<bool> miniPlayer() const { return m_miniPlayer; }

private:
    QString m_name;
    std::optional<bool> m_visible;
    std::optional<bool> m_minimized;
    std::optional<bool> m_maximized;
    std::optional<bool> m_miniPlayer;
};
