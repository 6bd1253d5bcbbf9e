#include "WinRegistry.h"

#include "SystemRegistry.h"

#include <QDir>
#include <QSettings>

namespace
{
QString keyPath(Registry::Root root, const QString& keyName)
{
    return (root == Registry::LocalMachine ? QStringLiteral("HKEY_LOCAL_MACHINE\\")
                                           : QStringLiteral("HKEY_CURRENT_USER\\"))
        + keyName;
}
}

void WinRegistry::SetRegistryString(Root hKey, const QString& KeyName, const QString& ValueName, const QString& value)
{
    QSettings key(keyPath(hKey, KeyName), QSettings::NativeFormat);
    key.setValue(ValueName, value);
}

bool WinRegistry::DeleteRegistryValue(Root hKey, const QString& KeyName, const QString& ValueName)
{
    QSettings key(keyPath(hKey, KeyName), QSettings::NativeFormat);
    if (!key.isWritable() || !key.contains(ValueName))
        return false;
    key.remove(ValueName);
    key.sync();
    return key.status() == QSettings::NoError;
}

QString WinRegistry::runAtLogonCommand(const QString& programDir) const
{
    // Always "bolvin.exe", whatever the running file is called.
    return QLatin1Char('"') + QDir::toNativeSeparators(QDir::cleanPath(programDir)) + QStringLiteral("\\bolvin.exe\"");
}

std::unique_ptr<Registry> createSystemRegistry()
{
    return std::make_unique<WinRegistry>();
}
