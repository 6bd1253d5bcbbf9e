#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

// One value of an Apple property list. Scalars keep the text they were read with, so a
// value that is read and written back unchanged comes out exactly as it came in; the typed
// accessors convert on demand. A dict keeps its keys in file order.
//
// A library holds hundreds of thousands of values, so a value stays small: a scalar has no
// container members, and whole numbers and dates written the usual way are kept as a
// number, from which the same text is made again.
class PlistValue
{
public:
    enum class Type : quint8 { Invalid, Dict, Array, String, Integer, Real, Date, Boolean, Data };

    PlistValue();
    PlistValue(const PlistValue& other);
    PlistValue& operator=(const PlistValue& other);
    PlistValue(PlistValue&& other) noexcept;
    PlistValue& operator=(PlistValue&& other) noexcept;
    ~PlistValue();

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
    QString text() const;
    QString toString() const { return text(); }
    // 0 when the text is not a whole number.
    qint64 toInteger() const;
    double toReal() const;
    // Invalid when the text is not an ISO 8601 date.
    QDateTime toDate() const;
    bool toBool() const;
    QByteArray toData() const;

    // Dict members; keys are compared exactly.
    int size() const;
    const QString& keyAt(int index) const;
    const PlistValue& valueAt(int index) const;
    PlistValue& valueAt(int index);
    // -1 when the dict has no such key.
    int indexOf(const QString& key) const;
    // nullptr when the dict has no such key.
    const PlistValue* value(const QString& key) const;
    PlistValue* value(const QString& key);
    // Replaces the key's value in place, or appends the key at the end.
    void insert(const QString& key, const PlistValue& value);
    // Appends without looking for the key; for a reader that has already checked it is new.
    void appendEntry(const QString& key, PlistValue&& value);

    // Array members share the value list with dicts.
    void append(const PlistValue& value);
    void append(PlistValue&& value);
    const std::vector<PlistValue>& items() const;
    // Gives back the room a dict or array keeps for growing; for a reader that has finished
    // it. Every track of a library has much the same keys in the same order, so with
    // keyLists a dict whose keys match an earlier dict's shares that list (a later insert
    // copies it first).
    void squeeze(QSet<QStringList>* keyLists = nullptr);

private:
    struct Children;
    enum class Holds : quint8 { Text, Number, Children };

    PlistValue(Type type, const QString& text);

    Children& children();
    // Ends the life of the union's active member; the caller starts another one.
    void release();
    void takeFrom(PlistValue&& other);

    Type m_type = Type::Invalid;
    Holds m_holds = Holds::Text;
    // One at a time, so a value is no larger than its text: a number for whole numbers and
    // dates in their usual writing (text() makes the same text again), children for dicts
    // and arrays (nullptr-free once made), text for the rest.
    union {
        QString m_text;
        qint64 m_number;
        Children* m_children;
    };
};
