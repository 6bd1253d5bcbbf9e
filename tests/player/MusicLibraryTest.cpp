#include "SampleLibrary.h"

#include "player/simulated/MusicLibrary.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>

using testing::ElementsAre;
using testing::HasSubstr;

namespace
{

QStringList playlistNames(const MusicLibrary& library)
{
    QStringList names;
    for (const LibraryPlaylist& playlist : library.playlists())
        names << playlist.name;
    return names;
}

QByteArray twoTrackLibrary(const QByteArray& playlists)
{
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0">
<dict>
	<key>Tracks</key>
	<dict>
		<key>7</key>
		<dict><key>Track ID</key><integer>7</integer><key>Name</key><string>Seven</string></dict>
		<key>9</key>
		<dict><key>Track ID</key><integer>9</integer><key>Name</key><string>Nine</string></dict>
	</dict>
)" + playlists
        + "</dict>\n</plist>\n";
}

} // namespace

TEST(MusicLibrarySample, HasTheExpectedShape)
{
    SampleLibrary sample;
    const auto library = sample.load();
    EXPECT_EQ(library->tracks().size(), 36u);
    EXPECT_THAT(playlistNames(*library), ElementsAre("Library", "Road Trip", "Quiet & Slow", "Empty Playlist"));
    EXPECT_EQ(library->playlists()[0].tracks->size(), 36u);
    EXPECT_EQ(library->playlists()[1].tracks->size(), 8u);
    EXPECT_TRUE(library->playlists()[3].tracks->empty());
}

TEST(MusicLibrarySample, ReadsMarkupAndNonLatinTextExactly)
{
    SampleLibrary sample;
    const auto library = sample.load();
    const int less = trackNamed(*library, QStringLiteral("Less < More"));
    ASSERT_GE(less, 0);
    EXPECT_EQ(library->tracks()[std::size_t(less)].artist, QStringLiteral("Mo & the Crisps"));
    EXPECT_EQ(library->tracks()[std::size_t(less)].album, QStringLiteral("Salt & Vinegar"));
    for (const char* name : { "日本語の歌", "Ελληνικά Νύχτα", "Русский Вальс", "Café Méridien", "Piñata Azul",
             "Über die Brücke", "Nachtschicht <Remix>" })
        EXPECT_GE(trackNamed(*library, QString::fromUtf8(name)), 0) << name;
    const int japanese = trackNamed(*library, QStringLiteral("日本語の歌"));
    EXPECT_EQ(library->tracks()[std::size_t(japanese)].artist, QStringLiteral("山田花子"));
}

TEST(MusicLibrarySample, KeepsRatingsOffTheStarGridAndNeverPlayedTracks)
{
    SampleLibrary sample;
    const auto library = sample.load();
    QList<int> ratings;
    int neverPlayed = 0;
    int withoutCover = 0;
    for (const LibraryTrack& track : library->tracks()) {
        ratings << track.rating;
        if (track.playCount == 0) {
            ++neverPlayed;
            EXPECT_FALSE(track.playDate.isValid()) << track.name.toStdString();
        }
        if (track.artworkFile.isEmpty())
            ++withoutCover;
        EXPECT_GT(track.totalTimeMs, 0);
    }
    EXPECT_TRUE(ratings.contains(50));
    EXPECT_TRUE(ratings.contains(73));
    EXPECT_TRUE(ratings.contains(0));
    EXPECT_GT(neverPlayed, 0);
    EXPECT_GT(withoutCover, 0);
    // Cover paths are relative to the library's folder.
    const LibraryTrack& first = library->tracks().front();
    EXPECT_EQ(first.artworkFile, QDir(sample.folder()).filePath("covers/harbour-lights.jpg"));
}

TEST(MusicLibraryPlaylists, LibraryComesFirstWhereverItIsInTheFile)
{
    QTemporaryDir dir;
    MusicLibrary library;
    ASSERT_TRUE(library.load(SampleLibrary::writeFile(dir, twoTrackLibrary(R"(	<key>Playlists</key>
	<array>
		<dict><key>Name</key><string>Mix</string><key>Playlist Items</key><array>
			<dict><key>Track ID</key><integer>9</integer></dict></array></dict>
		<dict><key>Name</key><string>Library</string><key>Playlist Items</key><array>
			<dict><key>Track ID</key><integer>9</integer></dict>
			<dict><key>Track ID</key><integer>404</integer></dict>
			<dict><key>Track ID</key><integer>7</integer></dict></array></dict>
	</array>
)")))) << library.errorString().toStdString();
    EXPECT_THAT(playlistNames(library), ElementsAre("Library", "Mix"));
    // File order is kept, and an item naming no track is dropped.
    EXPECT_THAT(*library.playlists()[0].tracks, ElementsAre(1, 0));
}

TEST(MusicLibraryPlaylists, WithoutALibraryPlaylistOneOfAllTracksIsMade)
{
    QTemporaryDir dir;
    MusicLibrary library;
    ASSERT_TRUE(library.load(SampleLibrary::writeFile(dir, twoTrackLibrary(""))));
    EXPECT_THAT(playlistNames(library), ElementsAre("Library"));
    EXPECT_THAT(*library.playlists()[0].tracks, ElementsAre(0, 1));
}

TEST(MusicLibraryErrors, SayWhatIsWrongInASentence)
{
    QTemporaryDir dir;
    MusicLibrary library;
    EXPECT_FALSE(library.load(QDir(dir.path()).filePath("absent.xml")));
    EXPECT_THAT(library.errorString().toStdString(), HasSubstr("could not be opened"));

    EXPECT_FALSE(library.load(SampleLibrary::writeFile(dir, "<plist version=\"1.0\"><dict></dict></plist>")));
    EXPECT_THAT(library.errorString().toStdString(), HasSubstr("is not a music library"));

    EXPECT_FALSE(library.load(SampleLibrary::writeFile(dir, "<plist version=\"1.0\">\n<dict>\n<key>Tracks</key>\n")));
    EXPECT_THAT(library.errorString().toStdString(), HasSubstr("is damaged"));
    EXPECT_THAT(library.errorString().toStdString(), HasSubstr("Line 4"));
}
