#include "SampleLibrary.h"

#include "player/PlayerError.h"
#include "player/simulated/SimulatedPlayer.h"
#include "player/TrackTime.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTest>

#include <set>

using testing::ElementsAre;
using testing::IsEmpty;

namespace
{

const QDateTime fixedNow(QDate(2026, 3, 14), QTime(15, 9, 26), Qt::UTC);

class SimulatedPlayerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_sample.isValid());
        m_player = m_sample.player();
        m_player->setClock([] { return fixedNow; });
        QObject::connect(m_player.get(), &PlayerApplication::OnPlayerPlayEvent, [this] { m_events << "play"; });
        QObject::connect(m_player.get(), &PlayerApplication::OnPlayerStopEvent, [this] { m_events << "stop"; });
        QObject::connect(m_player.get(), &PlayerApplication::OnDatabaseChangedEvent, [this] { m_events << "db"; });
        QObject::connect(
            m_player.get(), &PlayerApplication::OnAboutToPromptUserToQuitEvent, [this] { m_events << "quit"; });
    }

    QString currentName() const { return m_player->CurrentTrack()->Name(); }
    const LibraryTrack& libraryTrack(int playlist, int position) const
    {
        const auto& library = m_player->library();
        return library
            .tracks()[std::size_t((*library.playlists()[std::size_t(playlist)].tracks)[std::size_t(position)])];
    }
    std::shared_ptr<PlayerPlaylist> playlist(int index) const
    {
        return m_player->LibrarySource()->Playlists()->Item(index);
    }
    QStringList takeEvents() { return std::exchange(m_events, {}); }

    SampleLibrary m_sample;
    std::unique_ptr<SimulatedPlayer> m_player;
    QStringList m_events;
};

} // namespace

TEST_F(SimulatedPlayerTest, NothingIsCurrentBeforeThePlayerPlays)
{
    EXPECT_THROW(m_player->CurrentTrack(), PlayerError);
    EXPECT_EQ(m_player->PlayerState(), 0);
    EXPECT_EQ(m_player->CurrentPlaylist()->Name(), "Library");
    EXPECT_EQ(m_player->Version(), "6.0.5.20");
    m_player->setVersion("4.9");
    EXPECT_EQ(m_player->Version(), "4.9");
}

TEST_F(SimulatedPlayerTest, TracksAdvanceWithTheSteppedClock)
{
    const LibraryTrack first = libraryTrack(0, 0);
    m_player->Play();
    EXPECT_EQ(m_player->PlayerState(), 1);
    EXPECT_EQ(currentName(), first.name);
    EXPECT_THAT(takeEvents(), ElementsAre("play"));

    m_player->advanceBy(first.totalTimeMs - 1);
    EXPECT_THAT(takeEvents(), IsEmpty());
    EXPECT_EQ(currentName(), first.name);

    m_player->advanceBy(1);
    EXPECT_THAT(takeEvents(), ElementsAre("db", "play"));
    EXPECT_EQ(currentName(), libraryTrack(0, 1).name);
    const LibraryTrack& played = m_player->library().tracks()[0];
    EXPECT_EQ(played.playCount, first.playCount + 1);
    EXPECT_EQ(played.playDate, fixedNow);
    EXPECT_EQ(m_player->position(), 0);
}

TEST_F(SimulatedPlayerTest, SpeedDividesTheWaitAndLeftoverTimeCarriesOn)
{
    constexpr double speed = 60.0;
    m_player->setSpeed(speed);
    m_player->Play();
    takeEvents();
    const qint64 both = libraryTrack(0, 0).totalTimeMs + libraryTrack(0, 1).totalTimeMs;
    m_player->advanceBy(qint64(double(both) / speed) + 1);
    EXPECT_THAT(takeEvents(), ElementsAre("db", "play", "db", "play"));
    EXPECT_EQ(currentName(), libraryTrack(0, 2).name);
}

TEST_F(SimulatedPlayerTest, PauseStopsTimeAndPlayResumesWhereItWas)
{
    m_player->Play();
    m_player->advanceBy(1000);
    m_player->Pause();
    EXPECT_EQ(m_player->PlayerState(), 0);
    m_player->advanceBy(10'000'000);
    m_player->Pause();
    EXPECT_THAT(takeEvents(), ElementsAre("play", "stop"));
    EXPECT_EQ(currentName(), libraryTrack(0, 0).name);
    EXPECT_EQ(m_player->position(), 1000);

    m_player->Play();
    m_player->Play();
    EXPECT_THAT(takeEvents(), ElementsAre("play"));
    EXPECT_EQ(m_player->position(), 1000);
}

