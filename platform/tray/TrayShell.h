#pragma once

#include <QObject>

class QAction;
class QMenu;
struct NotifyIconData;

// Notification codes the shell reports about the icon (mouse messages and balloon events).
namespace TrayCode
{
constexpr int MouseMove = 512;
constexpr int LeftButtonDown = 513;
constexpr int LeftButtonUp = 514;
constexpr int LeftDoubleClick = 515;
constexpr int RightButtonDown = 516;
constexpr int RightButtonUp = 517;
constexpr int RightDoubleClick = 518;
constexpr int BalloonShow = 1026;
constexpr int BalloonHide = 1027;
constexpr int BalloonTimeOut = 1028;
constexpr int BalloonClicked = 1029;
} // namespace TrayCode

// The notification-area shell as the tray component sees it: one icon driven by a record,
// the operating-system version, and a blocking pop-up menu. One implementation on Qt; tests
// use FakeTrayShell.
class TrayShell : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~TrayShell() override = default;

    // The operating-system version word: low byte major, next byte minor, top bit set for
    // the non-NT family.
    virtual quint32 versionWord() const = 0;

    // Add, modify, delete or set the version of the icon (NotifyIcon::Add …) from the
    // record's fields named in uFlags. False when the shell refused the command (a modify
    // or delete with no icon, a second add, an unknown command).
    virtual bool notifyIcon(int command, const NotifyIconData& record) = 0;

    // Makes the application foreground so a pop-up menu closes when the user clicks away.
    virtual void setForegroundWindow() = 0;
    // Whether the desktop shows a notification area at all, now.
    virtual bool isAvailable() const = 0;

    // Shows menu at the cursor with defaultItem (may be null) in bold, and returns when the
    // menu has closed: the chosen action, which has been triggered, or null when none was.
    virtual QAction* popupMenu(QMenu* menu, QAction* defaultItem) = 0;
    // The menu for a tray that shows it itself (a tray on D-Bus): there no right click
    // reaches the program, and the menu is read while the icon lives.
    virtual void offerMenu(QMenu* menu) { Q_UNUSED(menu) }

signals:
    // The shell's report about the icon: one of the TrayCode values. Never emitted from
    // inside a call to this object, so a receiver may delete the icon.
    void notification(int code);
};
