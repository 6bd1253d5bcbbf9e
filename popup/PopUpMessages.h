#pragma once

#include "PopUpServices.h"
#include "PopUpSettings.h"

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>

#include <memory>
#include <utility>
#include <vector>

class APITimer;
class PopUpFontSource;
class PopUpMessage;

// The notification engine: an ordered collection of pop-ups, animated by one timer that
// runs only while something animates. Pop-ups grow out of an anchor edge, stack away from
// it, stay for ShowDelay ms, retract, and leave the collection when they have gone.
// Geometry is in twips, times in ms. GUI thread only.
//
// Direction codes: 0 grows up from YPos (bottom edge), 1 down from YPos (top edge), 2 and 4
// left from XPos (right edge), 3 right from XPos (left edge).
//
// The area is the parent window's client area when ParentHandle is set, else the work area.
// Stacks never leave it: a pop-up whose full extent no longer fits between the anchor and
// the area's far edge waits (the first one always goes), and across the stacking axis a
// pop-up is moved back inside. A pop-up taller than MessageHeight (its text needs more
// room) takes its own height, in the stack and across it.
class PopUpMessages : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDefaultMessageSize = PopUpSettings::kWidth.defaultValue;
    static constexpr int kDefaultShowDelay = PopUpSettings::kShowDelay.defaultValue;
    static constexpr int kDefaultScrollDelay = PopUpSettings::kScrollDelay.defaultValue;
    static constexpr int kDefaultMovementIndex = PopUpSettings::kMovementIndex.defaultValue;

    // XPos and YPos start at the work area's right edge less the width, and its bottom.
    explicit PopUpMessages(PopUpServices services, int messageWidth = kDefaultMessageSize,
        int messageHeight = kDefaultMessageSize, QObject* parent = nullptr);
    // Unloads the window of every pop-up still in the collection.
    ~PopUpMessages() override;

    // The pop-up at a 1-based position, or under its key "<window handle>K"; nullptr when
    // none matches.
    std::shared_ptr<PopUpMessage> Item(int Index) const;
    std::shared_ptr<PopUpMessage> Item(const QString& Index) const;
    // All pop-ups in the collection, the ones dragged away included.
    int Count() const { return int(m_items.size()); }

    // Adds the pop-up, collapsed at the anchor, starts the scheduler and takes the pop-up's
    // first step at once (when there is room for it), so its window is mapped before the
    // first tick. A pop-up that is already shown starts retracting instead. nullptr is
    // ignored.
    void Show(const std::shared_ptr<PopUpMessage>& PopUp);

    int PopUpDirection() const { return m_popUpDirection; }
    void setPopUpDirection(int direction) { m_popUpDirection = direction; }
    int ShowDelay() const { return m_showDelay; }
    void setShowDelay(int delay) { m_showDelay = delay; }
    int ScrollDelay() const { return m_scrollDelay; }
    // Restarts a running scheduler at the new interval; an idle one starts no timer.
    void setScrollDelay(int delay);
    int MovementIndex() const { return m_movementIndex; }
    void setMovementIndex(int percent) { m_movementIndex = percent; }
    int MessageWidth() const { return m_messageWidth; }
    void setMessageWidth(int width) { m_messageWidth = width; }
    int MessageHeight() const { return m_messageHeight; }
    void setMessageHeight(int height) { m_messageHeight = height; }
    int XPos() const { return m_xPos; }
    void setXPos(int x) { m_xPos = x; }
    int YPos() const { return m_yPos; }
    void setYPos(int y) { m_yPos = y; }
    // nullptr: pop-ups are desktop windows. Otherwise they become children of this window
    // and XPos, YPos are in its client coordinates. Not owned.
    QWidget* ParentHandle() const { return m_parentHandle; }
    void setParentHandle(QWidget* window) { m_parentHandle = window; }
    bool AllowFading() const { return m_allowFading; }
    void setAllowFading(bool allow) { m_allowFading = allow; }

    // Anchors the stack in a corner of the area, flush with its edges, for the current
    // direction, size and parent. The direction names the edge the pop-ups come in from
    // (0 bottom, 1 top, 2 and 3 right and left); top and left choose the corner along that
    // edge, and the one on the direction's own axis is ignored. 4 is 2 at the bottom.
    // Call it again after changing any of those. An unknown direction changes nothing.
    void placeInCorner(bool top, bool left);

    const PopUpServices& services() const { return m_services; }
    // The options window's font choices for new pop-ups; nullptr keeps the window font.
    void setFontSource(const PopUpFontSource* fonts) { m_services.fonts = fonts; }
    // Whether the animation timer exists.
    bool IsSchedulerRunning() const { return mobjTimer != nullptr; }
    // The running scheduler's tick interval in ms; -1 while idle.
    int SchedulerInterval() const;

    // One tick of the animation. Called by the timer; public so it can be stepped.
    void AnimatePopups();

    // For PopUpMessage: removes a member by its window's key and stops the scheduler when
    // the collection is left empty. False when the pop-up is not a member.
    bool RemovePopUp(const PopUpMessage& PopUp);
    // For PopUpMessage: raises PopupMessageClicked.
    void RaiseClicked(PopUpMessage* PopUp);

signals:
    // The user clicked the message text of a clickable pop-up. The pointer is valid for the
    // duration of the call.
    void PopupMessageClicked(PopUpMessage* PopUp);

private:
    struct Entry {
        QString key;
        std::shared_ptr<PopUpMessage> popUp;
    };

    void mobjTimer_Refresh();
    void StartScheduler();
    void StopScheduler();
    void UnloadAllPopups();
    bool contains(const PopUpMessage* popUp) const;
    struct Edges {
        int left;
        int top;
        int right;
        int bottom;
    };
    // The area in twips: the parent's client area, or the work area.
    Edges area() const;
    bool vertical() const { return m_popUpDirection == 0 || m_popUpDirection == 1; }
    // Twips between the anchor and the area's far edge along the stacking axis.
    int room(const Edges& area) const;
    // The pop-up's full size: its own in the configured one, or taller when its text needs it.
    QSize fullSize(const PopUpMessage& popUp) const;
    // The full extent along the stacking axis, in whole pixels (as twips).
    int fullExtent(const PopUpMessage& popUp) const;
    // Moves the pop-up's window to the edge for its extent (unless move is false) and moves
    // the edge past it.
    void placeAt(PopUpMessage& popUp, int& edge, const Edges& area, bool move) const;
    // One pass; with only set, just that pop-up steps and the others keep their place.
    void animate(const PopUpMessage* only);

    PopUpServices m_services;
    int m_popUpDirection = 0;
    int m_showDelay = kDefaultShowDelay;
    int m_scrollDelay = kDefaultScrollDelay;
    int m_movementIndex = kDefaultMovementIndex;
    int m_messageWidth;
    int m_messageHeight;
    int m_xPos;
    int m_yPos;
    // Whether pop-ups narrower or shorter than the stack keep to its right or bottom side.
    bool m_farSide = true;
    QPointer<QWidget> m_parentHandle;
    bool m_allowFading = false;

    std::vector<Entry> m_items;
    std::unique_ptr<APITimer> mobjTimer;
};
