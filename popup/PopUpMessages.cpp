#include "PopUpMessages.h"

#include "APITimer.h"
#include "PopUpMessage.h"
#include "modTimers.h"
#include "platform/screen/modFunctions.h"
#include "platform/screen/modSound.h"

#include <algorithm>
#include <limits>

namespace
{
constexpr double kFull = 100.0;

QString keyOf(const QWidget* window)
{
    return QString::number(reinterpret_cast<quintptr>(window)) + QLatin1Char('K');
}
}

PopUpMessages::PopUpMessages(PopUpServices services, int messageWidth, int messageHeight, QObject* parent)
    : QObject(parent)
    , m_services(services)
    , m_messageWidth(messageWidth)
    , m_messageHeight(messageHeight)
    , m_xPos(GetWorkAreaRight(*services.screen) - messageWidth)
    , m_yPos(GetWorkAreaBottom(*services.screen))
{
}

PopUpMessages::~PopUpMessages()
{
    UnloadAllPopups();
    StopScheduler();
}

std::shared_ptr<PopUpMessage> PopUpMessages::Item(int Index) const
{
    if (Index < 1 || Index > Count())
        return nullptr;
    return m_items[std::size_t(Index - 1)].popUp;
}

std::shared_ptr<PopUpMessage> PopUpMessages::Item(const QString& Index) const
{
    const auto found
        = std::find_if(m_items.cbegin(), m_items.cend(), [&](const Entry& entry) { return entry.key == Index; });
    return found == m_items.cend() ? nullptr : found->popUp;
}

void PopUpMessages::Show(const std::shared_ptr<PopUpMessage>& PopUp)
{
    if (!PopUp)
        return;
    if (PopUp->Visible()) {
        PopUp->ClosePopUp();
        return;
    }
    PopUp->CreateWindow(*this);
    m_items.push_back({ keyOf(PopUp->WindowHandle()), PopUp });
    StartScheduler();
    // The first frame goes out now rather than a ScrollDelay later; the pop-ups already
    // moving keep their pace.
    animate(PopUp.get());
}

void PopUpMessages::setScrollDelay(int delay)
{
    if (delay == m_scrollDelay)
        return;
    m_scrollDelay = delay;
    if (mobjTimer) {
        mobjTimer->StopTimer();
        mobjTimer->StartTimer(m_scrollDelay);
    }
}

bool PopUpMessages::RemovePopUp(const PopUpMessage& PopUp)
{
    // Found by identity rather than by the window's key: a window its host destroyed has
    // no handle left to make the key from.
    const auto found
        = std::find_if(m_items.begin(), m_items.end(), [&](const Entry& entry) { return entry.popUp.get() == &PopUp; });
    if (found == m_items.end())
        return false;
    // Keep the pop-up alive until the removal is complete; its owner may be the entry.
    const std::shared_ptr<PopUpMessage> removed = found->popUp;
    m_items.erase(found);
    if (m_items.empty())
        StopScheduler();
    return true;
}

int PopUpMessages::SchedulerInterval() const
{
    return mobjTimer ? ApiTimerInterval(*mobjTimer) : -1;
}

void PopUpMessages::RaiseClicked(PopUpMessage* PopUp)
{
    emit PopupMessageClicked(PopUp);
}

void PopUpMessages::mobjTimer_Refresh()
{
    AnimatePopups();
}

void PopUpMessages::StartScheduler()
{
    if (mobjTimer)
        return;
    mobjTimer = std::make_unique<APITimer>();
    connect(mobjTimer.get(), &APITimer::Refresh, this, &PopUpMessages::mobjTimer_Refresh);
    mobjTimer->StartTimer(m_scrollDelay);
}

void PopUpMessages::StopScheduler()
{
    if (!mobjTimer)
        return;
    mobjTimer->StopTimer();
    // Qt copes with a sender destroyed while its signal is being delivered, which is the
    // case when the last pop-up goes during a tick.
    mobjTimer.reset();
}

void PopUpMessages::UnloadAllPopups()
{
    while (!m_items.empty()) {
        const std::shared_ptr<PopUpMessage> popUp = m_items.front().popUp;
        popUp->UnloadWindow();
        // A window that was already gone cannot remove its pop-up.
        if (!m_items.empty() && m_items.front().popUp == popUp)
            m_items.erase(m_items.begin());
    }
}

bool PopUpMessages::contains(const PopUpMessage* popUp) const
{
    return std::any_of(
        m_items.cbegin(), m_items.cend(), [popUp](const Entry& entry) { return entry.popUp.get() == popUp; });
}

void PopUpMessages::placeInCorner(bool top, bool left)
{
    const Edges a = area();
    switch (m_popUpDirection) {
    case 0:
    case 1:
        m_xPos = left ? a.left : a.right - m_messageWidth;
        m_yPos = m_popUpDirection == 0 ? a.bottom : a.top;
        m_farSide = !left;
        break;
    case 2:
    case 3:
    case 4:
        m_xPos = m_popUpDirection == 3 ? a.left : a.right;
        m_yPos = top && m_popUpDirection != 4 ? a.top : a.bottom - m_messageHeight;
        m_farSide = !top || m_popUpDirection == 4;
        break;
    default:
        break;
    }
}

PopUpMessages::Edges PopUpMessages::area() const
{
    const Screen& screen = *m_services.screen;
    if (m_parentHandle)
        return { 0, 0, GetWindowWidthTwips(m_parentHandle, screen), GetWindowHeightTwips(m_parentHandle, screen) };
    const QRect work = screen.workArea();
    return { RoundHalfEven(work.x() * TwipsPerPixelX(screen)), RoundHalfEven(work.y() * TwipsPerPixelY(screen)),
        GetWorkAreaRight(screen), GetWorkAreaBottom(screen) };
}

