#include "GeneralDateFormat.h"

namespace
{

constexpr int fullYearDigits = 4;
constexpr QChar quote = u'\'';

// Calls visit(start, length) for each run of letter outside quoted text.
template <typename Visit> void forEachRun(const QString& format, QChar letter, Visit visit)
{
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        if (format[i] == quote) {
            quoted = !quoted;
            ++i;
            continue;
        }
        if (quoted || format[i] != letter) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < format.size() && format[end] == letter)
            ++end;
        visit(i, end - i);
        i = end;
    }
}

QDateTime zeroOrDate(const QDate& date, const QTime& time)
{
    if (date == GeneralDateFormat::zeroDate() && time == QTime(0, 0))
        return QDateTime();
    return QDateTime(date, time);
}

} // namespace

GeneralDateFormat::GeneralDateFormat(const QLocale& locale)
    // The system locale asks the platform on every call; the same locale by name does not.
    // The formats still come from the locale given, so the user's own settings count.
    : m_locale(locale.language(), locale.script(), locale.territory())
    , m_local(formsOf(locale, m_locale))
    , m_us(formsOf(QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::English, QLocale::UnitedStates)))
{
    m_dateFormat = m_local.date;
    m_timeFormat = m_local.time;
}

QString GeneralDateFormat::widenYear(const QString& format)
{
    bool hasFullYear = false;
    forEachRun(format, u'y', [&](qsizetype, qsizetype length) { hasFullYear |= length >= fullYearDigits; });
    if (hasFullYear)
        return format;
    QString widened = format;
    qsizetype shift = 0;
    forEachRun(format, u'y', [&](qsizetype start, qsizetype length) {
        widened.replace(start + shift, length, QStringLiteral("yyyy"));
        shift += fullYearDigits - length;
    });
    return widened;
}

QString GeneralDateFormat::withoutZone(const QString& format)
{
    QString result = format;
    qsizetype removed = 0;
    forEachRun(format, u't', [&](qsizetype start, qsizetype length) {
        result.remove(start - removed, length);
        removed += length;
    });
    return result.trimmed();
}

GeneralDateFormat::Forms GeneralDateFormat::formsOf(const QLocale& formats, const QLocale& texts)
{
    Forms forms;
    forms.locale = texts;
    forms.date = widenYear(formats.dateFormat(QLocale::ShortFormat));
    // Some locales put a narrow no-break space before AM/PM; Windows writes a plain one.
    forms.time = withoutZone(formats.timeFormat(QLocale::LongFormat)).replace(QChar(0x202F), u' ');
    forms.dateTime = forms.date + u' ' + forms.time;
    return forms;
}

QString GeneralDateFormat::toText(const QDateTime& when) const
{
    if (!when.isValid() || when.date() == zeroDate()) {
        const QTime time = when.isValid() ? when.time() : QTime(0, 0);
        return m_locale.toString(time, m_timeFormat);
    }
    const QTime time = when.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
        return m_locale.toString(when.date(), m_dateFormat);
    // Date and time apart: the whole-QDateTime path looks up the zone for every call, which
    // this format (having no zone) never shows, and costs most of an export's time.
    return m_locale.toString(when.date(), m_dateFormat) + u' ' + m_locale.toString(time, m_timeFormat);
}

std::optional<QDateTime> GeneralDateFormat::parse(const Forms& forms, const QString& text)
{
    const QDateTime full = forms.locale.toDateTime(text, forms.dateTime);
    if (full.isValid())
        return zeroOrDate(full.date(), full.time());
    const QDate date = forms.locale.toDate(text, forms.date);
    if (date.isValid())
        return zeroOrDate(date, QTime(0, 0));
    const QTime time = forms.locale.toTime(text, forms.time);
    if (time.isValid())
        return zeroOrDate(zeroDate(), time);
    return std::nullopt;
}

std::optional<QDateTime> GeneralDateFormat::fromText(const QString& text) const
{
    if (auto local = parse(m_local, text))
        return local;
    return parse(m_us, text);
}
