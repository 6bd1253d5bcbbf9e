#include "SampleLibrary.h"

#include "player/PlayerError.h"
#include "player/TrackTime.h"

#include <gmock/gmock.h>

#include <set>

using testing::ElementsAre;
using testing::IsEmpty;

namespace
{

// The sample library's player on a fixed clock, with its events logged by name.
class SimulatedPlayerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_player->setClock([] { return fixedNow; });
        const auto log = [this](auto signal, const char* name) {
            QObject::connect(m_player.get(), signal, [this, name] { m_events << name; });
        };
        log(&PlayerApplication::OnPlayerPlayEvent, "play");
        log(&PlayerApplication::OnPlayerStopEvent, "stop");
        log(&PlayerApplication::OnDatabaseChangedEvent, "db");
        log(&PlayerApplication::OnAboutToPromptUserToQuitEvent, "quit");
    }

    QString currentName() const { return m_player->CurrentTrack()->Name(); }
    const LibraryTrack& libraryTrack(int playlist, int position) const
    {
        const auto& library = m_player->library();
        return library
            .tracks()[std::size_t(library.playlists()[std::size_t(playlist)].tracks->at(std::size_t(position)))];
    }
    std::shared_ptr<PlayerPlaylist> playlist(int index) const
    {
        return m_player->LibrarySource()->Playlists()->Item(index);
    }
    QStringList takeEvents() { return std::exchange(m_events, {}); }

    SampleLibrary m_sample;
    std::unique_ptr<SimulatedPlayer> m_player = m_sample.player();
    QStringList m_events;
};

} // namespace

TEST_F(SimulatedPlayerTest, TracksAdvanceWithTheSteppedClockAndCountAsPlayedAtMostOnceInAStep)
{
    EXPECT_THROW(m_player->CurrentTrack(), PlayerError) << "nothing is current before it plays";
    EXPECT_EQ(m_player->CurrentPlaylist()->Name(), "Library");
    const LibraryTrack first = libraryTrack(0, 0);
    m_player->Play();
    EXPECT_EQ(m_player->PlayerState(), 1);
    EXPECT_EQ(currentName(), first.name);
    EXPECT_THAT(takeEvents(), ElementsAre("play"));

    m_player->advanceBy(first.totalTimeMs - 1);
    EXPECT_THAT(takeEvents(), IsEmpty());
    m_player->advanceBy(1);
    EXPECT_THAT(takeEvents(), ElementsAre("db", "play"));
    EXPECT_EQ(currentName(), libraryTrack(0, 1).name);
    const LibraryTrack& played = m_player->library().tracks()[0];
    EXPECT_EQ(played.playCount, first.playCount + 1);
    EXPECT_EQ(played.playDate, fixedNow);
    EXPECT_EQ(m_player->position(), 0);

    // Speed divides the wait, and time left over from one track carries on into the next.
    m_player->setSpeed(60.0);
    m_player->advanceBy((libraryTrack(0, 1).totalTimeMs + libraryTrack(0, 2).totalTimeMs) / 60 + 1);
    EXPECT_THAT(takeEvents(), ElementsAre("db", "play", "db", "play"));
    EXPECT_EQ(currentName(), libraryTrack(0, 3).name);

    // A long stall (a suspended machine) must not count every track many times over.
    const std::vector<LibraryTrack> before = m_player->library().tracks();
    m_player->advanceBy(1'000'000'000'000);
    EXPECT_EQ(takeEvents().count("db"), 36);
    EXPECT_EQ(m_player->position(), 0);
    const auto& after = m_player->library().tracks();
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i].playCount, before[i].playCount + 1) << after[i].name.toStdString();
}

