#include "AppTestRig.h"
#include "Contrast.h"
#include "FakeDesktopNotifications.h"
#include "FakePlayerChooser.h"
#include "SampleLibrary.h"
#include "app/SchemePalette.h"
#include "platform/screen/modFunctions.h"
#include "player/simulated/SimulatedPlayerBackend.h"
#include "popup/PopUpMessage.h"
#include "popup/PopUpMessages.h"
#include "popup/frmPopUpMessage.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>

namespace
{
// The main window on the simulated player over a private copy of the sample library;
// time only moves when a test says so.
class TrackNotifying : public testing::Test, protected AppTestRig
{
protected:
    void SetUp() override
    {
        m_sim.setRealTime(false);
        ASSERT_TRUE(m_sim.start(false)) << m_sim.lastError().toStdString();
        playerBackend = &m_sim;
        desktop.temp = m_temp.path() + "/";
        resourceDir = QStringLiteral(BOLVIN_RESOURCE_DIR);
        load();
        ASSERT_TRUE(form->link().isConnected());
    }
    SimulatedPlayer& player() { return *m_sim.player(); }
    void goToTrack(int position)
    {
        player().Pause();
        player().LibrarySource()->Playlists()->Item(1)->PlayFirstTrack();
        for (int i = 1; i < position; ++i)
            player().NextTrack();
    }
    bool inTemp(const char* name) const { return QFile::exists(m_temp.filePath(name)); }
    PopUpMessage& title() { return *form->notification().titlePopUp(); }
    PopUpMessage& art() { return *form->notification().artPopUp(); }

    SampleLibrary m_library;
    QTemporaryDir m_temp;
    SimulatedPlayerBackend m_sim { m_library.file(), 1.0 };
};
}

TEST_F(TrackNotifying, ATrackStartShowsItsCoverThenItsTitleAndNamesItInTheTooltipAndItsRatingMark)
{
    goToTrack(1);
    PopUpMessages& popups = *form->notification().popups();
    ASSERT_EQ(popups.Count(), 2);
    EXPECT_EQ(popups.Item(1).get(), form->notification().artPopUp()) << "the artwork pop-up is always shown first";
    EXPECT_EQ(popups.Item(2).get(), form->notification().titlePopUp());

    // The cover is shown whole, in its own aspect, and a click on it opens the artwork window.
    EXPECT_TRUE(inTemp("Bolvin-artwork.jpg"));
    EXPECT_TRUE(art().NoBkStretch());
    EXPECT_TRUE(art().Clickable());
    ASSERT_FALSE(art().Background().isNull());
    EXPECT_EQ(art().Caption(), QString("%1,%2").arg(art().Background().height()).arg(art().Background().width()));

    EXPECT_EQ(title().Caption(), "Jukebox");
    EXPECT_EQ(title().message(), "Harbour Lights\r\nThe Lanterns\r\nHarbour Lights\r\n\r\n★★★★★");
    EXPECT_FALSE(title().Clickable());
    EXPECT_EQ(tray().ToolTip(), "Bolvin by Harnwick\r\nHarbour Lights\r\nThe Lanterns\r\nHarbour Lights");
    EXPECT_TRUE(tray().ratingItem(5)->isChecked());
    EXPECT_EQ(tray().mnuSysTray().caption(7), "&Pause");

    // A new track retracts the previous notification.
    PopUpMessage* oldTitle = form->notification().titlePopUp();
    player().NextTrack();
    EXPECT_TRUE(oldTitle->CloseRequested());
    EXPECT_TRUE(title().message().startsWith("Tide Tables\r\n"));

    goToTrack(1);
    tray().ratingItem(3)->trigger();
    EXPECT_EQ(player().CurrentTrack()->Rating(), 60);
    EXPECT_TRUE(tray().ratingItem(3)->isChecked());
    EXPECT_FALSE(tray().ratingItem(5)->isChecked());
    // The player changing a rating itself moves the mark through its database event.
    player().CurrentTrack()->SetRating(20);
    EXPECT_TRUE(tray().ratingItem(1)->isChecked());
    EXPECT_FALSE(tray().ratingItem(3)->isChecked());

    // A player that quits leaves no mark, no rating entry and no track in the tooltip.
    player().Quit();
    EXPECT_FALSE(form->link().isConnected());
    for (int stars = 0; stars <= 5; ++stars)
        EXPECT_FALSE(tray().ratingItem(stars)->isChecked());
    EXPECT_EQ(tray().ToolTip(), "Bolvin by Harnwick");
    EXPECT_FALSE(tray().myrating()->isEnabled());
}

