#include "PopUpRig.h"

#include "platform/screen/modFunctions.h"

#include <QLabel>

#include <vector>

namespace {

class Scheduler : public PopUpRig {
protected:
    // The pop-up's Percent after each of count ticks, with the clock standing still.
    std::vector<int> percentsOver(PopUpMessage& popUp, int count)
    {
        std::vector<int> seen;
        for (int i = 0; i < count; ++i) {
            popups->AnimatePopups();
            seen.push_back(popUp.Percent());
        }
        return seen;
    }
};

TEST_F(Scheduler, GrowsStaysAndShrinksByTheMovementIndex)
{
    const QString wav = existingWav(QStringLiteral("type.wav"));
    popups->setMovementIndex(30);
    auto popUp = makePopUp(wav);
    popups->Show(popUp);
    EXPECT_TRUE(popups->IsSchedulerRunning());
    EXPECT_EQ(popups->SchedulerInterval(), 30);

    EXPECT_EQ(percentsOver(*popUp, 4), (std::vector<int> { 30, 60, 90, 100 }));
    EXPECT_TRUE(popUp->FullyShown());
    EXPECT_EQ(popUp->ShownTick(), clock.now());
    EXPECT_EQ(sound.played, QStringList { wav }) << "the sound plays on the first tick only";

    clock.advance(popups->ShowDelay());
    EXPECT_EQ(percentsOver(*popUp, 1), std::vector<int> { 100 }) << "exactly ShowDelay still shows";
    clock.advance(1);
    EXPECT_EQ(percentsOver(*popUp, 4), (std::vector<int> { 70, 40, 10, 0 }));
    EXPECT_FALSE(popUp->Visible());
    EXPECT_EQ(popups->Count(), 0);
    EXPECT_FALSE(popups->IsSchedulerRunning());
    EXPECT_EQ(sound.played.size(), 1);
}

TEST_F(Scheduler, PlacesEachDirectionFlushWithItsAnchorAndStacksAway)
{
    // Full pop-ups are 300 × 120 pixels; the anchor is at pixel (600, 300).
    const struct {
        int direction;
        QRect first;
        QRect second;
    } cases[] = {
        { 0, { 600, 180, 300, 120 }, { 600, 60, 300, 120 } },
        { 1, { 600, 300, 300, 120 }, { 600, 420, 300, 120 } },
        { 2, { 300, 300, 300, 120 }, { 0, 300, 300, 120 } },
        { 3, { 600, 300, 300, 120 }, { 900, 300, 300, 120 } },
        { 4, { 300, 300, 300, 120 }, { 0, 300, 300, 120 } },
    };
    for (const auto& c : cases) {
        PopUpMessages engine(services(), 4500, 1800);
        engine.setPopUpDirection(c.direction);
        engine.setMovementIndex(50);
        engine.setXPos(9000 + 7); // not on a pixel: the edge is floored
        engine.setYPos(4500 + 7);
        auto first = makePopUp();
        auto second = makePopUp();
        engine.Show(first);
        engine.Show(second);
        engine.AnimatePopups();
        engine.AnimatePopups();
        EXPECT_EQ(first->window()->geometry(), c.first) << "direction " << c.direction;
        EXPECT_EQ(second->window()->geometry(), c.second) << "direction " << c.direction;
    }
}

TEST_F(Scheduler, TakesOnlyTheRoomOfTheCurrentExtent)
{
    popups->setMovementIndex(30);
    popups->setXPos(9000);
    popups->setYPos(9000); // pixel 600
    auto first = makePopUp();
    auto second = makePopUp();
    popups->Show(first);
    popups->Show(second);
    popups->AnimatePopups();
    // 30% of 1800 twips is 540 twips, 36 pixels.
    EXPECT_EQ(first->window()->geometry(), QRect(600, 564, 300, 36));
    EXPECT_EQ(second->window()->geometry(), QRect(600, 528, 300, 36));
    EXPECT_EQ(first->window()->picHolder()->pos(), QPoint(0, 0)) << "content docked to the moving top edge";
}

TEST_F(Scheduler, ExtraPopUpsWaitSilentlyUntilThereIsRoom)
{
    const QString wav = existingWav(QStringLiteral("email.wav"));
    popups->setYPos(3000);
    popups->setMessageHeight(1200);
    popups->setMovementIndex(50);
    popups->setShowDelay(0);
    std::vector<std::shared_ptr<PopUpMessage>> shown;
    for (int i = 0; i < 3; ++i) {
        shown.push_back(makePopUp(wav));
        popups->Show(shown.back());
    }
    ticks(2);
    EXPECT_EQ(shown[0]->Percent(), 100);
    EXPECT_EQ(shown[1]->Percent(), 100);
    EXPECT_EQ(shown[2]->Percent(), 0);
    EXPECT_FALSE(shown[2]->window()->isVisible()) << "the third waits at size zero";
    EXPECT_EQ(sound.played.size(), 2) << "and silent";

    ticks(2); // the first two retract: 50, then 0 and gone
    EXPECT_FALSE(shown[0]->Visible());
    EXPECT_FALSE(shown[1]->Visible());
    tick();
    EXPECT_EQ(shown[2]->Percent(), 50);
    EXPECT_EQ(sound.played.size(), 3);
}

TEST_F(Scheduler, ARemovalDuringThePassLetsTheNextOneMoveOnTheSameTick)
{
    popups->setMovementIndex(100);
    popups->setShowDelay(0);
    auto first = makePopUp();
    auto second = makePopUp();
    popups->Show(first);
    tick();
    popups->Show(second);
    tick(); // first starts to retract, second is fully out
    EXPECT_EQ(first->Percent(), 0);
    EXPECT_FALSE(first->Visible()) << "finished and unloaded in the pass";
    EXPECT_EQ(second->Percent(), 100) << "the pass went on after the removal";
    EXPECT_EQ(second->window()->geometry().bottom() + 1, FloorToPixelY(popups->YPos(), screen) / 15)
        << "and closed the gap at once";
    EXPECT_EQ(popups->Count(), 1);
}

TEST_F(Scheduler, ThePopUpsBehindAClosedOneCloseTheGapOnTheNextTick)
{
    popups->setMovementIndex(100);
    popups->setYPos(9000);
    auto first = makePopUp();
    auto second = makePopUp();
    popups->Show(first);
    popups->Show(second);
    tick();
    EXPECT_EQ(second->window()->y(), 600 - 240);
    first->UnloadWindow();
    EXPECT_EQ(popups->Count(), 1);
    tick();
    EXPECT_EQ(second->window()->y(), 600 - 120);
}

TEST_F(Scheduler, NoLimitWhenTheAnchorLeavesNoRoomForOne)
{
    popups->setPopUpDirection(2);
    popups->setXPos(3000); // less than the 4500 width: capacity 0
    popups->setMovementIndex(10);
    std::vector<std::shared_ptr<PopUpMessage>> shown;
    for (int i = 0; i < 4; ++i) {
        shown.push_back(makePopUp());
        popups->Show(shown.back());
    }
    tick();
    for (const auto& popUp : shown)
        EXPECT_EQ(popUp->Percent(), 10);
}

TEST_F(Scheduler, DownAndRightMeasureTheRoomToTheFarEdgeOfTheHost)
{
    QWidget host;
    screen.pinned.insert(&host, QRect(0, 0, 400, 200)); // 6000 × 3000 twips
    popups->setParentHandle(&host);
    popups->setPopUpDirection(1);
    popups->setXPos(0);
    popups->setYPos(0);
    popups->setMessageHeight(1200);
    std::vector<std::shared_ptr<PopUpMessage>> shown;
    for (int i = 0; i < 3; ++i) {
        shown.push_back(makePopUp());
        popups->Show(shown.back());
    }
    tick();
    EXPECT_EQ(shown[1]->Percent(), 5);
    EXPECT_EQ(shown[2]->Percent(), 0) << "3000 / 1200: two fit";
    EXPECT_EQ(shown[0]->window()->parentWidget(), &host);

    popups->setPopUpDirection(3);
    popups->setMessageWidth(2500); // 6000 / 2500: two fit
    tick();
    EXPECT_EQ(shown[1]->Percent(), 10);
    EXPECT_EQ(shown[2]->Percent(), 0);
}

TEST_F(Scheduler, ItemsAreFoundByPositionAndByWindowKey)
{
    auto first = makePopUp();
    auto second = makePopUp();
    popups->Show(first);
    popups->Show(second);
    EXPECT_EQ(popups->Count(), 2);
    EXPECT_EQ(popups->Item(1), first);
    EXPECT_EQ(popups->Item(2), second);
    EXPECT_EQ(popups->Item(0), nullptr);
    EXPECT_EQ(popups->Item(3), nullptr);
    const QString key = QString::number(reinterpret_cast<quintptr>(second->WindowHandle())) + QLatin1Char('K');
    EXPECT_EQ(popups->Item(key), second);
    EXPECT_EQ(popups->Item(QStringLiteral("17K")), nullptr);

    popups->Show(first);
    EXPECT_EQ(popups->Count(), 2) << "showing a shown pop-up does not add it again";
    EXPECT_TRUE(first->CloseRequested()) << "it retracts instead";
    popups->Show(nullptr);
    EXPECT_EQ(popups->Count(), 2);
}

TEST_F(Scheduler, AZeroSizeEndsTheTickAndTheNextOneStartsAfresh)
{
    auto popUp = makePopUp();
    popups->Show(popUp);
    popups->setMessageHeight(0);
    tick();
    EXPECT_EQ(popUp->Percent(), 0);
    EXPECT_TRUE(popups->IsSchedulerRunning());
    popups->setMessageHeight(1800);
    tick();
    EXPECT_EQ(popUp->Percent(), 5);
}

TEST_F(Scheduler, StartsAtTheWorkAreaCorner)
{
    screen.area = QRect(0, 0, 1280, 770);
    PopUpMessages engine(services(), 3000, 2000);
    EXPECT_EQ(engine.XPos(), 1280 * 15 - 3000);
    EXPECT_EQ(engine.YPos(), 770 * 15);
    EXPECT_EQ(engine.PopUpDirection(), 0);
    EXPECT_EQ(engine.ShowDelay(), 3000);
    EXPECT_EQ(engine.ScrollDelay(), 30);
    EXPECT_EQ(engine.MovementIndex(), 5);
    EXPECT_EQ(engine.ParentHandle(), nullptr);
    EXPECT_FALSE(engine.AllowFading());
    EXPECT_FALSE(engine.IsSchedulerRunning());
}

}
