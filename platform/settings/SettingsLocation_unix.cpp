#include "SettingsLocation.h"

std::unique_ptr<QSettings> openSettingsLocation()
{
    // ~/.config/Bolvin/Bolvin.conf
    return std::make_unique<QSettings>(
        QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Bolvin"), QStringLiteral("Bolvin"));
}
