#pragma once

#include "CoverFetcher.h"

#include <QNetworkAccessManager>
#include <QPointer>

class QNetworkReply;

// The fetch on Qt Network, the one part of the program that needs it.
class QtCoverFetcher : public CoverFetcher
{
public:
    ~QtCoverFetcher() override;

    void fetch(const QString& url, int timeoutMs, qint64 maxBytes, Done done) override;

private:
    void abandon();

    QNetworkAccessManager m_network;
    QPointer<QNetworkReply> m_reply;
};
