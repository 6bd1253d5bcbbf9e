// Dragging, keyboard moves, locking and double-click.
#include "ShowPicFixture.h"

#include <QSignalSpy>

class ShowPicInputTest : public ShowPicFixture
{
protected:
    void SetUp() override
    {
        settings.values[QStringLiteral("Position")] = QStringLiteral("3000,1500"); // 200, 100 pixels
        ASSERT_TRUE(window().showpicture(writePicture(QSize(160, 120))));
    }
};

TEST_F(ShowPicInputTest, LeftDragMovesTheWindowWithTheGrabbedPoint)
{
    QLabel* label = picture1(window());
    mouse(label, QEvent::MouseButtonPress, QPointF(10, 10), Qt::LeftButton, Qt::LeftButton);
    mouse(label, QEvent::MouseMove, QPointF(25, 18), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window().geometry().topLeft(), QPoint(215, 108));
    // The window followed, so the cursor is back over the grabbed point plus the new motion.
    mouse(label, QEvent::MouseMove, QPointF(7, 10), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window().geometry().topLeft(), QPoint(212, 108));
    EXPECT_EQ(window().geometryTwips().topLeft(), QPoint(3180, 1620));
}

TEST_F(ShowPicInputTest, OnlyTheLeftButtonAloneDrags)
{
    QLabel* label = picture1(window());
    mouse(label, QEvent::MouseButtonPress, QPointF(10, 10), Qt::MiddleButton, Qt::MiddleButton);
    mouse(label, QEvent::MouseMove, QPointF(40, 40), Qt::NoButton, Qt::MiddleButton);
    mouse(label, QEvent::MouseMove, QPointF(40, 40), Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(window().geometry().topLeft(), QPoint(200, 100));
}

TEST_F(ShowPicInputTest, DragOfAWidePictureFirstPansIt)
{
    ASSERT_TRUE(window().showpicture(writePicture(QSize(1400, 100), QStringLiteral("wide.png"))));
    ASSERT_EQ(window().pictureOffsetTwips().x(), -2820);

    drag(window(), QPointF(500, 50), QPointF(510, 54));
    EXPECT_EQ(window().pictureOffsetTwips().x(), -2820 + 150);
    EXPECT_EQ(window().geometryTwips().topLeft(), QPoint(0, 1500 + 60));
    EXPECT_EQ(picture1(window())->geometry().left(), -178);
}

TEST_F(ShowPicInputTest, DragOfAPictureLargerBothWaysKeepsItCovering)
{
    ASSERT_TRUE(window().showpicture(writePicture(QSize(1100, 800), QStringLiteral("huge.png"))));
    drag(window(), QPointF(500, 400), QPointF(900, 700));
    EXPECT_EQ(window().pictureOffsetTwips(), QPoint(0, 0));
    drag(window(), QPointF(500, 400), QPointF(0, 0));
    EXPECT_EQ(window().pictureOffsetTwips(), QPoint((kScreenWidth - 1100) * kTwips, (kScreenHeight - 800) * kTwips));
    EXPECT_EQ(window().geometryTwips().topLeft(), QPoint(0, 0));
}

TEST_F(ShowPicInputTest, CtrlArrowsMoveOnePixelAtRest)
{
    ctrlChord(&window(), Qt::Key_Right);
    ctrlChord(&window(), Qt::Key_Down);
    ctrlChord(&window(), Qt::Key_Down);
    ctrlChord(&window(), Qt::Key_Left);
    ctrlChord(&window(), Qt::Key_Up);
    ctrlChord(&window(), Qt::Key_Up);
    ctrlChord(&window(), Qt::Key_Up);
    EXPECT_EQ(window().geometry().topLeft(), QPoint(200, 99));
    EXPECT_EQ(window().speed(), 1);
}

TEST_F(ShowPicInputTest, HeldCtrlRightAccelerates)
{
    press(&window(), Qt::Key_Control);
    // Any release, here of Shift, brings the count back to 0 while Ctrl stays held.
    press(&window(), Qt::Key_Shift);
    release(&window(), Qt::Key_Shift);
    ASSERT_EQ(window().repeatCount(), 0);
    for (int i = 0; i < 9; ++i)
        press(&window(), Qt::Key_Right, i > 0);
    EXPECT_EQ(window().geometry().left(), 200 + 17);
    EXPECT_EQ(window().geometryTwips().left(), 3000 + 17 * kTwips);
}

TEST_F(ShowPicInputTest, CtrlKeyDownItselfCountsTowardTheSpeed)
{
    press(&window(), Qt::Key_Control);
    for (int i = 0; i < 9; ++i)
        press(&window(), Qt::Key_Right, i > 0);
    // Counts 2 to 10: 1+1+2+2+2+2+3+3+3.
    EXPECT_EQ(window().geometry().left(), 200 + 19);
}

TEST_F(ShowPicInputTest, AutoRepeatReleaseDoesNotResetTheSpeed)
{
    press(&window(), Qt::Key_Control);
    for (int i = 0; i < 8; ++i) {
        press(&window(), Qt::Key_Right, i > 0);
        QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Right, Qt::ControlModifier, QString(), true);
        QApplication::sendEvent(&window(), &repeatRelease);
    }
    EXPECT_EQ(window().speed(), 3);
    release(&window(), Qt::Key_Right);
    EXPECT_EQ(window().speed(), 1);
    EXPECT_EQ(window().repeatCount(), 0);
}