TEST_F(TrackNotifying, APngCoverIsShownFromABitmapNoOrAnUnreadableOneSkipsOnlyTheArtworkPopUpAndStarsFollowTheGrid)
{
    goToTrack(10);
    EXPECT_TRUE(inTemp("Bolvin-artwork.png"));
    EXPECT_TRUE(inTemp("Bolvin-artwork.bmp"));
    EXPECT_FALSE(art().Background().isNull());
    EXPECT_TRUE(art().Visible());

    // Skipping ahead leaves earlier notifications retracting; look at the latest only.
    goToTrack(5); // no cover, rated 20
    EXPECT_FALSE(art().Visible());
    EXPECT_TRUE(title().Visible());
    EXPECT_TRUE(title().message().endsWith("\r\n\r\n★☆☆☆☆"));
    EXPECT_TRUE(tray().ratingItem(1)->isChecked());

    goToTrack(7); // rated 50: off the grid
    EXPECT_TRUE(title().message().endsWith("\r\n\r\n"));
    for (int stars = 0; stars <= 5; ++stars)
        EXPECT_FALSE(tray().ratingItem(stars)->isChecked()) << stars;

    goToTrack(9); // its cover file is missing
    EXPECT_TRUE(title().message().endsWith("★★★★★"));

    QFile cover(m_library.folder() + "/covers/harbour-lights.jpg");
    ASSERT_TRUE(cover.open(QIODevice::WriteOnly | QIODevice::Truncate));
    cover.write(QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(64, 'x')); // a JPEG in name only
    cover.close();
    goToTrack(1);
    EXPECT_FALSE(art().Visible());
    EXPECT_TRUE(title().Visible());
    EXPECT_TRUE(title().message().startsWith("Harbour Lights\r\n"));
}

TEST_F(TrackNotifying, ThreeStarsShowOnTheMenuWithBothPopUpsOffAndOnThePopUp)
{
    box("chkPopArt")->setChecked(false);
    box("chkPopTitle")->setChecked(false);
    goToTrack(3); // rated 60
    EXPECT_EQ(form->notification().popups()->Count(), 0);
    EXPECT_TRUE(tray().ToolTip().contains("Lantern Walk")) << "the tooltip follows the track all the same";
    EXPECT_TRUE(tray().ratingItem(3)->isChecked());
    EXPECT_EQ(tray().ratingItem(3)->text(), "★★★☆☆");
    EXPECT_EQ(tray().ratingItem(0)->text(), "None");
    box("chkPopTitle")->setChecked(true);
    goToTrack(3);
    EXPECT_EQ(title().window()->lblMessage()->text().split('\n').last(), "★★★☆☆");
}

// Read from the drawn pixels: each line of the title pop-up against the background beside it.
// A pop-up shown on a light desktop that turns dark follows it.
TEST_F(TrackNotifying, EveryBackgroundKeepsTheTrackReadableInLightAndInDark)
{
    const QPalette given = QApplication::palette();
    for (int choice = 0; choice < 4; ++choice) {
        QApplication::setPalette(given);
        group("optBackGround")->setValue(choice, true);
        goToTrack(3);
        for (const bool dark : { false, true }) {
            QApplication::setPalette(dark ? SchemePalette::dark() : given);
            QCoreApplication::processEvents();
            QLabel* message = title().window()->lblMessage();
            // The content at its full size, whatever the window has grown to so far.
            const QImage shot = message->parentWidget()->grab(message->geometry()).toImage();
            const int lineHeight = int(message->fontMetrics().lineSpacing() * shot.devicePixelRatio());
            const int lines = int(message->text().count('\n')) + 1;
            const int top = (shot.height() - lines * lineHeight) / 2;
            for (int line = 0; line < lines; ++line) {
                if (message->text().split('\n')[line].isEmpty())
                    continue;
                const int y0 = top + line * lineHeight;
                const QColor beside = shot.pixelColor(1, y0 + lineHeight / 2);
                double best = 1;
                for (int y = y0; y < y0 + lineHeight; ++y)
                    for (int x = 0; x < shot.width(); ++x)
                        best = std::max(best, contrastRatio(shot.pixelColor(x, y), beside));
                EXPECT_GE(best, 4.5) << (dark ? "dark" : "light") << ", background " << choice << ", line " << line;
                EXPECT_EQ(dark, beside.lightness() < 128) << "the background follows the scheme";
            }
        }
    }
    QApplication::setPalette(given);
}

