#include "ArtworkLoader.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace
{
// A cover larger than this is not a cover; it also bounds what a hostile URL can make us hold.
constexpr qint64 kMaxArtworkBytes = 32 * 1024 * 1024;
}

QByteArray ArtworkLoader::load(const QString& text, int httpTimeoutMs)
{
    if (text.startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
        return decodeDataUrl(text);
    const QUrl url(text);
    const QString scheme = url.scheme().toLower();
    if (url.isLocalFile()) {
        QFile file(url.toLocalFile());
        if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxArtworkBytes)
            return {};
        return file.readAll();
    }
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return fetch(text, httpTimeoutMs);
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

QByteArray ArtworkLoader::fetch(const QString& url, int timeoutMs)
{
    QNetworkAccessManager network;
    QNetworkRequest request { QUrl(url) };
    request.setTransferTimeout(timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    std::unique_ptr<QNetworkReply> reply(network.get(request));
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(timeoutMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!reply->isFinished()) {
        reply->abort();
        return {};
    }
    if (reply->error() != QNetworkReply::NoError)
        return {};
    return reply->read(kMaxArtworkBytes);
}
