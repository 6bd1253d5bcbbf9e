#include "PlistWriter.h"

#include <QIODevice>

namespace
{

using Type = PlistValue::Type;

constexpr qsizetype chunkBytes = 1 << 16;

QByteArray escaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'&')
            out += QLatin1String("&amp;");
        else if (c == u'<')
            out += QLatin1String("&lt;");
        else if (c == u'>')
            out += QLatin1String("&gt;");
        else
            out += c;
    }
    return out.toUtf8();
}

const char* elementName(Type type)
{
    switch (type) {
    case Type::Dict:
        return "dict";
    case Type::Array:
        return "array";
    case Type::String:
        return "string";
    case Type::Integer:
        return "integer";
    case Type::Real:
        return "real";
    case Type::Date:
        return "date";
    case Type::Data:
        return "data";
    case Type::Boolean:
    case Type::Invalid:
        break;
    }
    return "string";
}

bool isContainer(const PlistValue& value)
{
    return value.type() == Type::Dict || value.type() == Type::Array;
}

} // namespace

PlistWriter::PlistWriter(QByteArray* out, QIODevice* device)
    : m_out(out)
    , m_device(device)
{
}

QByteArray PlistWriter::write(const PlistDocument& document)
{
    QByteArray out;
    PlistWriter(&out, nullptr).writeDocument(document);
    return out;
}

bool PlistWriter::write(const PlistDocument& document, QIODevice* device)
{
    QByteArray out;
    PlistWriter writer(&out, device);
    writer.writeDocument(document);
    return !writer.m_failed;
}

void PlistWriter::writeDocument(const PlistDocument& document)
{
    m_out->append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    if (!document.doctype.isEmpty())
        m_out->append(document.doctype.toUtf8() + '\n');
    m_out->append("<plist version=\"" + escaped(document.version).replace('"', "&quot;") + "\">\n");
    // iTunes does not indent the root value.
    writeValue(document.root, 0);
    m_out->append("</plist>\n");
    drain(true);
}

void PlistWriter::drain(bool all)
{
    if (!m_device || m_failed || (!all && m_out->size() < chunkBytes))
        return;
    if (m_device->write(*m_out) != m_out->size())
        m_failed = true;
    // Keeps the buffer's room for the next piece.
    m_out->resize(0);
}

void PlistWriter::indent(int depth)
{
    m_out->append(QByteArray(depth, '\t'));
}

void PlistWriter::writeValue(const PlistValue& value, int depth)
{
    indent(depth);
    if (isContainer(value)) {
        writeContainer(value, depth);
        return;
    }
    writeScalar(value);
    m_out->append('\n');
}

void PlistWriter::writeContainer(const PlistValue& value, int depth)
{
    const QByteArray name = elementName(value.type());
    if (value.size() == 0) {
        m_out->append('<' + name + "/>\n");
        return;
    }
    m_out->append('<' + name + ">\n");
    for (int i = 0; i < value.size(); ++i) {
        drain();
        const PlistValue& child = value.valueAt(i);
        if (value.type() != Type::Dict) {
            writeValue(child, depth + 1);
            continue;
        }
        indent(depth + 1);
        m_out->append("<key>" + escaped(value.keyAt(i)) + "</key>");
        if (isContainer(child)) {
            m_out->append('\n');
            writeValue(child, depth + 1);
        } else {
            writeScalar(child);
            m_out->append('\n');
        }
    }
    indent(depth);
    m_out->append("</" + name + ">\n");
}

void PlistWriter::writeScalar(const PlistValue& value)
{
    if (value.type() == Type::Boolean) {
        m_out->append(value.toBool() ? "<true/>" : "<false/>");
        return;
    }
    const QByteArray name = elementName(value.type());
    m_out->append('<' + name + '>' + escaped(value.text()) + "</" + name + '>');
}
