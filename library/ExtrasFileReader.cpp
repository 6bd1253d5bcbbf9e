#include "ExtrasFileReader.h"

#include <QBuffer>
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
    // Index into the open track elements, or -1 for the export mode.
    int track;
    ExtrasTrackElement::Field field;
    QString text;
};

class Parser
{
public:
    Parser(QXmlStreamReader& xml, const ExtrasFileReader::TrackHandler& onTrack)
        : m_xml(xml)
        , m_onTrack(onTrack)
    {
    }

    // False with *error; true also when the handler stopped the reading.
    bool run(std::optional<QString>* exportMode, QString* error)
    {
        while (!m_xml.atEnd() && !m_stopped) {
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
            return false;
        }
        if (exportMode)
            *exportMode = std::move(m_exportMode);
        return true;
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
        const bool parentIsTrack = !m_open.empty() && m_open.back().first == m_depth - 1;
        if (parentIsTrack) {
            const ExtrasTrackElement::Field field = ExtrasTrackElement::fieldNamed(name);
            if (field != ExtrasTrackElement::FieldCount)
                m_captures.push_back({ m_depth, int(m_open.size()) - 1, field, QString() });
        }
        if (name == exportModeTag && !m_exportMode && !m_modeOpen) {
            m_modeOpen = true;
            m_captures.push_back({ m_depth, -1, ExtrasTrackElement::FieldCount, QString() });
        }
        if (name == trackTag) {
            if (++m_tracks > ExtrasFileReader::maxTracks) {
                m_xml.raiseError(QStringLiteral("The file holds more than %L1 tracks, more than any library does; "
                                                "it was not read further.")
                                     .arg(ExtrasFileReader::maxTracks));
                return;
            }
            m_open.emplace_back(m_depth, ExtrasTrackElement());
        }
    }

    void end()
    {
        while (!m_captures.empty() && m_captures.back().depth == m_depth) {
            Capture capture = std::move(m_captures.back());
            m_captures.pop_back();
            if (capture.track < 0) {
                m_exportMode = std::move(capture.text);
                m_modeOpen = false;
            } else {
                // A later child of the same name wins, as a later assignment would.
                m_open[std::size_t(capture.track)].second.fields[capture.field] = std::move(capture.text);
            }
        }
        if (!m_open.empty() && m_open.back().first == m_depth) {
            ExtrasTrackElement element = std::move(m_open.back().second);
            m_open.pop_back();
            m_stopped = !m_onTrack(element);
        }
        --m_depth;
    }

    QXmlStreamReader& m_xml;
    const ExtrasFileReader::TrackHandler& m_onTrack;
    std::optional<QString> m_exportMode;
    std::vector<Capture> m_captures;
    // The open track elements with their depths, innermost last.
    std::vector<std::pair<int, ExtrasTrackElement>> m_open;
    qsizetype m_tracks = 0;
    int m_depth = 0;
    bool m_modeOpen = false;
    bool m_stopped = false;
};

} // namespace

bool ExtrasFileReader::stream(
    QIODevice& device, const TrackHandler& onTrack, std::optional<QString>* exportMode, QString* error)
{
    QXmlStreamReader xml(&device);
    const bool read = Parser(xml, onTrack).run(exportMode, error);
    if (!read && error && xml.error() == QXmlStreamReader::NotWellFormedError)
        placeBadByte(device, xml, error);
    return read;
}

std::optional<ExtrasDocument> ExtrasFileReader::read(QIODevice& device, QString* error)
{
    ExtrasDocument document;
    const auto keep = [&](ExtrasTrackElement& element) {
        document.tracks.push_back(std::move(element));
        return true;
    };
    if (!stream(device, keep, &document.exportMode, error))
        return std::nullopt;
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
