#include "platform/settings/QtSettingsStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace
{
class QtSettingsStoreTest : public testing::Test
{
protected:
    void SetUp() override { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path()); }
    QTemporaryDir m_config;
    QFile m_ini { m_config.filePath(QStringLiteral("Bolvin/Bolvin.conf")) };
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
    ASSERT_TRUE(m_ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(m_ini.readAll().contains("[StartUp]"));

    reopened.DeleteSetting("FirstRun");
    reopened.DeleteSetting("NeverThere");
    EXPECT_EQ(QtSettingsStore().GetSetting("FirstRun", "Yes"), "Yes");
}

TEST_F(QtSettingsStoreTest, GarbageInTheFileReadsAsDefaults)
{
    ASSERT_TRUE(QDir().mkpath(m_config.filePath("Bolvin")) && m_ini.open(QIODevice::WriteOnly));
    m_ini.write("\x01\x02garbage\n[StartUp\nFirstRun=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\xff)\n[StartUp]\nList=a, b\n");
    m_ini.close();

    QtSettingsStore store;
    EXPECT_EQ(store.GetSetting("Missing", "dflt"), "dflt");
    EXPECT_NO_THROW(store.GetSetting("FirstRun", "Yes"));
    EXPECT_EQ(store.GetSetting("List"), "a, b");
    store.SaveSetting("Scroll", "30");
    EXPECT_EQ(QtSettingsStore().GetSetting("Scroll"), "30");
}
