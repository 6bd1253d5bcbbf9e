#include "PopUpRig.h"

#include "platform/screen/modFunctions.h"
#include "popup/APITimer.h"
#include "popup/modTimers.h"

#include <QLabel>
#include <QTest>

#include <stdexcept>

class Scheduler : public PopUpRig
{
protected:
    // The pop-up's Percent after each of count ticks, with the clock standing still.
    std::vector<int> percentsOver(PopUpMessage& popUp, int count)
    {
        std::vector<int> seen;
        for (int i = 0; i < count; ++i) {
            popups->AnimatePopups();
            seen.push_back(popUp.Percent());
        }
        return seen;
    }
    // Shows a pop-up and runs it to full extent (MovementIndex 50: Show and one tick).
    std::shared_ptr<PopUpMessage> showFully(std::shared_ptr<PopUpMessage> popUp)
    {
        popups->setMovementIndex(50);
        popups->Show(popUp);
        ticks();
        EXPECT_EQ(popUp->Percent(), 100);
        return popUp;
    }
};

TEST_F(Scheduler, GrowsStaysAndShrinksByTheMovementIndexAndShowsAgainFromZero)
{
    popups->setMovementIndex(30);
    popups->setScrollDelay(45);
    EXPECT_FALSE(TimerRegistryExists()) << "an idle engine starts no timer";
    auto popUp = makePopUp(QStringLiteral("type.wav"));
    popups->Show(popUp);
    EXPECT_EQ(popUp->Percent(), 30) << "the first step at once";
    EXPECT_TRUE(popUp->window()->isVisible()) << "mapped before the first ScrollDelay";
    EXPECT_EQ(popups->SchedulerInterval(), 45);
    popups->setScrollDelay(30);
    EXPECT_EQ(popups->SchedulerInterval(), 30) << "a running scheduler takes the new interval";
    EXPECT_EQ(percentsOver(*popUp, 3), (std::vector<int> { 60, 90, 100 }));
    clock.advance(popups->ShowDelay());
    EXPECT_EQ(percentsOver(*popUp, 1), std::vector<int> { 100 }) << "exactly ShowDelay still shows";
    clock.advance(1);
    EXPECT_EQ(percentsOver(*popUp, 4), (std::vector<int> { 70, 40, 10, 0 }));
    EXPECT_FALSE(popUp->Visible());
    EXPECT_EQ(popups->Count(), 0);
    EXPECT_FALSE(popups->IsSchedulerRunning());
    EXPECT_EQ(sound.played.size(), 1) << "the sound plays on the first tick only";
    popups->setMovementIndex(50);
    popups->Show(popUp);
    EXPECT_EQ(popUp->Percent(), 50) << "a finished pop-up starts again from 0";
}

// Every direction and corner is placed on a real X server (PopUpXvfbTest); here, the steps.
TEST_F(Scheduler, WhileGrowingEachTakesOnlyTheRoomOfItsExtentFromAFlooredAnchor)
{
    popups->setMovementIndex(30); // 36 pixels
    popups->setXPos(9000 + 7); // not on a pixel: the edge is floored
    popups->setYPos(9000 + 7);
    const auto shown = showMany(2);
    EXPECT_EQ(shown[0]->window()->geometry(), QRect(600, 564, 300, 36)) << "not moved by the second's step";
    EXPECT_EQ(shown[1]->window()->geometry(), QRect(600, 528, 300, 36));
    EXPECT_EQ(shown[0]->window()->picHolder()->pos(), QPoint(0, 0)) << "content docked to the moving edge";
}

TEST_F(Scheduler, ExtraPopUpsWaitSilentlyUntilThereIsRoomAndClosingRetractsFromWhereItIs)
{
    popups->setYPos(3000);
    popups->setMessageHeight(1200);
    popups->setMovementIndex(50);
    popups->setShowDelay(0);
    const auto shown = showMany(4, QStringLiteral("email.wav"));
    shown[3]->ClosePopUp();
    ticks();
    EXPECT_EQ(shown[1]->Percent(), 100);
    EXPECT_EQ(shown[2]->Percent(), 0);
    EXPECT_FALSE(shown[2]->window()->isVisible()) << "the third waits at size zero";
    EXPECT_EQ(sound.played.size(), 2) << "and silent";
    ticks(3); // the first two retract: 50, then 0 and gone; then the third starts
    EXPECT_FALSE(shown[0]->Visible());
    EXPECT_EQ(shown[2]->Percent(), 50);
    EXPECT_FALSE(shown[3]->Visible()) << "closed while waiting: ends unheard";
    EXPECT_EQ(sound.played.size(), 3);
    shown[2]->ClosePopUp();
    ticks();
    EXPECT_EQ(shown[2]->Percent(), 0) << "retracts from where it is";
    EXPECT_FALSE(shown[2]->Visible());
}

TEST_F(Scheduler, CapacityIsMeasuredToTheFarEdgeOfTheArea)
{
    // A work area below a 40-pixel panel and right of a 50-pixel one.
    screen.area = QRect(50, 40, 1000, 700);
    popups->setPopUpDirection(2);
    popups->setXPos(750 + 3000); // less than the 4500 width from the area's left edge
    popups->setMovementIndex(10);
    const auto tooWide = showMany(2);
    EXPECT_EQ(tooWide[0]->Percent(), 10) << "the first always goes";
    EXPECT_EQ(tooWide[1]->Percent(), 0) << "no stack leaves the area";
    popups->setPopUpDirection(3);
    popups->placeInCorner(true, true);
    ticks();
    EXPECT_EQ(tooWide[0]->window()->geometry().topLeft(), QPoint(50, 40));
}

