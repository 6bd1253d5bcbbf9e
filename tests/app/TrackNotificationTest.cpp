#include "AppTestRig.h"
#include "FakePlayerChooser.h"
#include "app/options/AdvancedPage.h"
#include "app/options/NotificationPage.h"
#include "app/options/OptionGroup.h"
#include "platform/screen/modFunctions.h"
#include "player/simulated/SimulatedPlayer.h"
#include "player/simulated/SimulatedPlayerBackend.h"
#include "popup/PopUpMessage.h"
#include "popup/PopUpMessages.h"
#include "tray/frmSysTray.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>

namespace {
// The main window on the simulated player with a private copy of the sample library,
// playing its first track; time only moves when a test says so.
class TrackNotification : public testing::Test, protected AppTestRig {
protected:
    void SetUp() override
    {
        const QDir sample(QStringLiteral(BOLVIN_SAMPLE_LIBRARY_DIR));
        QDir(m_library.path()).mkpath("covers");
        for (const QString& file : sample.entryList({ "*.xml" }, QDir::Files))
            QFile::copy(sample.filePath(file), m_library.filePath(file));
        for (const QString& file : QDir(sample.filePath("covers")).entryList(QDir::Files))
            QFile::copy(sample.filePath("covers/" + file), m_library.filePath("covers/" + file));
        m_sim = std::make_unique<SimulatedPlayerBackend>(m_library.filePath("iTunes Music Library.xml"), 1.0);
        m_sim->setRealTime(false);
        ASSERT_TRUE(m_sim->start(false)) << m_sim->lastError().toStdString();
        playerBackend = m_sim.get();
        desktop.temp = m_temp.path() + "/";
        resourceDir = QStringLiteral(BOLVIN_RESOURCE_DIR);
        load();
        ASSERT_TRUE(form->isConnected());
    }
    SimulatedPlayer& player() { return *m_sim->player(); }
    void goToTrack(int position)
    {
        player().Pause();
        player().LibrarySource()->Playlists()->Item(1)->PlayFirstTrack();
        for (int i = 1; i < position; ++i)
            player().NextTrack();
    }
    QString temp(const QString& name) const { return m_temp.filePath(name); }
    frmSysTray& tray() { return *form->sysTray(); }
    NotificationPage& page() { return *form->notificationPage; }

    QTemporaryDir m_library;
    QTemporaryDir m_temp;
    std::unique_ptr<SimulatedPlayerBackend> m_sim;
};
}

TEST_F(TrackNotification, ATrackStartShowsItsCoverThenItsTitleAndNamesItInTheTooltip)
{
    goToTrack(1);
    PopUpMessages& popups = *form->popups();
    ASSERT_EQ(popups.Count(), 2);
    EXPECT_EQ(popups.Item(1).get(), form->artPopUp()) << "the artwork pop-up is always shown first";
    EXPECT_EQ(popups.Item(2).get(), form->titlePopUp());

    EXPECT_TRUE(QFile::exists(temp("Bolvin-artwork.jpg")));
    const PopUpMessage& art = *form->artPopUp();
    EXPECT_TRUE(art.NoBkStretch());
    EXPECT_TRUE(art.Clickable());
    EXPECT_FALSE(art.Sticky());
    EXPECT_FALSE(art.Background().isNull());
    EXPECT_EQ(art.Caption(), QString("%1,%2").arg(art.Background().height()).arg(art.Background().width()));
    EXPECT_EQ(art.message(), "     \r\n     \r\n      \r\n");

    const PopUpMessage& title = *form->titlePopUp();
    EXPECT_EQ(title.Caption(), "Jukebox");
    EXPECT_EQ(title.message(), "Harbour Lights\r\nThe Lanterns\r\nHarbour Lights\r\n\r\n* * * * * ");
    EXPECT_FALSE(title.Clickable());
    EXPECT_FALSE(title.Background().isNull());
    EXPECT_EQ(tray().ToolTip(), "Bolvin by Harnwick\r\nHarbour Lights\r\nThe Lanterns\r\nHarbour Lights");
    EXPECT_TRUE(tray().ratingItem(5)->isChecked());
    EXPECT_TRUE(tray().myrating()->isEnabled());
    EXPECT_EQ(tray().mnuSysTray().caption(7), "&Pause");
}

