#include "platform/screen/QtWindowStacking.h"
#include "platform/screen/modFunctions.h"

#include "FakeCursor.h"
#include "FakeScreen.h"

#include <gtest/gtest.h>

#include <QWidget>

namespace {

TEST(RoundHalfEven, ExactHalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
    EXPECT_EQ(RoundHalfEven(12.5), 12);
}

TEST(Twips, FactorsComeFromTheLogicalDpi)
{
    FakeScreen screen;
    EXPECT_DOUBLE_EQ(TwipsPerPixelX(screen), 15.0);
    screen.dpiX = 144;
    screen.dpiY = 120;
    EXPECT_DOUBLE_EQ(TwipsPerPixelX(screen), 10.0);
    EXPECT_DOUBLE_EQ(TwipsPerPixelY(screen), 12.0);
    screen.dpiX = 0;
    EXPECT_DOUBLE_EQ(TwipsPerPixelX(screen), 15.0) << "a screen without DPI counts as 96";
}

TEST(Twips, WorkAreaEdgesAreFarEdgesTimesTheFactor)
{
    FakeScreen screen;
    screen.area = QRect(0, 0, 1280, 770); // a 30-pixel panel at the bottom
    EXPECT_EQ(GetWorkAreaRight(screen), 1280 * 15);
    EXPECT_EQ(GetWorkAreaBottom(screen), 770 * 15);
    screen.area = QRect(40, 0, 1240, 800); // a panel on the left
    EXPECT_EQ(GetWorkAreaRight(screen), 1280 * 15);

    // 192 dpi: 7.5 twips a pixel; 101 × 7.5 = 757.5 rounds to the even 758.
    screen.dpiX = 192;
    screen.area = QRect(0, 0, 101, 10);
    EXPECT_EQ(GetWorkAreaRight(screen), 758);
    screen.area = QRect(0, 0, 103, 10);
    EXPECT_EQ(GetWorkAreaRight(screen), 772) << "772.5 rounds down to even";
    FakeScreen none;
    none.area = QRect();
    EXPECT_EQ(GetWorkAreaRight(none), 0) << "no screen, no work area";
}

TEST(Twips, WindowSizesAndTheDesktopStandIn)
{
    FakeScreen screen;
    QWidget window;
    screen.pinned.insert(&window, QRect(100, 50, 300, 120));
    EXPECT_EQ(GetWindowWidthTwips(&window, screen), 4500);
    EXPECT_EQ(GetWindowHeightTwips(&window, screen), 1800);
    EXPECT_EQ(GetWindowWidthTwips(nullptr, screen), GetWorkAreaRight(screen));
    EXPECT_EQ(GetWindowHeightTwips(nullptr, screen), GetWorkAreaBottom(screen));
}

TEST(Twips, PixelFlooringAndConversion)
{
    FakeScreen screen;
    EXPECT_EQ(FloorToPixelY(3000, screen), 3000);
    EXPECT_EQ(FloorToPixelY(3014, screen), 3000);
    EXPECT_EQ(FloorToPixelX(3015, screen), 3015);
    EXPECT_EQ(TwipsToPixelsX(4500, screen), 300);
    EXPECT_EQ(TwipsToPixelsY(7, screen), 0);
    EXPECT_EQ(TwipsToPixelsY(8, screen), 1);
}

TEST(CursorOverWindow, EdgesCountAsInside)
{
    FakeScreen screen;
    FakeCursor cursor;
    QWidget window;
    screen.pinned.insert(&window, QRect(100, 50, 300, 120)); // right edge 400, bottom 170

    const struct {
        QPoint at;
        bool over;
    } cases[] = {
        { { 100, 50 }, true },
        { { 400, 170 }, true },
        { { 400, 100 }, true },
        { { 250, 170 }, true },
        { { 401, 100 }, false },
        { { 250, 171 }, false },
        { { 99, 100 }, false },
        { { 250, 49 }, false },
    };
    for (const auto& c : cases) {
        cursor.at = c.at;
        EXPECT_EQ(IsCursorOverWindow(&window, screen, cursor), c.over) << c.at.x() << "," << c.at.y();
    }
    cursor.at = QPoint(0, 0);
    EXPECT_FALSE(IsCursorOverWindow(nullptr, screen, cursor));
}

TEST(TopMost, PutsAWindowOnTopWithoutActivatingIt)
{
    QWidget window;
    QtWindowStacking stacking;
    MakeWindowTopMost(&window, stacking);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isActiveWindow());
    MakeWindowTopMost(nullptr, stacking);
}

}
