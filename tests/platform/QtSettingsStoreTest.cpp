#include "platform/settings/QtSettingsStore.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace
{
class QtSettingsStoreTest : public testing::Test
{
protected:
    void SetUp() override { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path()); }
    QString file() const { return m_config.filePath(QStringLiteral("Bolvin/Bolvin.conf")); }
    QTemporaryDir m_config;
};
}

TEST_F(QtSettingsStoreTest, StoresTextUnderTheStartUpSectionAndReadsDefaultsForAbsentKeys)
{
    QtSettingsStore store;
    EXPECT_EQ(store.GetSetting("FirstRun", "Yes"), "Yes");
    store.SaveSetting("FirstRun", "No");
    store.SaveSetting("Font", QString::fromUtf8("Noto Sans CJK 日本"));

    QtSettingsStore reopened;
    EXPECT_EQ(reopened.GetSetting("FirstRun", "Yes"), "No");
    EXPECT_EQ(reopened.GetSetting("Font"), QString::fromUtf8("Noto Sans CJK 日本"));
    QFile ini(file());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("[StartUp]"));

    reopened.DeleteSetting("FirstRun");
    reopened.DeleteSetting("NeverThere");
    EXPECT_EQ(QtSettingsStore().GetSetting("FirstRun", "Yes"), "Yes");
}

TEST_F(QtSettingsStoreTest, GarbageInTheFileReadsAsDefaults)
{
    QDir().mkpath(m_config.filePath("Bolvin"));
    QFile ini(file());
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("\x01\x02garbage\n[StartUp\nFirstRun=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\xff)\n[StartUp]\nList=a, b\n");
    ini.close();

    QtSettingsStore store;
    EXPECT_EQ(store.GetSetting("Missing", "dflt"), "dflt");
    EXPECT_NO_THROW(store.GetSetting("FirstRun", "Yes"));
    EXPECT_EQ(store.GetSetting("List"), "a, b");
    store.SaveSetting("Scroll", "30");
    EXPECT_EQ(QtSettingsStore().GetSetting("Scroll"), "30");
}
