// Dragging, the placement rules behind it, keyboard moves, locking and double-click.
#include "ShowPicFixture.h"

#include "artwork/ShowPicGeometry.h"

#include <QSignalSpy>

using namespace ShowPicGeometry;

class ShowPicInputTest : public ShowPicFixture
{
protected:
    void SetUp() override
    {
        settings.values[kPosition] = QStringLiteral("3000,1500"); // 200, 100 pixels
        ASSERT_TRUE(window().showpicture(writePicture(QSize(160, 120))));
    }
};

TEST_F(ShowPicInputTest, OnlyALeftDragMovesTheWindowWithTheGrabbedPoint)
{
    QLabel* label = picture1(window());
    mouse(label, QEvent::MouseButtonPress, QPointF(10, 10), Qt::MiddleButton, Qt::MiddleButton);
    mouse(label, QEvent::MouseMove, QPointF(40, 40), Qt::NoButton, Qt::MiddleButton);
    mouse(label, QEvent::MouseMove, QPointF(40, 40), Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(window().geometry().topLeft(), QPoint(200, 100));
    mouse(label, QEvent::MouseButtonPress, QPointF(10, 10), Qt::LeftButton, Qt::LeftButton);
    mouse(label, QEvent::MouseMove, QPointF(25, 18), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window().geometry().topLeft(), QPoint(215, 108));
    // The window followed, so the cursor is back over the grabbed point plus the new motion.
    mouse(label, QEvent::MouseMove, QPointF(7, 10), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window().geometryTwips().topLeft(), QPoint(3180, 1620));
    // A wide picture is first panned.
    ASSERT_TRUE(window().showpicture(writePicture(QSize(1400, 100), QStringLiteral("wide.png"))));
    ASSERT_EQ(window().pictureOffsetTwips().x(), -2820);
    drag(QPointF(500, 50), QPointF(510, 54));
    EXPECT_EQ(window().pictureOffsetTwips().x(), -2820 + 150);
    EXPECT_EQ(window().geometryTwips().topLeft(), QPoint(0, 1500 + 60));
    EXPECT_EQ(picture1(window())->geometry().left(), -178);
}

TEST_F(ShowPicInputTest, CtrlArrowsMoveOnePixelUnlessLockedCtrlTAndNChangeTheBandAndADoubleClickUnloadsAndStores)
{
    window().show();
    QSignalSpy unloaded(&window(), &frmShowPic::unloaded);
    press(Qt::Key_Right);
    ctrlChord(Qt::Key_Shift);
    for (int code : { Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up })
        ctrlChord(code);
    QKeyEvent plain(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QApplication::sendEvent(&window(), &plain);
    EXPECT_EQ(window().geometry().topLeft(), QPoint(200, 99)) << "one pixel a Ctrl+arrow, nothing plain";
    ctrlChord(Qt::Key_L);
    ASSERT_TRUE(window().isLocked());
    ctrlChord(Qt::Key_Right);
    drag(QPointF(10, 10), QPointF(60, 60));
    doubleClick(window());
    EXPECT_EQ(window().geometry().topLeft(), QPoint(200, 99)) << "locked";
    EXPECT_EQ(unloaded.count(), 0);
    ctrlChord(Qt::Key_U);
    ctrlChord(Qt::Key_T);
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    ctrlChord(Qt::Key_N);
    EXPECT_FALSE(window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window().isVisible()) << "changing the band does not hide the window";
    EXPECT_EQ(window().geometry().topLeft(), QPoint(200, 99));
    ctrlChord(Qt::Key_Right);
    doubleClick(window());
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(settings.values[kPosition], QStringLiteral("3015,1485")) << "moves again once unlocked";
}

// Held Ctrl+Right's steps from rest are checked on the X server's own auto-repeat
// (ShowPicDesktopTest); here, what else counts and what resets the count.
TEST_F(ShowPicInputTest, TheCtrlKeyDownCountsAndRepeatReleasesDoNotResetTheSpeed)
{
    press(Qt::Key_Control);
    for (int i = 0; i < 9; ++i)
        press(Qt::Key_Right, i > 0);
    EXPECT_EQ(window().geometry().left(), 200 + 19) << "counts 2 to 10: 1+1+2+2+2+2+3+3+3";
    release(Qt::Key_Right);
    // Unmarked releases sharing their time stamp with the press that follows are repeats too.
    const int left = window().geometry().left();
    press(Qt::Key_Control);
    ulong time = 1000;
    for (int i = 0; i < 8; ++i) {
        key(QEvent::KeyPress, Qt::Key_Right, false, time);
        time += 40;
        key(QEvent::KeyRelease, Qt::Key_Right, false, time);
    }
    key(QEvent::KeyPress, Qt::Key_Right, false, time);
    EXPECT_EQ(window().geometry().left(), left + 19);
    // A release at another time than the next press was the user's.
    key(QEvent::KeyRelease, Qt::Key_Right, false, time + 300);
    key(QEvent::KeyPress, Qt::Key_Right, false, time + 500);
    EXPECT_EQ(window().geometry().left(), left + 20);
}

namespace
{
constexpr int kScreenTwips = 15360; // 1024 pixels at 15 twips a pixel
// A picture 20000 twips wide: the window spans the screen, the picture 2320 off each edge.
constexpr AxisPlacement kCentred { 0, kScreenTwips, -2320, 20000 };
}

TEST(ShowPicDrag, AnOversizedPictureIsCentredAndPansUntilAnEdgeShowsThenMovesTheWindow)
{
    EXPECT_FALSE(fitAxis(600, kScreenTwips, kScreenTwips).oversized) << "exactly the screen's size fits";
    EXPECT_EQ(panOversizedAxis(kCentred, 100), (AxisPlacement { 0, kScreenTwips, -2220, 20000 }));
    EXPECT_EQ(panOversizedAxis(kCentred, 3000), (AxisPlacement { 3000, kScreenTwips, 0, 20000 }))
        << "the step that would pull the edge in sets it at 0 and moves the window by the whole step";
    AxisPlacement moved = kCentred;
    moved.windowPos = -500;
    EXPECT_EQ(panOversizedAxis(moved, 200), (AxisPlacement { -300, kScreenTwips, -2320, 20000 }))
        << "a window off the screen moves back before any panning";
    const AxisPlacement atRightEdge { 0, kScreenTwips, kScreenTwips - 20000, 20000 };
    EXPECT_EQ(panOversizedAxis(atRightEdge, -300), (AxisPlacement { -300, kScreenTwips, kScreenTwips - 20000, 20000 }));
    const AxisPlacement fitting { 9000, 2250, 0, 2250 };
    const Placement widthOnly = dragBy({ kCentred, fitting }, 100, -45, true, false);
    EXPECT_EQ(widthOnly.x.pictureOffset, -2220);
    EXPECT_EQ(widthOnly.y, (AxisPlacement { 8955, 2250, 0, 2250 })) << "the fitting axis moves plainly";
}