TEST_F(ShowPicInputTest, RepeatTheToolkitTookForAReleaseStillAccelerates)
{
    press(&window(), Qt::Key_Control);
    ulong time = 1000;
    for (int i = 0; i < 8; ++i) {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Right, Qt::ControlModifier);
        down.setTimestamp(time);
        QApplication::sendEvent(&window(), &down);
        time += 40;
        // Unmarked as a repeat, but sharing its time stamp with the press that follows.
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_Right, Qt::ControlModifier);
        up.setTimestamp(time);
        QApplication::sendEvent(&window(), &up);
    }
    QKeyEvent last(QEvent::KeyPress, Qt::Key_Right, Qt::ControlModifier);
    last.setTimestamp(time);
    QApplication::sendEvent(&window(), &last);
    // Nine key-downs after the Ctrl key's own: 1+1+2+2+2+2+3+3+3.
    EXPECT_EQ(window().geometry().left(), 200 + 19);

    // A release at another time than the next press was the user's.
    QKeyEvent later(QEvent::KeyPress, Qt::Key_Right, Qt::ControlModifier);
    later.setTimestamp(time + 500);
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Right, Qt::ControlModifier);
    up.setTimestamp(time + 300);
    QApplication::sendEvent(&window(), &up);
    QApplication::sendEvent(&window(), &later);
    EXPECT_EQ(window().geometry().left(), 200 + 20);
}

TEST_F(ShowPicInputTest, ArrowsWithoutCtrlDoNothing)
{
    press(&window(), Qt::Key_Right);
    ctrlChord(&window(), Qt::Key_Shift);
    press(&window(), Qt::Key_Left);
    EXPECT_EQ(window().geometry().topLeft(), QPoint(200, 100));
}

TEST_F(ShowPicInputTest, LockedWindowIgnoresMovesAndDoubleClickUntilUnlocked)
{
    QSignalSpy unloaded(&window(), &frmShowPic::unloaded);
    ctrlChord(&window(), Qt::Key_L);
    ASSERT_TRUE(window().isLocked());

    ctrlChord(&window(), Qt::Key_Right);
    ctrlChord(&window(), Qt::Key_Down);
    drag(window(), QPointF(10, 10), QPointF(60, 60));
    mouse(picture1(window()), QEvent::MouseButtonDblClick, QPointF(10, 10), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(window().geometry().topLeft(), QPoint(200, 100));
    EXPECT_EQ(unloaded.count(), 0);

    ctrlChord(&window(), Qt::Key_U);
    EXPECT_FALSE(window().isLocked());
    ctrlChord(&window(), Qt::Key_Right);
    EXPECT_EQ(window().geometry().topLeft(), QPoint(201, 100));
}

TEST_F(ShowPicInputTest, CtrlTAndCtrlNChangeTheBand)
{
    window().show();
    ctrlChord(&window(), Qt::Key_T);
    EXPECT_TRUE(window().isOnTop());
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().geometry().topLeft(), QPoint(200, 100));

    ctrlChord(&window(), Qt::Key_N);
    EXPECT_FALSE(window().isOnTop());
    EXPECT_FALSE(window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window().isVisible());
}

TEST_F(ShowPicInputTest, DoubleClickUnloadsAndStoresThePosition)
{
    window().show();
    QSignalSpy unloaded(&window(), &frmShowPic::unloaded);
    ctrlChord(&window(), Qt::Key_Left);
    mouse(picture1(window()), QEvent::MouseButtonDblClick, QPointF(10, 10), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(settings.values[QStringLiteral("Position")], QStringLiteral("2985,1500"));
}
