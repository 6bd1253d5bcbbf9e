#include "DesktopColorScheme.h"

#include "DarkPalette.h"
#include "portalsettingsproxy.h"

#include <QDBusPendingCallWatcher>
#include <QGuiApplication>
#include <QPalette>

namespace
{
const QString kNamespace = QStringLiteral("org.freedesktop.appearance");
const QString kKey = QStringLiteral("color-scheme");
constexpr uint kPrefersDark = 1;
constexpr uint kPrefersLight = 2;

bool paletteIsDark()
{
    return isDarkPalette(QGuiApplication::palette());
}
}

DesktopColorScheme::DesktopColorScheme(const QDBusConnection& bus, QObject* parent)
    : ColorSchemeSource(parent)
    , m_portal(new PortalSettingsProxy(QStringLiteral("org.freedesktop.portal.Desktop"),
          QStringLiteral("/org/freedesktop/portal/desktop"), bus, this))
    , m_dark(paletteIsDark())
{
    connect(m_portal, &PortalSettingsProxy::SettingChanged, this,
        [this](const QString& group, const QString& key, const QDBusVariant& value) {
            if (group == kNamespace && key == kKey)
                takePreference(value.variant());
        });
    auto* read = new QDBusPendingCallWatcher(m_portal->Read(kNamespace, kKey), this);
    connect(read, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        // No portal, or one without the setting: the palette goes on speaking.
        if (const QDBusPendingReply<QDBusVariant> reply = *call; !reply.isError())
            takePreference(reply.value().variant());
        call->deleteLater();
    });
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
}

bool DesktopColorScheme::dark() const
{
    return m_preference.value_or(paletteIsDark());
}

bool DesktopColorScheme::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ApplicationPaletteChange && watched == QCoreApplication::instance())
        refresh();
    return ColorSchemeSource::eventFilter(watched, event);
}

void DesktopColorScheme::takePreference(const QVariant& value)
{
    QVariant setting = value;
    // Read answers with the value wrapped once more than SettingChanged sends it.
    while (setting.metaType() == QMetaType::fromType<QDBusVariant>())
        setting = setting.value<QDBusVariant>().variant();
    const uint scheme = setting.toUInt();
    m_preference = scheme == kPrefersDark ? std::optional(true)
        : scheme == kPrefersLight         ? std::optional(false)
                                          : std::nullopt;
    refresh();
}

void DesktopColorScheme::refresh()
{
    if (const bool now = dark(); now != m_dark) {
        m_dark = now;
        emit changed();
    }
}