TEST_F(SimulatedPlayerTest, NextAndPreviousAnnounceOnlyWhilePlayingAndWrapAround)
{
    m_player->cueFirstTrack();
    m_player->NextTrack();
    EXPECT_EQ(currentName(), libraryTrack(0, 1).name);
    EXPECT_THAT(takeEvents(), IsEmpty());

    m_player->Play();
    m_player->PreviousTrack();
    m_player->PreviousTrack();
    EXPECT_THAT(takeEvents(), ElementsAre("play", "play", "play"));
    EXPECT_EQ(currentName(), libraryTrack(0, 35).name);
    m_player->NextTrack();
    EXPECT_EQ(currentName(), libraryTrack(0, 0).name);
}

TEST_F(SimulatedPlayerTest, QuitAnnouncesAndThenNothingAnswers)
{
    m_player->Play();
    takeEvents();
    QString nameDuringQuit;
    QObject::connect(m_player.get(), &PlayerApplication::OnAboutToPromptUserToQuitEvent,
        [this, &nameDuringQuit] { nameDuringQuit = currentName(); });
    const auto track = m_player->CurrentTrack();
    m_player->Quit();
    EXPECT_THAT(takeEvents(), ElementsAre("quit"));
    EXPECT_EQ(nameDuringQuit, libraryTrack(0, 0).name);
    EXPECT_FALSE(m_player->isRunning());
    EXPECT_THROW(m_player->CurrentTrack(), PlayerError);
    EXPECT_THROW(m_player->PlayerState(), PlayerError);
    EXPECT_THROW(track->Name(), PlayerError);
    m_player->advanceBy(10'000'000);
    EXPECT_THAT(takeEvents(), IsEmpty());
}

TEST_F(SimulatedPlayerTest, PlayFirstTrackSwitchesPlaylistAndRefusesAnEmptyOne)
{
    const auto roadTrip = playlist(2);
    ASSERT_EQ(roadTrip->Name(), "Road Trip");
    roadTrip->PlayFirstTrack();
    EXPECT_EQ(m_player->CurrentPlaylist()->Name(), "Road Trip");
    EXPECT_EQ(currentName(), libraryTrack(1, 0).name);
    EXPECT_THAT(takeEvents(), ElementsAre("play"));

    const auto empty = playlist(4);
    ASSERT_EQ(empty->Name(), "Empty Playlist");
    EXPECT_THROW(empty->PlayFirstTrack(), PlayerError);
    EXPECT_EQ(empty->Tracks()->Count(), 0);
    EXPECT_THROW(empty->Tracks()->Item(1), PlayerError);
    EXPECT_EQ(m_player->CurrentPlaylist()->Name(), "Road Trip");
}

TEST_F(SimulatedPlayerTest, ShuffleIsPerPlaylistAndPlaysEveryTrackOncePerRound)
{
    EXPECT_TRUE(m_player->CanSetShuffle(m_player->CurrentPlaylist()));
    const auto roadTrip = playlist(2);
    roadTrip->SetShuffle(true);
    EXPECT_TRUE(roadTrip->Shuffle());
    EXPECT_FALSE(playlist(1)->Shuffle());

    roadTrip->PlayFirstTrack();
    EXPECT_EQ(currentName(), libraryTrack(1, 0).name);
    std::set<QString> heard { currentName() };
    for (int i = 1; i < roadTrip->Tracks()->Count(); ++i) {
        m_player->NextTrack();
        heard.insert(currentName());
    }
    EXPECT_EQ(int(heard.size()), roadTrip->Tracks()->Count());
}

TEST_F(SimulatedPlayerTest, SearchIsCaseInsensitiveInTheFieldsAsked)
{
    const auto library = playlist(1);
    const auto crisps = library->Search("CRISPS", PlayerPlaylist::SearchArtists);
    ASSERT_NE(crisps, nullptr);
    EXPECT_EQ(crisps->Count(), 4);
    EXPECT_EQ(crisps->Item(1)->Artist(), "Mo & the Crisps");

    EXPECT_EQ(library->Search("crisps", PlayerPlaylist::SearchSongNames), nullptr);
    EXPECT_EQ(library->Search("no such thing", PlayerPlaylist::SearchAll), nullptr);
    EXPECT_EQ(library->Search("", PlayerPlaylist::SearchAll), nullptr);

    const auto russian = library->Search("русский вальс", PlayerPlaylist::SearchSongNames);
    ASSERT_NE(russian, nullptr);
    EXPECT_EQ(russian->Item(1)->Name(), "Русский Вальс");
    EXPECT_EQ(library->Search("salt & vinegar", PlayerPlaylist::SearchAlbums)->Count(), 4);
}

