#include "QtSettingsStore.h"

#include "SettingsLocation.h"

namespace
{
constexpr auto kSection = "StartUp";
}

QtSettingsStore::QtSettingsStore()
    : m_settings(openSettingsLocation())
{
}

QString QtSettingsStore::path(const QString& key) const
{
    return QString::fromLatin1(kSection) + QLatin1Char('/') + key;
}

QString QtSettingsStore::GetSetting(const QString& key, const QString& defaultValue) const
{
    const QVariant value = m_settings->value(path(key));
    // QSettings reads an unquoted value with commas as a list; it was meant as text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    // Anything else that is not text reads as absent.
    if (!value.isValid() || !value.canConvert<QString>())
        return defaultValue;
    return value.toString();
}

void QtSettingsStore::SaveSetting(const QString& key, const QString& value)
{
    m_settings->setValue(path(key), value);
    m_settings->sync();
}

void QtSettingsStore::DeleteSetting(const QString& key)
{
    m_settings->remove(path(key));
    m_settings->sync();
}
