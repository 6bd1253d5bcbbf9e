#pragma once

#include <QString>

// The per-user store of text settings, addressed by key within Bolvin's "StartUp" section.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // The stored text, or defaultValue when the key is absent.
    virtual QString GetSetting(const QString& key, const QString& defaultValue = QString()) const = 0;
    virtual void SaveSetting(const QString& key, const QString& value) = 0;
    // Removing an absent key does nothing.
    virtual void DeleteSetting(const QString& key) = 0;
};
