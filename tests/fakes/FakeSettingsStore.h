#pragma once

#include "platform/settings/SettingsStore.h"

#include <QMap>

class FakeSettingsStore : public SettingsStore
{
public:
    QString GetSetting(const QString& key, const QString& defaultValue = QString()) const override
    {
        return values.value(key, defaultValue);
    }
    void SaveSetting(const QString& key, const QString& value) override { values.insert(key, value); }
    void DeleteSetting(const QString& key) override { values.remove(key); }

    QMap<QString, QString> values;
};
