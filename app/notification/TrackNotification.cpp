#include "TrackNotification.h"

#include "app/WindowHelpers.h"
#include "app/link/PlayerLink.h"
#include "artwork/ArtworkConversion.h"
#include "artwork/ArtworkWindow.h"
#include "artwork/frmShowPic.h"
#include "platform/notifications/DesktopNotifications.h"
#include "platform/screen/modFunctions.h"
#include "player/IgnoringErrors.h"
#include "player/PlayerApplication.h"
#include "player/PlayerError.h"
#include "player/RatingScale.h"
#include "popup/PopUpFontSource.h"
#include "popup/PopUpMessage.h"
#include "popup/PopUpMessages.h"
#include "tray/RatingStars.h"
#include "tray/frmSysTray.h"

#include <QAction>
#include <QApplication>
#include <QPixmap>

namespace
{
QString artworkExtension(int format)
{
    switch (format) {
    case PlayerArtwork::JPEG:
        return QStringLiteral("jpg");
    case PlayerArtwork::PNG:
        return QStringLiteral("png");
    case PlayerArtwork::BMP:
        return QStringLiteral("bmp");
    default:
        return QString();
    }
}
}

TrackNotification::TrackNotification(PlayerLink& link, Desktop& desktop, const PopUpServices& popUps,
    ArtworkWindow& artwork, std::function<TrackPopUpOptions()> options, QObject* parent)
    : QObject(parent)
    , m_link(link)
    , m_desktop(desktop)
    , m_popUpServices(popUps)
    , m_artwork(artwork)
    , m_options(std::move(options))
{
    connect(&link, &PlayerLink::trackStarted, this, &TrackNotification::showNewTrack);
    connect(&link, &PlayerLink::playerSetAside, this, &TrackNotification::closeTrackPopups);
    connect(&link, &PlayerLink::ratingsChanged, this, &TrackNotification::RefreshRatingMarks);
    connect(&link, &PlayerLink::playerQuit, this, &TrackNotification::RefreshRatingMarks);
    connect(&link, &PlayerLink::artworkArrived, this, &TrackNotification::onArtworkArrived);
    connect(&link, &PlayerLink::changed, this, &TrackNotification::nameTitlePopUp);
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
}

void TrackNotification::nameTitlePopUp()
{
    const std::shared_ptr<PlayerApplication>& player = m_link.player();
    if (!player || !mobjTitlePopUp || !mobjTitlePopUp->Visible())
        return;
    try {
        if (const QString name = player->Identity(); name != mobjTitlePopUp->Caption()) {
            mobjTitlePopUp->setCaption(name);
            mobjTitlePopUp->refreshLook();
        }
    } catch (const PlayerError&) {
        // Gone meanwhile: the pop-up keeps the name it has.
    }
}

bool TrackNotification::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ApplicationPaletteChange && watched == QCoreApplication::instance()) {
        if (mobjTitlePopUp && mobjTitlePopUp->Visible()) {
            mobjTitlePopUp->setBackground(m_options().titleBackground);
            mobjTitlePopUp->refreshLook();
        }
        if (mobjArtPopUp && mobjArtPopUp->Visible())
            mobjArtPopUp->refreshLook();
    }
    return QObject::eventFilter(watched, event);
}

TrackNotification::~TrackNotification()
{
    if (mobjPopups)
        mobjPopups->disconnect(this);
}

void TrackNotification::createPopups(int width, int height, PopUpFontSource& fonts)
{
    mobjPopups = std::make_unique<PopUpMessages>(m_popUpServices, width, height);
    mobjPopups->setFontSource(&fonts);
    connect(mobjPopups.get(), &PopUpMessages::PopupMessageClicked, this,
        &TrackNotification::mobjPopups_PopupMessageClicked);
}

void TrackNotification::releasePopups()
{
    mobjArtPopUp.reset();
    mobjTitlePopUp.reset();
    mobjPopups.reset();
}