TEST_F(Scheduler, ShowingAShownOneRetractsItAndTheOneBehindMovesOnInTheSamePass)
{
    popups->setMovementIndex(50);
    const auto shown = showMany(2);
    popups->Show(shown[0]);
    popups->Show(nullptr);
    EXPECT_EQ(popups->Count(), 2);
    EXPECT_TRUE(shown[0]->CloseRequested());
    // A zero size ends the tick without dividing by it; the next one starts afresh.
    popups->setMessageHeight(0);
    ticks();
    EXPECT_EQ(shown[1]->Percent(), 50);
    popups->setMessageHeight(1800);
    ticks();
    EXPECT_FALSE(shown[0]->Visible()) << "finished and unloaded in the pass";
    EXPECT_EQ(shown[1]->Percent(), 100) << "the pass went on after the removal";
    EXPECT_EQ(shown[1]->window()->geometry().bottom() + 1, FloorToPixelY(popups->YPos(), screen) / 15)
        << "and closed the gap at once";
    EXPECT_EQ(popups->Count(), 1);
}

TEST_F(Scheduler, HoveringStickyAndUnfinishedProgressPopUpsHold)
{
    auto hovered = showFully(makePopUp());
    auto sticky = makePopUp();
    sticky->setSticky(true);
    auto working = makePopUp();
    working->setProgressBar(true);
    working->setValue(99);
    showFully(sticky);
    showFully(working);
    const qint64 shown = hovered->ShownTick();
    cursor.at = hovered->window()->geometry().center();
    ticks(1, 1000);
    EXPECT_EQ(hovered->ShownTick(), shown) << "a short hover does not shorten the delay";
    ticks(60, 1000);
    for (const auto& popUp : { hovered, sticky, working })
        EXPECT_EQ(popUp->Percent(), 100);
    cursor.at = QPoint(-1000, -1000);
    working->setValue(100);
    sticky->ClosePopUp();
    ticks(1, 1500);
    EXPECT_EQ(hovered->Percent(), 100) << "half the delay after leaving";
    EXPECT_EQ(working->Percent(), 50);
    EXPECT_EQ(sticky->Percent(), 50);
    ticks(1, 1);
    EXPECT_EQ(hovered->Percent(), 50);
}

TEST_F(Scheduler, ALeftDragDetachesAPopUpWhichIsThenLeftAloneButStillCounted)
{
    popups->setShowDelay(0);
    auto dragged = showFully(makePopUp());
    auto other = showMany(1).front();
    QLabel* message = dragged->window()->lblMessage();
    const auto drag = [message](QPoint to, Qt::MouseButton button) {
        sendMouse(message, QEvent::MouseButtonPress, { 2, 2 }, button, button);
        sendMouse(message, QEvent::MouseMove, to, Qt::NoButton, button);
    };
    drag({ 40, 30 }, Qt::RightButton);
    sendMouse(message, QEvent::MouseButtonRelease, { 40, 30 }, Qt::RightButton, Qt::NoButton);
    drag({ 3, 2 }, Qt::LeftButton);
    EXPECT_FALSE(dragged->Disconnected()) << "neither the right button nor a jitter drags";
    sendMouse(message, QEvent::MouseMove, { 40, 30 }, Qt::NoButton, Qt::LeftButton);
    ASSERT_TRUE(dragged->Disconnected());
    const QPoint before = dragged->window()->pos();
    sendMouse(message, QEvent::MouseMove, { 70, 40 }, Qt::NoButton, Qt::LeftButton);
    sendMouse(message, QEvent::MouseButtonRelease, { 70, 40 }, Qt::LeftButton, Qt::NoButton);
    const QRect droppedAt = dragged->window()->geometry();
    EXPECT_EQ(droppedAt.topLeft(), before + QPoint(30, 10)) << "the window follows the pointer";
    ticks();
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

TEST_F(Scheduler, FadingFollowsThePercentWhileAllowed)
{
    popups->setAllowFading(true);
    auto popUp = showMany(1).front();
    ticks();
    ASSERT_EQ(translucency.calls.size(), 2);
    EXPECT_EQ(translucency.calls.back(), qMakePair(static_cast<QWidget*>(popUp->WindowHandle()), 26));
    popups->setAllowFading(false);
    ticks();
    EXPECT_EQ(translucency.calls.size(), 2);
    for (const auto& [percent, alpha] : { std::pair { 15, 38 }, { 50, 128 }, { 100, 255 } }) {
        popUp->setPercent(percent);
        popUp->ApplyFade();
        EXPECT_EQ(translucency.calls.back().second, alpha) << percent;
    }
}

TEST(ApiTimer, PlatformTicksSurviveAThrowingHandlerAndOneThatDestroysItsTimer)
{
    APITimer timer;
    int refreshes = 0;
    QObject::connect(&timer, &APITimer::Refresh, [&] {
        if (++refreshes == 1)
            throw std::runtime_error("handler failure");
    });
    timer.StartTimer(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return refreshes >= 3; }));
    timer.StopTimer();
    auto owned = std::make_unique<APITimer>();
    QObject::connect(owned.get(), &APITimer::Refresh, [&] { owned.reset(); });
    owned->StartTimer(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return owned == nullptr; }));
    EXPECT_FALSE(TimerRegistryExists());
}
