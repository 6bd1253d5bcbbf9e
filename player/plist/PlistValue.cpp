#include "PlistValue.h"

#include <new>

namespace
{

// "-9223372036854775808"
constexpr qsizetype longestInteger = 20;

// Whether number written by QString::number gives text back exactly: no sign other than a
// leading minus, no leading zeros, no spaces.
bool isPlainInteger(const QString& text, qint64* number)
{
    if (text.isEmpty() || text.size() > longestInteger)
        return false;
    const qsizetype digits = text.startsWith(u'-') ? 1 : 0;
    if (digits == text.size() || (text.at(digits) == u'0' && text.size() > digits + 1) || text == u"-0")
        return false;
    for (qsizetype i = digits; i < text.size(); ++i) {
        if (text.at(i) < u'0' || text.at(i) > u'9')
            return false;
    }
    bool ok = false;
    *number = text.toLongLong(&ok);
    return ok;
}

QString dateText(qint64 seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(Qt::ISODate);
}

// The usual writing of a date, 'd' standing for a digit.
constexpr QStringView plainDateLayout = u"dddd-dd-ddTdd:dd:ddZ";

bool fitsPlainDateLayout(const QString& text)
{
    if (text.size() != plainDateLayout.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool fits
            = plainDateLayout[i] == u'd' ? text.at(i) >= u'0' && text.at(i) <= u'9' : text.at(i) == plainDateLayout[i];
        if (!fits)
            return false;
    }
    return true;
}

int numberAt(const QString& text, qsizetype at, qsizetype length)
{
    int number = 0;
    for (qsizetype i = at; i < at + length; ++i)
        number = number * 10 + (text.at(i).unicode() - u'0');
    return number;
}

// Read by hand: a library holds a few dates per track, and a general ISO parse of each
// would slow the load noticeably.
bool isPlainDate(const QString& text, qint64* seconds)
{
    if (!fitsPlainDateLayout(text))
        return false;
    const QDate date(numberAt(text, 0, 4), numberAt(text, 5, 2), numberAt(text, 8, 2));
    const QTime time(numberAt(text, 11, 2), numberAt(text, 14, 2), numberAt(text, 17, 2));
    if (!date.isValid() || !time.isValid())
        return false;
    *seconds = QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
    // Years before 1000 and the like are written differently; those keep their text.
    return dateText(*seconds) == text;
}

} // namespace

struct PlistValue::Children {
    // Empty for an array. Implicitly shared, see squeeze().
    QStringList keys;
    std::vector<PlistValue> values;
};

PlistValue::PlistValue()
    : m_text()
{
}

PlistValue::PlistValue(Type type, const QString& text)
    : m_type(type)
    , m_text(text)
{
}

PlistValue::PlistValue(const PlistValue& other)
    : m_type(other.m_type)
    , m_holds(other.m_holds)
{
    switch (m_holds) {
    case Holds::Text:
        new (&m_text) QString(other.m_text);
        break;
    case Holds::Number:
        m_number = other.m_number;
        break;
    case Holds::Children:
        m_children = new Children(*other.m_children);
        break;
    }
}

PlistValue::PlistValue(PlistValue&& other) noexcept
{
    takeFrom(std::move(other));
}

PlistValue& PlistValue::operator=(const PlistValue& other)
{
    if (this != &other)
        *this = PlistValue(other);
    return *this;
}

PlistValue& PlistValue::operator=(PlistValue&& other) noexcept
{
    if (this != &other) {
        release();
        takeFrom(std::move(other));
    }
    return *this;
}

PlistValue::~PlistValue()
{
    release();
}

void PlistValue::release()
{
    if (m_holds == Holds::Text)
        m_text.~QString();
    else if (m_holds == Holds::Children)
        delete m_children;
}

void PlistValue::takeFrom(PlistValue&& other)
{
    m_type = other.m_type;
    m_holds = other.m_holds;
    switch (m_holds) {
    case Holds::Text:
        new (&m_text) QString(std::move(other.m_text));
        break;
    case Holds::Number:
        m_number = other.m_number;
        break;
    case Holds::Children:
        m_children = other.m_children;
        // Left as an empty value of the same type, which owns nothing.
        other.m_holds = Holds::Text;
        new (&other.m_text) QString();
        break;
    }
}

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
    PlistValue value(Type::Integer, QString());
    value.release();
    value.m_holds = Holds::Number;
    value.m_number = number;
    return value;
}

