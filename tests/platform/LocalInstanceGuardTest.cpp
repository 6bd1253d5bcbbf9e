#include "platform/desktop/LocalInstanceGuard.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QUuid>

#include <future>

namespace
{
QString uniqueName()
{
    return QStringLiteral("bolvin-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

class LocalInstanceGuardTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // The guard keeps its lock and socket in the runtime folder.
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
    }
    QTemporaryDir m_runtime;
};
}

TEST_F(LocalInstanceGuardTest, OnlyTheFirstGuardRunsAndTheLockGoesWithIt)
{
    const QString name = uniqueName();
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

TEST_F(LocalInstanceGuardTest, TakesOverTheLockOfAProcessThatIsGone)
{
    const QString name = uniqueName();
    QFile stale(LocalInstanceGuard::lockFilePath(name));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    // A pid far above any pid_max in use, in QLockFile's own format.
    stale.write(QByteArray("2147483000\n") + QCoreApplication::applicationName().toUtf8() + "\n"
        + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();

    LocalInstanceGuard guard(name);
    EXPECT_FALSE(guard.previousInstanceRunning());
}

TEST_F(LocalInstanceGuardTest, AQuitRequestReachesTheRunningInstance)
{
    const QString name = uniqueName();
    EXPECT_FALSE(LocalInstanceGuard::requestQuit(name, 200)) << "nobody to answer";

    LocalInstanceGuard guard(name);
    ASSERT_FALSE(guard.previousInstanceRunning());
    QSignalSpy quitRequested(&guard, &InstanceGuard::quitRequested);
    auto answered = std::async(std::launch::async, [&] { return LocalInstanceGuard::requestQuit(name, 3000); });
    EXPECT_TRUE(quitRequested.wait(3000));
    guard.finishQuit(QString()); // answered once the shutdown has run
    while (answered.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        QCoreApplication::processEvents();
    EXPECT_TRUE(answered.get());
}
