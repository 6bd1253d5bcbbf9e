#include "app/WindowHelpers.h"
#include "FakeDesktop.h"
#include "app/Resources.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

TEST(WindowHelpers, SetIconGivesLargeAndSmallIconsAndOptionallyTheTopOwner)
{
    FakeDesktop desktop;
    QWidget owner;
    QWidget child(&owner);

    SetIcon(desktop, &child, QStringLiteral("AAA"));
    ASSERT_EQ(desktop.iconsGiven.size(), 1);
    EXPECT_EQ(desktop.iconsGiven[0].window, &child);
    EXPECT_NE(desktop.iconsGiven[0].big, desktop.iconsGiven[0].small);
    EXPECT_EQ(desktop.iconKeys, QStringList({ "AAA@32", "AAA@16" }));

    desktop.iconsGiven.clear();
    SetIcon(desktop, &child, QStringLiteral("AAA"), true);
    ASSERT_EQ(desktop.iconsGiven.size(), 2);
    EXPECT_EQ(desktop.iconsGiven[0].window, &owner);
    EXPECT_EQ(desktop.iconsGiven[1].window, &child);
    // Loading again shares the handles.
    EXPECT_EQ(desktop.iconKeys.size(), 2);
}

TEST(WindowHelpers, GetTempDirRaisesThePlatformErrorCode)
{
    FakeDesktop desktop;
    EXPECT_EQ(GetTempDir(desktop), "/tmp/");
    desktop.tempDirError = 5;
    try {
        GetTempDir(desktop);
        FAIL() << "expected a PlatformError";
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.code(), 5);
    }
}

TEST(Resources, FoundBesideTheProgramThenInTheInstalledDataFolder)
{
    QTemporaryDir root;
    const QDir dir(root.path());
    EXPECT_EQ(resourceDir(dir.filePath("bin")), QString());

    dir.mkpath("share/bolvin");
    dir.mkpath("bin");
    EXPECT_EQ(resourceDir(dir.filePath("bin")), dir.filePath("share/bolvin"));

    dir.mkpath("bin/resources");
    EXPECT_EQ(resourceDir(dir.filePath("bin")), dir.filePath("bin/resources"));
}
