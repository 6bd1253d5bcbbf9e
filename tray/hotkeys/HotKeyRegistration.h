#pragma once

#include "HotKeySettings.h"

#include <QMap>
#include <QMetaObject>
#include <QObject>
#include <QString>

#include <functional>

class Desktop;
class HotKeyRegistrar;

// The main window's hotkeys: LoadHotKeys registers ids 1 to 8 from the options page and
// hooks the registrar's presses to the hotkey handler; destruction undoes both. Owned by
// the main window for the whole run; registrar and desktop must outlive it.
class HotKeyRegistration : public QObject
{
    Q_OBJECT
public:
    static inline const QString kRegistrationError
        = QStringLiteral("Error registering hotkey usually caused by mapping the same key twice.");

    // hotKey receives the id of each pressed hotkey while the hook is in place.
    HotKeyRegistration(
        HotKeyRegistrar& registrar, Desktop& desktop, std::function<void(int)> hotKey, QObject* parent = nullptr);
    // As the window's destroy message: when hooked, removes the hook and unregisters ids
    // 1 to 8.
    ~HotKeyRegistration() override;

    // Removes the hook and unregisters ids 1 to 8; then, when settings.enabled, registers
    // ids 1 to 8 in order with the shared modifier, telling the user once per id the
    // registrar refuses (the others still work), and hooks the presses whatever the
    // outcome. With hotkeys disabled nothing is registered and no hook stays.
    //
    // An id whose key name is empty or unknown is left unregistered without a message: the
    // user picked no key for it. An empty or unknown modifier registers nothing, since a
    // bare key would be taken away from every other program. On a registrar that is not
    // available nothing is registered either; hotKeysUnavailable() tells the owner instead.
    //
    // A refusal's message box runs a nested event loop; this object may be destroyed in
    // it (or by a receiver of hotKeysUnavailable), and the pass then stops.
    void LoadHotKeys(const HotKeySettings& settings);

    // Shutdown with "Enable Hotkey" ticked: removes the hook and unregisters ids 1 to 8.
    void Unhook();

    bool isHooked() const { return bool(m_hook); }
    // Why each id failed in the last LoadHotKeys, in the registrar's words.
    QMap<int, QString> failures() const { return m_failures; }

signals:
    // The first enabled LoadHotKeys on a registrar that is not available: the session has
    // no global hotkeys. Emitted at most once, so the user is told once.
    void hotKeysUnavailable();

private:
    void HotKeyWindowProc(int id);
    void installHook();
    void removeHook();
    void unregisterAll();

    HotKeyRegistrar& m_registrar;
    Desktop& m_desktop;
    std::function<void(int)> m_hotKey;
    QMetaObject::Connection m_hook;
    QMap<int, QString> m_failures;
    bool m_unavailableTold = false;
    bool m_failureTold = false;
};