TEST_F(SimulatedPlayerTest, PauseStopsTimeNextAndPreviousWrapAroundAndQuitEndsItAll)
{
    m_player->Play();
    m_player->advanceBy(1000);
    m_player->Pause();
    EXPECT_EQ(m_player->PlayerState(), 0);
    m_player->advanceBy(10'000'000);
    m_player->Pause();
    m_player->Play();
    m_player->Play();
    EXPECT_THAT(takeEvents(), ElementsAre("play", "stop", "play"));
    EXPECT_EQ(currentName(), libraryTrack(0, 0).name);
    EXPECT_EQ(m_player->position(), 1000);

    SCOPED_TRACE("next and previous announce only while playing");
    m_player->Pause();
    m_player->NextTrack();
    EXPECT_EQ(currentName(), libraryTrack(0, 1).name);
    EXPECT_THAT(takeEvents(), ElementsAre("stop"));
    m_player->Play();
    m_player->PreviousTrack();
    m_player->PreviousTrack();
    EXPECT_THAT(takeEvents(), ElementsAre("play", "play", "play"));
    EXPECT_EQ(currentName(), libraryTrack(0, 35).name);
    m_player->NextTrack();
    EXPECT_EQ(currentName(), libraryTrack(0, 0).name);
    takeEvents();

    SCOPED_TRACE("quit announces, and then nothing answers");
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

TEST_F(SimulatedPlayerTest, PlayFirstTrackSwitchesPlaylistShufflesPerPlaylistAndRefusesAnEmptyOne)
{
    EXPECT_TRUE(m_player->CanSetShuffle(m_player->CurrentPlaylist()));
    EXPECT_EQ(playlist(3)->Name(), "Quiet & Slow");
    const auto roadTrip = playlist(2);
    ASSERT_EQ(roadTrip->Tracks()->Count(), 8);
    roadTrip->SetShuffle(true);
    EXPECT_FALSE(playlist(1)->Shuffle());
    roadTrip->PlayFirstTrack();
    EXPECT_EQ(m_player->CurrentPlaylist()->Name(), "Road Trip");
    EXPECT_EQ(currentName(), libraryTrack(1, 0).name);
    EXPECT_THAT(takeEvents(), ElementsAre("play"));
    // Every track once per round.
    std::set<QString> heard { currentName() };
    for (int i = 1; i < roadTrip->Tracks()->Count(); ++i) {
        m_player->NextTrack();
        heard.insert(currentName());
    }
    EXPECT_EQ(int(heard.size()), roadTrip->Tracks()->Count());

    EXPECT_THROW(playlist(4)->PlayFirstTrack(), PlayerError) << "the empty playlist";
    EXPECT_EQ(m_player->CurrentPlaylist()->Name(), "Road Trip");
}

TEST_F(SimulatedPlayerTest, TrackFieldsReadAsThePlayerShowsThemChangesAreCheckedAndSearchIgnoresCase)
{
    const auto library = playlist(1);
    const auto tracks = library->Tracks();
    ASSERT_EQ(tracks->Count(), 36);
    EXPECT_THROW(tracks->Item(0), PlayerError);
    EXPECT_THROW(tracks->Item(37), PlayerError);
    const auto first = tracks->Item(1);
    EXPECT_EQ(first->Time(), trackTimeText(libraryTrack(0, 0).totalTimeMs));
    EXPECT_EQ(first->PlayedDate(), libraryTrack(0, 0).playDate.toLocalTime());

    first->SetRating(73);
    EXPECT_EQ(first->Rating(), 73);
    EXPECT_THROW(first->SetRating(101), PlayerError);
    EXPECT_THROW(first->SetPlayedCount(-1), PlayerError);
    first->SetPlayedCount(9);
    first->SetPlayedDate(fixedNow.toLocalTime());
    EXPECT_EQ(first->PlayedDate(), fixedNow.toLocalTime());
    EXPECT_THAT(takeEvents(), ElementsAre("db", "db", "db"));

    // Search is case-insensitive in the fields asked.
    const auto crisps = library->Search("CRISPS", PlayerPlaylist::SearchArtists);
    ASSERT_NE(crisps, nullptr);
    EXPECT_EQ(crisps->Count(), 4);
    EXPECT_EQ(crisps->Item(1)->Artist(), "Mo & the Crisps");
    EXPECT_EQ(library->Search("crisps", PlayerPlaylist::SearchSongNames), nullptr);
    EXPECT_EQ(library->Search("", PlayerPlaylist::SearchAll), nullptr);
    EXPECT_EQ(library->Search("русский вальс", PlayerPlaylist::SearchSongNames)->Item(1)->Name(), "Русский Вальс");
    EXPECT_EQ(library->Search("less < MORE", PlayerPlaylist::SearchSongNames)->Item(1)->Name(), "Less < More");
    EXPECT_EQ(library->Search("salt & vinegar", PlayerPlaylist::SearchAlbums)->Count(), 4);
}
