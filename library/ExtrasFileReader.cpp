#include "ExtrasFileReader.h"

#include <QBuffer>
#include <QFile>
#include <QStringDecoder>
#include <QXmlStreamReader>

namespace
{

const QLatin1StringView rootTag("library");
const QLatin1StringView trackTag("track");
const QLatin1StringView exportModeTag("exportmode");

// An element whose text is being gathered: a known child of a track, or the export mode.
struct Capture {
    int depth;
    // Index into the document's tracks, or -1 for the export mode.
    int track;
    ExtrasTrackElement::Field field;
    QString text;
};

class Parser
{
public:
    explicit Parser(QXmlStreamReader& xml)
        : m_xml(xml)
    {
    }

    std::optional<ExtrasDocument> run(QString* error)
    {
        while (!m_xml.atEnd()) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::DTD:
                m_xml.raiseError(QStringLiteral("A document type declaration is not allowed in an extras file."));
                break;
            case QXmlStreamReader::StartElement:
                start();
                break;
            case QXmlStreamReader::EndElement:
                end();
                break;
            case QXmlStreamReader::Characters:
                for (Capture& capture : m_captures) {
                    // Most texts arrive in one piece; taking it whole saves a copy.
                    if (capture.text.isEmpty())
                        capture.text = m_xml.text().toString();
                    else
                        capture.text += m_xml.text();
                }
                break;
            case QXmlStreamReader::EntityReference:
                m_xml.raiseError(QStringLiteral("The entity \"%1\" is not defined.").arg(m_xml.name()));
                break;
            default:
                break;
            }
        }
        if (m_xml.hasError()) {
            if (error) {
                *error = QStringLiteral("%1 (line %2, column %3)")
                             .arg(m_xml.errorString())
                             .arg(m_xml.lineNumber())
                             .arg(m_xml.columnNumber());
            }
            return std::nullopt;
        }
        return std::move(m_document);
    }

private:
    void start()
    {
        ++m_depth;
        if (m_depth > ExtrasFileReader::maxDepth) {
            m_xml.raiseError(
                QStringLiteral("The file nests elements deeper than %1 levels.").arg(ExtrasFileReader::maxDepth));
            return;
        }
        const QStringView name = m_xml.name();
        if (m_depth == 1 && name != rootTag) {
            m_xml.raiseError(
                QStringLiteral("This is not an extras file: its root element is <%1>, not <library>.").arg(name));
            return;
        }
        // Only a direct child of a track is one of its fields.
        const bool parentIsTrack = !m_trackDepths.empty() && m_trackDepths.back().first == m_depth - 1;
        if (parentIsTrack) {
            const ExtrasTrackElement::Field field = ExtrasTrackElement::fieldNamed(name);
            if (field != ExtrasTrackElement::FieldCount)
                m_captures.push_back({ m_depth, m_trackDepths.back().second, field, QString() });
        }
        if (name == exportModeTag && !m_document.exportMode && !m_modeOpen) {
            m_modeOpen = true;
            m_captures.push_back({ m_depth, -1, ExtrasTrackElement::FieldCount, QString() });
        }
        if (name == trackTag) {
            m_trackDepths.emplace_back(m_depth, int(m_document.tracks.size()));
            m_document.tracks.emplace_back();
        }
    }

    void end()
    {
        while (!m_captures.empty() && m_captures.back().depth == m_depth) {
            Capture capture = std::move(m_captures.back());
            m_captures.pop_back();
            if (capture.track < 0) {
                m_document.exportMode = std::move(capture.text);
                m_modeOpen = false;
            } else {
                // A later child of the same name wins, as a later assignment would.
                m_document.tracks[std::size_t(capture.track)].fields[capture.field] = std::move(capture.text);
            }
        }
        if (!m_trackDepths.empty() && m_trackDepths.back().first == m_depth)
            m_trackDepths.pop_back();
        --m_depth;
    }

    QXmlStreamReader& m_xml;
    ExtrasDocument m_document;
    std::vector<Capture> m_captures;
    // Depth and document index of each open track element.
    std::vector<std::pair<int, int>> m_trackDepths;
    int m_depth = 0;
    bool m_modeOpen = false;
};

} // namespace

std::optional<ExtrasDocument> ExtrasFileReader::read(QIODevice& device, QString* error)
{
    QXmlStreamReader xml(&device);
    std::optional<ExtrasDocument> document = Parser(xml).run(error);
    if (!document && error && xml.error() == QXmlStreamReader::NotWellFormedError)
        placeBadByte(device, xml, error);
    return document;
}

std::optional<ExtrasDocument> ExtrasFileReader::read(const QByteArray& bytes, QString* error)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer, error);
}

void ExtrasFileReader::placeBadByte(QIODevice& device, const QXmlStreamReader& xml, QString* error)
{
    // The parser decodes ahead in blocks, so it places a bad byte at the block's start.
    const QString encoding
        = xml.documentEncoding().isEmpty() ? QStringLiteral("UTF-8") : xml.documentEncoding().toString();
    QStringDecoder decode(encoding.toLatin1().constData());
    if (!decode.isValid() || !device.seek(0))
        return;
    for (qint64 line = 1; !device.atEnd(); ++line) {
        const QString text = decode(device.readLine());
        if (decode.hasError()) {
            *error = QStringLiteral("The file is not %1 text as it says: line %2 holds a byte that is not.")
                         .arg(encoding)
                         .arg(line);
            return;
        }
    }
}

std::optional<ExtrasDocument> ExtrasFileReader::readFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("The file \"%1\" could not be opened: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return read(file, error);
}
