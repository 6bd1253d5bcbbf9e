#include "PopUpRig.h"

#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QSignalSpy>

namespace {

using PopUpMessageTest = PopUpRig;

void clickOn(QWidget* target)
{
    const QPointF local(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, local, target->mapToGlobal(local), Qt::LeftButton, Qt::LeftButton,
        Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, target->mapToGlobal(local), Qt::LeftButton, Qt::NoButton,
        Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

TEST_F(PopUpMessageTest, StartsWithTheDocumentedDefaults)
{
    const PopUpMessage popUp;
    EXPECT_TRUE(popUp.key().isEmpty());
    EXPECT_TRUE(popUp.Caption().isEmpty());
    EXPECT_TRUE(popUp.message().isEmpty());
    EXPECT_FALSE(popUp.NoBkStretch());
    EXPECT_FALSE(popUp.Clickable());
    EXPECT_EQ(popUp.ForeColor(), 0u);
    EXPECT_EQ(popUp.BackColor(), 0x8000000Fu);
    EXPECT_TRUE(popUp.Logo().isNull());
    EXPECT_TRUE(popUp.Background().isNull());
    EXPECT_TRUE(popUp.WavFile().isEmpty());
    EXPECT_FALSE(popUp.ProgressBar());
    EXPECT_EQ(popUp.Value(), 0);
    EXPECT_FALSE(popUp.Sticky());
    EXPECT_FALSE(popUp.Visible());
    EXPECT_FALSE(popUp.Disconnected());
    EXPECT_EQ(popUp.WindowHandle(), nullptr);
}

TEST_F(PopUpMessageTest, CreatesAHiddenWindowCollapsedAtTheAnchorWithItsContent)
{
    auto popUp = makePopUp();
    popUp->setForeColor(0x0000FF); // red as 0x00BBGGRR
    popUp->setBackColor(0x00FF00);
    popUp->setClickable(true);
    popUp->setProgressBar(true);
    QPixmap logo(16, 16);
    logo.fill(Qt::blue);
    popUp->setLogo(logo);
    popups->setXPos(3000);
    popups->setYPos(9000);
    popups->Show(popUp);

    frmPopUpMessage* form = popUp->window();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(popUp->Visible());
    EXPECT_FALSE(form->isVisible()) << "the first placement shows it";
    EXPECT_EQ(form->geometry(), QRect(200, 600, 300, 0));
    EXPECT_EQ(form->lblCaption()->text(), QStringLiteral("Caption"));
    EXPECT_EQ(form->lblMessage()->text(), QStringLiteral("Message"));
    EXPECT_EQ(form->lblMessage()->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(Qt::green));
    EXPECT_EQ(form->lblMessage()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(form->prgBar()->isHidden());
    EXPECT_TRUE(form->prgBar()->property("tag").toBool());
    EXPECT_EQ(form->twipsRect(form->imgLogo()).size(), QSize(240, 240));
    EXPECT_EQ(form->twipsRect(form->picHolder()), QRect(0, 0, 4500, 1800)) << "laid out at full size";

    auto sideways = makePopUp();
    popups->setPopUpDirection(2);
    popups->Show(sideways);
    EXPECT_EQ(sideways->window()->geometry(), QRect(200, 600, 0, 120));
    EXPECT_EQ(sideways->window()->Direction(), 2);
    EXPECT_EQ(sideways->window()->lblMessage()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(sideways->window()->prgBar()->isHidden());
}

TEST_F(PopUpMessageTest, BecomesAChildOfTheParentWindow)
{
    QWidget host;
    host.resize(400, 300);
    popups->setParentHandle(&host);
    auto popUp = makePopUp();
    popups->Show(popUp);
    EXPECT_EQ(popUp->window()->parentWidget(), &host);
    EXPECT_FALSE(popUp->window()->isWindow());
}

TEST_F(PopUpMessageTest, FirstPlacementShowsOnTopWithoutActivating)
{
    auto popUp = makePopUp();
    popups->Show(popUp);
    popUp->PlaceWindow(1500, 3000, 4500, 900);
    frmPopUpMessage* form = popUp->window();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isActiveWindow());
    EXPECT_EQ(stacking.raised, QList<QWidget*> { form });
    EXPECT_EQ(form->geometry(), QRect(100, 200, 300, 60));
    popUp->PlaceWindow(1500, 2700, 4500, 1200);
    EXPECT_EQ(stacking.raised.size(), 1) << "only the first placement raises";
    EXPECT_EQ(form->geometry(), QRect(100, 180, 300, 80));
}

TEST_F(PopUpMessageTest, FadesOnlyWhenThePercentChanged)
{
    auto popUp = makePopUp();
    popups->Show(popUp);
    popUp->ApplyFade();
    EXPECT_TRUE(translucency.calls.isEmpty()) << "0% is not made layered";

    const struct {
        int percent;
        int alpha;
    } steps[] = { { 5, 13 }, { 10, 26 }, { 15, 38 }, { 30, 76 }, { 50, 128 }, { 90, 230 }, { 100, 255 }, { 0, 0 } };
    for (const auto& step : steps) {
        popUp->setPercent(step.percent);
        translucency.calls.clear();
        popUp->ApplyFade();
        popUp->ApplyFade();
        ASSERT_EQ(translucency.calls.size(), 1) << step.percent;
        EXPECT_EQ(translucency.calls.front().second, step.alpha) << step.percent;
    }
    translucency.accept = false;
    popUp->setPercent(40);
    popUp->ApplyFade(); // a refusal changes nothing
    EXPECT_TRUE(popUp->Visible());
}

TEST_F(PopUpMessageTest, ValueReachesOnlyAShownWindow)
{
    auto popUp = makePopUp();
    popUp->setProgressBar(true);
    popUp->setValue(40);
    popups->Show(popUp);
    EXPECT_EQ(popUp->window()->prgBar()->value(), 0) << "a value from before Show stays behind";
    EXPECT_EQ(popUp->Value(), 40);
    popUp->setValue(55);
    EXPECT_EQ(popUp->window()->prgBar()->value(), 55);
}

TEST_F(PopUpMessageTest, MessageClicksReportOnlyClickablePopUpsAndAlwaysClose)
{
    QSignalSpy clicked(popups.get(), &PopUpMessages::PopupMessageClicked);
    auto plain = makePopUp();
    auto clickable = makePopUp();
    clickable->setClickable(true);
    popups->Show(plain);
    popups->Show(clickable);

    clickOn(plain->window()->lblMessage());
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_TRUE(plain->CloseRequested());

    clickOn(clickable->window()->lblMessage());
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.front().front().value<PopUpMessage*>(), clickable.get());
    EXPECT_TRUE(clickable->CloseRequested());
}

TEST_F(PopUpMessageTest, AContentClickRetractsAndTheCloseButtonRemovesAtOnce)
{
    auto first = makePopUp();
    auto second = makePopUp();
    popups->Show(first);
    popups->Show(second);
    clickOn(first->window()->picHolder());
    EXPECT_TRUE(first->CloseRequested());
    EXPECT_TRUE(first->Visible()) << "retracting is the scheduler's job";

    clickOn(second->window()->imgClose());
    EXPECT_FALSE(second->Visible());
    EXPECT_EQ(popups->Count(), 1);
    EXPECT_EQ(popups->Item(1), first);
    clickOn(first->window()->imgClose());
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
    ASSERT_TRUE(popUp->FullyShown());

    popups->Show(popUp);
    EXPECT_TRUE(popUp->Visible());
    EXPECT_EQ(popUp->Percent(), 0);
    EXPECT_FALSE(popUp->FullyShown());
    EXPECT_FALSE(popUp->CloseRequested());
    tick();
    EXPECT_EQ(popUp->Percent(), 50);
}

TEST_F(PopUpMessageTest, GoingAwayTakesTheWindowsAlong)
{
    auto kept = makePopUp();
    popups->Show(kept);
    QPointer<QWidget> window = kept->WindowHandle();
    popups.reset();
    EXPECT_FALSE(kept->Visible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());

    auto orphan = std::make_shared<PopUpMessage>();
    PopUpMessages other(services(), 4500, 1800);
    other.Show(orphan);
    QPointer<QWidget> orphanWindow = orphan->WindowHandle();
    other.RemovePopUp(*orphan);
    orphan.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(orphanWindow.isNull()) << "a pop-up destroyed with a window unloads it";
}

}
