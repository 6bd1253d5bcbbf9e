#include "XdgAutostartRegistry.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace
{
bool isRunKey(const QString& keyName)
{
    return keyName.compare(QLatin1String(kRunKey), Qt::CaseInsensitive) == 0;
}
}

XdgAutostartRegistry::XdgAutostartRegistry(QString autostartDir)
    : m_autostartDir(std::move(autostartDir))
{
    if (m_autostartDir.isEmpty())
        m_autostartDir = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                             .filePath(QStringLiteral("autostart"));
}

QString XdgAutostartRegistry::entryPath(const QString& ValueName) const
{
    return QDir(m_autostartDir).filePath(ValueName.toLower() + QStringLiteral(".desktop"));
}

void XdgAutostartRegistry::SetRegistryString(
    Root, const QString& KeyName, const QString& ValueName, const QString& value)
{
    if (!isRunKey(KeyName) || !QDir().mkpath(m_autostartDir))
        return;
    QSaveFile file(entryPath(ValueName));
    if (!file.open(QIODevice::WriteOnly))
        return;
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=%1\n"
                                         "Comment=Track pop-ups and tray controls for your media player\n"
                                         "Exec=%2\n"
                                         "Icon=bolvin\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(ValueName, value);
    file.write(entry.toUtf8());
    file.commit();
}

bool XdgAutostartRegistry::DeleteRegistryValue(Root, const QString& KeyName, const QString& ValueName)
{
    if (!isRunKey(KeyName))
        return false;
    return QFile::remove(entryPath(ValueName));
}

QString XdgAutostartRegistry::runAtLogonCommand(const QString& programDir) const
{
    QString dir = QDir::cleanPath(programDir);
    // Exec quoting: a double quote, backslash, dollar or backtick inside quotes is escaped.
    dir.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('"'), QStringLiteral("\\\""))
        .replace(QLatin1Char('$'), QStringLiteral("\\$"))
        .replace(QLatin1Char('`'), QStringLiteral("\\`"));
    return QLatin1Char('"') + dir + QStringLiteral("/bolvin\"");
}
