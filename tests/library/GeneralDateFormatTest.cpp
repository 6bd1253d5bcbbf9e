#include "library/GeneralDateFormat.h"

#include <gtest/gtest.h>

namespace
{

const QDateTime afternoon(QDate(2026, 12, 6), QTime(15, 45, 12));

using GeneralDateReading = testing::TestWithParam<const char*>;

// Writing and reading back in each locale is the sample round trip's to show.
TEST_P(GeneralDateReading, ReadsNeverPlayedAndTheUsEnglishFormInEveryLocale)
{
    const GeneralDateFormat format { QLocale(QString::fromLatin1(GetParam())) };
    // Never played is the zero date, written as midnight, read back as never played.
    const QString zero = format.toText(QDateTime());
    EXPECT_EQ(zero, QLocale(QString::fromLatin1(GetParam())).toString(QTime(0, 0), format.timeFormat()));
    const auto never = format.fromText(zero);
    ASSERT_TRUE(never);
    EXPECT_FALSE(never->isValid());

    // The US English form of the original program reads in every locale.
    EXPECT_EQ(format.fromText(QStringLiteral("12/6/2026 3:45:12 PM")), afternoon);
    EXPECT_EQ(format.fromText(QStringLiteral("12/6/2026")), QDateTime(QDate(2026, 12, 6), QTime(0, 0)));
    EXPECT_EQ(format.fromText(QStringLiteral("12:00:00 AM")), QDateTime());
}

INSTANTIATE_TEST_SUITE_P(Locales, GeneralDateReading, testing::Values("en_US", "de_DE", "ja_JP", "fr_FR", "C"));

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
