#include "GlobalHotKeys.h"

#include "app/link/PlayerLink.h"
#include "app/notification/TrackNotification.h"
#include "app/options/HotKeysPage.h"
#include "platform/hotkeys/HotKeyRegistrar.h"
#include "tray/frmSysTray.h"
#include "tray/hotkeys/HotKeyDispatcher.h"
#include "tray/hotkeys/HotKeyRegistration.h"
#include "tray/hotkeys/HotKeySettings.h"

GlobalHotKeys::GlobalHotKeys(
    HotKeyRegistrar& registrar, Desktop& desktop, PlayerLink& link, TrackNotification& notification)
    : m_registrar(registrar)
    , m_desktop(desktop)
    , m_link(link)
    , m_notification(notification)
{
    describeHotKeys(m_registrar);
    QObject::connect(&m_registrar, &HotKeyRegistrar::registrationFailed, &m_link,
        [this](const QString& error) { m_link.balloon(error); });
}

void GlobalHotKeys::describeHotKeys(HotKeyRegistrar& registrar)
{
    struct Action {
        int id;
        const char* name;
        const char* description;
    };
    static constexpr Action kActions[] = {
        { HotKeyId::PopUp, "popup", "Show the track pop-up" },
        { HotKeyId::PreviousTrack, "previous-track", "Previous track" },
        { HotKeyId::NextTrack, "next-track", "Next track" },
        { HotKeyId::VolumeUp, "volume-up", "Volume up" },
        { HotKeyId::VolumeDown, "volume-down", "Volume down" },
        { HotKeyId::PlayPause, "play-pause", "Play or pause" },
        { HotKeyId::RatingUp, "rating-up", "Rate the track higher" },
        { HotKeyId::RatingDown, "rating-down", "Rate the track lower" },
    };
    for (const Action& action : kActions)
        registrar.describeHotKey(action.id, QString::fromLatin1(action.name), QString::fromLatin1(action.description));
}

void GlobalHotKeys::showAssignmentsOn(HotKeysPage& page)
{
    page.showAssignments(m_registrar);
}

GlobalHotKeys::~GlobalHotKeys() = default;

void GlobalHotKeys::LoadHotKeys(const HotKeySettings& settings)
{
    if (!m_hotKeyRegistration) {
        m_hotKeyRegistration
            = std::make_unique<HotKeyRegistration>(m_registrar, m_desktop, [this](int id) { HotKey(id); });
        QObject::connect(m_hotKeyRegistration.get(), &HotKeyRegistration::hotKeysUnavailable, &m_link, [this] {
            m_link.balloon(
                QStringLiteral("Global hotkeys are not available in this desktop session; everything else works."));
        });
    }
    m_hotKeyRegistration->LoadHotKeys(settings);
}

void GlobalHotKeys::UnloadHotKeys(bool enabled)
{
    if (m_hotKeyRegistration && enabled)
        m_hotKeyRegistration->Unhook();
}

void GlobalHotKeys::HotKey(int wParm)
{
    if (!m_hotKeyDispatcher)
        m_hotKeyDispatcher = std::make_unique<HotKeyDispatcher>(*this);
    m_hotKeyDispatcher->HotKey(wParm);
}

PlayerApplication* GlobalHotKeys::hotKeyPlayer()
{
    // Like a tray command, a hotkey attaches the player on demand.
    m_link.CheckPlayerRunning(true);
    return m_link.player().get();
}

bool GlobalHotKeys::trackPopupsShowing() const
{
    return m_notification.trackPopupsShowing();
}

void GlobalHotKeys::closeTrackPopups()
{
    m_notification.closeTrackPopups();
}

void GlobalHotKeys::ShowTrackPopup()
{
    m_notification.ShowTrackPopup();
}

std::optional<int> GlobalHotKeys::RefreshRatingMarks()
{
    return m_notification.RefreshRatingMarks();
}

void GlobalHotKeys::updaterating(int rating)
{
    m_notification.updaterating(rating);
}

TrayMenuArray* GlobalHotKeys::mnuSysTray()
{
    frmSysTray* tray = m_link.tray();
    return tray ? &tray->mnuSysTray() : nullptr;
}
