#include "SampleLibrary.h"

#include "player/PlayerError.h"

namespace
{

std::shared_ptr<PlayerCollection<PlayerArtwork>> artworkOf(const SimulatedPlayer& player, const QString& name)
{
    const auto found = player.LibrarySource()->Playlists()->Item(1)->Search(name, PlayerPlaylist::SearchSongNames);
    EXPECT_TRUE(found) << name.toStdString() << " is not in the sample";
    return found->Item(1)->Artwork();
}

} // namespace

TEST(SimulatedArtwork, SampleTracksCarryEachFormatOrNoneAndSavingCopiesTheBytesOverAnOldFile)
{
    SampleLibrary sample;
    const auto player = sample.player();
    EXPECT_EQ(artworkOf(*player, "Harbour Lights")->Item(1)->Format(), PlayerArtwork::JPEG);
    EXPECT_EQ(artworkOf(*player, "Café Méridien")->Item(1)->Format(), PlayerArtwork::PNG);
    EXPECT_EQ(artworkOf(*player, "Müde Straßen")->Item(1)->Format(), PlayerArtwork::BMP);
    // No cover named, and a cover named but missing on disk.
    EXPECT_EQ(artworkOf(*player, "Dust in Sunlight")->Count(), 0);
    EXPECT_EQ(artworkOf(*player, "Last Ferry Home")->Count(), 0);

    QTemporaryDir dir;
    const QString target = QDir(dir.path()).filePath("Bolvin-artwork.png");
    ASSERT_TRUE(LibraryFiles::write(target, QByteArray(100'000, 'x')));
    artworkOf(*player, "日本語の歌")->Item(1)->SaveArtworkToFile(target);
    EXPECT_EQ(LibraryFiles::read(target), LibraryFiles::read(QDir(sample.folder()).filePath("covers/yoake.png")));

    const QString nowhere = QDir(dir.path()).filePath("no/such/folder/cover.jpg");
    EXPECT_THROW(artworkOf(*player, "Harbour Lights")->Item(1)->SaveArtworkToFile(nowhere), PlayerError);
}
