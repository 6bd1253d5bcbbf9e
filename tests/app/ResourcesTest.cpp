#include "app/Resources.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

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
