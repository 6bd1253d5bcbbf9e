#include "platform/autostart/XdgAutostartRegistry.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace
{
const QString kRun = QString::fromLatin1(kRunKey);

QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
}

TEST(XdgAutostartRegistry, TheRunValueIsAnAutostartEntryThatComesAndGoes)
{
    QTemporaryDir config;
    XdgAutostartRegistry registry(config.filePath("autostart"));
    const QString command = registry.runAtLogonCommand("/opt/my apps/bolvin-1.0");
    EXPECT_EQ(command, "\"/opt/my apps/bolvin-1.0/bolvin\"");

    registry.SetRegistryString(Registry::LocalMachine, kRun, "Bolvin", command);
    const QString entry = readAll(config.filePath("autostart/bolvin.desktop"));
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(entry.contains("\nExec=\"/opt/my apps/bolvin-1.0/bolvin\"\n"));
    EXPECT_TRUE(entry.contains("\nType=Application\n"));

    EXPECT_TRUE(registry.DeleteRegistryValue(Registry::LocalMachine, kRun, "Bolvin"));
    EXPECT_FALSE(QFile::exists(config.filePath("autostart/bolvin.desktop")));
    EXPECT_FALSE(registry.DeleteRegistryValue(Registry::LocalMachine, kRun, "Bolvin")) << "nothing left to delete";
}

TEST(XdgAutostartRegistry, QuotesWhatAnExecLineWouldOtherwiseInterpret)
{
    XdgAutostartRegistry registry("/nonexistent");
    EXPECT_EQ(registry.runAtLogonCommand("/home/a\"b/$HOME/`x`"), "\"/home/a\\\"b/\\$HOME/\\`x\\`/bolvin\"");
}

TEST(XdgAutostartRegistry, OtherKeysAndAnUnwritableFolderChangeNothing)
{
    QTemporaryDir config;
    XdgAutostartRegistry registry(config.filePath("autostart"));
    registry.SetRegistryString(Registry::LocalMachine, "Software\\Other", "Bolvin", "x");
    EXPECT_FALSE(QDir(config.filePath("autostart")).exists());

    // A file where the folder should be: nothing can be written there.
    QFile blocker(config.filePath("autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    registry.SetRegistryString(Registry::LocalMachine, kRun, "Bolvin", "\"/opt/bolvin\"");
    EXPECT_TRUE(QFileInfo(config.filePath("autostart")).isFile());
    EXPECT_FALSE(registry.DeleteRegistryValue(Registry::LocalMachine, kRun, "Bolvin"));
}
