#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

#include <optional>

// The extras file's "general date": the locale's short date, a space and its long time,
// the way Windows writes a date with its regional settings. Qt's long time ends in a zone
// name, which Windows' does not and which does not parse back, so the zone is left out; a
// two-digit year is widened to four, or 2026 would read back as 1926.
//
// Midnight is written as the date alone; the zero date (30 December 1899, and a track that
// was never played) as the time alone.
class GeneralDateFormat
{
public:
    explicit GeneralDateFormat(const QLocale& locale = QLocale());

    // The day the player's "no date" counts from.
    static QDate zeroDate() { return QDate(1899, 12, 30); }

    // An invalid date stands for the zero date.
    QString toText(const QDateTime& when) const;

    // What toText() wrote, in this locale or in US English ("12/6/2026 3:45:12 PM", the form
    // files from the original program hold); a date alone is midnight, a time alone falls on
    // the zero date. nullopt when the text is none of these. The zero date at midnight comes
    // back as an invalid QDateTime, the player's "never played".
    std::optional<QDateTime> fromText(const QString& text) const;

    QString dateFormat() const { return m_dateFormat; }
    QString timeFormat() const { return m_timeFormat; }

    // For a QLocale format: the short date with a four-digit year, the long time without zone.
    static QString widenYear(const QString& format);
    static QString withoutZone(const QString& format);

private:
    struct Forms {
        QLocale locale;
        QString date;
        QString time;
        QString dateTime;
    };
    // Format strings from formats; month names, AM/PM and parsing from texts.
    static Forms formsOf(const QLocale& formats, const QLocale& texts);
    static std::optional<QDateTime> parse(const Forms& forms, const QString& text);

    QLocale m_locale;
    QString m_dateFormat;
    QString m_timeFormat;
    Forms m_local;
    Forms m_us;
};
