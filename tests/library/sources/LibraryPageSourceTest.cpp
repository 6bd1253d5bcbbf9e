#include "SourceTestFiles.h"

#include "app/options/LibraryPage.h"

#include <QComboBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

// The page's source selector, with the players' own files under a private data folder.
class LibraryPageSourceTest : public testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit());
        page.setFileChooser([this] { return chosen; });
        QObject::connect(&page, &LibraryPage::librarySourceChanged, [this] { ++changes; });
    }
    void TearDown() override { qunsetenv("XDG_DATA_HOME"); }

    QString data(const QString& name) const { return QDir(dir.path()).filePath(name); }
    void choose(LibrarySourceKind kind)
    {
        QComboBox* sources = page.findChild<QComboBox*>("cboLibrarySource");
        const int index = sources->findData(int(kind));
        sources->setCurrentIndex(index);
        emit sources->activated(index);
    }

    QTemporaryDir dir;
    LibraryPage page;
    QString chosen;
    int changes = 0;
};

TEST_F(LibraryPageSourceTest, TheConnectedPlayersLibraryComesFirstThenAPlayersFileUntilTheUserChoosesOne)
{
    EXPECT_EQ(page.selectedSource(), LibrarySourceKind::ConnectedPlayer);
    page.offerDefaultSource(false);
    EXPECT_EQ(page.selectedSource(), LibrarySourceKind::ConnectedPlayer) << "no player's file to offer";

    QDir(dir.path()).mkpath(QStringLiteral("strawberry/strawberry"));
    SourceTestFiles::write(data(QStringLiteral("strawberry/strawberry/strawberry.db")), "x");
    page.offerDefaultSource(false);
    EXPECT_EQ(page.selectedSource(), LibrarySourceKind::Strawberry);
    EXPECT_EQ(page.sourcePath(), data(QStringLiteral("strawberry/strawberry/strawberry.db")));
    EXPECT_TRUE(page.fileSourceAbility());
    page.offerDefaultSource(true);
    EXPECT_EQ(page.selectedSource(), LibrarySourceKind::ConnectedPlayer);
    EXPECT_EQ(changes, 2);

    choose(LibrarySourceKind::Bolvin);
    EXPECT_TRUE(page.fileSourceAbility()) << "an import starts Bolvin's library when nothing was rated yet";
    choose(LibrarySourceKind::Rhythmbox);
    EXPECT_FALSE(page.fileSourceAbility());
    EXPECT_TRUE(page.fileSourceAbility().reason.contains(QStringLiteral("rhythmbox/rhythmdb.xml")));
    page.offerDefaultSource(true);
    EXPECT_EQ(page.selectedSource(), LibrarySourceKind::Rhythmbox) << "the user's choice stands";

    // A library file is asked for; a cancel keeps the source in use.
    choose(LibrarySourceKind::File);
    EXPECT_EQ(page.selectedSource(), LibrarySourceKind::Rhythmbox);

    chosen = data(QStringLiteral("Copied Library.xml"));
    choose(LibrarySourceKind::File);
    EXPECT_EQ(page.selectedSource(), LibrarySourceKind::File);
    EXPECT_EQ(page.sourcePath(), chosen);
    EXPECT_EQ(page.findChild<QComboBox*>("cboLibrarySource")->currentText(),
        QStringLiteral("Library file: Copied Library.xml"));
    EXPECT_FALSE(page.fileSourceAbility()) << "not there yet";
    SourceTestFiles::write(chosen, "<plist/>");
    EXPECT_TRUE(page.fileSourceAbility());

    // Asked again and cancelled: the file chosen before stays.
    chosen.clear();
    choose(LibrarySourceKind::File);
    EXPECT_EQ(page.sourcePath(), data(QStringLiteral("Copied Library.xml")));
}

} // namespace
