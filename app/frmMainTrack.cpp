#include "frmMain.h"

#include "Branding.h"
#include "WindowHelpers.h"
#include "artwork/ArtworkConversion.h"
#include "artwork/frmShowPic.h"
#include "options/AdvancedPage.h"
#include "options/DemoHarness.h"
#include "options/NotificationPage.h"
#include "options/OptionGroup.h"
#include "platform/screen/modFunctions.h"
#include "player/IgnoringErrors.h"
#include "player/PlayerApplication.h"
#include "player/PlayerError.h"
#include "player/RatingScale.h"
#include "popup/PopUpMessage.h"
#include "popup/PopUpMessages.h"
#include "tray/frmSysTray.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QScrollBar>

#include <array>

namespace
{
constexpr int kInfoIcon = 1;
constexpr int kBalloonTimeOutMs = 5000;

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

bool isOn(const OptionGroup& group, int index)
{
    return group.selectedIndex() == index;
}
}

void frmMain::updaterating(int rate)
{
    if (!m_capabilities.rate) {
        // Only a rating hotkey gets here (the menu is disabled, its tooltip says why): a key
        // that silently does nothing would look broken.
        if (m_frmSysTray)
            m_frmSysTray->ShowBalloonTip(
                m_capabilities.rate.reason, QString::fromLatin1(kProgramTitle), kInfoIcon, kBalloonTimeOutMs);
        throw PlayerError(m_capabilities.rate.reason);
    }
    connectedPlayer().CurrentTrack()->SetRating(rate);
    RefreshRatingMarks();
}

std::optional<int> frmMain::RefreshRatingMarks()
{
    if (!m_frmSysTray)
        return std::nullopt;
    for (int stars = 0; stars <= RatingScale::kStarCount; ++stars)
        m_frmSysTray->ratingItem(stars)->setChecked(false);
    int rating = 0;
    try {
        rating = connectedPlayer().CurrentTrack()->Rating();
    } catch (...) {
        m_frmSysTray->myrating()->setEnabled(false);
        m_frmSysTray->SetToolTip(QStringLiteral("Bolvin by Harnwick"));
        SetPlayPauseCaption(QStringLiteral("play"));
        return std::nullopt;
    }
    if (rating < 0 || rating > RatingScale::kMaximum || rating % RatingScale::kStarStep != 0)
        return std::nullopt;
    const int stars = rating / RatingScale::kStarStep;
    m_frmSysTray->ratingItem(stars)->setChecked(true);
    return stars;
}

void frmMain::placePopups()
{
    PopUpMessages& popups = *mobjPopups;
    popups.setMessageHeight(advancedPage->scrPopUpHeight->value());
    popups.setMessageWidth(advancedPage->scrPopUpWidth->value());
    popups.placeInCorner(isOn(*notificationPage->optYPos, 0), isOn(*notificationPage->optXPos, 0));
}

