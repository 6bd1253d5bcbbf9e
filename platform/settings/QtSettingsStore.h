#pragma once

#include "SettingsStore.h"

#include <QSettings>

#include <memory>

// The store on QSettings: an INI file under the user's config folder on Linux
// ("Bolvin/Bolvin.conf"), the registry on Windows (see SettingsLocation.h).
class QtSettingsStore : public SettingsStore
{
public:
    QtSettingsStore();

    QString GetSetting(const QString& key, const QString& defaultValue = QString()) const override;
    void SaveSetting(const QString& key, const QString& value) override;
    void DeleteSetting(const QString& key) override;

private:
    QString path(const QString& key) const;

    std::unique_ptr<QSettings> m_settings;
};
