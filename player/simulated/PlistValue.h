#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

// One value of an Apple property list. Scalars keep the text they were read with, so a
// value that is read and written back unchanged comes out exactly as it came in; the typed
// accessors convert on demand. A dict keeps its keys in file order.
class PlistValue
{
public:
    enum class Type { Invalid, Dict, Array, String, Integer, Real, Date, Boolean, Data };

    PlistValue() = default;

    static PlistValue dict();
    static PlistValue array();
    static PlistValue string(const QString& text);
    static PlistValue integer(qint64 number);
    static PlistValue real(double number);
    // Stored as UTC with second precision, the way plists write dates.
    static PlistValue date(const QDateTime& when);
    static PlistValue boolean(bool flag);
    static PlistValue data(const QByteArray& bytes);
    // A scalar with its text exactly as read; the reader's way in.
    static PlistValue fromText(Type type, const QString& text);

    Type type() const { return m_type; }
    bool isValid() const { return m_type != Type::Invalid; }

    // The scalar's text as it is written: "42", "2006-01-02T10:00:00Z", base64 for data.
    const QString& text() const { return m_text; }
    QString toString() const { return m_text; }
    // 0 when the text is not a whole number.
    qint64 toInteger() const;
    double toReal() const;
    // Invalid when the text is not an ISO 8601 date.
    QDateTime toDate() const;
    bool toBool() const { return m_type == Type::Boolean && m_text == QLatin1String("true"); }
    QByteArray toData() const;

    // Dict members; keys are compared exactly.
    int size() const { return int(m_values.size()); }
    const QString& keyAt(int index) const { return m_keys.at(index); }
    const PlistValue& valueAt(int index) const { return m_values.at(std::size_t(index)); }
    PlistValue& valueAt(int index) { return m_values.at(std::size_t(index)); }
    // -1 when the dict has no such key.
    int indexOf(const QString& key) const { return m_keys.indexOf(key); }
    // nullptr when the dict has no such key.
    const PlistValue* value(const QString& key) const;
    PlistValue* value(const QString& key);
    // Replaces the key's value in place, or appends the key at the end.
    void insert(const QString& key, const PlistValue& value);
    // Appends without looking for the key; for a reader that has already checked it is new.
    void appendEntry(const QString& key, PlistValue&& value);

    // Array members share the value list with dicts.
    void append(const PlistValue& value) { m_values.push_back(value); }
    const std::vector<PlistValue>& items() const { return m_values; }

private:
    PlistValue(Type type, const QString& text)
        : m_type(type)
        , m_text(text)
    {
    }

    Type m_type = Type::Invalid;
    QString m_text;
    QStringList m_keys;
    std::vector<PlistValue> m_values;
};
