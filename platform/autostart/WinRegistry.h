#pragma once

#include "Registry.h"

// The Windows registry through QSettings' native format.
class WinRegistry : public Registry
{
public:
    void SetRegistryString(Root hKey, const QString& KeyName, const QString& ValueName, const QString& value) override;
    bool DeleteRegistryValue(Root hKey, const QString& KeyName, const QString& ValueName) override;
    QString runAtLogonCommand(const QString& programDir) const override;
};
