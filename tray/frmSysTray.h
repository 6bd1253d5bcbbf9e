#pragma once

#include "SysTrayOwner.h"
#include "TrayMenuArray.h"
#include "platform/desktop/Desktop.h"
#include "platform/tray/NotifyIconData.h"
#include "platform/tray/TrayShell.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QWidget;

// The notification-area component: the icon, its tooltip and balloons, and the tray menu.
// It turns the shell's notifications into signals and menu choices into MenuClick; it knows
// nothing about the player except that the rating items call the owner's updaterating.
//
// The shell and the owner must outlive the component. Every call and signal happens on the
// GUI thread; signals are emitted synchronously, and a receiver may delete the component
// from any of them.
class frmSysTray : public QObject
{
    Q_OBJECT
public:
    // Load: reads balloon support from the version word, prepares the record and adds the
    // icon (and sets the shell version when balloons are supported).
    frmSysTray(TrayShell& shell, SysTrayOwner& owner, QObject* parent = nullptr);
    // Unload: deletes the icon.
    ~frmSysTray() override;

    // Shows a balloon for ten seconds whatever lTimeOutMs says; nothing without balloon
    // support. The message is cut at 255 characters, the title at 63; an empty text keeps
    // the previous one, and a message of one NUL character takes the balloon down.
    void ShowBalloonTip(const QString& sMessage, const QString& sTitle = QString(), int eIcon = 0, int lTimeOutMs = 0);

    // The tooltip last set, up to its first NUL.
    QString ToolTip() const;
    // Cut at 127 characters (63 without balloon support); "" keeps the previous tooltip.
    void SetToolTip(const QString& sTip);

    IconId IconHandle() const;
    // Shows the icon behind hIcon; the handle already shown makes no shell call.
    void SetIconHandle(IconId hIcon);

    // Append an element to the playlist submenu or to the main menu and return its index.
    // The first call fills the hidden element 0; bDefault makes the new index the default.
    int AddPlayList(const QString& sCaption, const QString& sKey = QString(), bool bDefault = false);
    int AddMenuItem(const QString& sCaption, const QString& sKey = QString(), bool bDefault = false);
    // Empties the playlist submenu, so that the next AddPlayList fills element 0 again.
    void ClearPlayLists();

    // The main-menu element operations ignore an invalid index.
    void EnableMenuItem(int lIndex, bool bState);
    // Following elements move down one place (caption and key) and the last is destroyed;
    // element 0 is only given an empty caption. Always returns 0.
    int RemoveMenuItem(int iIndex);

    int DefaultMenuIndex() const;
    // An invalid index sets 0.
    void SetDefaultMenuIndex(int lIndex);

    // Opens the menu at the cursor with the default item in bold. Returns when the menu has
    // closed; the chosen item's click has then been delivered.
    void ShowMenu();

    TrayMenuArray& mnuSysTray();
    TrayMenuArray& mnuPlayList();
    QAction* playlists() const;
    QAction* myrating() const;
    // None, one … five for stars 0..5; null for any other number.
    QAction* ratingItem(int stars) const;

    bool supportsBalloon() const;
    QMenu* mnuPopup() const;

signals:
    void SysTrayMouseDown(int eButton);
    void SysTrayMouseUp(int eButton);
    void SysTrayDoubleClick(int eButton);
    void MenuClick(int lIndex, const QString& sKey);
    void BalloonClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_MouseMove(int code);
    void mnuSysTray_Click(int index);
    void mnuPlayList_Click(int index);
    void rating_Click(int stars);
    void deliver(std::function<void()> click);

    void buildMenu();
    int addElement(TrayMenuArray& array, bool& created, const QString& sCaption, const QString& sKey, bool bDefault);
    bool ValidIndex(int i) const;
    quint32 NotifyDataSize() const;
    void storeTip(const QString& sTip);

    TrayShell& m_shell;
    SysTrayOwner& m_owner;

    bool m_bSupportsBalloon = false;
    bool m_bMenuCreated = false;
    bool m_bPlayListCreated = false;
    int m_lDefaultIndex = 0;
    NotifyIconData m_record;

    // The hidden window "Sys Tray Interface": never shown, it owns the menu tree.
    std::unique_ptr<QWidget> m_form;
    QMenu* m_mnuPopup = nullptr;
    QMenu* m_playlistsMenu = nullptr;
    QMenu* m_ratingMenu = nullptr;
    std::array<QAction*, 6> m_ratingItems {};
    std::unique_ptr<TrayMenuArray> m_mnuSysTray;
    std::unique_ptr<TrayMenuArray> m_mnuPlayList;

    // While the menu runs, a chosen item's click waits here until the menu has closed.
    bool m_bMenuOpen = false;
    std::function<void()> m_pendingClick;
};
