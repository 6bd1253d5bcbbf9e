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
// (X11, Windows, a null one elsewhere); tests use FakeHotKeyRegistrar.
//
// Every call and signal happens on the GUI thread.
class HotKeyRegistrar : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~HotKeyRegistrar() override = default;

    // The registrar for this session: X11 when the application runs on an X display,
    // Windows on Windows, otherwise one whose isAvailable() is false. Never null.
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

signals:
    // A registered combination was pressed, whatever the state of Caps Lock and Num Lock.
    void hotKeyPressed(int id);
};
