#include "SettingsLocation.h"

std::unique_ptr<QSettings> openSettingsLocation()
{
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Bolvin"), QSettings::NativeFormat);
}
