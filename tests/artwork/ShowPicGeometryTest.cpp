#include "artwork/ShowPicGeometry.h"

#include <gtest/gtest.h>

#include <random>

using namespace ShowPicGeometry;

namespace
{
constexpr int kScreenWidth = 15360; // 1024 pixels at 15 twips a pixel
// A picture 20000 twips wide: the window spans the screen, the picture 2320 off each edge.
constexpr AxisPlacement kCentred { 0, kScreenWidth, -2320, 20000 };
}

TEST(ShowPicDrag, AnOversizedPictureIsCentredAndPansUntilAnEdgeShowsThenMovesTheWindow)
{
    EXPECT_FALSE(fitAxis(600, kScreenWidth, kScreenWidth).oversized) << "exactly the screen's size fits";
    EXPECT_EQ(fitAxis(600, 20000, kScreenWidth).placement, kCentred);
    EXPECT_EQ(fitAxis(0, kScreenWidth + 3, kScreenWidth).placement.pictureOffset, -1) << "halved toward zero";
    EXPECT_EQ(panOversizedAxis(kCentred, 100), (AxisPlacement { 0, kScreenWidth, -2220, 20000 }));
    EXPECT_EQ(panOversizedAxis(kCentred, 3000), (AxisPlacement { 3000, kScreenWidth, 0, 20000 }))
        << "the step that would pull the edge in sets it at 0 and moves the window by the whole step";
    EXPECT_EQ(panOversizedAxis(kCentred, -300), (AxisPlacement { 0, kScreenWidth, -2620, 20000 }));

    AxisPlacement moved = kCentred;
    moved.windowPos = -500;
    EXPECT_EQ(panOversizedAxis(moved, 200), (AxisPlacement { -300, kScreenWidth, -2320, 20000 }))
        << "a window off the screen moves back before any panning";

    const AxisPlacement atRightEdge { 0, kScreenWidth, kScreenWidth - 20000, 20000 };
    EXPECT_EQ(panOversizedAxis(atRightEdge, -300), (AxisPlacement { -300, kScreenWidth, kScreenWidth - 20000, 20000 }));
    EXPECT_EQ(panOversizedAxis(atRightEdge, 0), atRightEdge);

    const AxisPlacement fitting { 9000, 2250, 0, 2250 };
    const Placement widthOnly = dragBy({ kCentred, fitting }, 100, -45, true, false);
    EXPECT_EQ(widthOnly.x.pictureOffset, -2220);
    EXPECT_EQ(widthOnly.y, (AxisPlacement { 8955, 2250, 0, 2250 })) << "the fitting axis moves plainly";
}

TEST(ShowPicDrag, BothAxesOversizedPanWithinTheWindowAndNeverMoveIt)
{
    const Placement start { fitAxis(600, 20000, kScreenWidth).placement, fitAxis(600, 13000, 11520).placement };
    std::mt19937 random(20260611);
    std::uniform_int_distribution<int> step(-6000, 6000);
    Placement current = start;
    int clampedLow = 0;
    int clampedHigh = 0;
    for (int i = 0; i < 20000; ++i) {
        current = dragBy(current, step(random), step(random), true, true);
        for (const AxisPlacement& axis : { current.x, current.y }) {
            ASSERT_EQ(axis.windowPos, 0) << "step " << i;
            ASSERT_LE(axis.pictureOffset, 0) << "step " << i;
            ASSERT_GE(axis.pictureOffset + axis.pictureSize, axis.windowSize) << "step " << i;
            clampedLow += axis.pictureOffset == axis.windowSize - axis.pictureSize;
            clampedHigh += axis.pictureOffset == 0;
        }
        ASSERT_EQ(current.x.windowSize, start.x.windowSize);
        ASSERT_EQ(current.y.windowSize, start.y.windowSize);
    }
    // The sequence reached both ends, so the bounds were really tested.
    EXPECT_GT(clampedLow, 0);
    EXPECT_GT(clampedHigh, 0);
    EXPECT_EQ(dragBy(start, 300, -200, true, true).x.pictureOffset, -2020) << "inside the bounds it follows";
}
