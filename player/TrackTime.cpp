#include "TrackTime.h"

#include <QStringList>

#include <algorithm>

QString trackTimeText(qint64 milliseconds)
{
    const qint64 seconds = std::max<qint64>(milliseconds, 0) / 1000;
    const qint64 hours = seconds / 3600;
    const qint64 minutes = seconds / 60 % 60;
    const QString secondsText = QStringLiteral("%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (hours > 0)
        return QStringLiteral("%1:%2:%3").arg(hours).arg(minutes, 2, 10, QLatin1Char('0')).arg(secondsText);
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(secondsText);
}

std::optional<qint64> trackTimeMs(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    qint64 seconds = 0;
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        const qint64 value = parts[i].toLongLong(&ok);
        // Only the leading field may exceed 59 ("75:00" is an hour and a quarter).
        if (!ok || value < 0 || (i > 0 && (value > 59 || parts[i].size() != 2)))
            return std::nullopt;
        seconds = seconds * 60 + value;
    }
    return seconds * 1000;
}
