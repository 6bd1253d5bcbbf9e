#pragma once

#include "ColorSchemeSource.h"

#include <QDBusConnection>

#include <optional>

class PortalSettingsProxy;

// The desktop's colour scheme: the settings portal's "color-scheme" of
// "org.freedesktop.appearance" where a portal states a preference, else the lightness of the
// application palette's window colour. The portal is asked without blocking; until it answers,
// and wherever none runs, the palette speaks.
class DesktopColorScheme : public ColorSchemeSource
{
    Q_OBJECT
public:
    explicit DesktopColorScheme(const QDBusConnection& bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    bool dark() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void takePreference(const QVariant& value);
    // Says changed() when what dark() gives is no longer what it last gave.
    void refresh();

    PortalSettingsProxy* m_portal;
    // Dark or light as the portal prefers; nullopt for no preference, or no portal.
    std::optional<bool> m_preference;
    bool m_dark;
};
