#pragma once

#include <QByteArray>
#include <QString>

// The bytes behind a track's art URL: a file:// picture is read, a data: URL decoded, an
// http(s) picture fetched. Called on the GUI thread when a track's artwork is asked for.
class ArtworkLoader
{
public:
    // Long enough for a cover from a local or near server, short enough that a dead server
    // only delays the pop-up instead of freezing the program.
    static constexpr int kDefaultHttpTimeoutMs = 1500;

    // Empty when the picture cannot be had: missing file, malformed data: URL, a fetch that
    // fails or takes longer than httpTimeoutMs, any other scheme. An http fetch runs a nested
    // event loop (user input excluded) for at most httpTimeoutMs.
    static QByteArray load(const QString& url, int httpTimeoutMs = kDefaultHttpTimeoutMs);
    static QByteArray decodeDataUrl(const QString& url);

private:
    static QByteArray fetch(const QString& url, int timeoutMs);
};
