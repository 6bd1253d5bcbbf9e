#include "SampleLibrary.h"

#include <gmock/gmock.h>

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

TEST(MusicLibraryPlaylists, LibraryComesFirstWhereverItIsInTheFileAndIsMadeWhenMissingAndErrorsSaySo)
{
    QTemporaryDir dir;
    MusicLibrary library;
    ASSERT_TRUE(library.load(SampleLibrary::writeFile(dir.path(), twoTrackLibrary(R"(	<key>Playlists</key>
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

    // Without one, a "Library" of all tracks is made.
    MusicLibrary bare;
    ASSERT_TRUE(bare.load(SampleLibrary::writeFile(dir.path(), twoTrackLibrary(""))));
    EXPECT_THAT(playlistNames(bare), ElementsAre("Library"));
    EXPECT_THAT(*bare.playlists()[0].tracks, ElementsAre(0, 1));

    EXPECT_FALSE(library.load(QDir(dir.path()).filePath("absent.xml")));
    EXPECT_THAT(library.errorString().toStdString(), HasSubstr("could not be opened"));

    EXPECT_FALSE(library.load(SampleLibrary::writeFile(dir.path(), "<plist version=\"1.0\"><dict></dict></plist>")));
    EXPECT_THAT(library.errorString().toStdString(), HasSubstr("is not a music library"));
}
