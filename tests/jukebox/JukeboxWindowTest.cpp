#include "SampleLibrary.h"

#include "app/jukebox/ElidedLabel.h"
#include "app/jukebox/JukeboxTrackModel.h"
#include "app/jukebox/JukeboxWindow.h"
#include "app/jukebox/StarRating.h"
#include "player/simulated/SimulatedPlayerBackend.h"

#include <gtest/gtest.h>

#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace
{

class JukeboxWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_backend.setRealTime(false);
        ASSERT_TRUE(m_backend.start(false)) << m_backend.lastError().toStdString();
        m_window = std::make_unique<JukeboxWindow>(m_backend);
    }

    SimulatedPlayer& player() const { return *m_backend.player(); }
    template <typename T> T* child(const char* name) const { return m_window->findChild<T*>(QLatin1String(name)); }
    QString title() const { return child<ElidedLabel>("title")->text(); }
    QString cell(int row, int column) const
    {
        return child<QTableView>("tracks")->model()->index(row, column).data().toString();
    }
    int selectedRow() const
    {
        const QModelIndexList rows = child<QTableView>("tracks")->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.front().row() : -1;
    }
    QString trackName(int row) const
    {
        const MusicLibrary& library = player().library();
        return library.tracks()[std::size_t((*library.playlists().front().tracks)[std::size_t(row)])].name;
    }

    SampleLibrary m_sample;
    SimulatedPlayerBackend m_backend { m_sample.file(), 1.0 };
    std::unique_ptr<JukeboxWindow> m_window;
};

} // namespace

TEST_F(JukeboxWindowTest, FollowsWhatThePlayerDoesElsewhere)
{
    const auto* playPause = child<QToolButton>("playPause");
    const auto* rating = child<StarRating>("rating");
    EXPECT_EQ(m_window->windowTitle(), "Jukebox");
    EXPECT_EQ(title(), "Harbour Lights");
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_EQ(rating->stars(), 5);
    EXPECT_EQ(playPause->toolTip(), "Play");

    // A track change while paused is still shown.
    player().NextTrack();
    EXPECT_EQ(title(), trackName(1));
    EXPECT_EQ(selectedRow(), 1);
    player().Play();
    EXPECT_EQ(playPause->toolTip(), "Pause");
    player().CurrentTrack()->SetRating(60);
    player().CurrentTrack()->SetPlayedCount(41);
    EXPECT_EQ(rating->stars(), 3);
    EXPECT_EQ(cell(1, JukeboxTrackModel::Rating), QString(3, QChar(0x2605)));
    EXPECT_EQ(cell(1, JukeboxTrackModel::Plays), "41");
    player().CurrentTrack()->SetRating(73);
    EXPECT_EQ(rating->stars(), 0) << "off the star grid";

    // A track that plays to its end is counted and the next one is shown.
    player().advanceBy(player().library().tracks()[std::size_t(player().currentTrackIndex())].totalTimeMs);
    EXPECT_EQ(cell(1, JukeboxTrackModel::Plays), "42");
    EXPECT_EQ(title(), trackName(2));
    EXPECT_EQ(selectedRow(), 2);
    player().Pause();
    EXPECT_EQ(playPause->toolTip(), "Play");

    // A player that quits leaves an idle window; the next one started is followed.
    player().Quit();
    EXPECT_EQ(title(), "Jukebox is not running");
    EXPECT_FALSE(playPause->isEnabled());
    ASSERT_TRUE(m_backend.start(true));
    EXPECT_EQ(title(), "Harbour Lights");
    EXPECT_EQ(playPause->toolTip(), "Pause");
    EXPECT_TRUE(playPause->isEnabled());
}

TEST_F(JukeboxWindowTest, ItsControlsDriveThePlayerAndThePlayersWindowCommandsActOnIt)
{
    child<QToolButton>("next")->click();
    child<QToolButton>("next")->click();
    EXPECT_EQ(player().CurrentTrack()->Name(), trackName(2));
    child<QToolButton>("previous")->click();
    EXPECT_EQ(player().CurrentTrack()->Name(), trackName(1));
    child<QToolButton>("playPause")->click();
    EXPECT_EQ(player().PlayerState(), 1);
    child<QToolButton>("playPause")->click();
    EXPECT_EQ(player().PlayerState(), 0);

    auto* rating = child<StarRating>("rating");
    rating->resize(rating->sizeHint());
    ASSERT_EQ(player().CurrentTrack()->Rating(), 80);
    QTest::mouseClick(rating, Qt::LeftButton, {}, rating->starCentre(2));
    EXPECT_EQ(player().CurrentTrack()->Rating(), 40);
    QTest::mouseClick(rating, Qt::LeftButton, {}, rating->starCentre(2));
    EXPECT_EQ(player().CurrentTrack()->Rating(), 0) << "a click on the rating held clears it";
    QTest::keyClick(rating, Qt::Key_Right);
    EXPECT_EQ(player().CurrentTrack()->Rating(), 20);

    auto* tracks = child<QTableView>("tracks");
    emit tracks->activated(tracks->model()->index(4, 0));
    EXPECT_EQ(player().CurrentTrack()->Name(), trackName(4));
    EXPECT_EQ(player().PlayerState(), 1);

    const auto window = player().BrowserWindow();
    EXPECT_FALSE(m_window->isVisible());
    window->SetVisible(true);
    EXPECT_TRUE(m_window->isVisible());
    const int fullHeight = m_window->height();
    window->SetMinimized(true);
    EXPECT_TRUE(m_window->isMinimized());

    // The tray's "MiniPlayer".
    window->SetMinimized(false);
    window->SetMiniPlayer(true);
    EXPECT_FALSE(m_window->isMinimized());
    EXPECT_TRUE(m_window->isMiniPlayer());
    EXPECT_FALSE(tracks->isVisible());
    EXPECT_LT(m_window->height(), fullHeight / 2);
    EXPECT_EQ(window->Name(), m_window->windowTitle());

    // The tray's "Show", also from a minimised mini player.
    window->SetMinimized(true);
    window->SetVisible(true);
    window->SetMiniPlayer(false);
    window->SetMaximized(true);
    EXPECT_FALSE(m_window->isMinimized());
    EXPECT_FALSE(m_window->isMiniPlayer());
    EXPECT_TRUE(tracks->isVisible());
    EXPECT_EQ(m_window->height(), fullHeight);

    window->SetVisible(false);
    EXPECT_FALSE(m_window->isVisible());
}
