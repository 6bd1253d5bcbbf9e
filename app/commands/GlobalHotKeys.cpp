#include "GlobalHotKeys.h"

#include "app/link/PlayerLink.h"
#include "app/notification/TrackNotification.h"
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
