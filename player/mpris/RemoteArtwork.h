#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class CoverFetcher;

// Pictures behind http(s) art URLs, fetched in the background: a slow or dead server delays
// only the cover, never the track's title or anything else. Keeps the last picture asked for.
class RemoteArtwork : public QObject
{
    Q_OBJECT
public:
    // Long enough for a cover from a local or near server; a dead one only costs the cover.
    static constexpr int kDefaultTimeoutMs = 1500;

    // The fetch is in the network module, looked for in moduleFolders (the program's own
    // when empty). Without it there are no remote covers, and stderr says why, once.
    explicit RemoteArtwork(QStringList moduleFolders = {}, QObject* parent = nullptr);
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
    void loadFetcher();

    QStringList m_moduleFolders;
    // Loaded at the first fetch: most players give local covers, and the network stack is
    // not worth loading for them.
    bool m_triedModule = false;
    std::unique_ptr<CoverFetcher> m_fetcher;
    int m_timeoutMs = kDefaultTimeoutMs;
    QString m_url;
    std::optional<QByteArray> m_bytes;
};