TEST_F(TrackNotifying, ThePopUpsStartFromTheChosenEdgeAndDirection)
{
    PopUpMessages& popups = *form->notification().popups();
    const int right = GetWorkAreaRight(Screen::system());
    const int bottom = GetWorkAreaBottom(Screen::system());
    const int height = bar("scrPopUpHeight")->value();
    const int width = bar("scrPopUpWidth")->value();
    // Top or bottom, left or right, the direction; where it starts. The direction names the
    // edge; the position on its own axis is ignored.
    const int cases[][5] = {
        { 1, 1, 0, right - width, bottom },
        { 0, 0, 0, 0, bottom },
        { 1, 1, 1, right - width, 0 },
        { 0, 0, 1, 0, 0 },
        { 1, 0, 2, right, bottom - height },
        { 0, 1, 2, right, 0 },
        { 0, 1, 3, 0, 0 },
        { 0, 0, 4, right, bottom - height },
    };
    for (const auto& [y, x, direction, xPos, yPos] : cases) {
        group("optYPos")->setValue(y, true);
        group("optXPos")->setValue(x, true);
        group("optDirection")->setValue(direction, true);
        goToTrack(2);
        EXPECT_EQ(popups.XPos(), xPos) << y << x << direction;
        EXPECT_EQ(popups.YPos(), yPos) << y << x << direction;
        EXPECT_EQ(popups.PopUpDirection(), direction);
    }
}

TEST_F(TrackNotifying, AnotherActivePlayerClosesThePopUpsAndShowsItsTrackThePlayerMenuFollows)
{
    FakePlayerChooser chooser;
    chooser.entries = { { "mpv", "mpv" }, { "vlc", "VLC & Co" }, { "mpv.instance7", "mpv" } };
    chooser.active = "mpv";
    form->setPlayerChooser(&chooser);
    QMenu* players = nullptr;
    for (QAction* item : tray().mnuPopup()->actions())
        if (item->menu() && item->text() == "Player")
            players = item->menu();
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
    ASSERT_TRUE(form->link().isConnected());
    PopUpMessages& popups = *form->notification().popups();
    for (int i = 1; i <= popups.Count(); ++i)
        EXPECT_EQ(popups.Item(i)->CloseRequested(), i <= popups.Count() - 2)
            << "the old pop-ups closing, the new track's showing: " << i;
    EXPECT_TRUE(title().message().startsWith(player().CurrentTrack()->Name()));
}

TEST_F(TrackNotifying, WhereTheDesktopsNotificationsAreChosenOrTheOnlyWayTheTrackGoesThereWithItsCover)
{
    FakeDesktopNotifications notifications;
    form->setDesktopNotifications(&notifications, false);
    goToTrack(1);
    EXPECT_TRUE(notifications.shown.isEmpty()) << "pop-ups unless chosen";

    box("chkDesktopNotifications")->setChecked(true);
    goToTrack(2);
    const PopUpMessages& popups = *form->notification().popups();
    for (int i = 1; i <= popups.Count(); ++i)
        EXPECT_NE(popups.Item(i).get(), form->notification().titlePopUp()) << "no pop-up beside it";
    ASSERT_FALSE(notifications.shown.isEmpty());
    const FakeDesktopNotifications::Shown last = notifications.shown.last();
    EXPECT_EQ(last.summary, player().CurrentTrack()->Name());
    EXPECT_TRUE(last.body.startsWith(player().CurrentTrack()->Artist() + "\n" + player().CurrentTrack()->Album()));
    EXPECT_FALSE(last.picture.isNull());
    const auto artworkShown = [] {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::any_of(
            windows.begin(), windows.end(), [](QWidget* w) { return w->inherits("frmShowPic") && w->isVisible(); });
    };
    EXPECT_FALSE(artworkShown());
    emit notifications.activated();
    EXPECT_TRUE(artworkShown()) << "a click on it opens the artwork window";

    box("chkDesktopNotifications")->setChecked(false);
    form->setDesktopNotifications(&notifications, true);
    notifications.shown.clear();
    goToTrack(3); // rated 60
    ASSERT_FALSE(notifications.shown.isEmpty()) << "where pop-ups cannot be placed";
    EXPECT_EQ(notifications.shown.last().summary, player().CurrentTrack()->Name());
    EXPECT_TRUE(notifications.shown.last().body.endsWith("\n★★★☆☆"));
}
