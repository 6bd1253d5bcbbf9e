#include "popup/APITimer.h"
#include "popup/modTimers.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <memory>
#include <stdexcept>

namespace {

constexpr int kWaitLimitMs = 5000;

// Runs the event loop until the predicate holds or the bound passes.
template <typename Predicate>
bool processUntil(Predicate done)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done() && elapsed.elapsed() < kWaitLimitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

TEST(ApiTimer, StartRegistersAndStopReleasesTheRegistry)
{
    ASSERT_FALSE(TimerRegistryExists());
    APITimer first;
    APITimer second;
    first.StartTimer(50);
    second.StartTimer(70);
    EXPECT_GT(first.TimerID(), 0);
    EXPECT_NE(first.TimerID(), second.TimerID());
    EXPECT_TRUE(TimerRegistryExists());

    first.StopTimer();
    EXPECT_EQ(first.TimerID(), 0);
    EXPECT_TRUE(TimerRegistryExists()) << "one timer still runs";
    second.StopTimer();
    EXPECT_FALSE(TimerRegistryExists());

    first.StartTimer(50);
    EXPECT_TRUE(TimerRegistryExists()) << "a new start creates a new registry";
    first.StopTimer();
    EXPECT_FALSE(TimerRegistryExists());
}

TEST(ApiTimer, StartOnARunningTimerKeepsItsIntervalAndStopTwiceIsHarmless)
{
    APITimer timer;
    timer.StartTimer(40);
    const int id = timer.TimerID();
    timer.StartTimer(500);
    EXPECT_EQ(timer.TimerID(), id);
    EXPECT_EQ(ApiTimerInterval(timer), 40);

    timer.StopTimer();
    timer.StopTimer();
    EXPECT_EQ(timer.TimerID(), 0);
    EXPECT_EQ(ApiTimerInterval(timer), -1);
    timer.StartTimer(500);
    EXPECT_EQ(ApiTimerInterval(timer), 500) << "a stopped timer takes the new interval";
}

TEST(ApiTimer, TicksReachOnlyRegisteredLiveTimers)
{
    int refreshes = 0;
    auto timer = std::make_unique<APITimer>();
    QObject::connect(timer.get(), &APITimer::Refresh, [&] { ++refreshes; });
    timer->StartTimer(1000);
    const int id = timer->TimerID();

    TimerCallback(nullptr, 0, id, 0);
    EXPECT_EQ(refreshes, 1);
    TimerCallback(nullptr, 0, id + 1000, 0);
    EXPECT_EQ(refreshes, 1) << "an unknown id does nothing";

    timer->StopTimer();
    TimerCallback(nullptr, 0, id, 0);
    EXPECT_EQ(refreshes, 1) << "a late tick after stopping does nothing";

    timer->StartTimer(1000);
    const int again = timer->TimerID();
    timer.reset();
    EXPECT_FALSE(TimerRegistryExists()) << "destruction stops the timer";
    TimerCallback(nullptr, 0, again, 0);
    EXPECT_EQ(refreshes, 1);
}

TEST(ApiTimer, PlatformTicksKeepComingAfterAHandlerThrows)
{
    APITimer timer;
    int refreshes = 0;
    QObject::connect(&timer, &APITimer::Refresh, [&] {
        ++refreshes;
        if (refreshes == 1)
            throw std::runtime_error("handler failure");
    });
    timer.StartTimer(1);
    EXPECT_TRUE(processUntil([&] { return refreshes >= 3; }));
    EXPECT_GT(timer.TimerID(), 0);
    timer.StopTimer();
}

TEST(ApiTimer, AHandlerMayDestroyItsOwnTimer)
{
    auto timer = std::make_unique<APITimer>();
    int refreshes = 0;
    QObject::connect(timer.get(), &APITimer::Refresh, [&] {
        ++refreshes;
        timer.reset();
    });
    timer->StartTimer(1);
    EXPECT_TRUE(processUntil([&] { return timer == nullptr; }));
    EXPECT_EQ(refreshes, 1);
    EXPECT_FALSE(TimerRegistryExists());
}

}
