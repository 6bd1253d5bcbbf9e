#include "library/GeneralDateFormat.h"

#include <gtest/gtest.h>

namespace
{

const QDateTime afternoon(QDate(2026, 12, 6), QTime(15, 45, 12));

// The US English form of the original program reads in every locale; writing and reading
// back in each, never played included, is the sample round trip's to show.
TEST(GeneralDateFormat, ReadsTheUsEnglishFormInEveryLocale)
{
    for (const char* name : { "en_US", "de_DE", "ja_JP", "fr_FR", "C" }) {
        const GeneralDateFormat format { QLocale(QString::fromLatin1(name)) };
        EXPECT_EQ(format.fromText(QStringLiteral("12/6/2026 3:45:12 PM")), afternoon) << name;
        EXPECT_EQ(format.fromText(QStringLiteral("12/6/2026")), QDateTime(QDate(2026, 12, 6), QTime(0, 0))) << name;
        EXPECT_EQ(format.fromText(QStringLiteral("12:00:00 AM")), QDateTime()) << name;
    }
}

// The Windows shapes in US English, with no milliseconds: midnight leaves the time out and
// the zero date the date; other locales keep their own shape with a full year.
TEST(GeneralDateFormat, WritesEachLocalesShape)
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QDateTime zeroAfternoon(GeneralDateFormat::zeroDate(), QTime(15, 45, 12));
    const struct {
        QLocale locale;
        QDateTime when;
        const char* text;
    } cases[] = {
        { us, afternoon.addMSecs(999), "12/6/2026 3:45:12 PM" },
        { us, QDateTime(QDate(2026, 12, 6), QTime(0, 0)), "12/6/2026" },
        { us, QDateTime(), "12:00:00 AM" },
        { us, zeroAfternoon, "3:45:12 PM" },
        { QLocale(QLocale::German, QLocale::Germany), afternoon, "06.12.2026 15:45:12" },
        { QLocale(QLocale::Japanese, QLocale::Japan), afternoon, "2026/12/06 15時45分12秒" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(GeneralDateFormat { c.locale }.toText(c.when), QString::fromUtf8(c.text));
    EXPECT_EQ(GeneralDateFormat { us }.fromText(QStringLiteral("3:45:12 PM")), zeroAfternoon);
}

} // namespace
