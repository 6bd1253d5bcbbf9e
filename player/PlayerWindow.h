#pragma once

#include "PlayerCollection.h"

#include <QString>

// One of the player's own windows.
class PlayerWindow
{
public:
    virtual ~PlayerWindow() = default;

    virtual QString Name() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetMinimized(bool minimized) = 0;
    virtual void SetMaximized(bool maximized) = 0;
    virtual void SetMiniPlayer(bool miniPlayer) = 0;
};

using PlayerWindows = PlayerCollection<PlayerWindow>;
