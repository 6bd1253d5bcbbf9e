#include "TrackIdentity.h"

#include <QFileInfo>
#include <QUrl>

namespace
{
constexpr qint64 kMicrosecondsPerSecond = 1'000'000;
// Never typed in a tag, so no tag can run into the next.
constexpr QChar kSeparator = QChar(0x1f);
}

QString TrackIdentity::normalised(const QString& tag)
{
    return tag.normalized(QString::NormalizationForm_C).toCaseFolded().trimmed();
}

QString TrackIdentity::of(
    const QString& url, const QString& artist, const QString& title, const QString& album, qint64 lengthMicroseconds)
{
    if (const QUrl address(url); address.isLocalFile()) {
        if (const QString path = QFileInfo(address.toLocalFile()).canonicalFilePath(); !path.isEmpty())
            return QStringLiteral("file:") + path;
    }
    const QStringList tags = { normalised(artist), normalised(title), normalised(album) };
    if (tags.join(QString()).isEmpty())
        return QString();
    const qint64 seconds
        = lengthMicroseconds < 0 ? -1 : (lengthMicroseconds + kMicrosecondsPerSecond / 2) / kMicrosecondsPerSecond;
    return QStringLiteral("tags:") + tags.join(kSeparator) + kSeparator + QString::number(seconds);
}

QString TrackIdentity::titleIn(const QString& identity)
{
    const QString kind = identity.section(QLatin1Char(':'), 0, 0);
    const QString rest = identity.section(QLatin1Char(':'), 1);
    if (kind == QLatin1String("file"))
        return QFileInfo(rest).completeBaseName();
    // "tags:" holds artist, title, album and length; "name:" title, length and artist.
    return rest.split(kSeparator).value(kind == QLatin1String("tags") ? 1 : 0);
}

QString TrackIdentity::byNamePrefix(const QString& title, qint64 lengthMs)
{
    const qint64 seconds = lengthMs < 0 ? -1 : lengthMs / 1000;
    return QStringLiteral("name:") + normalised(title) + kSeparator + QString::number(seconds) + kSeparator;
}

QString TrackIdentity::byName(const QString& title, qint64 lengthMs, const QString& artist)
{
    return byNamePrefix(title, lengthMs) + normalised(artist);
}