TEST_F(TrackNotification, APngCoverIsConvertedAndShownFromTheBitmap)
{
    goToTrack(10);
    EXPECT_TRUE(QFile::exists(temp("Bolvin-artwork.png")));
    EXPECT_TRUE(QFile::exists(temp("Bolvin-artwork.bmp")));
    ASSERT_NE(form->artPopUp(), nullptr);
    EXPECT_FALSE(form->artPopUp()->Background().isNull());
    EXPECT_TRUE(form->artPopUp()->Visible());
}

TEST_F(TrackNotification, NoCoverMeansNoArtworkPopUpAndStarsFollowTheGrid)
{
    // Skipping ahead leaves earlier notifications retracting; look at the latest only.
    goToTrack(5); // no cover, rated 20
    EXPECT_FALSE(form->artPopUp()->Visible());
    EXPECT_TRUE(form->titlePopUp()->Visible());
    EXPECT_TRUE(form->titlePopUp()->message().endsWith("\r\n\r\n* "));
    EXPECT_TRUE(tray().ratingItem(1)->isChecked());

    goToTrack(7); // rated 50: off the grid
    EXPECT_TRUE(form->titlePopUp()->message().endsWith("\r\n\r\n"));
    for (int stars = 0; stars <= 5; ++stars)
        EXPECT_FALSE(tray().ratingItem(stars)->isChecked()) << stars;

    goToTrack(9); // its cover file is missing
    EXPECT_EQ(form->titlePopUp()->message().count("* "), 5);
}

TEST_F(TrackNotification, ANewTrackRetractsThePreviousNotification)
{
    goToTrack(1);
    PopUpMessage* oldTitle = form->titlePopUp();
    player().NextTrack();
    EXPECT_TRUE(oldTitle->CloseRequested());
    EXPECT_NE(form->titlePopUp(), oldTitle);
    EXPECT_TRUE(form->titlePopUp()->message().startsWith("Tide Tables\r\n"));
}

TEST_F(TrackNotification, WithBothPopUpsOffTheTooltipStillFollowsTheTrack)
{
    page().chkPopArt->setChecked(false);
    page().chkPopTitle->setChecked(false);
    goToTrack(3);
    EXPECT_EQ(form->popups()->Count(), 0);
    EXPECT_TRUE(tray().ToolTip().contains("Lantern Walk"));
    EXPECT_TRUE(tray().ratingItem(3)->isChecked());
}

TEST_F(TrackNotification, ThePopUpsStartFromTheChosenEdgeAndDirection)
{
    PopUpMessages& popups = *form->popups();
    const int right = GetWorkAreaRight();
    const int bottom = GetWorkAreaBottom();
    const int height = form->advancedPage->scrPopUpHeight->value();
    const int width = form->advancedPage->scrPopUpWidth->value();
    struct Case {
        int y; // 0 top, 1 bottom
        int x; // 0 left, 1 right
        int direction;
        int xPos;
        int yPos;
    };
    const Case cases[] = {
        // The direction names the edge; the position on its own axis is ignored.
        { 1, 1, 0, right - width, bottom },
        { 0, 0, 0, 0, bottom },
        { 1, 1, 1, right - width, 0 },
        { 0, 0, 1, 0, 0 },
        { 1, 0, 2, right, bottom - height },
        { 0, 1, 2, right, 0 },
        { 0, 1, 3, 0, 0 },
        { 0, 0, 4, right, bottom - height },
    };
    for (const Case& c : cases) {
        page().optYPos->setValue(c.y, true);
        page().optXPos->setValue(c.x, true);
        page().optDirection->setValue(c.direction, true);
        goToTrack(2);
        EXPECT_EQ(popups.XPos(), c.xPos) << c.y << c.x << c.direction;
        EXPECT_EQ(popups.YPos(), c.yPos) << c.y << c.x << c.direction;
        EXPECT_EQ(popups.PopUpDirection(), c.direction);
    }
}

