#include "MprisFixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

namespace
{

using MprisPlayerTest = MprisFixture;

TEST_F(MprisPlayerTest, ReadsStateAndTrackAndCommandsReachThePlayerWhoseWindowCanOnlyBeShown)
{
    EXPECT_EQ(player().identity(), "Fake Player");
    EXPECT_EQ(player().PlayerState(), PlayerApplication::Playing);
    EXPECT_EQ(player().CurrentTrack()->Time(), "3:05");
    const auto window = player().BrowserWindow();
    EXPECT_EQ(window->Name(), "Fake Player");
    // States that already hold are fine, so a "show the player" sequence does not fail.
    EXPECT_NO_THROW(window->SetMiniPlayer(false));
    EXPECT_NO_THROW(window->SetMinimized(false));
    EXPECT_THROW(window->SetMinimized(true), PlayerError);
    EXPECT_FALSE(player().capabilities().minimize);
    player().Play();
    player().Pause();
    player().NextTrack();
    player().PreviousTrack();
    window->SetVisible(true);
    player().Quit();
    EXPECT_TRUE(eventually([&] { return fake().calls().size() == 6; }));
    EXPECT_EQ(fake().calls(), (QStringList { "Play", "Pause", "Next", "Previous", "Raise", "Quit" }));
}

TEST_F(MprisPlayerTest, VolumeRoundTripsAsPercentAndShuffleAsThePlayerHasIt)
{
    EXPECT_EQ(player().SoundVolume(), 50);
    player().SetSoundVolume(25);
    EXPECT_EQ(player().SoundVolume(), 25);
    EXPECT_TRUE(eventually([&] { return fake().get(FakeMprisService::kPlayer, "Volume").toDouble() == 0.25; }));
    // The player's announcement of the 25 % may still be on its way: it may show for a moment.
    player().SetSoundVolume(130);
    EXPECT_TRUE(eventually([&] { return player().SoundVolume() == 100; }));
    // mpv allows more than 100 %; Bolvin's scale stops there.
    change("Volume", 1.3);
    EXPECT_TRUE(eventually([&] { return player().SoundVolume() == 100; }));
    change("Volume", QStringLiteral("loud"));
    EXPECT_TRUE(eventually([&] { return throwsPlayerError([&] { player().SoundVolume(); }); }));

    const auto playlist = player().CurrentPlaylist();
    EXPECT_TRUE(player().CanSetShuffle(playlist));
    EXPECT_FALSE(playlist->Shuffle());
    playlist->SetShuffle(true);
    EXPECT_TRUE(playlist->Shuffle());
    EXPECT_TRUE(eventually([&] { return fake().get(FakeMprisService::kPlayer, "Shuffle").toBool(); }));
    QTest::qWait(kQuietMs); // the write's own read-back
    // A player that ignores the change (mpv) is read back as it is.
    fake().applySetsLate("Shuffle", 1);
    playlist->SetShuffle(false);
    EXPECT_TRUE(eventually([&] { return playlist->Shuffle(); }));
}

TEST_F(MprisPlayerTest, MissingOptionalPropertiesNeitherHangNorCrashAndSayWhy)
{
    for (const char* name : { "Identity", "CanQuit", "CanRaise" })
        fake().remove(FakeMprisService::kRoot, name);
    for (const char* name : { "Shuffle", "CanControl", "Volume", "Metadata" })
        fake().remove(FakeMprisService::kPlayer, name);

    EXPECT_EQ(player().identity(), "fake");
    EXPECT_FALSE(player().CanSetShuffle(nullptr));
    EXPECT_EQ(player().SoundVolume(), 0);
    EXPECT_THROW(player().CurrentTrack(), PlayerError);
    EXPECT_THROW(player().Quit(), PlayerError);
    EXPECT_THROW(player().BrowserWindow()->SetVisible(true), PlayerError);
    EXPECT_EQ(player().LibrarySource()->Playlists()->Count(), 0);
    const PlayerCapabilities caps = player().capabilities();
    EXPECT_EQ(caps.shuffle.reason, "fake has no shuffle setting.");
    EXPECT_EQ(caps.raise.reason, "fake cannot be brought to the front by other programs.");
    EXPECT_FALSE(caps.quit);
    EXPECT_FALSE(caps.playlists);
    EXPECT_TRUE(caps.readStatistics); // kept by Bolvin
    EXPECT_TRUE(fake().calls().isEmpty());
}

TEST_F(MprisPlayerTest, MalformedMetadataStillGivesATrackAndNoneOrAWrongTypeNoTrack)
{
    fake().set(FakeMprisService::kPlayer, "Metadata",
        QVariantMap { { "mpris:trackid", QStringLiteral("/not/an/object/path") }, { "xesam:title", 5 },
            { "xesam:artist", QStringLiteral("Lonely Artist") }, { "xesam:album", QStringList { "Al", "Bum" } },
            { "mpris:length", QStringLiteral("long") }, { "xesam:userRating", QStringLiteral("high") },
            { "xesam:useCount", 2.0 }, { "xesam:lastUsed", 12 }, { "mpris:artUrl", 3 } });
    const auto track = player().CurrentTrack();
    EXPECT_EQ(
        track->Name() + "|" + track->Artist() + "|" + track->Album() + "|" + track->Time(), "|Lonely Artist|Al|0:00");
    EXPECT_EQ(track->Rating(), 0);
    EXPECT_EQ(track->PlayedCount(), 2);
    EXPECT_FALSE(track->PlayedDate().isValid());
    EXPECT_EQ(track->Artwork()->Count(), 0);

    for (const auto& [metadata, track] : { std::pair { QVariant(QVariantMap()), false },
             { FakeMprisService::track("/t/2", "Back"), true }, { QStringLiteral("garbage"), false } }) {
        change("Metadata", metadata);
        EXPECT_TRUE(eventually([&] { return throwsPlayerError([&] { player().CurrentTrack(); }) != track; }))
            << metadata.typeName();
    }
}

TEST_F(MprisPlayerTest, RatingCountAndDateAreThePlayersUntilBolvinKeepsItsOwnAndArtworkFromAFileIsCopied)
{
    QTemporaryDir dir;
    const QByteArray png("\x89PNG\r\n\x1A\n-rest-of-picture", 24);
    QFile file(dir.filePath("cover.png"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(png) == png.size() && file.flush());
    QVariantMap metadata = FakeMprisService::track("/t/2", "Rated");
    metadata["xesam:userRating"] = 0.8;
    metadata["xesam:useCount"] = 7;
    metadata["xesam:lastUsed"] = QStringLiteral("2023-01-02T03:04:05+00:00");
    metadata["mpris:artUrl"] = QUrl::fromLocalFile(file.fileName()).toString();
    fake().set(FakeMprisService::kPlayer, "Metadata", metadata);
    const auto track = player().CurrentTrack();
    EXPECT_EQ(track->Rating(), 80);
    EXPECT_EQ(track->PlayedCount(), 7);
    EXPECT_EQ(track->PlayedDate().toUTC(), QDateTime(QDate(2023, 1, 2), QTime(3, 4, 5), Qt::UTC));
    track->SetRating(20);
    track->SetPlayedCount(1);
    EXPECT_EQ(player().CurrentTrack()->Rating(), 20);
    EXPECT_EQ(player().CurrentTrack()->PlayedCount(), 1);
    EXPECT_TRUE(QFile::exists(extrasPath()));
    const PlayerCapabilities caps = player().capabilities();
    EXPECT_TRUE(caps.rate);
    EXPECT_TRUE(caps.writePlayCount);
    EXPECT_FALSE(caps.library);
    EXPECT_TRUE(caps.raise);
    EXPECT_TRUE(caps.quit);

    const auto artwork = track->Artwork();
    ASSERT_EQ(artwork->Count(), 1);
    EXPECT_EQ(artwork->Item(1)->Format(), PlayerArtwork::PNG);
    artwork->Item(1)->SaveArtworkToFile(dir.filePath("saved.bin"));
    QFile copy(dir.filePath("saved.bin"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), png);
    EXPECT_THROW(artwork->Item(1)->SaveArtworkToFile(dir.filePath("no/such/dir/x")), PlayerError);
    // A missing one is none.
    metadata["mpris:artUrl"] = QStringLiteral("file:///no/such/cover.jpg");
    change("Metadata", metadata);
    EXPECT_TRUE(eventually([&] { return player().CurrentTrack()->Artwork()->Count() == 0; }));
}

TEST_F(MprisPlayerTest, PlaylistsComeFromThePlaylistsInterface)
{
    fake().setPlaylists({ { QDBusObjectPath("/p/1"), "Morning", "" }, { QDBusObjectPath("/p/2"), "Evening", "" } });
    fake().set(FakeMprisService::kPlaylists, "Orderings", QStringList { "Alphabetical", "UserDefined" });
    const auto playlists = player().LibrarySource()->Playlists();
    ASSERT_EQ(playlists->Count(), 2);
    EXPECT_EQ(playlists->Item(1)->Name(), "Morning");
    EXPECT_EQ(playlists->Item(2)->Name(), "Evening");
    playlists->Item(2)->PlayFirstTrack();
    EXPECT_TRUE(eventually([&] { return fake().calls().size() == 2; }));
    EXPECT_EQ(fake().calls(), (QStringList { "GetPlaylists", "ActivatePlaylist /p/2" }));
    EXPECT_TRUE(player().capabilities().playlists);
    // The tracks behind a playlist are not exposed.
    EXPECT_THROW(playlists->Item(1)->Tracks(), PlayerError);
}

} // namespace
