#pragma once

#include "JukeboxTrackModel.h"

#include <QPointer>
#include <QSize>
#include <QWidget>

#include <functional>
#include <memory>

class ElidedLabel;
class QLabel;
class QTableView;
class QToolButton;
class SimulatedPlayer;
class SimulatedPlayerBackend;
class SimulatedWindow;
class StarRating;

// The simulated player's own window, titled with the player's name: its library as a list,
// the current track with play/pause, previous, next and a star rating, or, as the mini
// player, only the current track and its buttons. It follows the player through its
// signals (no polling) and obeys what the player's window object is told: shown and raised,
// minimised, mini player, full window. Closing it only hides it.
class JukeboxWindow : public QWidget
{
    Q_OBJECT
public:
    // Follows the player the backend runs now, if any, and every one it starts later; the
    // backend must outlive the window.
    explicit JukeboxWindow(SimulatedPlayerBackend& backend, QWidget* parent = nullptr);
    ~JukeboxWindow() override;

    bool isMiniPlayer() const { return m_miniPlayer; }

private:
    void buildLayout();
    void attach(const std::shared_ptr<SimulatedPlayer>& player);
    void detach();
    void showTrack(int track);
    void showPlaying(bool playing);
    void showRating();
    void trackChanged(int track);
    void setMiniPlayer(bool miniPlayer);
    void obeyVisible(bool visible);
    void obeyMinimized(bool minimized);
    void bringToFront();
    void rate(int stars);
    // Runs action on the attached player; a player that has quit or refuses is left be.
    void onPlayer(const std::function<void(SimulatedPlayer&)>& action);

    SimulatedPlayerBackend& m_backend;
    QPointer<SimulatedPlayer> m_player;
    std::shared_ptr<SimulatedWindow> m_playerWindow;
    JukeboxTrackModel m_model;
    int m_current = -1;
    bool m_miniPlayer = false;
    QSize m_fullSize;

    QLabel* m_cover = nullptr;
    ElidedLabel* m_title = nullptr;
    ElidedLabel* m_details = nullptr;
    StarRating* m_rating = nullptr;
    QToolButton* m_previous = nullptr;
    QToolButton* m_playPause = nullptr;
    QToolButton* m_next = nullptr;
    QTableView* m_tracks = nullptr;
};
