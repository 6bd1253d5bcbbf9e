#include "platform/autostart/XdgAutostartRegistry.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace
{
const QString kRun = QString::fromLatin1(kRunKey);

class XdgAutostartRegistryTest : public testing::Test
{
protected:
    QTemporaryDir m_config;
    const QString m_folder = m_config.filePath("autostart");
    XdgAutostartRegistry registry { m_folder };
};
}

TEST_F(XdgAutostartRegistryTest, TheRunValueIsAQuotedAutostartEntryThatComesAndGoes)
{
    const QString command = registry.runAtLogonCommand("/opt/my apps/bolvin-1.0");
    EXPECT_EQ(command, "\"/opt/my apps/bolvin-1.0/bolvin\"");
    EXPECT_EQ(registry.runAtLogonCommand("/home/a\"b/$HOME/`x`"), "\"/home/a\\\"b/\\$HOME/\\`x\\`/bolvin\"")
        << "what an Exec line would otherwise interpret is quoted";

    registry.SetRegistryString(Registry::LocalMachine, kRun, "Bolvin", command);
    QFile entry(m_folder + "/bolvin.desktop");
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(text.contains("\nExec=\"/opt/my apps/bolvin-1.0/bolvin\"\n"));
    EXPECT_TRUE(text.contains("\nType=Application\n"));

    EXPECT_TRUE(registry.DeleteRegistryValue(Registry::LocalMachine, kRun, "Bolvin"));
    EXPECT_FALSE(entry.exists());
    EXPECT_FALSE(registry.DeleteRegistryValue(Registry::LocalMachine, kRun, "Bolvin")) << "nothing left to delete";
}

TEST_F(XdgAutostartRegistryTest, AnUnwritableFolderChangesNothing)
{
    // A file where the folder should be: nothing can be written there.
    QFile blocker(m_folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    registry.SetRegistryString(Registry::LocalMachine, kRun, "Bolvin", "\"/opt/bolvin\"");
    EXPECT_TRUE(QFileInfo(m_folder).isFile());
    EXPECT_FALSE(registry.DeleteRegistryValue(Registry::LocalMachine, kRun, "Bolvin"));
}
