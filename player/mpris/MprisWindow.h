#pragma once

#include "player/PlayerWindow.h"

#include <memory>

class MprisConnection;

// The player's main window as far as MPRIS reaches it: it can be raised and nothing else.
// Asking for a state that already holds (not minimised, not the mini player, not maximised)
// succeeds; asking for one MPRIS cannot reach throws PlayerError saying so.
class MprisWindow : public PlayerWindow
{
public:
    explicit MprisWindow(std::shared_ptr<const MprisConnection> link);

    // The player's Identity.
    QString Name() const override;
    // true raises the window when the player allows it (CanRaise); false throws.
    void SetVisible(bool visible) override;
    void SetMinimized(bool minimized) override;
    void SetMaximized(bool maximized) override;
    void SetMiniPlayer(bool miniPlayer) override;

private:
    [[noreturn]] void refuse(const QString& what) const;

    std::shared_ptr<const MprisConnection> m_link;
};
