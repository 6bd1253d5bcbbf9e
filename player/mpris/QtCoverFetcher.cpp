#include "QtCoverFetcher.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

QtCoverFetcher::~QtCoverFetcher()
{
    abandon();
}

void QtCoverFetcher::fetch(const QString& url, int timeoutMs, qint64 maxBytes, Done done)
{
    abandon();
    QNetworkRequest request { QUrl(url) };
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(timeoutMs);
    QNetworkReply* reply = m_network.get(request);
    m_reply = reply;
    QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply, maxBytes, done = std::move(done)] {
        // Cleared first: done may start the next fetch.
        m_reply = nullptr;
        reply->deleteLater();
        done(reply->error() == QNetworkReply::NoError ? reply->read(maxBytes) : QByteArray());
    });
    // A server that accepts the connection and then trickles is given up on as well.
    QTimer::singleShot(timeoutMs, reply, [reply] { reply->abort(); });
}

void QtCoverFetcher::abandon()
{
    if (!m_reply)
        return;
    QNetworkReply* reply = std::exchange(m_reply, nullptr);
    reply->disconnect();
    reply->abort();
    reply->deleteLater();
}

// What the program looks up once it has loaded this module.
extern "C" Q_DECL_EXPORT CoverFetcher* bolvinCreateCoverFetcher()
{
    return new QtCoverFetcher;
}
