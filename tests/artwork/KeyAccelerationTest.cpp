#include "artwork/KeyAcceleration.h"

#include <gtest/gtest.h>

#include <vector>

TEST(KeyAcceleration, NineKeyDownsFromRestMoveSeventeenSteps)
{
    KeyAcceleration acceleration;
    std::vector<int> speeds;
    int total = 0;
    for (int i = 0; i < 9; ++i) {
        speeds.push_back(acceleration.keyDown());
        total += speeds.back();
    }
    EXPECT_EQ(speeds, (std::vector<int> { 1, 1, 1, 2, 2, 2, 2, 3, 3 }));
    EXPECT_EQ(total, 17);
    EXPECT_EQ(acceleration.repeatCount(), 9);
}

TEST(KeyAcceleration, ReleaseStartsOverAtSpeedOne)
{
    KeyAcceleration acceleration;
    for (int i = 0; i < 6; ++i)
        acceleration.keyDown();
    acceleration.keyUp();
    EXPECT_EQ(acceleration.repeatCount(), 0);
    EXPECT_EQ(acceleration.speed(), 1);
    EXPECT_EQ(acceleration.keyDown(), 1);
}
