#pragma once

#include "Registry.h"

// The Run key as XDG autostart entries: value "Bolvin" is the file "bolvin.desktop" in the
// user's autostart folder, its data the entry's Exec line. Other keys are not kept.
class XdgAutostartRegistry : public Registry
{
public:
    // autostartDir: the folder to use; empty for the user's ($XDG_CONFIG_HOME/autostart).
    explicit XdgAutostartRegistry(QString autostartDir = QString());

    void SetRegistryString(Root hKey, const QString& KeyName, const QString& ValueName, const QString& value) override;
    bool DeleteRegistryValue(Root hKey, const QString& KeyName, const QString& ValueName) override;
    QString runAtLogonCommand(const QString& programDir) const override;

    QString entryPath(const QString& ValueName) const;

private:
    QString m_autostartDir;
};
