#include "HotKeyRegistration.h"

#include "HotKey.h"
#include "platform/desktop/Desktop.h"
#include "platform/hotkeys/HotKeyRegistrar.h"

#include <QPointer>

HotKeyRegistration::HotKeyRegistration(
    HotKeyRegistrar& registrar, Desktop& desktop, std::function<void(int)> hotKey, QObject* parent)
    : QObject(parent)
    , m_registrar(registrar)
    , m_desktop(desktop)
    , m_hotKey(std::move(hotKey))
{
}

HotKeyRegistration::~HotKeyRegistration()
{
    if (isHooked())
        Unhook();
}

void HotKeyRegistration::LoadHotKeys(const HotKeySettings& settings)
{
    removeHook();
    unregisterAll();
    m_failures.clear();

    const std::optional<int> modifiers = ModifierCodeFromName(settings.modifier);
    std::array<std::optional<int>, HotKeyId::Count> keyCodes;
    for (int id = HotKeyId::First; id <= HotKeyId::Last; ++id)
        keyCodes[std::size_t(id - HotKeyId::First)] = KeyCodeFromName(settings.keyName(id));

    if (!settings.enabled)
        return;

    QPointer<HotKeyRegistration> alive(this);
    const bool available = m_registrar.isAvailable();
    if (!available && !m_unavailableTold) {
        m_unavailableTold = true;
        emit hotKeysUnavailable();
        if (!alive)
            return;
    }

    for (int id = HotKeyId::First; id <= HotKeyId::Last; ++id) {
        const std::optional<int>& key = keyCodes[std::size_t(id - HotKeyId::First)];
        if (available && modifiers && key) {
            QString error;
            if (!m_registrar.registerHotKey(id, *modifiers, *key, &error)) {
                m_failures.insert(id, error);
                // Once a run: a key another program holds stays held at every later load.
                if (!m_failureTold) {
                    m_failureTold = true;
                    m_desktop.messageBox(kRegistrationError);
                    if (!alive)
                        return;
                }
            }
        }
        installHook();
    }
}

void HotKeyRegistration::Unhook()
{
    removeHook();
    unregisterAll();
}

void HotKeyRegistration::HotKeyWindowProc(int id)
{
    if (m_hotKey)
        m_hotKey(id);
}

void HotKeyRegistration::installHook()
{
    // Later passes of the registration loop find the hook already in place.
    if (!m_hook)
        m_hook = connect(&m_registrar, &HotKeyRegistrar::hotKeyPressed, this, &HotKeyRegistration::HotKeyWindowProc);
}

void HotKeyRegistration::removeHook()
{
    if (m_hook)
        disconnect(m_hook);
    m_hook = {};
}

void HotKeyRegistration::unregisterAll()
{
    for (int id = HotKeyId::First; id <= HotKeyId::Last; ++id)
        m_registrar.unregisterHotKey(id);
}
