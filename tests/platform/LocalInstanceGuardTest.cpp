#include "platform/desktop/LocalInstanceGuard.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QUuid>

// A stale lock taken over and a quit request answered are run by the lifecycle integration test.
TEST(LocalInstanceGuardTest, OnlyTheFirstGuardRunsAndTheLockGoesWithIt)
{
    QTemporaryDir runtime; // where the guard keeps its lock and socket
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    const QString name = QStringLiteral("bolvin-test-") + QUuid::createUuid().toString(QUuid::Id128);
    EXPECT_FALSE(LocalInstanceGuard::requestQuit(name, 200)) << "nobody to answer";
    {
        LocalInstanceGuard first(name);
        EXPECT_FALSE(first.previousInstanceRunning());
        EXPECT_FALSE(first.previousInstanceRunning()) << "asking again must not refuse ourselves";
        LocalInstanceGuard second(name);
        EXPECT_TRUE(second.previousInstanceRunning());
        EXPECT_TRUE(QFile::exists(LocalInstanceGuard::lockFilePath(name)));
    }
    EXPECT_FALSE(QFile::exists(LocalInstanceGuard::lockFilePath(name)));
    LocalInstanceGuard third(name);
    EXPECT_FALSE(third.previousInstanceRunning());
}