int PopUpMessages::room(const Edges& a) const
{
    switch (m_popUpDirection) {
    case 0:
        return m_yPos - a.top;
    case 1:
        return a.bottom - m_yPos;
    case 2:
    case 4:
        return m_xPos - a.left;
    case 3:
        return a.right - m_xPos;
    // An unknown direction has no geometry; its pop-ups still run their course unseen
    // rather than keeping the timer alive for ever.
    default:
        return std::numeric_limits<int>::max();
    }
}

QSize PopUpMessages::fullSize(const PopUpMessage& popUp) const
{
    const QSize own = popUp.SizeIn(m_messageWidth, m_messageHeight);
    return { own.width(), std::max(own.height(), popUp.ContentHeight()) };
}

int PopUpMessages::fullExtent(const PopUpMessage& popUp) const
{
    const QSize full = fullSize(popUp);
    return vertical() ? FloorToPixelY(full.height(), *m_services.screen)
                      : FloorToPixelX(full.width(), *m_services.screen);
}

void PopUpMessages::placeAt(PopUpMessage& popUp, int& edge, const Edges& a, bool move) const
{
    const Screen& screen = *m_services.screen;
    const QSize full = fullSize(popUp);
    const int rounded = RoundHalfEven(popUp.Percent() / kFull * (vertical() ? full.height() : full.width()));
    const int extent = vertical() ? FloorToPixelY(rounded, screen) : FloorToPixelX(rounded, screen);
    // Across the stack a pop-up stays inside the area; one anchored at the far side (a
    // bottom corner) grows away from it when its text makes it taller.
    const auto inside
        = [](int start, int size, int low, int high) { return std::max(low, std::min(start, high - size)); };
    // One smaller than the stack (a picture in its own shape) keeps to the stack's corner.
    const int x = inside(m_farSide ? m_xPos + m_messageWidth - full.width() : m_xPos, full.width(), a.left, a.right);
    const int y = inside(m_farSide ? m_yPos + m_messageHeight - full.height() : m_yPos, full.height(), a.top, a.bottom);
    if (!move) {
        edge += m_popUpDirection == 0 || m_popUpDirection == 2 || m_popUpDirection == 4 ? -extent : extent;
        return;
    }
    switch (m_popUpDirection) {
    case 0:
        popUp.PlaceWindow(x, edge - extent, full.width(), extent);
        edge -= extent;
        break;
    case 1:
        popUp.PlaceWindow(x, edge, full.width(), extent);
        edge += extent;
        break;
    case 2:
    case 4:
        popUp.PlaceWindow(edge - extent, y, extent, full.height());
        edge -= extent;
        break;
    case 3:
        popUp.PlaceWindow(edge, y, extent, full.height());
        edge += extent;
        break;
    default:
        break;
    }
}

void PopUpMessages::AnimatePopups()
{
    animate(nullptr);
}

void PopUpMessages::animate(const PopUpMessage* only)
{
    const qint64 now = m_services.clock->now();
    // A zero size cannot be shown: the tick ends here and the next one tries again.
    if (m_messageWidth <= 0 || m_messageHeight <= 0)
        return;
    const Screen& screen = *m_services.screen;
    const Edges bounds = area();
    const int limit = room(bounds);
    int used = 0;
    int edge = vertical() ? FloorToPixelY(m_yPos, screen) : FloorToPixelX(m_xPos, screen);

    // Unloading a pop-up removes it from the collection in the middle of the pass, so the
    // pass walks a copy and skips whatever has left the collection meanwhile.
    const std::vector<Entry> pass = m_items;
    int visited = 0;
    for (const Entry& entry : pass) {
        PopUpMessage& popUp = *entry.popUp;
        if (!contains(&popUp) || popUp.Disconnected())
            continue;
        // Those beyond the room wait, at size zero and silent, until room is free.
        used += fullExtent(popUp);
        if (visited > 0 && used > limit)
            break;
        ++visited;
        if (only && &popUp != only) {
            placeAt(popUp, edge, bounds, false);
            continue;
        }

        if (popUp.Percent() == 100 && !popUp.CloseRequested()) {
            if (IsCursorOverWindow(popUp.WindowHandle(), screen, *m_services.cursor)) {
                // Hovering holds the pop-up; once the pointer leaves it has half the delay.
                const double half = m_showDelay / 2.0;
                if (double(now - popUp.ShownTick()) > half)
                    popUp.setShownTick(RoundHalfEven(double(now) - half));
            } else {
                const bool held = now - popUp.ShownTick() <= m_showDelay || (popUp.ProgressBar() && popUp.Value() < 100)
                    || popUp.Sticky();
                if (!held)
                    popUp.setPercent(popUp.Percent() - m_movementIndex);
            }
        } else if (popUp.CloseRequested() || popUp.FullyShown()) {
            if (popUp.Percent() > 0)
                popUp.setPercent(popUp.Percent() - m_movementIndex);
        } else {
            if (popUp.Percent() == 0)
                PlayWaveFile(popUp.WavFile(), *m_services.sound);
            popUp.setPercent(popUp.Percent() + m_movementIndex);
        }

        if (popUp.CloseRequested() || popUp.FullyShown()) {
            if (popUp.Percent() < 0)
                popUp.setPercent(0);
        } else if (popUp.Percent() >= 100) {
            popUp.setPercent(100);
            popUp.setFullyShown(true);
            popUp.setShownTick(now);
        }

        placeAt(popUp, edge, bounds, true);
        if (popUp.IsFinished())
            popUp.UnloadWindow();
    }

    if (m_allowFading) {
        for (const Entry& entry : m_items)
            entry.popUp->ApplyFade();
    }
    if (visited == 0)
        StopScheduler();
}
