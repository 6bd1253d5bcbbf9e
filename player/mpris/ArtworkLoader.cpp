#include "ArtworkLoader.h"

#include <QFile>
#include <QUrl>

bool ArtworkLoader::isRemote(const QString& text)
{
    const QString scheme = QUrl(text).scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

QByteArray ArtworkLoader::load(const QString& text)
{
    if (text.startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
        return decodeDataUrl(text);
    const QUrl url(text);
    if (url.isLocalFile()) {
        QFile file(url.toLocalFile());
        if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxArtworkBytes)
            return {};
        return file.readAll();
    }
    return {};
}

QByteArray ArtworkLoader::decodeDataUrl(const QString& text)
{
    const int comma = text.indexOf(QLatin1Char(','));
    if (comma < 0)
        return {};
    const QString header = text.mid(5, comma - 5);
    const QByteArray payload = text.mid(comma + 1).toLatin1();
    if (header.endsWith(QLatin1String(";base64"), Qt::CaseInsensitive)) {
        const auto decoded = QByteArray::fromBase64Encoding(
            QByteArray::fromPercentEncoding(payload), QByteArray::AbortOnBase64DecodingErrors);
        return decoded ? *decoded : QByteArray();
    }
    return QByteArray::fromPercentEncoding(payload);
}
