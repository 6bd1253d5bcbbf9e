#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

// Pictures behind http(s) art URLs, fetched in the background: a slow or dead server delays
// only the cover, never the track's title or anything else. Keeps the last picture asked for.
class RemoteArtwork : public QObject
{
    Q_OBJECT
public:
    // Long enough for a cover from a local or near server; a dead one only costs the cover.
    static constexpr int kDefaultTimeoutMs = 1500;

    explicit RemoteArtwork(QObject* parent = nullptr);
    ~RemoteArtwork() override;

    void setTimeout(int ms) { m_timeoutMs = ms; }
    // The picture at url once it has come, empty when the fetch failed or took longer than
    // the timeout; nullopt while it is on its way. Asking for another URL starts its fetch
    // and forgets the last one.
    std::optional<QByteArray> take(const QString& url);

signals:
    // What was asked for has come, or has failed: take() now answers for url.
    void arrived(const QString& url);

private:
    void finished(QNetworkReply* reply);

    // Made at the first fetch: most players give local covers, and the network stack is not
    // worth starting for them.
    QNetworkAccessManager* m_network = nullptr;
    int m_timeoutMs = kDefaultTimeoutMs;
    QString m_url;
    std::optional<QByteArray> m_bytes;
    QPointer<QNetworkReply> m_reply;
};
