#include "frmSysTray.h"

#include "NotifyIconText.h"
#include "RatingStars.h"
#include "TrayNotification.h"
#include "player/RatingScale.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QWidget>

#include <utility>

namespace
{

const QString kCaption = QStringLiteral("Sys Tray Interface");
// The program's version information carries no file description, so the tip starts empty.
const QString kFileDescription;
// The icon's identifier with the shell; there is only ever one icon.
constexpr quint32 kIconId = 1;
constexpr quint32 kBalloonTimeoutMs = 10000;
// Balloons come with shell major version 5; Qt's shell says 5 where its icon can show
// messages and 4 where it cannot.
constexpr quint32 kBalloonMajor = 5;

} // namespace

frmSysTray::frmSysTray(TrayShell& shell, SysTrayOwner& owner, QObject* parent)
    : QObject(parent)
    , m_shell(shell)
    , m_owner(owner)
{
    buildMenu();
    m_shell.offerMenu(m_mnuPopup);
    connect(&m_shell, &TrayShell::notification, this, &frmSysTray::Form_MouseMove);

    m_bSupportsBalloon = (m_shell.versionWord() & 0xFF) >= kBalloonMajor;

    m_record = NotifyIconData::wideRecord();
    m_record.uID = kIconId;
    m_record.uFlags = NotifyIcon::FlagMessage | NotifyIcon::FlagIcon | NotifyIcon::FlagTip;
    m_record.uCallbackMessage = NotifyIcon::CallbackMessage;
    storeTip(kFileDescription);
    if (m_bSupportsBalloon)
        m_record.uTimeoutOrVersion = NotifyIcon::ShellVersion;
    m_record.cbSize = NotifyDataSize();
    m_shell.notifyIcon(NotifyIcon::Add, m_record);
    if (m_bSupportsBalloon)
        m_shell.notifyIcon(NotifyIcon::SetVersion, m_record);
}

frmSysTray::~frmSysTray()
{
    m_form->removeEventFilter(this);
    m_shell.notifyIcon(NotifyIcon::Delete, m_record);
}

void frmSysTray::buildMenu()
{
    m_form = std::make_unique<QWidget>();
    m_form->setWindowTitle(kCaption);
    m_form->installEventFilter(this);

    m_mnuPopup = new QMenu(QStringLiteral("&Popup"), m_form.get());
    // Named so accessibility tools and scripts can tell the open menu from pop-ups.
    m_mnuPopup->setWindowTitle(QStringLiteral("Bolvin menu"));
    // A disabled entry's tooltip says why the player does not allow it.
    m_mnuPopup->setToolTipsVisible(true);
    m_playlistsMenu = m_mnuPopup->addMenu(QStringLiteral("Play Lists"));
    m_mnuPlayList = std::unique_ptr<TrayMenuArray>(
        new TrayMenuArray(m_playlistsMenu, [this](int index) { mnuPlayList_Click(index); }));

    m_ratingMenu = m_mnuPopup->addMenu(QStringLiteral("My Rating"));
    for (int stars = 0; stars < int(m_ratingItems.size()); ++stars) {
        const QString caption
            = stars == 0 ? QStringLiteral("None") : ratingStarText(stars, m_ratingMenu->font()).trimmed();
        QAction* item = m_ratingMenu->addAction(caption);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, item, stars](bool checked) {
            // The owner keeps the marks in step with the track's rating; undo Qt's toggle.
            item->setChecked(!checked);
            rating_Click(stars);
        });
        m_ratingItems[stars] = item;
    }

    m_mnuSysTray
        = std::unique_ptr<TrayMenuArray>(new TrayMenuArray(m_mnuPopup, [this](int index) { mnuSysTray_Click(index); }));
}