void frmMain::ShowTrackPopup()
{
    if (!objiTunesApp || !mobjPopups)
        throw PlayerError(QStringLiteral("Not connected"));
    if (frmShowPic* floating = frmShowPic::loadedInstance())
        floating->WriteRegistry();
    placePopups();

    // Shuffle is optional for a player: without it the mark is off and the track still shows.
    showShuffleMark();
    mobjPopups->setMessageHeight(advancedPage->scrPopUpHeight->value());
    mobjPopups->setMessageWidth(advancedPage->scrPopUpWidth->value());
    advancedPage->scrShowDelay->setValue(mobjPopups->ShowDelay());
    advancedPage->scrMovementIndex->setValue(mobjPopups->MovementIndex());
    advancedPage->scrScrollDelay->setValue(mobjPopups->ScrollDelay());

    const std::shared_ptr<PlayerTrack> track = objiTunesApp->CurrentTrack();
    mobjArtPopUp = std::make_shared<PopUpMessage>();
    const std::optional<int> stars = RefreshRatingMarks();
    const QString starText = QStringLiteral("* ").repeated(stars.value_or(0));

    showArtworkPopUp(*track);

    mobjTitlePopUp = std::make_shared<PopUpMessage>();
    mobjTitlePopUp->setBackground(titleBackground());
    mobjTitlePopUp->setNoBkStretch(false);
    mobjTitlePopUp->setCaption(objiTunesApp->Identity());
    const QString name = track->Name();
    const QString artist = track->Artist();
    const QString album = track->Album();
    mobjTitlePopUp->setMessage(name + QStringLiteral("\r\n") + artist + QStringLiteral("\r\n") + album
        + QStringLiteral("\r\n\r\n") + starText);
    mobjTitlePopUp->setSticky(notificationPage->chkStickyTitle->isChecked());
    mobjTitlePopUp->setClickable(false);
    if (notificationPage->chkPopTitle->isChecked())
        mobjPopups->Show(mobjTitlePopUp);

    if (notificationPage->chkFloatArt->isChecked())
        ignoringErrors([] { frmShowPic::instance().show(); });
    m_frmSysTray->SetToolTip(QStringLiteral("Bolvin by Harnwick\r\n") + name + QStringLiteral("\r\n") + artist
        + QStringLiteral("\r\n") + album);
}

void frmMain::showArtworkPopUp(PlayerTrack& track)
{
    const std::shared_ptr<PlayerCollection<PlayerArtwork>> artwork = track.Artwork();
    if (artwork->Count() <= 0)
        return;
    const std::shared_ptr<PlayerArtwork> cover = artwork->Item(1);
    QString extension = artworkExtension(cover->Format());
    if (extension.isEmpty())
        return;
    const QString base = GetTempDir(m_services.desktop) + QStringLiteral("Bolvin-artwork.");
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
            frmShowPic& floating = frmShowPic::instance();
            ok = floating.showpicture(QLatin1Char('"') + path + QLatin1Char('"'));
        });
    }
    if (!ok)
        return;
    if (!notificationPage->chkStretchBkg->isChecked()) {
        mobjArtPopUp->setNoBkStretch(true);
        // Only the ratio of the two numbers sizes the picture; pixels will do.
        mobjArtPopUp->setCaption(QStringLiteral("%1,%2").arg(picture.height()).arg(picture.width()));
    }
    mobjArtPopUp->setMessage(QStringLiteral("     \r\n     \r\n      \r\n"));
    mobjArtPopUp->setSticky(notificationPage->chkStickyArt->isChecked());
    mobjArtPopUp->setClickable(true);
    mobjArtPopUp->setBackground(picture);
    if (notificationPage->chkPopArt->isChecked())
        mobjPopups->Show(mobjArtPopUp);
}

QPixmap frmMain::titleBackground() const
{
    return notificationPage->background(notificationPage->optBackGround->selectedIndex());
}

PlayerApplication* frmMain::hotKeyPlayer()
{
    // Like a tray command, a hotkey attaches the player on demand.
    CheckPlayerRunning(true);
    return objiTunesApp.get();
}

void frmMain::onArtworkArrived()
{
    if (!objiTunesApp || !mobjPopups || !trackPopupsShowing())
        return;
    ignoringErrors([this] {
        mobjArtPopUp = std::make_shared<PopUpMessage>();
        showArtworkPopUp(*objiTunesApp->CurrentTrack());
    });
}

bool frmMain::trackPopupsShowing() const
{
    return mobjPopups && mobjPopups->Count() >= 1;
}

void frmMain::closeTrackPopups()
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

TrayMenuArray* frmMain::mnuSysTray()
{
    return m_frmSysTray ? &m_frmSysTray->mnuSysTray() : nullptr;
}

void frmMain::mobjPopups_PopupMessageClicked(PopUpMessage* /*PopUp*/)
{
    ignoringErrors([] {
        if (frmShowPic* floating = frmShowPic::loadedInstance())
            floating->show();
    });
}
