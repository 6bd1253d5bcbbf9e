#include "PlistReader.h"

#include <QBuffer>
#include <QIODevice>
#include <QSet>

namespace
{

using Type = PlistValue::Type;

std::optional<Type> scalarType(QStringView name)
{
    if (name == u"string")
        return Type::String;
    if (name == u"integer")
        return Type::Integer;
    if (name == u"real")
        return Type::Real;
    if (name == u"date")
        return Type::Date;
    if (name == u"data")
        return Type::Data;
    return std::nullopt;
}

bool isBase64(const QString& text)
{
    for (const QChar c : text) {
        const bool ok = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'+'
            || c == u'/' || c == u'=' || c.isSpace();
        if (!ok)
            return false;
    }
    return true;
}

// Why a scalar's text does not fit its element; empty when it fits.
QString scalarProblem(const PlistValue& value, const QString& name, const QString& text)
{
    const Type type = value.type();
    bool ok = true;
    switch (type) {
    case Type::Integer:
        text.trimmed().toLongLong(&ok);
        break;
    case Type::Real:
        text.trimmed().toDouble(&ok);
        break;
    case Type::Date:
        ok = value.toDate().isValid();
        break;
    case Type::Data:
        ok = isBase64(text);
        break;
    default:
        break;
    }
    if (ok)
        return QString();
    const QString what = type == Type::Integer ? QStringLiteral("a whole number")
        : type == Type::Real                   ? QStringLiteral("a number")
        : type == Type::Date                   ? QStringLiteral("a date")
                                               : QStringLiteral("base64 data");
    return QStringLiteral("<%1> holds \"%2\", which is not %3.").arg(name, text.left(40), what);
}

} // namespace

PlistReader::PlistReader(QIODevice* device)
    : m_xml(device)
{
}

std::optional<PlistDocument> PlistReader::read(QIODevice* device, QString* error)
{
    PlistReader reader(device);
    std::optional<PlistDocument> document = reader.readDocument();
    if (!document && error)
        *error = reader.errorMessage();
    return document;
}

std::optional<PlistDocument> PlistReader::read(const QByteArray& bytes, QString* error)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(&buffer, error);
}

void PlistReader::fail(const QString& message)
{
    if (!m_error.isEmpty())
        return;
    m_error = message;
    m_errorLine = m_xml.lineNumber();
}

void PlistReader::failUnresolvedEntity()
{
    fail(QStringLiteral("the entity &%1; is not defined in the file; outside definitions are never loaded.")
             .arg(m_xml.name()));
}

QString PlistReader::errorMessage() const
{
    if (!m_error.isEmpty())
        return QStringLiteral("Line %1: %2").arg(m_errorLine).arg(m_error);
    if (m_xml.hasError()) {
        return QStringLiteral("Line %1, column %2: %3.")
            .arg(m_xml.lineNumber())
            .arg(m_xml.columnNumber())
            .arg(m_xml.errorString().chopped(m_xml.errorString().endsWith(u'.') ? 1 : 0));
    }
    return QStringLiteral("Line %1: the file ended before the property list was complete.").arg(m_xml.lineNumber());
}

QXmlStreamReader::TokenType PlistReader::nextTag()
{
    while (!m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::StartElement:
        case QXmlStreamReader::EndElement:
            return m_xml.tokenType();
        case QXmlStreamReader::Characters:
            if (!m_xml.isWhitespace()) {
                const QStringView text = m_xml.text();
                fail(QStringLiteral("unexpected text \"%1\" between elements.").arg(text.trimmed().left(40)));
                // The reader stands at the end of the text; name the line where it starts.
                qsizetype start = 0;
                while (text.at(start).isSpace())
                    ++start;
                m_errorLine -= text.mid(start).count(u'\n');
                return QXmlStreamReader::Invalid;
            }
            break;
        case QXmlStreamReader::EntityReference:
            failUnresolvedEntity();
            return QXmlStreamReader::Invalid;
        case QXmlStreamReader::EndDocument:
        case QXmlStreamReader::Invalid:
            return QXmlStreamReader::Invalid;
        default:
            break;
        }
    }
    return QXmlStreamReader::Invalid;
}

std::optional<QString> PlistReader::readText()
{
    const QString element = m_xml.name().toString();
    QString text;
    while (!m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::Characters:
            // Appending would leave room to grow in every one of a library's strings.
            if (text.isNull())
                text = m_xml.text().toString();
            else
                text += m_xml.text();
            break;
        case QXmlStreamReader::EndElement:
            text.squeeze();
            return text;
        case QXmlStreamReader::StartElement:
            fail(QStringLiteral("<%1> may not contain the element <%2>.").arg(element, m_xml.name()));
            return std::nullopt;
        case QXmlStreamReader::EntityReference:
            failUnresolvedEntity();
            return std::nullopt;
        case QXmlStreamReader::Invalid:
            return std::nullopt;
        default:
            break;
        }
    }
    return std::nullopt;
}

