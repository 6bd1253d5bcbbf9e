#include "popup/APITimer.h"
#include "popup/modTimers.h"

#include <gtest/gtest.h>

#include <QTest>

#include <memory>
#include <stdexcept>

TEST(ApiTimer, TheRegistryLivesWhileAnyTimerRunsAndTicksReachOnlyLiveTimers)
{
    ASSERT_FALSE(TimerRegistryExists());
    int refreshes = 0;
    auto first = std::make_unique<APITimer>();
    QObject::connect(first.get(), &APITimer::Refresh, [&] { ++refreshes; });
    APITimer second;
    first->StartTimer(40);
    second.StartTimer(70);
    const int id = first->TimerID();
    EXPECT_NE(id, second.TimerID());
    first->StartTimer(500);
    EXPECT_EQ(ApiTimerInterval(*first), 40) << "a running timer keeps its interval";
    TimerCallback(nullptr, 0, id, 0);
    TimerCallback(nullptr, 0, id + 1000, 0);
    EXPECT_EQ(refreshes, 1) << "an unknown id does nothing";

    first->StopTimer();
    first->StopTimer();
    TimerCallback(nullptr, 0, id, 0);
    EXPECT_TRUE(TimerRegistryExists()) << "one timer still runs";
    second.StopTimer();
    EXPECT_FALSE(TimerRegistryExists());
    first->StartTimer(500);
    EXPECT_EQ(ApiTimerInterval(*first), 500) << "a new start creates a new registry";
    const int again = first->TimerID();
    first.reset();
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
    EXPECT_TRUE(QTest::qWaitFor([&] { return refreshes >= 3; }));
    timer.StopTimer();

    auto owned = std::make_unique<APITimer>();
    QObject::connect(owned.get(), &APITimer::Refresh, [&] { owned.reset(); });
    owned->StartTimer(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return owned == nullptr; }));
    EXPECT_FALSE(TimerRegistryExists());
}
