#include "popup/APITimer.h"
#include "popup/modTimers.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <memory>
#include <stdexcept>

namespace {

// Runs the event loop until the predicate holds or five seconds pass.
template <typename Predicate>
bool processUntil(Predicate done)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done() && elapsed.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

TEST(ApiTimer, TheRegistryLivesWhileAnyTimerRunsAndARunningTimerKeepsItsInterval)
{
    ASSERT_FALSE(TimerRegistryExists());
    APITimer first;
    APITimer second;
    first.StartTimer(40);
    second.StartTimer(70);
    EXPECT_NE(first.TimerID(), second.TimerID());
    const int id = first.TimerID();
    first.StartTimer(500);
    EXPECT_EQ(first.TimerID(), id);
    EXPECT_EQ(ApiTimerInterval(first), 40);

    first.StopTimer();
    first.StopTimer();
    EXPECT_EQ(first.TimerID(), 0);
    EXPECT_TRUE(TimerRegistryExists()) << "one timer still runs";
    second.StopTimer();
    EXPECT_FALSE(TimerRegistryExists());
    first.StartTimer(500);
    EXPECT_TRUE(TimerRegistryExists()) << "a new start creates a new registry";
    EXPECT_EQ(ApiTimerInterval(first), 500);
    first.StopTimer();
}

TEST(ApiTimer, TicksReachOnlyRegisteredLiveTimers)
{
    int refreshes = 0;
    auto timer = std::make_unique<APITimer>();
    QObject::connect(timer.get(), &APITimer::Refresh, [&] { ++refreshes; });
    timer->StartTimer(1000);
    const int id = timer->TimerID();
    TimerCallback(nullptr, 0, id, 0);
    TimerCallback(nullptr, 0, id + 1000, 0);
    EXPECT_EQ(refreshes, 1) << "an unknown id does nothing";

    timer->StopTimer();
    TimerCallback(nullptr, 0, id, 0);
    timer->StartTimer(1000);
    const int again = timer->TimerID();
    timer.reset();
    EXPECT_FALSE(TimerRegistryExists()) << "destruction stops the timer";
    TimerCallback(nullptr, 0, again, 0);
    EXPECT_EQ(refreshes, 1) << "late ticks do nothing";
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
    EXPECT_TRUE(processUntil([&] { return refreshes >= 3; }));
    timer.StopTimer();

    auto owned = std::make_unique<APITimer>();
    int ownedRefreshes = 0;
    QObject::connect(owned.get(), &APITimer::Refresh, [&] {
        ++ownedRefreshes;
        owned.reset();
    });
    owned->StartTimer(1);
    EXPECT_TRUE(processUntil([&] { return owned == nullptr; }));
    EXPECT_EQ(ownedRefreshes, 1);
    EXPECT_FALSE(TimerRegistryExists());
}

}
