#pragma once

#include "TrackPopUpOptions.h"

#include "popup/PopUpServices.h"
#include "tray/SysTrayOwner.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class ArtworkWindow;
class Desktop;
class DesktopNotifications;
class PlayerLink;
class PlayerTrack;
class PopUpFontSource;
class PopUpMessage;
class PopUpMessages;

// The current track told to the user: the artwork and title pop-ups, the floating
// window, the rating marks and the tooltip; and rating the track.
class TrackNotification : public QObject, public SysTrayOwner
{
    Q_OBJECT
public:
    TrackNotification(PlayerLink& link, Desktop& desktop, const PopUpServices& popUps, ArtworkWindow& artwork,
        std::function<TrackPopUpOptions()> options, QObject* parent = nullptr);
    ~TrackNotification() override;

    // The pop-up collection for the whole run, sized and lettered as the options say.
    void createPopups(int width, int height, PopUpFontSource& fonts);
    // Lets go of every pop-up at the end.
    void releasePopups();
    // Where the desktop's notifications can take a track's pop-ups' place: when the options
    // ask for them, or always when pop-ups cannot be placed at a screen edge.
    void useDesktopNotifications(DesktopNotifications* notifications, bool always);

    // Rates the current track (0, 20 … 100) and refreshes the marks; a failed write throws.
    void updaterating(int rate) override;
    // Checks the "My Rating" item of the current track's rating and returns its stars; no
    // value without a track or for a rating off the star grid.
    std::optional<int> RefreshRatingMarks();
    // The artwork and title pop-ups, the floating window, the shuffle mark and the tooltip.
    void ShowTrackPopup();
    bool trackPopupsShowing() const;
    void closeTrackPopups();
    // A track started: the last one's pop-ups give way to its own.
    void showNewTrack();

    PopUpMessages* popups() const { return mobjPopups.get(); }
    PopUpMessage* artPopUp() const { return mobjArtPopUp.get(); }
    PopUpMessage* titlePopUp() const { return mobjTitlePopUp.get(); }

signals:
    // The pop-ups' own timing, shown back in the options.
    void timingInUse(int showDelay, int movementIndex, int scrollDelay);

protected:
    // A new palette (the desktop turned dark, say) reaches the pop-ups on show.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placePopups(const TrackPopUpOptions& options);
    bool toDesktop(const TrackPopUpOptions& options) const;
    // Loads the cover into the floating window and its pop-up, which shows unless the track
    // goes to the desktop's notifications; returns the picture, null for none.
    QPixmap showArtworkPopUp(PlayerTrack& track, const TrackPopUpOptions& options);
    // The cover of the track on show, which came after its title pop-up.
    void onArtworkArrived();
    // A player that tells its name after its track showed: the title pop-up on show takes it.
    void nameTitlePopUp();
    void mobjPopups_PopupMessageClicked(PopUpMessage* PopUp);

    PlayerLink& m_link;
    Desktop& m_desktop;
    PopUpServices m_popUpServices;
    ArtworkWindow& m_artwork;
    std::function<TrackPopUpOptions()> m_options;
    DesktopNotifications* m_desktopNotifications = nullptr;
    bool m_alwaysDesktopNotifications = false;
    std::unique_ptr<PopUpMessages> mobjPopups;
    std::shared_ptr<PopUpMessage> mobjArtPopUp;
    std::shared_ptr<PopUpMessage> mobjTitlePopUp;
};
