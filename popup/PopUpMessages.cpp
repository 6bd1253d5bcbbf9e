#include "PopUpMessages.h"

#include "APITimer.h"
#include "PopUpMessage.h"
#include "modTimers.h"
#include "platform/screen/modFunctions.h"
#include "platform/screen/modSound.h"

#include <algorithm>

namespace {
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
    const auto found = std::find_if(
        m_items.begin(), m_items.end(), [&](const Entry& entry) { return entry.popUp.get() == &PopUp; });
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

bool PopUpMessages::capacity(int& result) const
{
    // A zero size would divide by zero: the tick ends here and the next one tries again.
    switch (m_popUpDirection) {
    case 0:
        if (m_messageHeight == 0)
            return false;
        result = m_yPos / m_messageHeight;
        break;
    case 1:
        if (m_messageHeight == 0)
            return false;
        result = (GetWindowHeightTwips(m_parentHandle, *m_services.screen) - m_yPos) / m_messageHeight;
        break;
    case 2:
    case 4:
        if (m_messageWidth == 0)
            return false;
        result = m_xPos / m_messageWidth;
        break;
    case 3:
        if (m_messageWidth == 0)
            return false;
        result = (GetWindowWidthTwips(m_parentHandle, *m_services.screen) - m_xPos) / m_messageWidth;
        break;
    default:
        // An unknown direction has no geometry; its pop-ups still run their course unseen
        // rather than keeping the timer alive for ever.
        result = 0;
        break;
    }
    return true;
}

void PopUpMessages::placeAt(PopUpMessage& popUp, int& edge) const
{
    const Screen& screen = *m_services.screen;
    const bool vertical = m_popUpDirection == 0 || m_popUpDirection == 1;
    const int full = vertical ? m_messageHeight : m_messageWidth;
    const int rounded = RoundHalfEven(popUp.Percent() / kFull * full);
    const int extent = vertical ? FloorToPixelY(rounded, screen) : FloorToPixelX(rounded, screen);
    switch (m_popUpDirection) {
    case 0:
        popUp.PlaceWindow(m_xPos, edge - extent, m_messageWidth, extent);
        edge -= extent;
        break;
    case 1:
        popUp.PlaceWindow(m_xPos, edge, m_messageWidth, extent);
        edge += extent;
        break;
    case 2:
    case 4:
        popUp.PlaceWindow(edge - extent, m_yPos, extent, m_messageHeight);
        edge -= extent;
        break;
    case 3:
        popUp.PlaceWindow(edge, m_yPos, extent, m_messageHeight);
        edge += extent;
        break;
    default:
        break;
    }
}

void PopUpMessages::AnimatePopups()
{
    const qint64 now = m_services.clock->now();
    int limit = 0;
    if (!capacity(limit))
        return;
    limit = std::min(limit, Count());
    const Screen& screen = *m_services.screen;
    int edge = (m_popUpDirection == 0 || m_popUpDirection == 1) ? FloorToPixelY(m_yPos, screen)
                                                                 : FloorToPixelX(m_xPos, screen);

    // Unloading a pop-up removes it from the collection in the middle of the pass, so the
    // pass walks a copy and skips whatever has left the collection meanwhile.
    const std::vector<Entry> pass = m_items;
    int visited = 0;
    for (const Entry& entry : pass) {
        PopUpMessage& popUp = *entry.popUp;
        if (!contains(&popUp) || popUp.Disconnected())
            continue;
        ++visited;

        if (popUp.Percent() == 100 && !popUp.CloseRequested()) {
            if (IsCursorOverWindow(popUp.WindowHandle(), screen, *m_services.cursor)) {
                // Hovering holds the pop-up; once the pointer leaves it has half the delay.
                const double half = m_showDelay / 2.0;
                if (double(now - popUp.ShownTick()) > half)
                    popUp.setShownTick(RoundHalfEven(double(now) - half));
            } else {
                const bool held = now - popUp.ShownTick() <= m_showDelay
                    || (popUp.ProgressBar() && popUp.Value() < 100) || popUp.Sticky();
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

        placeAt(popUp, edge);
        if (popUp.IsFinished())
            popUp.UnloadWindow();
        if (visited == limit)
            break;
    }

    if (m_allowFading) {
        for (const Entry& entry : m_items)
            entry.popUp->ApplyFade();
    }
    if (visited == 0)
        StopScheduler();
}
