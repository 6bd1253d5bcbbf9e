#pragma once

#include <QByteArray>
#include <QString>

// The bytes behind a local art URL: a file:// picture is read, a data: URL decoded. An
// http(s) picture is RemoteArtwork's, fetched in the background.
class ArtworkLoader
{
public:
    // A cover larger than this is not a cover; it also bounds what a hostile URL can make us hold.
    static constexpr qint64 kMaxArtworkBytes = 32 * 1024 * 1024;

    static bool isRemote(const QString& url);
    // Empty when the picture cannot be had: missing file, malformed data: URL, a remote URL
    // or any other scheme.
    static QByteArray load(const QString& url);
    static QByteArray decodeDataUrl(const QString& url);
};
