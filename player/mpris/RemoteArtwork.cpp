#include "RemoteArtwork.h"

#include "ArtworkLoader.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

RemoteArtwork::RemoteArtwork(QObject* parent)
    : QObject(parent)
{
}

RemoteArtwork::~RemoteArtwork()
{
    // Nothing is announced from here: whoever listens may be going too.
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

std::optional<QByteArray> RemoteArtwork::take(const QString& url)
{
    if (url == m_url)
        return m_bytes;
    if (m_reply) {
        QNetworkReply* old = m_reply;
        m_reply = nullptr;
        old->abort();
    }
    m_url = url;
    m_bytes.reset();
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request { QUrl(url) };
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(m_timeoutMs);
    QNetworkReply* reply = m_network->get(request);
    m_reply = reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finished(reply); });
    // A server that accepts the connection and then trickles is given up on as well.
    QTimer::singleShot(m_timeoutMs, reply, [reply] { reply->abort(); });
    return std::nullopt;
}

void RemoteArtwork::finished(QNetworkReply* reply)
{
    reply->deleteLater();
    if (reply != m_reply)
        return;
    m_reply = nullptr;
    m_bytes = reply->error() == QNetworkReply::NoError ? reply->read(ArtworkLoader::kMaxArtworkBytes) : QByteArray();
    emit arrived(m_url);
}
