#include "PopUpRig.h"

#include "popup/modTimers.h"

#include <QAbstractEventDispatcher>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>

namespace {

class SchedulerHolds : public PopUpRig {
protected:
    // Shows one pop-up and runs it to full extent (MovementIndex 50: two ticks).
    std::shared_ptr<PopUpMessage> showFully(std::shared_ptr<PopUpMessage> popUp)
    {
        popups->setMovementIndex(50);
        popups->Show(popUp);
        ticks(2);
        EXPECT_EQ(popUp->Percent(), 100);
        return popUp;
    }
};

TEST_F(SchedulerHolds, HoveringHoldsAndLeavingGivesHalfTheDelay)
{
    auto popUp = showFully(makePopUp());
    cursor.at = popUp->window()->geometry().center();
    for (int second = 0; second < 10; ++second) {
        clock.advance(1000);
        popups->AnimatePopups();
    }
    EXPECT_EQ(popUp->Percent(), 100);
    EXPECT_EQ(popUp->ShownTick(), clock.now() - 1500);

    cursor.at = QPoint(-1000, -1000);
    clock.advance(1500);
    popups->AnimatePopups();
    EXPECT_EQ(popUp->Percent(), 100) << "half the delay after leaving";
    clock.advance(1);
    popups->AnimatePopups();
    EXPECT_EQ(popUp->Percent(), 50);
}

TEST_F(SchedulerHolds, AShortHoverDoesNotShortenTheDelay)
{
    auto popUp = showFully(makePopUp());
    const qint64 shown = popUp->ShownTick();
    cursor.at = popUp->window()->geometry().center();
    clock.advance(1000);
    popups->AnimatePopups();
    EXPECT_EQ(popUp->ShownTick(), shown) << "within the first half nothing moves";
}

TEST_F(SchedulerHolds, StickyStaysUntilClosed)
{
    auto sticky = makePopUp();
    sticky->setSticky(true);
    showFully(sticky);
    clock.advance(60000);
    ticks(5);
    EXPECT_EQ(sticky->Percent(), 100);
    sticky->ClosePopUp();
    ticks(2);
    EXPECT_FALSE(sticky->Visible());
}

TEST_F(SchedulerHolds, AnUnfinishedProgressBarHolds)
{
    auto working = makePopUp();
    working->setProgressBar(true);
    working->setValue(99);
    showFully(working);
    clock.advance(10000);
    tick();
    EXPECT_EQ(working->Percent(), 100);
    working->setValue(100);
    tick();
    EXPECT_EQ(working->Percent(), 50);
}

TEST_F(SchedulerHolds, ClosingAWaitingPopUpEndsItWithoutSound)
{
    const QString wav = existingWav(QStringLiteral("online.wav"));
    auto popUp = makePopUp(wav);
    popups->Show(popUp);
    popUp->ClosePopUp();
    tick();
    EXPECT_FALSE(popUp->Visible());
    EXPECT_EQ(popups->Count(), 0);
    EXPECT_TRUE(sound.played.isEmpty());
}

TEST_F(SchedulerHolds, ClosingAGrowingPopUpRetractsFromWhereItIs)
{
    auto popUp = makePopUp();
    popups->setMovementIndex(30);
    popups->Show(popUp);
    ticks(2);
    popUp->ClosePopUp();
    tick();
    EXPECT_EQ(popUp->Percent(), 30);
    ticks(2);
    EXPECT_FALSE(popUp->Visible());
}

TEST_F(SchedulerHolds, DraggedPopUpsAreLeftAloneButStillCounted)
{
    popups->setShowDelay(0);
    auto dragged = showFully(makePopUp());
    auto other = makePopUp();
    popups->Show(other);
    QLabel* message = dragged->window()->lblMessage();
    const auto send = [message](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), message->mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(message, &event);
    };
    send(QEvent::MouseButtonPress, { 2, 2 }, Qt::LeftButton);
    send(QEvent::MouseMove, { 40, 30 }, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, { 40, 30 }, Qt::NoButton);
    ASSERT_TRUE(dragged->Disconnected());
    const QRect droppedAt = dragged->window()->geometry();

    tick();
    EXPECT_EQ(other->window()->geometry().bottom() + 1, 800) << "the dragged one takes no room";
    clock.advance(10000);
    dragged->ClosePopUp();
    ticks(4);
    EXPECT_EQ(dragged->Percent(), 100) << "neither timed nor closed by the scheduler";
    EXPECT_EQ(dragged->window()->geometry(), droppedAt);
    EXPECT_FALSE(other->Visible());
    EXPECT_EQ(popups->Count(), 1);
    EXPECT_FALSE(popups->IsSchedulerRunning()) << "no connected pop-up left";
}

TEST_F(SchedulerHolds, FadingFollowsThePercent)
{
    popups->setAllowFading(true);
    auto popUp = makePopUp();
    popups->Show(popUp);
    ticks(4);
    QList<int> alphas;
    for (const auto& call : translucency.calls)
        alphas.append(call.second);
    EXPECT_EQ(alphas, (QList<int> { 13, 26, 38, 51 }));
    EXPECT_EQ(translucency.calls.front().first, popUp->WindowHandle());

    popups->setAllowFading(false);
    tick();
    EXPECT_EQ(translucency.calls.size(), 4);
}

TEST_F(SchedulerHolds, ScrollDelayRestartsOnlyARunningScheduler)
{
    popups->setScrollDelay(45);
    EXPECT_FALSE(popups->IsSchedulerRunning());
    EXPECT_FALSE(TimerRegistryExists()) << "an idle engine starts no timer";
    auto popUp = makePopUp();
    popups->Show(popUp);
    EXPECT_EQ(popups->SchedulerInterval(), 45);
    popups->setScrollDelay(60);
    EXPECT_EQ(popups->SchedulerInterval(), 60);
}

// The one test on the real timer: it must run the pop-up to its end and then fall silent.
TEST_F(SchedulerHolds, AnIdleEngineHasNoTimerEvents)
{
    constexpr int kLimitMs = 5000;
    popups->setScrollDelay(1);
    popups->setMovementIndex(100);
    popups->setShowDelay(0);
    auto popUp = makePopUp();
    popups->Show(popUp);
    QElapsedTimer elapsed;
    elapsed.start();
    while (popups->Count() > 0 && elapsed.elapsed() < kLimitMs) {
        clock.advance(1);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    ASSERT_EQ(popups->Count(), 0);
    EXPECT_FALSE(popups->IsSchedulerRunning());
    EXPECT_FALSE(TimerRegistryExists());

    class TimerCounter : public QObject {
    public:
        int timerEvents = 0;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Timer)
                ++timerEvents;
            return QObject::eventFilter(watched, event);
        }
    } counter;
    QCoreApplication::instance()->installEventFilter(&counter);
    elapsed.restart();
    while (elapsed.elapsed() < 100)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::instance()->removeEventFilter(&counter);
    EXPECT_EQ(counter.timerEvents, 0);
}

}