bool frmSysTray::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_form.get() && event->type() == QEvent::Close) {
        // The window is never shown, so only the system asks it to close: refuse, but take
        // the icon away as the end of the session expects.
        event->ignore();
        m_shell.notifyIcon(NotifyIcon::Delete, m_record);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

quint32 frmSysTray::NotifyDataSize() const
{
    return m_bSupportsBalloon ? NotifyIcon::SizeWide : NotifyIcon::SizeWideV1;
}

void frmSysTray::storeTip(const QString& sTip)
{
    CopyStringToBytes(m_record.szTip, sTip, FieldByteSize(m_bSupportsBalloon));
}

void frmSysTray::Form_MouseMove(int code)
{
    const TrayNotification decoded = decodeNotification(code);
    switch (decoded.event) {
    case TrayEvent::None:
        break;
    case TrayEvent::MouseDown:
        emit SysTrayMouseDown(decoded.button);
        break;
    case TrayEvent::MouseUp:
        emit SysTrayMouseUp(decoded.button);
        break;
    case TrayEvent::DoubleClick:
        emit SysTrayDoubleClick(decoded.button);
        break;
    case TrayEvent::BalloonClicked:
        emit BalloonClicked();
        break;
    }
}

void frmSysTray::ShowBalloonTip(const QString& sMessage, const QString& sTitle, int eIcon, int lTimeOutMs)
{
    // The shell is always asked for ten seconds; callers' own times are not honoured.
    Q_UNUSED(lTimeOutMs)
    if (!m_bSupportsBalloon)
        return;
    CopyStringToBytes(m_record.szInfo, sMessage, int(m_record.szInfo.size()));
    CopyStringToBytes(m_record.szInfoTitle, sTitle, int(m_record.szInfoTitle.size()));
    m_record.dwInfoFlags = quint32(eIcon) | NotifyIcon::InfoNoSound;
    m_record.uTimeoutOrVersion = kBalloonTimeoutMs;
    m_record.uFlags = NotifyIcon::FlagInfo;
    m_shell.notifyIcon(NotifyIcon::Modify, m_record);
}

QString frmSysTray::ToolTip() const
{
    return m_record.fieldText(m_record.szTip);
}

void frmSysTray::SetToolTip(const QString& sTip)
{
    storeTip(sTip);
    m_record.uFlags = NotifyIcon::FlagTip;
    m_shell.notifyIcon(NotifyIcon::Modify, m_record);
}

IconId frmSysTray::IconHandle() const
{
    return m_record.hIcon;
}

void frmSysTray::SetIconHandle(IconId hIcon)
{
    if (hIcon == m_record.hIcon)
        return;
    m_record.hIcon = hIcon;
    m_record.uFlags = NotifyIcon::FlagIcon;
    m_shell.notifyIcon(NotifyIcon::Modify, m_record);
}

int frmSysTray::AddPlayList(const QString& sCaption, const QString& sKey, bool bDefault)
{
    return addElement(*m_mnuPlayList, m_bPlayListCreated, sCaption, sKey, bDefault);
}

int frmSysTray::AddMenuItem(const QString& sCaption, const QString& sKey, bool bDefault)
{
    return addElement(*m_mnuSysTray, m_bMenuCreated, sCaption, sKey, bDefault);
}

void frmSysTray::ClearPlayLists()
{
    TrayMenuArray& lists = *m_mnuPlayList;
    while (lists.upperBound() > 0)
        lists.unloadLast();
    lists.setVisible(0, false);
    lists.setCaption(0, QString());
    lists.setKey(0, QString());
    lists.setChecked(0, false);
    m_bPlayListCreated = false;
}

int frmSysTray::addElement(
    TrayMenuArray& array, bool& created, const QString& sCaption, const QString& sKey, bool bDefault)
{
    int index = 0;
    if (created)
        index = array.load();
    else
        created = true;
    array.setVisible(index, true);
    array.setKey(index, sKey);
    array.setCaption(index, sCaption);
    if (bDefault)
        m_lDefaultIndex = index;
    return index;
}

bool frmSysTray::ValidIndex(int i) const
{
    return i >= m_mnuSysTray->lowerBound() && i <= m_mnuSysTray->upperBound();
}

void frmSysTray::EnableMenuItem(int lIndex, bool bState)
{
    if (ValidIndex(lIndex))
        m_mnuSysTray->setEnabled(lIndex, bState);
}

int frmSysTray::RemoveMenuItem(int iIndex)
{
    if (!ValidIndex(iIndex))
        return 0;
    TrayMenuArray& items = *m_mnuSysTray;
    if (iIndex == 0) {
        items.setCaption(0, QString());
        return 0;
    }
    for (int j = iIndex + 1; j <= items.upperBound(); ++j) {
        items.setCaption(j - 1, items.caption(j));
        items.setKey(j - 1, items.key(j));
    }
    items.unloadLast();
    return 0;
}

int frmSysTray::DefaultMenuIndex() const
{
    return m_lDefaultIndex;
}

void frmSysTray::SetDefaultMenuIndex(int lIndex)
{
    m_lDefaultIndex = ValidIndex(lIndex) ? lIndex : 0;
}

void frmSysTray::ShowMenu()
{
    m_shell.setForegroundWindow();
    // A default index left behind by a removal names no element; the menu then has no
    // default rather than failing.
    QAction* defaultItem = ValidIndex(m_lDefaultIndex) ? m_mnuSysTray->action(m_lDefaultIndex) : nullptr;
    m_bMenuOpen = true;
    m_shell.popupMenu(m_mnuPopup, defaultItem);
    m_bMenuOpen = false;
    // Delivered after the menu is gone, so the owner may end the program (and delete this
    // component with its menu) from the click.
    if (auto click = std::exchange(m_pendingClick, nullptr))
        click();
}

void frmSysTray::deliver(std::function<void()> click)
{
    if (m_bMenuOpen)
        m_pendingClick = std::move(click);
    else
        click();
}

void frmSysTray::mnuSysTray_Click(int index)
{
    deliver([this, index] { emit MenuClick(index, m_mnuSysTray->key(index)); });
}

void frmSysTray::mnuPlayList_Click(int index)
{
    deliver([this, index] { emit MenuClick(index, m_mnuPlayList->key(index)); });
}

void frmSysTray::rating_Click(int stars)
{
    deliver([this, stars] { m_owner.updaterating(stars * RatingScale::kStarStep); });
}

TrayMenuArray& frmSysTray::mnuSysTray()
{
    return *m_mnuSysTray;
}

TrayMenuArray& frmSysTray::mnuPlayList()
{
    return *m_mnuPlayList;
}

QAction* frmSysTray::playlists() const
{
    return m_playlistsMenu->menuAction();
}

QAction* frmSysTray::myrating() const
{
    return m_ratingMenu->menuAction();
}

QAction* frmSysTray::ratingItem(int stars) const
{
    if (stars < 0 || stars >= int(m_ratingItems.size()))
        return nullptr;
    return m_ratingItems[stars];
}

bool frmSysTray::supportsBalloon() const
{
    return m_bSupportsBalloon;
}

QMenu* frmSysTray::mnuPopup() const
{
    return m_mnuPopup;
}
