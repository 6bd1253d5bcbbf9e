#include "QtTrayShell.h"

#include "NotifyIconData.h"
#include "TrayActivation.h"
#include "TrayOnDBus.h"
#include "platform/desktop/Desktop.h"
#include "platform/notifications/DesktopNotifications.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMenu>

#include <utility>

namespace
{

constexpr quint32 kNt40 = 0x0004;
constexpr quint32 kNt50 = 0x0005;
// The shell's bounds on a balloon's time. A notification server keeps one that asks no time
// at all until the user closes it.
constexpr quint32 kBalloonMinMs = 10000;
constexpr quint32 kBalloonMaxMs = 30000;

QSystemTrayIcon::MessageIcon messageIcon(quint32 infoFlags)
{
    switch (infoFlags & NotifyIcon::InfoIconMask) {
    case NotifyIcon::InfoInformation:
        return QSystemTrayIcon::Information;
    case NotifyIcon::InfoWarning:
        return QSystemTrayIcon::Warning;
    case NotifyIcon::InfoError:
        return QSystemTrayIcon::Critical;
    default:
        return QSystemTrayIcon::NoIcon;
    }
}

} // namespace

QtTrayShell::QtTrayShell(const Desktop& desktop, QObject* parent)
    : TrayShell(parent)
    , m_desktop(desktop)
{
    // An icon that outlives the event loop can outlive the application object too, and
    // then crashes the exit; take it away when the loop ends, whoever owns this shell.
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, [this] {
            m_added = false;
            delete std::exchange(m_icon, nullptr);
        });
}

QtTrayShell::~QtTrayShell()
{
    delete m_icon;
}

quint32 QtTrayShell::versionWord() const
{
    return QSystemTrayIcon::supportsMessages() ? kNt50 : kNt40;
}

bool QtTrayShell::notifyIcon(int command, const NotifyIconData& record)
{
    switch (command) {
    case NotifyIcon::Add:
        if (m_added)
            return false;
        if (!m_icon)
            createIcon();
        m_added = true;
        apply(record);
        return true;
    case NotifyIcon::Modify:
        if (!m_added)
            return false;
        apply(record);
        return true;
    case NotifyIcon::Delete:
        if (!m_added)
            return false;
        m_added = false;
        delete std::exchange(m_icon, nullptr);
        return true;
    case NotifyIcon::SetVersion:
        // Qt's icon has one behaviour; there is no older one to opt out of.
        return m_added;
    default:
        return false;
    }
}

void QtTrayShell::showAtOnce(const QIcon& icon)
{
    if (m_icon || icon.isNull())
        return;
    createIcon();
    m_icon->setIcon(icon);
    m_icon->show();
}

void QtTrayShell::createIcon()
{
    m_icon = new QSystemTrayIcon;
    // Asked now, as Qt has just asked for its first icon, so that both agree for good.
    const bool onDBus = trayOnDBus();
    if (m_menu && onDBus)
        m_icon->setContextMenu(m_menu);
    // Queued: the receiver may open a blocking menu or delete the icon, neither of which
    // is safe inside the icon's own mouse handling.
    connect(m_icon, &QSystemTrayIcon::activated, this, &QtTrayShell::reportActivation, Qt::QueuedConnection);
    connect(
        m_icon, &QSystemTrayIcon::messageClicked, this, [this] { emit notification(TrayCode::BalloonClicked); },
        Qt::QueuedConnection);
}

void QtTrayShell::setForegroundWindow()
{
    // Nothing to do: QMenu grabs the pointer itself and closes on a click elsewhere, which
    // is all the foreground switch achieves for a shell menu.
}

bool QtTrayShell::isAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

QAction* QtTrayShell::popupMenu(QMenu* menu, QAction* defaultItem)
{
    menu->setDefaultAction(defaultItem);
    return menu->exec(QCursor::pos());
}

void QtTrayShell::offerMenu(QMenu* menu)
{
    m_menu = menu;
    if (m_icon && trayOnDBus())
        m_icon->setContextMenu(menu);
}

void QtTrayShell::apply(const NotifyIconData& record)
{
    if (record.uFlags & NotifyIcon::FlagTip)
        m_icon->setToolTip(record.tipText());
    if (record.uFlags & NotifyIcon::FlagIcon)
        m_icon->setIcon(m_desktop.icon(record.hIcon));
    // An icon slot without a picture is an empty gap in the tray (and a Qt warning), so the
    // icon appears with its first picture.
    if (!m_icon->isVisible() && !m_icon->icon().isNull())
        m_icon->show();
    if (record.uFlags & NotifyIcon::FlagInfo)
        showBalloon(record);
}

void QtTrayShell::showBalloon(const NotifyIconData& record)
{
    // An empty message takes the balloon on show away.
    const QString message = record.infoText();
    const int timeoutMs = int(qBound(kBalloonMinMs, record.uTimeoutOrVersion, kBalloonMaxMs));
    if (m_balloons && trayOnDBus()) {
        if (message.isEmpty())
            m_balloons->withdraw();
        else
            m_balloons->show(record.infoTitleText(), message, QImage(), timeoutMs);
        return;
    }
    m_icon->showMessage(
        message.isEmpty() ? QString() : record.infoTitleText(), message, messageIcon(record.dwInfoFlags), timeoutMs);
}

void QtTrayShell::reportActivation(QSystemTrayIcon::ActivationReason reason)
{
    // A receiver of the first code (the right-button press opens the menu, whose Exit ends
    // the program) may delete this shell before the second is due.
    const QPointer<QtTrayShell> alive(this);
    if (trayOnDBus())
        reason = fromTrayOnDBus(reason, m_lastActivate);
    for (const int code : notificationCodesFor(reason)) {
        if (!alive)
            return;
        emit notification(code);
    }
}
