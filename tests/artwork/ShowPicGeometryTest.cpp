#include "artwork/ShowPicGeometry.h"

#include <gtest/gtest.h>

#include <random>

using namespace ShowPicGeometry;

namespace
{
constexpr int kScreenWidth = 15360; // 1024 pixels at 15 twips a pixel
}

TEST(ShowPicFit, PictureThatFitsSizesTheWindowAndKeepsItsPosition)
{
    const AxisFit fit = fitAxis(-30, 3000, kScreenWidth);
    EXPECT_FALSE(fit.oversized);
    EXPECT_EQ(fit.placement, (AxisPlacement { -30, 3000, 0, 3000 }));

    EXPECT_FALSE(fitAxis(600, kScreenWidth, kScreenWidth).oversized) << "exactly the screen's size fits";
}

TEST(ShowPicFit, WiderPictureSpansTheScreenCentred)
{
    const AxisFit fit = fitAxis(600, 20000, kScreenWidth);
    EXPECT_TRUE(fit.oversized);
    EXPECT_EQ(fit.placement, (AxisPlacement { 0, kScreenWidth, -2320, 20000 }));
}

TEST(ShowPicFit, OddOverhangIsHalvedTowardZero)
{
    EXPECT_EQ(fitAxis(0, kScreenWidth + 1, kScreenWidth).placement.pictureOffset, 0);
    EXPECT_EQ(fitAxis(0, kScreenWidth + 3, kScreenWidth).placement.pictureOffset, -1);
}

// Only the width oversized: the window spans the screen at 0, the picture 2320 off each edge.
class ShowPicPanOneAxis : public testing::Test
{
protected:
    AxisPlacement centred = { 0, kScreenWidth, -2320, 20000 };
    int rightmostOffset = kScreenWidth - 20000;
};

TEST_F(ShowPicPanOneAxis, DraggingRightPansUntilTheLeftEdgeShowsThenMovesTheWindow)
{
    EXPECT_EQ(panOversizedAxis(centred, 100), (AxisPlacement { 0, kScreenWidth, -2220, 20000 }));
    // The step that would pull the edge in sets it at 0 and moves the window by the whole step.
    EXPECT_EQ(panOversizedAxis(centred, 3000), (AxisPlacement { 3000, kScreenWidth, 0, 20000 }));
}

TEST_F(ShowPicPanOneAxis, WindowLeftOfTheScreenMovesBackBeforeAnyPanning)
{
    AxisPlacement moved = centred;
    moved.windowPos = -500;
    EXPECT_EQ(panOversizedAxis(moved, 200), (AxisPlacement { -300, kScreenWidth, -2320, 20000 }));
}

TEST_F(ShowPicPanOneAxis, DraggingLeftPansUntilTheRightEdgeShowsThenMovesTheWindow)
{
    EXPECT_EQ(panOversizedAxis(centred, -300), (AxisPlacement { 0, kScreenWidth, -2620, 20000 }));

    AxisPlacement atRightEdge = centred;
    atRightEdge.pictureOffset = rightmostOffset;
    EXPECT_EQ(panOversizedAxis(atRightEdge, -300), (AxisPlacement { -300, kScreenWidth, rightmostOffset, 20000 }));
    // No movement at all counts as leftward: it snaps the right edge in place.
    EXPECT_EQ(panOversizedAxis(atRightEdge, 0), atRightEdge);
}

TEST_F(ShowPicPanOneAxis, TheOtherAxisMovesTheWindowPlainly)
{
    const AxisPlacement fitting { 9000, 2250, 0, 2250 };
    const Placement widthOnly = dragBy({ centred, fitting }, 100, -45, true, false);
    EXPECT_EQ(widthOnly.x.pictureOffset, -2220);
    EXPECT_EQ(widthOnly.y, (AxisPlacement { 8955, 2250, 0, 2250 }));

    const Placement heightOnly = dragBy({ fitting, centred }, -45, 100, false, true);
    EXPECT_EQ(heightOnly.x, (AxisPlacement { 8955, 2250, 0, 2250 }));
    EXPECT_EQ(heightOnly.y.pictureOffset, -2220);
}

TEST(ShowPicDrag, FittingPictureMovesTheWindowByTheWholeStep)
{
    const Placement start { { 600, 3000, 0, 3000 }, { 900, 2250, 0, 2250 } };
    const Placement moved = dragBy(start, -700, 45, false, false);
    EXPECT_EQ(moved.x, (AxisPlacement { -100, 3000, 0, 3000 }));
    EXPECT_EQ(moved.y, (AxisPlacement { 945, 2250, 0, 2250 }));
}

TEST(ShowPicDrag, BothAxesOversizedPanWithinTheWindowAndNeverMoveIt)
{
    const AxisFit x = fitAxis(600, 20000, kScreenWidth);
    const AxisFit y = fitAxis(600, 13000, 11520);
    const Placement start { x.placement, y.placement };

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
}

TEST(ShowPicDrag, BothAxesOversizedPanFollowsTheDragInsideTheBounds)
{
    const Placement start { { 0, kScreenWidth, -2320, 20000 }, { 0, 11520, -740, 13000 } };
    const Placement moved = dragBy(start, 300, -200, true, true);
    EXPECT_EQ(moved.x.pictureOffset, -2020);
    EXPECT_EQ(moved.y.pictureOffset, -940);
}
