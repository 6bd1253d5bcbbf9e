#pragma once

#include "ExtrasTrackElement.h"

#include <QIODevice>
#include <QString>

class QXmlStreamReader;

#include <optional>

// Reads a whole extras file before anything is changed, so a file that is damaged halfway
// changes nothing. Entity and character references are resolved; a document type
// declaration is refused, so no entity the file declares (external or expanding) is ever
// resolved. Element texts are kept exactly, spaces included.
class ExtrasFileReader
{
public:
    // Deeper than any extras file (three levels); bounds the work a hostile file can cause.
    static constexpr int maxDepth = 64;

    // nullopt when the file is not well-formed XML or is refused; *error then holds the
    // parser's reason with the line and column, for "Error: " + reason.
    static std::optional<ExtrasDocument> read(QIODevice& device, QString* error);
    static std::optional<ExtrasDocument> read(const QByteArray& bytes, QString* error);
    static std::optional<ExtrasDocument> readFile(const QString& path, QString* error);

private:
    // Replaces *error by the line of the first byte the file's encoding does not allow, if any.
    static void placeBadByte(QIODevice& device, const QXmlStreamReader& xml, QString* error);
};