std::optional<PlistDocument> PlistReader::readDocument()
{
    PlistDocument document;
    while (!m_xml.atEnd()) {
        const QXmlStreamReader::TokenType token = m_xml.readNext();
        if (token == QXmlStreamReader::DTD) {
            document.doctype = m_xml.text().trimmed().toString();
            // QXmlStreamReader would silently drop such a reference; refuse the file instead
            // so nothing vanishes from it unnoticed.
            for (const QXmlStreamEntityDeclaration& entity : m_xml.entityDeclarations()) {
                if (!entity.systemId().isEmpty() || !entity.publicId().isEmpty()) {
                    fail(QStringLiteral("the file declares the external entity \"%1\"; external entities are "
                                        "never loaded.")
                             .arg(entity.name()));
                    return std::nullopt;
                }
            }
            continue;
        }
        if (token == QXmlStreamReader::StartElement)
            break;
        if (token == QXmlStreamReader::Invalid)
            return std::nullopt;
    }
    if (m_xml.tokenType() != QXmlStreamReader::StartElement)
        return std::nullopt;
    if (m_xml.name() != u"plist") {
        fail(QStringLiteral("the root element is <%1>, not <plist>; this is not a property list.").arg(m_xml.name()));
        return std::nullopt;
    }
    if (m_xml.attributes().hasAttribute(QStringLiteral("version")))
        document.version = m_xml.attributes().value(QStringLiteral("version")).toString();

    if (nextTag() != QXmlStreamReader::StartElement) {
        if (m_xml.tokenType() == QXmlStreamReader::EndElement)
            fail(QStringLiteral("<plist> holds no value."));
        return std::nullopt;
    }
    std::optional<PlistValue> root = readValue(1);
    if (!root)
        return std::nullopt;
    if (nextTag() != QXmlStreamReader::EndElement) {
        if (m_xml.tokenType() == QXmlStreamReader::StartElement)
            fail(QStringLiteral("<plist> may hold only one value, but <%1> follows it.").arg(m_xml.name()));
        return std::nullopt;
    }
    // Read to the end so trailing garbage is reported, not ignored.
    while (!m_xml.atEnd()) {
        const QXmlStreamReader::TokenType token = m_xml.readNext();
        if (token == QXmlStreamReader::Invalid)
            return std::nullopt;
        if (token == QXmlStreamReader::StartElement) {
            fail(QStringLiteral("unexpected element <%1> after </plist>.").arg(m_xml.name()));
            return std::nullopt;
        }
    }
    document.root = std::move(*root);
    return document;
}

std::optional<PlistValue> PlistReader::readValue(int depth)
{
    if (depth > maxDepth) {
        fail(QStringLiteral("values are nested more than %1 deep.").arg(maxDepth));
        return std::nullopt;
    }
    const QStringView name = m_xml.name();
    if (name == u"dict")
        return readDict(depth);
    if (name == u"array")
        return readArray(depth);
    if (name == u"true" || name == u"false") {
        const bool flag = name == u"true";
        const std::optional<QString> text = readText();
        if (!text)
            return std::nullopt;
        if (!text->trimmed().isEmpty()) {
            fail(QStringLiteral("<%1/> must be empty.").arg(flag ? u"true" : u"false"));
            return std::nullopt;
        }
        return PlistValue::boolean(flag);
    }
    if (const std::optional<Type> type = scalarType(name))
        return readScalar(*type);
    fail(QStringLiteral("<%1> is not a property-list value.").arg(name));
    return std::nullopt;
}

std::optional<PlistValue> PlistReader::readScalar(PlistValue::Type type)
{
    const QString name = m_xml.name().toString();
    const qint64 line = m_xml.lineNumber();
    const std::optional<QString> text = readText();
    if (!text)
        return std::nullopt;
    PlistValue value = PlistValue::fromText(type, *text);
    const QString problem = scalarProblem(value, name, *text);
    if (!problem.isEmpty()) {
        fail(problem);
        m_errorLine = line;
        return std::nullopt;
    }
    return value;
}

std::optional<PlistValue> PlistReader::readDict(int depth)
{
    PlistValue dict = PlistValue::dict();
    QSet<QString> keys;
    for (;;) {
        const QXmlStreamReader::TokenType token = nextTag();
        if (token == QXmlStreamReader::EndElement) {
            dict.squeeze(&m_keyLists);
            return dict;
        }
        if (token != QXmlStreamReader::StartElement)
            return std::nullopt;
        if (m_xml.name() != u"key") {
            fail(QStringLiteral("expected <key> in <dict>, found <%1>.").arg(m_xml.name()));
            return std::nullopt;
        }
        const std::optional<QString> key = readText();
        if (!key)
            return std::nullopt;
        if (nextTag() != QXmlStreamReader::StartElement) {
            if (m_xml.tokenType() == QXmlStreamReader::EndElement)
                fail(QStringLiteral("the key \"%1\" has no value.").arg(*key));
            return std::nullopt;
        }
        std::optional<PlistValue> value = readValue(depth + 1);
        if (!value)
            return std::nullopt;
        if (keys.contains(*key)) {
            fail(QStringLiteral("the key \"%1\" appears twice in one <dict>.").arg(*key));
            return std::nullopt;
        }
        keys.insert(*key);
        // Every track repeats the same few dozen keys; one shared copy of each is enough.
        dict.appendEntry(*m_keyTexts.insert(*key), std::move(*value));
    }
}

std::optional<PlistValue> PlistReader::readArray(int depth)
{
    PlistValue array = PlistValue::array();
    for (;;) {
        const QXmlStreamReader::TokenType token = nextTag();
        if (token == QXmlStreamReader::EndElement) {
            array.squeeze();
            return array;
        }
        if (token != QXmlStreamReader::StartElement)
            return std::nullopt;
        std::optional<PlistValue> value = readValue(depth + 1);
        if (!value)
            return std::nullopt;
        array.append(std::move(*value));
    }
}
