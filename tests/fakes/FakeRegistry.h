#pragma once

#include "platform/autostart/Registry.h"

#include <QMap>

// Keeps registry values in memory, keyed "root\\key\\value".
class FakeRegistry : public Registry
{
public:
    void SetRegistryString(Root hKey, const QString& KeyName, const QString& ValueName, const QString& value) override
    {
        if (writable)
            values.insert(path(hKey, KeyName, ValueName), value);
    }
    bool DeleteRegistryValue(Root hKey, const QString& KeyName, const QString& ValueName) override
    {
        return writable && values.remove(path(hKey, KeyName, ValueName)) > 0;
    }
    QString runAtLogonCommand(const QString& programDir) const override
    {
        return QStringLiteral("\"") + programDir + QStringLiteral("/bolvin\"");
    }

    static QString path(Root hKey, const QString& KeyName, const QString& ValueName)
    {
        return QString::number(hKey) + QLatin1Char('\\') + KeyName + QLatin1Char('\\') + ValueName;
    }
    QString runValue() const
    {
        return values.value(path(LocalMachine, QString::fromLatin1(kRunKey), QStringLiteral("Bolvin")));
    }

    QMap<QString, QString> values;
    bool writable = true;
};
