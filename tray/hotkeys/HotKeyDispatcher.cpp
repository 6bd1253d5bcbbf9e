#include "HotKeyDispatcher.h"

#include "HotKey.h"
#include "HotKeyActions.h"
#include "player/IgnoringErrors.h"
#include "player/PlayerApplication.h"
#include "player/RatingScale.h"
#include "tray/TrayMenuArray.h"

#include <QString>

#include <algorithm>
#include <exception>

namespace
{
constexpr int kVolumeStep = 5;
constexpr int kFirstMenuItem = 1;
const QString kPauseCaption = QStringLiteral("&Pause");
const QString kPlayCaption = QStringLiteral("&Play");
}

HotKeyDispatcher::HotKeyDispatcher(HotKeyActions& actions)
    : m_actions(actions)
{
}

int HotKeyDispatcher::RatingForStars(int stars)
{
    if (stars < 1)
        return 0;
    return std::min(stars, RatingScale::kStarCount) * RatingScale::kStarStep;
}

void HotKeyDispatcher::HotKey(int wParm)
{
    PlayerApplication* player = nullptr;
    ignoringErrors([&] { player = m_actions.hotKeyPlayer(); });
    bool playing = false;
    ignoringErrors([&] { playing = player && player->PlayerState() == PlayerApplication::Playing; });

    if (wParm == HotKeyId::PlayPause) {
        PlayPause(player);
        return;
    }
    if (!playing)
        return;

    switch (wParm) {
    case HotKeyId::PopUp: {
        bool showing = false;
        ignoringErrors([&] { showing = m_actions.trackPopupsShowing(); });
        if (showing)
            ignoringErrors([&] { m_actions.closeTrackPopups(); });
        else
            ignoringErrors([&] { m_actions.ShowTrackPopup(); });
        break;
    }
    case HotKeyId::PreviousTrack:
        ignoringErrors([&] { player->PreviousTrack(); });
        break;
    case HotKeyId::NextTrack:
        ignoringErrors([&] { player->NextTrack(); });
        break;
    // Not clamped: what the player makes of a volume outside 0 to 100 is its own affair.
    case HotKeyId::VolumeUp:
        ignoringErrors([&] { player->SetSoundVolume(player->SoundVolume() + kVolumeStep); });
        break;
    case HotKeyId::VolumeDown:
        ignoringErrors([&] { player->SetSoundVolume(player->SoundVolume() - kVolumeStep); });
        break;
    case HotKeyId::RatingUp:
        Rate(+1);
        break;
    case HotKeyId::RatingDown:
        Rate(-1);
        break;
    default:
        break;
    }
}

void HotKeyDispatcher::PlayPause(PlayerApplication* player)
{
    TrayMenuArray* menu = nullptr;
    ignoringErrors([&] { menu = m_actions.mnuSysTray(); });
    if (!menu)
        return;
    for (int i = kFirstMenuItem; i <= menu->upperBound(); ++i) {
        QString caption;
        ignoringErrors([&] { caption = menu->caption(i); });
        if (caption == kPauseCaption) {
            ignoringErrors([&] { menu->setCaption(i, kPlayCaption); });
            if (player)
                ignoringErrors([&] { player->Pause(); });
            return;
        }
        if (caption == kPlayCaption) {
            ignoringErrors([&] { menu->setCaption(i, kPauseCaption); });
            if (player)
                ignoringErrors([&] { player->Play(); });
            return;
        }
    }
}

void HotKeyDispatcher::Rate(int step)
{
    std::optional<int> stars;
    ignoringErrors([&] { stars = m_actions.RefreshRatingMarks(); });
    const int rating = RatingForStars(stars.value_or(0) + step);
    bool rated = false;
    ignoringErrors([&] {
        m_actions.updaterating(rating);
        rated = true;
    });
    if (!rated)
        return;
    // Shown anew so the notification's star line tells the new rating.
    bool showing = false;
    ignoringErrors([&] { showing = m_actions.trackPopupsShowing(); });
    if (showing)
        ignoringErrors([&] { m_actions.closeTrackPopups(); });
    ignoringErrors([&] { m_actions.ShowTrackPopup(); });
}