void TrackNotification::useDesktopNotifications(DesktopNotifications* notifications, bool always)
{
    if (m_desktopNotifications)
        m_desktopNotifications->disconnect(this);
    m_desktopNotifications = notifications;
    m_alwaysDesktopNotifications = always;
    if (notifications)
        connect(notifications, &DesktopNotifications::activated, this,
            [this] { ignoringErrors([this] { m_artwork.instance().show(); }); });
}

bool TrackNotification::toDesktop(const TrackPopUpOptions& options) const
{
    return m_desktopNotifications && (options.desktopNotifications || m_alwaysDesktopNotifications);
}

void TrackNotification::updaterating(int rate)
{
    const PlayerAbility& rating = m_link.capabilities().rate;
    if (!rating) {
        // Only a rating hotkey gets here (the menu is disabled, its tooltip says why): a key
        // that silently does nothing would look broken.
        m_link.balloon(rating.reason);
        throw PlayerError(rating.reason);
    }
    m_link.connectedPlayer().CurrentTrack()->SetRating(rate);
    RefreshRatingMarks();
}

std::optional<int> TrackNotification::RefreshRatingMarks()
{
    frmSysTray* tray = m_link.tray();
    if (!tray)
        return std::nullopt;
    for (int stars = 0; stars <= RatingScale::kStarCount; ++stars)
        tray->ratingItem(stars)->setChecked(false);
    int rating = 0;
    try {
        rating = m_link.connectedPlayer().CurrentTrack()->Rating();
    } catch (...) {
        tray->myrating()->setEnabled(false);
        tray->SetToolTip(QStringLiteral("Bolvin by Harnwick"));
        m_link.SetPlayPauseCaption(QStringLiteral("play"));
        return std::nullopt;
    }
    if (rating < 0 || rating > RatingScale::kMaximum || rating % RatingScale::kStarStep != 0)
        return std::nullopt;
    const int stars = rating / RatingScale::kStarStep;
    tray->ratingItem(stars)->setChecked(true);
    return stars;
}

void TrackNotification::placePopups(const TrackPopUpOptions& options)
{
    mobjPopups->setMessageHeight(options.height);
    mobjPopups->setMessageWidth(options.width);
    mobjPopups->placeInCorner(options.top, options.left);
}

void TrackNotification::showNewTrack()
{
    closeTrackPopups();
    ignoringErrors([this] { ShowTrackPopup(); });
}

void TrackNotification::ShowTrackPopup()
{
    const std::shared_ptr<PlayerApplication>& player = m_link.player();
    if (!player || !mobjPopups)
        throw PlayerError(QStringLiteral("Not connected"));
    if (frmShowPic* floating = m_artwork.loadedInstance())
        floating->WriteRegistry();
    const TrackPopUpOptions options = m_options();
    placePopups(options);

    // Shuffle is optional for a player: without it the mark is off and the track still shows.
    m_link.showShuffleMark();
    emit timingInUse(mobjPopups->ShowDelay(), mobjPopups->MovementIndex(), mobjPopups->ScrollDelay());

    const std::shared_ptr<PlayerTrack> track = player->CurrentTrack();
    mobjArtPopUp = std::make_shared<PopUpMessage>();
    const std::optional<int> stars = RefreshRatingMarks();
    const PopUpFontSource* fonts = mobjPopups->services().fonts;
    const QString starText = ratingStarText(stars.value_or(0), fonts ? fonts->messageFont() : QApplication::font());

    const QPixmap cover = showArtworkPopUp(*track, options);

    mobjTitlePopUp = std::make_shared<PopUpMessage>();
    mobjTitlePopUp->setBackground(options.titleBackground);
    mobjTitlePopUp->setNoBkStretch(false);
    mobjTitlePopUp->setTrackLayout(true);
    mobjTitlePopUp->setCaption(player->Identity());
    const QString name = track->Name();
    const QString artist = track->Artist();
    const QString album = track->Album();
    mobjTitlePopUp->setMessage(name + QStringLiteral("\r\n") + artist + QStringLiteral("\r\n") + album
        + QStringLiteral("\r\n\r\n") + starText);
    mobjTitlePopUp->setSticky(options.stickyTitle);
    mobjTitlePopUp->setClickable(false);
    if (toDesktop(options)) {
        const QString stars = starText.isEmpty() ? QString() : QStringLiteral("\n") + starText.trimmed();
        m_desktopNotifications->show(
            name, artist + QStringLiteral("\n") + album + stars, cover.toImage(), options.stickyTitle ? 0 : -1);
    } else if (options.popTitle) {
        mobjPopups->Show(mobjTitlePopUp);
    }

    if (options.floatArt)
        ignoringErrors([this] { m_artwork.instance().show(); });
    if (frmSysTray* tray = m_link.tray())
        tray->SetToolTip(QStringLiteral("Bolvin by Harnwick\r\n") + name + QStringLiteral("\r\n") + artist
            + QStringLiteral("\r\n") + album);
}

