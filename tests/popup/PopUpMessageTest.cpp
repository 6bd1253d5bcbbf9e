#include "PopUpRig.h"

#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>

namespace
{

using PopUpMessageTest = PopUpRig;

TEST_F(PopUpMessageTest, CreatesAHiddenWindowCollapsedAtTheAnchorWithItsContent)
{
    auto popUp = makePopUp();
    popUp->setForeColor(0x0000FF); // red as 0x00BBGGRR
    popUp->setBackColor(0x00FF00);
    popUp->setClickable(true);
    popUp->setProgressBar(true);
    popUp->setValue(40);
    popups->setXPos(3000);
    popups->setYPos(9000);
    popUp->CreateWindow(*popups);

    frmPopUpMessage* form = popUp->window();
    EXPECT_FALSE(form->isVisible()) << "the first placement shows it";
    EXPECT_EQ(form->geometry(), QRect(200, 600, 300, 0));
    EXPECT_EQ(form->lblMessage()->text(), QStringLiteral("Message"));
    EXPECT_EQ(form->lblMessage()->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(Qt::green));
    EXPECT_EQ(form->lblMessage()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(form->twipsRect(form->picHolder()), QRect(0, 0, 4500, 1800)) << "laid out at full size";
    EXPECT_EQ(form->prgBar()->value(), 0) << "a value from before Show stays behind";
    popUp->setValue(55);
    EXPECT_EQ(form->prgBar()->value(), 55);

    auto sideways = makePopUp();
    popups->setPopUpDirection(2);
    sideways->CreateWindow(*popups);
    EXPECT_EQ(sideways->window()->geometry(), QRect(200, 600, 0, 120));
    EXPECT_EQ(sideways->window()->lblMessage()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(sideways->window()->prgBar()->isHidden());
}

TEST_F(PopUpMessageTest, FirstPlacementShowsOnTopWithoutActivating)
{
    auto popUp = makePopUp();
    popups->Show(popUp);
    popUp->PlaceWindow(1500, 3000, 4500, 900);
    frmPopUpMessage* form = popUp->window();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isActiveWindow());
    EXPECT_EQ(form->geometry(), QRect(100, 200, 300, 60));
    popUp->PlaceWindow(1500, 2700, 4500, 1200);
    EXPECT_EQ(stacking.raised, QList<QWidget*> { form }) << "only the first placement raises";
    EXPECT_EQ(form->geometry(), QRect(100, 180, 300, 80));
}

TEST_F(PopUpMessageTest, OnlyClickablePopUpsReportClicksAnywhereButTheCloseButtonAndAllRetract)
{
    QSignalSpy clicked(popups.get(), &PopUpMessages::PopupMessageClicked);
    auto plain = makePopUp();
    auto clickable = makePopUp();
    clickable->setClickable(true);
    popups->Show(plain);
    popups->Show(clickable);

    click(plain->window()->lblMessage());
    click(plain->window()->lblCaption());
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_TRUE(plain->CloseRequested());
    EXPECT_TRUE(plain->Visible()) << "retracting is the scheduler's job";
    sendMouse(clickable->window()->lblMessage(), QEvent::MouseButtonPress, { 2, 2 }, Qt::RightButton, Qt::RightButton);
    sendMouse(clickable->window()->lblMessage(), QEvent::MouseButtonRelease, { 2, 2 }, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(clicked.count(), 0) << "only the left button clicks";

    frmPopUpMessage* form = clickable->window();
    const std::initializer_list<QWidget*> parts { form->lblMessage(), form->imgBackground(), form->lblCaption() };
    for (QWidget* part : parts)
        click(part);
    ASSERT_EQ(clicked.count(), 3);
    EXPECT_EQ(clicked.front().front().value<PopUpMessage*>(), clickable.get());
    EXPECT_TRUE(clickable->CloseRequested());
    click(clickable->window()->imgClose());
    EXPECT_EQ(clicked.count(), 3);
}

TEST_F(PopUpMessageTest, TheCloseButtonRemovesAtOnceAndTheOneBehindClosesTheGap)
{
    popups->setMovementIndex(100);
    auto first = makePopUp();
    auto second = makePopUp();
    popups->Show(first);
    popups->Show(second);
    ticks();
    EXPECT_EQ(second->window()->y(), 800 - 240);

    click(first->window()->imgClose());
    EXPECT_FALSE(first->Visible());
    EXPECT_EQ(popups->Item(1), second);
    ticks();
    EXPECT_EQ(second->window()->y(), 800 - 120) << "on the next tick";
    click(second->window()->imgClose());
    EXPECT_EQ(popups->Count(), 0);
    EXPECT_FALSE(popups->IsSchedulerRunning()) << "an empty collection stops the scheduler";
}

TEST_F(PopUpMessageTest, AFinishedPopUpShowsAgainFromZero)
{
    auto popUp = makePopUp();
    popups->setMovementIndex(50);
    popups->setShowDelay(0);
    popups->Show(popUp);
    ticks(6);
    ASSERT_FALSE(popUp->Visible());

    popups->Show(popUp);
    EXPECT_EQ(popUp->Percent(), 50) << "from 0, its first step at once";
    EXPECT_FALSE(popUp->FullyShown());
    EXPECT_FALSE(popUp->CloseRequested());
}

TEST_F(PopUpMessageTest, GoingAwayTakesTheWindowsAlong)
{
    auto kept = makePopUp();
    popups->Show(kept);
    QPointer<QWidget> window = kept->WindowHandle();
    popups.reset();
    EXPECT_FALSE(kept->Visible());

    auto orphan = makePopUp();
    PopUpMessages other(services(), 4500, 1800);
    other.Show(orphan);
    QPointer<QWidget> orphanWindow = orphan->WindowHandle();
    other.RemovePopUp(*orphan);
    orphan.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(orphanWindow.isNull()) << "a pop-up destroyed with a window unloads it";
}

}
