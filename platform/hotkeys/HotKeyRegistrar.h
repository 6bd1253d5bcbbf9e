#pragma once

#include <QObject>
#include <QString>

#include <memory>

// Modifier codes of a hotkey, combined with |. They are the Windows codes, so the same
// numbers work wherever the settings were written.
namespace HotKeyModifier
{
constexpr int Alt = 1;
constexpr int Control = 2;
constexpr int Shift = 4;
constexpr int Win = 8;
constexpr int All = Alt | Control | Shift | Win;
} // namespace HotKeyModifier

// System-wide hotkeys: a key with modifiers that reaches this program whichever window has
// the focus. Keys are Windows virtual-key codes. One implementation per windowing system
// (X11, Windows, the desktop portal on Wayland, a null one elsewhere); tests use
// FakeHotKeyRegistrar.
//
// Every call and signal happens on the GUI thread.
class HotKeyRegistrar : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~HotKeyRegistrar() override = default;

    // The registrar for this session: X11 when the application runs on an X display of
    // its own; on Wayland the desktop portal's global shortcuts when the session bus has a
    // portal (X11 through XWayland when it has none); Windows on Windows; otherwise one
    // whose isAvailable() is false. Never null, and never waits on the portal itself.
    static std::unique_ptr<HotKeyRegistrar> create();

    // False when this session offers no global hotkeys at all (a Wayland session without
    // X): every registration then fails, and the program should say so once.
    virtual bool isAvailable() const = 0;

    // Makes modifiers + virtualKey deliver hotKeyPressed(id). Registering an id that is
    // registered first releases its earlier combination. False, with a reason in *error
    // when error is not null, when the key has no equivalent here, when the combination is
    // held by another program or by another id of this registrar, or when hotkeys are
    // unavailable; nothing stays registered for the id then.
    virtual bool registerHotKey(int id, int modifiers, int virtualKey, QString* error = nullptr) = 0;

    // Releases id's combination. An id that is not registered is ignored.
    virtual void unregisterHotKey(int id) = 0;

    // Names id's action for desktops that list the program's hotkeys to the user: name is
    // a stable identifier ("next-track"), description plain words. Registrars that take
    // the keys themselves ignore it.
    virtual void describeHotKey(int, const QString&, const QString&) { }

    // True when the desktop, not this program, decides which keys trigger the hotkeys: a
    // registration then only proposes its combination, the desktop may ask the user, and
    // assignedTrigger() tells what it chose. registerHotKey() returning true means the
    // proposal was sent; a refusal comes later through registrationFailed().
    virtual bool desktopAssignsKeys() const { return false; }
    // The desktop's own words for the keys that trigger id ("Ctrl+Alt+Right"); empty while
    // it has assigned none, and always when desktopAssignsKeys() is false.
    virtual QString assignedTrigger(int) const { return {}; }

signals:
    // A registered combination was pressed, whatever the state of Caps Lock and Num Lock.
    void hotKeyPressed(int id);
    // assignedTrigger() changed for some ids.
    void assignmentsChanged();
    // Registrations that returned true failed when the desktop answered; error says why in
    // the user's words.
    void registrationFailed(const QString& error);
};
