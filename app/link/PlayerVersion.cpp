#include "PlayerVersion.h"

#include "app/Branding.h"

namespace
{
constexpr double kOldestVersion = 5.1;
constexpr double kNewestVersion = 6.4;
}

QString versionRejection(const QString& playerName, const QString& version)
{
    // The first three characters as a number, "6.4" of "6.4.2".
    bool ok = false;
    const double number = version.left(3).toDouble(&ok);
    if (ok && number >= kOldestVersion && number <= kNewestVersion)
        return QString();
    return playerName + QLatin1Char(' ') + version
        + QStringLiteral(
            " is not compatible with this version of Bolvin.\r\nDownload the latest version of Bolvin from ")
        + QString::fromLatin1(kWebAddress);
}
