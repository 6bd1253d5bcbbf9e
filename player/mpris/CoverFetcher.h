#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Fetches one picture at a time from an http(s) URL, in the background. Made by the network
// module, so that the network library is loaded only once a player gives a remote cover.
class CoverFetcher
{
public:
    using Done = std::function<void(const QByteArray& bytes)>;

    // Abandons the fetch on its way.
    virtual ~CoverFetcher() = default;

    // Starts fetching url and abandons the fetch before it. done is called once, from the
    // event loop, with at most maxBytes of the picture, or empty when the fetch failed or
    // took longer than timeoutMs; never for a fetch abandoned.
    virtual void fetch(const QString& url, int timeoutMs, qint64 maxBytes, Done done) = 0;
};