TEST_F(SimulatedPlayerTest, TrackFieldsReadAsThePlayerShowsThem)
{
    const auto tracks = playlist(1)->Tracks();
    ASSERT_EQ(tracks->Count(), 36);
    EXPECT_THROW(tracks->Item(0), PlayerError);
    EXPECT_THROW(tracks->Item(37), PlayerError);
    const auto first = tracks->Item(1);
    EXPECT_EQ(first->Name(), "Harbour Lights");
    EXPECT_EQ(first->Time(), trackTimeText(libraryTrack(0, 0).totalTimeMs));
    EXPECT_GT(first->BitRate(), 0);
    EXPECT_EQ(first->PlayedDate(), libraryTrack(0, 0).playDate.toLocalTime());

    EXPECT_EQ(trackTimeText(225'999), "3:45");
    EXPECT_EQ(trackTimeText(59'000), "0:59");
    EXPECT_EQ(trackTimeText(3'723'000), "1:02:03");
}

TEST_F(SimulatedPlayerTest, RatingChangesAreAnnouncedAndChecked)
{
    const auto track = playlist(1)->Tracks()->Item(2);
    track->SetRating(73);
    EXPECT_EQ(track->Rating(), 73);
    EXPECT_THROW(track->SetRating(101), PlayerError);
    EXPECT_THROW(track->SetPlayedCount(-1), PlayerError);
    track->SetPlayedCount(9);
    track->SetPlayedDate(fixedNow.toLocalTime());
    EXPECT_EQ(track->PlayedDate(), fixedNow.toLocalTime());
    EXPECT_THAT(takeEvents(), ElementsAre("db", "db", "db"));
}

TEST_F(SimulatedPlayerTest, VolumeAndWindowsRememberWhatTheyAreTold)
{
    m_player->SetSoundVolume(m_player->SoundVolume() + 5);
    EXPECT_EQ(m_player->SoundVolume(), 55);
    m_player->SetSoundVolume(140);
    EXPECT_EQ(m_player->SoundVolume(), 100);
    m_player->SetSoundVolume(-5);
    EXPECT_EQ(m_player->SoundVolume(), 0);

    const auto windows = m_player->Windows();
    ASSERT_EQ(windows->Count(), 1);
    EXPECT_EQ(windows->Item(1)->Name(), "Jukebox");
    EXPECT_FALSE(m_player->browserWindow()->minimized().has_value());
    m_player->BrowserWindow()->SetMinimized(true);
    windows->Item(1)->SetMiniPlayer(false);
    m_player->BrowserWindow()->SetVisible(true);
    EXPECT_EQ(m_player->browserWindow()->minimized(), true);
    EXPECT_EQ(m_player->browserWindow()->miniPlayer(), false);
    EXPECT_EQ(m_player->browserWindow()->visible(), true);
    EXPECT_FALSE(m_player->browserWindow()->maximized().has_value());
}

TEST_F(SimulatedPlayerTest, RealTimeTickingDrivesTheSamePath)
{
    // Only the wiring from the timer to advanceBy() is under test: a huge speed makes the
    // first tick finish the track, and the wait is bounded.
    constexpr double speed = 1e4;
    m_player->setSpeed(speed);
    m_player->setRealTime(true);
    m_player->Play();
    QTRY_VERIFY_WITH_TIMEOUT(m_events.size() >= 3, 5000);
    EXPECT_THAT(m_events.mid(0, 3), ElementsAre("play", "db", "play"));
}

TEST_F(SimulatedPlayerTest, OneStepFinishesAtMostOneRoundOfThePlaylist)
{
    // A long stall (a suspended machine) must not count every track many times over.
    const auto before = m_sample.load();
    m_player->Play();
    m_player->advanceBy(1'000'000'000'000);
    EXPECT_EQ(m_events.count("db"), 36);
    EXPECT_EQ(m_player->position(), 0);
    const auto& after = m_player->library().tracks();
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i].playCount, before->tracks()[i].playCount + 1) << after[i].name.toStdString();
}
