#pragma once

#include "ExtrasTrackElement.h"

#include <QIODevice>
#include <QString>

class QXmlStreamReader;

#include <functional>
#include <optional>

// Reads an extras file as a stream, handing out each track element as its end tag is read, so
// memory does not grow with the file. Entity and character references are resolved; a document type
// declaration is refused, so no entity the file declares (external or expanding) is ever
// resolved. Element texts are kept exactly, spaces included.
class ExtrasFileReader
{
public:
    // Deeper than any extras file (three levels); bounds the work a hostile file can cause.
    static constexpr int maxDepth = 64;
    // More track elements than any library holds: a file of more is refused as it is read.
    static constexpr qsizetype maxTracks = 1000000;

    // Called with each track element; false stops the reading (which is then no failure).
    using TrackHandler = std::function<bool(ExtrasTrackElement&)>;
    // Reads device to its end or until onTrack stops it. False with *error (as read() says)
    // when the file is not well-formed or is refused; *exportMode gets the first exportmode's
    // text.
    static bool stream(
        QIODevice& device, const TrackHandler& onTrack, std::optional<QString>* exportMode, QString* error);

    // The whole document, for tools and tests. nullopt when the file is not well-formed XML
    // or is refused; *error then holds the parser's reason with the line and column, for
    // "Error: " + reason.
    static std::optional<ExtrasDocument> read(QIODevice& device, QString* error);
    static std::optional<ExtrasDocument> read(const QByteArray& bytes, QString* error);

private:
    // Replaces *error by the line of the first byte the file's encoding does not allow, if any.
    static void placeBadByte(QIODevice& device, const QXmlStreamReader& xml, QString* error);
};
