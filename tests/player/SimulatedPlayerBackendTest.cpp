#include "SampleLibrary.h"

#include "player/simulated/SimulatedPlayerBackend.h"

#include <gmock/gmock.h>

#include <QStandardPaths>

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

TEST(SimulatedPlayerBackend, RunsFromCreationUntilQuitStartsPlayingWhenAskedAndExplainsALibraryThatDoesNotLoad)
{
    SampleLibrary sample;
    SimulatedPlayerBackend backend(sample.file(), 10.0);
    backend.setRealTime(false);
    EXPECT_THAT(*backend.runningExecutables(), IsEmpty());
    const auto app = backend.createApplication();
    ASSERT_NE(app, nullptr);
    EXPECT_THAT(*backend.runningExecutables(), ElementsAre("bolvin-simulated-player"));
    EXPECT_EQ(backend.createApplication(), app);
    EXPECT_EQ(app->CurrentTrack()->Name(), "Harbour Lights");
    EXPECT_EQ(app->PlayerState(), 0);

    app->Quit();
    EXPECT_THAT(*backend.runningExecutables(), IsEmpty());
    EXPECT_EQ(backend.player(), nullptr);
    ASSERT_TRUE(backend.start(true));
    EXPECT_NE(backend.createApplication(), app);
    EXPECT_EQ(backend.player()->PlayerState(), 1);

    QTemporaryDir dir;
    SimulatedPlayerBackend damaged(
        SampleLibrary::writeFile(dir.path(), "<plist version=\"1.0\">\n<dict>\n<key>Tracks"), 1.0);
    EXPECT_FALSE(damaged.start(true));
    EXPECT_THAT(damaged.lastError().toStdString(), HasSubstr("is damaged"));
    EXPECT_THAT(*damaged.runningExecutables(), IsEmpty());
    EXPECT_EQ(damaged.createApplication(), nullptr);
}

// The bundled library is copied for the user once; a library of the user's own is played
// from a working copy.
TEST(SimulatedPlayerBackend, TheBundledLibraryIsCopiedOnceAndAUsersIsPlayedFromAWorkingCopy)
{
    QStandardPaths::setTestModeEnabled(true);
    const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    ASSERT_FALSE(appData.isEmpty());
    QDir library(QDir(appData).filePath("library"));
    library.removeRecursively();

    const QString bundled = SimulatedPlayerBackend::userLibraryFile(SampleLibrary::bundledFolder());
    ASSERT_EQ(bundled, library.filePath("iTunes Music Library.xml"));
    EXPECT_TRUE(QFile::exists(library.filePath("covers/thalassa.bmp")));
    const QByteArray changed = LibraryFiles::read(bundled) + "<!-- the user's own -->\n";
    ASSERT_TRUE(LibraryFiles::write(bundled, changed));
    EXPECT_EQ(SimulatedPlayerBackend::userLibraryFile(SampleLibrary::bundledFolder()), bundled);
    EXPECT_EQ(LibraryFiles::read(bundled), changed);
    library.removeRecursively();

    SampleLibrary user;
    // Written by another program: its own character references, which a save would respell.
    const QByteArray userBytes = user.bytes().replace("Mo &amp; the Crisps", "Mo &#38; the Crisps");
    SampleLibrary::writeFile(user.folder(), userBytes);

    QString error;
    const QString copy = SimulatedPlayerBackend::workingLibraryFile(user.file(), &error);
    ASSERT_FALSE(copy.isEmpty()) << error.toStdString();
    EXPECT_NE(QFileInfo(copy).absolutePath(), QFileInfo(user.file()).absolutePath());
    {
        SimulatedPlayerBackend backend(copy, 1.0);
        backend.setRealTime(false);
        ASSERT_TRUE(backend.start(false));
        const auto track = backend.player()->CurrentTrack();
        EXPECT_EQ(track->Artwork()->Count(), 1) << "the cover beside the user's file";
        track->SetRating(40);
        ASSERT_TRUE(backend.player()->flush());
    }
    EXPECT_EQ(user.bytes(), userBytes);

    // Reused while the user's file stays as it was; made again once it changes.
    EXPECT_EQ(SimulatedPlayerBackend::workingLibraryFile(user.file()), copy);
    MusicLibrary played;
    ASSERT_TRUE(played.load(copy));
    EXPECT_EQ(played.tracks().front().rating, 40);
    SampleLibrary::writeFile(user.folder(), userBytes + "\n");
    EXPECT_EQ(SimulatedPlayerBackend::workingLibraryFile(user.file()), copy);
    EXPECT_EQ(LibraryFiles::read(copy), userBytes + "\n");

    EXPECT_TRUE(SimulatedPlayerBackend::workingLibraryFile(QDir(user.folder()).filePath("gone.xml"), &error).isEmpty());
    EXPECT_THAT(error.toStdString(), HasSubstr("could not be opened"));
    QDir(QFileInfo(copy).absolutePath()).removeRecursively();
}