TEST_F(TrackNotification, RatingFromTheMenuWritesThePlayerAndMovesTheMark)
{
    goToTrack(1);
    tray().ratingItem(3)->trigger();
    EXPECT_EQ(player().CurrentTrack()->Rating(), 60);
    EXPECT_TRUE(tray().ratingItem(3)->isChecked());
    EXPECT_FALSE(tray().ratingItem(5)->isChecked());

    // The player changing a rating itself moves the mark through its database event.
    player().CurrentTrack()->SetRating(20);
    EXPECT_TRUE(tray().ratingItem(1)->isChecked());
    EXPECT_FALSE(tray().ratingItem(3)->isChecked());
}

TEST_F(TrackNotification, WithNoCurrentTrackTheMarksClearAndTheTooltipResets)
{
    goToTrack(1);
    player().Quit();
    EXPECT_FALSE(form->isConnected());
    EXPECT_EQ(form->RefreshRatingMarks(), std::nullopt);
    for (int stars = 0; stars <= 5; ++stars)
        EXPECT_FALSE(tray().ratingItem(stars)->isChecked());
    EXPECT_EQ(tray().ToolTip(), "Bolvin by Harnwick");
    EXPECT_FALSE(tray().myrating()->isEnabled());
    EXPECT_EQ(tray().mnuSysTray().caption(7), "&Play");
}

TEST_F(TrackNotification, AnUnreadableCoverSkipsOnlyTheArtworkPopUp)
{
    QFile cover(m_library.filePath("covers/harbour-lights.jpg"));
    ASSERT_TRUE(cover.open(QIODevice::WriteOnly | QIODevice::Truncate));
    cover.write(QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(64, 'x')); // a JPEG in name only
    cover.close();
    goToTrack(1);
    EXPECT_FALSE(form->artPopUp()->Visible());
    EXPECT_TRUE(form->titlePopUp()->Visible());
    EXPECT_TRUE(form->titlePopUp()->message().startsWith("Harbour Lights\r\n"));
    EXPECT_TRUE(tray().ToolTip().contains("Harbour Lights"));
}

TEST_F(TrackNotification, AnotherActivePlayerClosesThePopUpsAndShowsItsTrackThePlayerMenuFollows)
{
    FakePlayerChooser chooser;
    chooser.entries = { { "mpv", "mpv" }, { "vlc", "VLC & Co" }, { "mpv.instance7", "mpv" } };
    chooser.active = "mpv";
    form->setPlayerChooser(&chooser);
    QMenu* players = nullptr;
    for (QAction* entry : tray().mnuPopup()->actions())
        if (entry->menu() && entry->text() == "Player")
            players = entry->menu();
    ASSERT_NE(players, nullptr);
    ASSERT_EQ(players->actions().size(), 3);
    EXPECT_EQ(players->actions()[1]->text(), "VLC && Co") << "a name is never an accelerator";
    EXPECT_EQ(players->actions()[2]->text(), "mpv (mpv.instance7)") << "two of a kind told apart";
    EXPECT_TRUE(players->actions()[0]->isChecked());

    goToTrack(3);
    players->actions()[1]->trigger();
    EXPECT_EQ(chooser.pins, QStringList({ "vlc" }));
    EXPECT_TRUE(players->actions()[1]->isChecked());
    EXPECT_FALSE(players->actions()[0]->isChecked());
    ASSERT_TRUE(form->isConnected());
    ASSERT_NE(form->titlePopUp(), nullptr);
    PopUpMessages& popups = *form->popups();
    for (int i = 1; i <= popups.Count(); ++i)
        EXPECT_EQ(popups.Item(i)->CloseRequested(), i <= popups.Count() - 2)
            << "the old pop-ups closing, the new track's showing: " << i;
    EXPECT_TRUE(form->titlePopUp()->message().startsWith(player().CurrentTrack()->Name()));
}
