#pragma once

#include "PlistDocument.h"

#include <QSet>
#include <QString>
#include <QXmlStreamReader>

#include <optional>

class QIODevice;

// Reads an XML property list into the generic value model. It never fetches a DTD or an
// external entity: QXmlStreamReader resolves neither, and an entity it could not resolve is
// refused here rather than silently dropped. Internal entity expansion is bounded by
// QXmlStreamReader's expansion limit, and nesting by maxDepth, so a hostile file fails with
// an error instead of exhausting memory or the stack.
class PlistReader
{
public:
    // Deeper nesting than any real library needs; guards the recursive descent.
    static constexpr int maxDepth = 64;

    // The document, or nullopt with *error set to one sentence naming the fault and its
    // line, such as "Line 12: <integer> holds \"abc\", which is not a whole number.".
    static std::optional<PlistDocument> read(QIODevice* device, QString* error);
    static std::optional<PlistDocument> read(const QByteArray& bytes, QString* error);

private:
    explicit PlistReader(QIODevice* device);

    std::optional<PlistDocument> readDocument();
    std::optional<PlistValue> readValue(int depth);
    std::optional<PlistValue> readDict(int depth);
    std::optional<PlistValue> readArray(int depth);
    std::optional<PlistValue> readScalar(PlistValue::Type type);
    // Text up to the current element's end tag; nullopt on a child element or entity.
    std::optional<QString> readText();
    // The next start or end tag, skipping comments, processing instructions and
    // whitespace; QXmlStreamReader::Invalid after an error.
    QXmlStreamReader::TokenType nextTag();
    void fail(const QString& message);
    void failUnresolvedEntity();
    QString errorMessage() const;

    QXmlStreamReader m_xml;
    // Keys and key lists already read, shared by the dicts that repeat them.
    QSet<QString> m_keyTexts;
    QSet<QStringList> m_keyLists;
    QString m_error;
    qint64 m_errorLine = 0;
};