QPixmap TrackNotification::showArtworkPopUp(PlayerTrack& track, const TrackPopUpOptions& options)
{
    const std::shared_ptr<PlayerCollection<PlayerArtwork>> artwork = track.Artwork();
    if (artwork->Count() <= 0)
        return {};
    const std::shared_ptr<PlayerArtwork> cover = artwork->Item(1);
    QString extension = artworkExtension(cover->Format());
    if (extension.isEmpty())
        return {};
    const QString base = GetTempDir(m_desktop) + QStringLiteral("Bolvin-artwork.");
    cover->SaveArtworkToFile(base + extension);
    if (extension == QLatin1String("png")) {
        ConvertArtworkToBitmap(base + extension, base + QStringLiteral("bmp"));
        extension = QStringLiteral("bmp");
    }
    const QString path = base + extension;

    const QPixmap picture(path);
    bool ok = !picture.isNull();
    if (ok) {
        ignoringErrors([&] {
            frmShowPic& floating = m_artwork.instance();
            ok = floating.showpicture(QLatin1Char('"') + path + QLatin1Char('"'));
        });
    }
    if (!ok)
        return {};
    if (!options.stretchArt) {
        mobjArtPopUp->setNoBkStretch(true);
        // Only the ratio of the two numbers sizes the picture; pixels will do.
        mobjArtPopUp->setCaption(QStringLiteral("%1,%2").arg(picture.height()).arg(picture.width()));
    }
    mobjArtPopUp->setMessage(QStringLiteral("     \r\n     \r\n      \r\n"));
    mobjArtPopUp->setSticky(options.stickyArt);
    mobjArtPopUp->setClickable(true);
    mobjArtPopUp->setBackground(picture);
    if (options.popArt && !toDesktop(options))
        mobjPopups->Show(mobjArtPopUp);
    return picture;
}

void TrackNotification::onArtworkArrived()
{
    const std::shared_ptr<PlayerApplication>& player = m_link.player();
    if (player && toDesktop(m_options())) {
        // The notification on show gives way to one with the cover.
        ignoringErrors([this] { ShowTrackPopup(); });
        return;
    }
    if (!player || !mobjPopups || !trackPopupsShowing())
        return;
    ignoringErrors([&] {
        mobjArtPopUp = std::make_shared<PopUpMessage>();
        showArtworkPopUp(*player->CurrentTrack(), m_options());
    });
}

bool TrackNotification::trackPopupsShowing() const
{
    return mobjPopups && mobjPopups->Count() >= 1;
}

void TrackNotification::closeTrackPopups()
{
    ignoringErrors([this] {
        if (mobjArtPopUp)
            mobjArtPopUp->ClosePopUp();
    });
    ignoringErrors([this] {
        if (mobjTitlePopUp)
            mobjTitlePopUp->ClosePopUp();
    });
}

void TrackNotification::mobjPopups_PopupMessageClicked(PopUpMessage* /*PopUp*/)
{
    ignoringErrors([this] {
        if (frmShowPic* floating = m_artwork.loadedInstance())
            floating->show();
    });
}
