#include "platform/appearance/DesktopColorScheme.h"
#include "FakeBusObject.h"
#include "PrivateBus.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusVariant>
#include <QSignalSpy>
#include <QTest>

namespace
{
constexpr int kWaitMs = 5000;
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");

// The settings portal's colour scheme: read as older portals answer, inside one variant too
// many, and changed by a signal.
class FakeSettingsPortal : public FakeBusObject
{
public:
    explicit FakeSettingsPortal(const QString& address, uint scheme)
        : FakeBusObject(address, QStringLiteral("org.freedesktop.portal.Desktop"), kPath)
        , m_scheme(scheme)
    {
    }
    ~FakeSettingsPortal() override { stop(); }

    void change(uint scheme)
    {
        QDBusMessage signal = QDBusMessage::createSignal(kPath, "org.freedesktop.portal.Settings", "SettingChanged");
        signal.setArguments(
            { "org.freedesktop.appearance", "color-scheme", QVariant::fromValue(QDBusVariant(scheme)) });
        connection().send(signal);
    }

private:
    void handle(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        const QVariant wrapped = QVariant::fromValue(QDBusVariant(QVariant::fromValue(QDBusVariant(m_scheme))));
        connection.send(message.member() == QLatin1String("Read") && message.arguments().value(1) == "color-scheme"
                ? message.createReply(QVariant::fromValue(QDBusVariant(wrapped)))
                : message.createErrorReply(QDBusError::UnknownMethod, "no such setting"));
    }

    uint m_scheme;
};
}

TEST(DesktopColorSchemeTest, ThePortalsPreferenceWinsAndFollowsTheDesktopElseThePaletteSpeaks)
{
    PrivateBus bus;
    ASSERT_TRUE(bus.start(QStringLiteral("scheme-test"))) << qPrintable(bus.error());
    const QPalette light = QApplication::palette();
    ASSERT_GT(light.color(QPalette::Window).lightness(), 128);
    {
        DesktopColorScheme noPortal(bus.client());
        QSignalSpy changed(&noPortal, &ColorSchemeSource::changed);
        QPalette dark = light;
        dark.setColor(QPalette::Window, QColor(0x2a, 0x2a, 0x2e));
        QApplication::setPalette(dark);
        EXPECT_TRUE(noPortal.dark());
        EXPECT_EQ(changed.count(), 1);
        QApplication::setPalette(light);
        EXPECT_FALSE(noPortal.dark());
    }
    FakeSettingsPortal portal(bus.address(), 1);
    ASSERT_TRUE(portal.start());
    DesktopColorScheme scheme(bus.client());
    QSignalSpy changed(&scheme, &ColorSchemeSource::changed);
    EXPECT_FALSE(scheme.dark()) << "the palette speaks until the portal answers";
    ASSERT_TRUE(QTest::qWaitFor([&] { return scheme.dark(); }, kWaitMs));
    portal.change(2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !scheme.dark(); }, kWaitMs));
    EXPECT_EQ(changed.count(), 2);
}
