#include "platform/desktop/LocalInstanceGuard.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUuid>

#include <future>

// A stale lock taken over is run by the lifecycle integration test.
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

// A second start reaches the running instance through a socket only its user may open, even
// where a crashed instance left one behind; quit is answered after the shutdown.
TEST(LocalInstanceGuardTest, ShowAndQuitAreAnsweredOverAUserOnlySocket)
{
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    const QString name = QStringLiteral("bolvin-test-") + QUuid::createUuid().toString(QUuid::Id128);
    QFile stale(LocalInstanceGuard::serverName(name));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    LocalInstanceGuard running(name);
    ASSERT_FALSE(running.previousInstanceRunning());
    EXPECT_EQ(QFile::permissions(stale.fileName())
            & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
        0);

    QSignalSpy shown(&running, &InstanceGuard::showRequested);
    auto show = std::async(std::launch::async, [&] { return LocalInstanceGuard::requestShow(name, 3000); });
    EXPECT_TRUE(shown.wait(3000));
    EXPECT_TRUE(show.get());

    QObject::connect(
        &running, &InstanceGuard::quitRequested, [&] { running.finishQuit(QStringLiteral("the  ratings")); });
    QSignalSpy quitting(&running, &InstanceGuard::quitRequested);
    QString unsaved;
    auto quit = std::async(std::launch::async, [&] { return LocalInstanceGuard::requestQuit(name, 3000, &unsaved); });
    EXPECT_TRUE(quitting.wait(3000));
    EXPECT_TRUE(quit.get());
    EXPECT_EQ(unsaved, QStringLiteral("the ratings"));
}