PlistValue PlistValue::real(double number)
{
    return PlistValue(Type::Real, QString::number(number, 'g', 17));
}

PlistValue PlistValue::date(const QDateTime& when)
{
    return fromText(Type::Date, when.toUTC().toString(Qt::ISODate));
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
    qint64 number = 0;
    if ((type == Type::Integer && isPlainInteger(text, &number))
        || (type == Type::Date && isPlainDate(text, &number))) {
        PlistValue value(type, QString());
        value.release();
        value.m_holds = Holds::Number;
        value.m_number = number;
        return value;
    }
    return PlistValue(type, text);
}

QString PlistValue::text() const
{
    switch (m_holds) {
    case Holds::Text:
        return m_text;
    case Holds::Number:
        return m_type == Type::Date ? dateText(m_number) : QString::number(m_number);
    case Holds::Children:
        break;
    }
    return QString();
}

qint64 PlistValue::toInteger() const
{
    if (m_holds == Holds::Number)
        return m_type == Type::Integer ? m_number : 0;
    return text().trimmed().toLongLong();
}

double PlistValue::toReal() const
{
    return text().trimmed().toDouble();
}

QDateTime PlistValue::toDate() const
{
    if (m_holds == Holds::Number)
        return m_type == Type::Date ? QDateTime::fromSecsSinceEpoch(m_number, Qt::UTC) : QDateTime();
    QDateTime when = QDateTime::fromString(text().trimmed(), Qt::ISODate);
    // A date without a zone is read as UTC, as the plist format means it.
    if (when.isValid() && when.timeSpec() == Qt::LocalTime)
        when.setTimeSpec(Qt::UTC);
    return when;
}

bool PlistValue::toBool() const
{
    return m_type == Type::Boolean && m_holds == Holds::Text && m_text == QLatin1String("true");
}

QByteArray PlistValue::toData() const
{
    return QByteArray::fromBase64(text().toLatin1());
}

int PlistValue::size() const
{
    return m_holds == Holds::Children ? int(m_children->values.size()) : 0;
}

const QString& PlistValue::keyAt(int index) const
{
    return m_children->keys.at(index);
}

const PlistValue& PlistValue::valueAt(int index) const
{
    return m_children->values.at(std::size_t(index));
}

PlistValue& PlistValue::valueAt(int index)
{
    return m_children->values.at(std::size_t(index));
}

int PlistValue::indexOf(const QString& key) const
{
    if (m_holds != Holds::Children)
        return -1;
    return int(m_children->keys.indexOf(key));
}

const std::vector<PlistValue>& PlistValue::items() const
{
    static const std::vector<PlistValue> none;
    return m_holds == Holds::Children ? m_children->values : none;
}

void PlistValue::squeeze(QSet<QStringList>* keyLists)
{
    if (m_holds != Holds::Children)
        return;
    m_children->values.shrink_to_fit();
    if (keyLists && !m_children->keys.isEmpty()) {
        const auto shared = keyLists->constFind(m_children->keys);
        if (shared != keyLists->constEnd()) {
            m_children->keys = *shared;
            return;
        }
        m_children->keys.squeeze();
        keyLists->insert(m_children->keys);
        return;
    }
    m_children->keys.squeeze();
}

PlistValue::Children& PlistValue::children()
{
    if (m_holds != Holds::Children) {
        release();
        m_holds = Holds::Children;
        m_children = new Children();
    }
    return *m_children;
}

const PlistValue* PlistValue::value(const QString& key) const
{
    const int index = indexOf(key);
    return index < 0 ? nullptr : &m_children->values.at(std::size_t(index));
}

PlistValue* PlistValue::value(const QString& key)
{
    const int index = indexOf(key);
    return index < 0 ? nullptr : &m_children->values.at(std::size_t(index));
}

void PlistValue::insert(const QString& key, const PlistValue& value)
{
    const int index = indexOf(key);
    if (index >= 0) {
        m_children->values.at(std::size_t(index)) = value;
        return;
    }
    Children& members = children();
    members.keys.append(key);
    members.values.push_back(value);
}

void PlistValue::appendEntry(const QString& key, PlistValue&& value)
{
    Children& members = children();
    members.keys.append(key);
    members.values.push_back(std::move(value));
}

void PlistValue::append(const PlistValue& value)
{
    children().values.push_back(value);
}

void PlistValue::append(PlistValue&& value)
{
    children().values.push_back(std::move(value));
}
