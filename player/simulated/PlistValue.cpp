#include "PlistValue.h"

PlistValue PlistValue::dict()
{
    return PlistValue(Type::Dict, QString());
}

PlistValue PlistValue::array()
{
    return PlistValue(Type::Array, QString());
}

PlistValue PlistValue::string(const QString& text)
{
    return PlistValue(Type::String, text);
}

PlistValue PlistValue::integer(qint64 number)
{
    return PlistValue(Type::Integer, QString::number(number));
}

PlistValue PlistValue::real(double number)
{
    return PlistValue(Type::Real, QString::number(number, 'g', 17));
}

PlistValue PlistValue::date(const QDateTime& when)
{
    return PlistValue(Type::Date, when.toUTC().toString(Qt::ISODate));
}

PlistValue PlistValue::boolean(bool flag)
{
    return PlistValue(Type::Boolean, flag ? QStringLiteral("true") : QStringLiteral("false"));
}

PlistValue PlistValue::data(const QByteArray& bytes)
{
    return PlistValue(Type::Data, QString::fromLatin1(bytes.toBase64()));
}

PlistValue PlistValue::fromText(Type type, const QString& text)
{
    return PlistValue(type, text);
}

qint64 PlistValue::toInteger() const
{
    return m_text.trimmed().toLongLong();
}

double PlistValue::toReal() const
{
    return m_text.trimmed().toDouble();
}

QDateTime PlistValue::toDate() const
{
    QDateTime when = QDateTime::fromString(m_text.trimmed(), Qt::ISODate);
    // A date without a zone is read as UTC, as the plist format means it.
    if (when.isValid() && when.timeSpec() == Qt::LocalTime)
        when.setTimeSpec(Qt::UTC);
    return when;
}

QByteArray PlistValue::toData() const
{
    return QByteArray::fromBase64(m_text.toLatin1());
}

const PlistValue* PlistValue::value(const QString& key) const
{
    const int index = indexOf(key);
    return index < 0 ? nullptr : &m_values.at(std::size_t(index));
}

PlistValue* PlistValue::value(const QString& key)
{
    const int index = indexOf(key);
    return index < 0 ? nullptr : &m_values.at(std::size_t(index));
}

void PlistValue::insert(const QString& key, const PlistValue& value)
{
    const int index = indexOf(key);
    if (index >= 0) {
        m_values.at(std::size_t(index)) = value;
        return;
    }
    m_keys.append(key);
    m_values.push_back(value);
}

void PlistValue::appendEntry(const QString& key, PlistValue&& value)
{
    m_keys.append(key);
    m_values.push_back(std::move(value));
}
