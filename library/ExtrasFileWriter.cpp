#include "ExtrasFileWriter.h"

namespace
{

constexpr qsizetype flushThreshold = 1 << 16;
constexpr char32_t lastLatin1 = 0xFF;
constexpr char32_t replacementCharacter = 0xFFFD;
const QLatin1StringView lineEnd("\r\n");
const QLatin1StringView recordIndent("     ");
const QLatin1StringView fieldIndent("          ");

bool allowedInXml(char32_t c)
{
    if (c < 0x20)
        return c == u'\t' || c == u'\n' || c == u'\r';
    return !(c >= 0xD800 && c <= 0xDFFF) && c != 0xFFFE && c != 0xFFFF;
}

void appendReference(QByteArray& out, char32_t c)
{
    out += "&#";
    out += QByteArray::number(uint(c));
    out += ';';
}

} // namespace

ExtrasFileWriter::ExtrasFileWriter(QIODevice& device)
    : m_device(device)
{
}

QString ExtrasFileWriter::escape(const QString& text)
{
    QString escaped = text;
    escaped.replace(u'&', QLatin1StringView("&amp;"));
    escaped.replace(u'<', QLatin1StringView("&lt;"));
    escaped.replace(u'>', QLatin1StringView("&gt;"));
    return escaped;
}

QByteArray ExtrasFileWriter::encode(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
            ++i;
        }
        if (!allowedInXml(c))
            appendReference(out, replacementCharacter);
        else if (c == u'\r' || c > lastLatin1)
            appendReference(out, c);
        else
            out += char(c);
    }
    return out;
}

void ExtrasFileWriter::line(QLatin1StringView text)
{
    m_buffer += QByteArrayView(text.data(), text.size());
    m_buffer += QByteArrayView(lineEnd.data(), lineEnd.size());
    if (m_buffer.size() >= flushThreshold)
        flush();
}

void ExtrasFileWriter::line(QLatin1StringView indent, QLatin1StringView open, QStringView text, QLatin1StringView close)
{
    m_buffer += QByteArrayView(indent.data(), indent.size());
    m_buffer += QByteArrayView(open.data(), open.size());
    m_buffer += encode(text);
    line(close);
}

void ExtrasFileWriter::writeHeader(const QString& exportMode)
{
    line(QLatin1StringView(R"(<?xml version="1.0" encoding="iso-8859-1"?>)"));
    line(QLatin1StringView("<library>"));
    line(recordIndent, QLatin1StringView("<exportmode>"), exportMode, QLatin1StringView("</exportmode>"));
}

void ExtrasFileWriter::writeTrack(const ExtrasTrack& track)
{
    line(QLatin1StringView("     <track>"));
    line(fieldIndent, QLatin1StringView("<name>"), escape(track.name), QLatin1StringView("</name>"));
    line(fieldIndent, QLatin1StringView("<artist>"), escape(track.artist), QLatin1StringView("</artist>"));
    line(fieldIndent, QLatin1StringView("<rating>"), QString::number(track.rating), QLatin1StringView("</rating>"));
    line(fieldIndent, QLatin1StringView("<playedcount>"), QString::number(track.playedCount),
        QLatin1StringView("</playedcount>"));
    line(fieldIndent, QLatin1StringView("<playeddate>"), track.playedDate, QLatin1StringView("</playeddate>"));
    line(fieldIndent, QLatin1StringView("<time>"), track.time, QLatin1StringView("</time>"));
    line(QLatin1StringView("     </track>"));
}

void ExtrasFileWriter::writeFooter()
{
    line(QLatin1StringView("</library>"));
}

bool ExtrasFileWriter::flush()
{
    if (m_ok && !m_buffer.isEmpty())
        m_ok = m_device.write(m_buffer) == m_buffer.size();
    m_buffer.clear();
    return m_ok;
}
