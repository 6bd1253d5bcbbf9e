#include "library/GeneralDateFormat.h"

#include <gtest/gtest.h>

namespace
{

const QDateTime afternoon(QDate(2026, 12, 6), QTime(15, 45, 12));

class GeneralDateRoundTrip : public testing::TestWithParam<const char*>
{
};

TEST_P(GeneralDateRoundTrip, WritesAndReadsBackEveryForm)
{
    const GeneralDateFormat format { QLocale(QString::fromLatin1(GetParam())) };
    for (const QDateTime& when : { afternoon, QDateTime(QDate(1999, 1, 31), QTime(9, 5, 7)),
             QDateTime(QDate(2031, 7, 4), QTime(23, 59, 59)), QDateTime(QDate(2026, 12, 6), QTime(0, 0)) }) {
        const QString text = format.toText(when);
        const auto back = format.fromText(text);
        ASSERT_TRUE(back) << text.toStdString();
        EXPECT_EQ(*back, when) << text.toStdString();
        // Comparisons are on text, so reading back must also write the same text.
        EXPECT_EQ(format.toText(*back), text);
    }
    // Never played is the zero date, written as midnight, read back as never played.
    const QString zero = format.toText(QDateTime());
    EXPECT_EQ(zero, QLocale(QString::fromLatin1(GetParam())).toString(QTime(0, 0), format.timeFormat()));
    const auto never = format.fromText(zero);
    ASSERT_TRUE(never);
    EXPECT_FALSE(never->isValid());
}

TEST_P(GeneralDateRoundTrip, ReadsTheUsEnglishFormOfTheOriginalProgram)
{
    const GeneralDateFormat format { QLocale(QString::fromLatin1(GetParam())) };
    EXPECT_EQ(format.fromText(QStringLiteral("12/6/2026 3:45:12 PM")), afternoon);
    EXPECT_EQ(format.fromText(QStringLiteral("12/6/2026")), QDateTime(QDate(2026, 12, 6), QTime(0, 0)));
    EXPECT_EQ(format.fromText(QStringLiteral("12:00:00 AM")), QDateTime());
}

INSTANTIATE_TEST_SUITE_P(Locales, GeneralDateRoundTrip, testing::Values("en_US", "de_DE", "ja_JP", "fr_FR", "C"));

TEST(GeneralDateFormat, WritesTheWindowsShapesInUsEnglish)
{
    const GeneralDateFormat us { QLocale(QLocale::English, QLocale::UnitedStates) };
    EXPECT_EQ(us.toText(afternoon), QStringLiteral("12/6/2026 3:45:12 PM"));
    EXPECT_EQ(us.toText(QDateTime(QDate(2026, 12, 6), QTime(0, 0))), QStringLiteral("12/6/2026"));
    EXPECT_EQ(us.toText(QDateTime()), QStringLiteral("12:00:00 AM"));
    EXPECT_EQ(us.toText(QDateTime(GeneralDateFormat::zeroDate(), QTime(0, 0))), QStringLiteral("12:00:00 AM"));
    // Milliseconds are not part of the text.
    EXPECT_EQ(us.toText(afternoon.addMSecs(999)), QStringLiteral("12/6/2026 3:45:12 PM"));
}

TEST(GeneralDateFormat, KeepsTheLocaleShapeWithAFullYearAndNoZone)
{
    const GeneralDateFormat german { QLocale(QLocale::German, QLocale::Germany) };
    EXPECT_EQ(german.toText(afternoon), QStringLiteral("06.12.2026 15:45:12"));
    const GeneralDateFormat japanese { QLocale(QLocale::Japanese, QLocale::Japan) };
    EXPECT_EQ(japanese.toText(afternoon), QStringLiteral("2026/12/06 15時45分12秒"));

    EXPECT_EQ(GeneralDateFormat::widenYear(QStringLiteral("M/d/yy")), QStringLiteral("M/d/yyyy"));
    EXPECT_EQ(GeneralDateFormat::widenYear(QStringLiteral("yyyy/MM/dd")), QStringLiteral("yyyy/MM/dd"));
    EXPECT_EQ(GeneralDateFormat::widenYear(QStringLiteral("d 'yy' yy")), QStringLiteral("d 'yy' yyyy"));
    EXPECT_EQ(GeneralDateFormat::withoutZone(QStringLiteral("h:mm:ss AP t")), QStringLiteral("h:mm:ss AP"));
    EXPECT_EQ(GeneralDateFormat::withoutZone(QStringLiteral("tttt HH:mm 'at'")), QStringLiteral("HH:mm 'at'"));
}

TEST(GeneralDateFormat, RefusesTextThatIsNoDate)
{
    const GeneralDateFormat format { QLocale(QLocale::German, QLocale::Germany) };
    for (const char* text : { "", "yesterday", "31.02.2026", "25:61:00", "12/6/2026 3:45:12", "80" })
        EXPECT_FALSE(format.fromText(QString::fromLatin1(text))) << text;
}

TEST(GeneralDateFormat, ATimeAloneFallsOnTheZeroDate)
{
    const GeneralDateFormat us { QLocale(QLocale::English, QLocale::UnitedStates) };
    EXPECT_EQ(us.fromText(QStringLiteral("3:45:12 PM")), QDateTime(GeneralDateFormat::zeroDate(), QTime(15, 45, 12)));
    EXPECT_EQ(us.toText(QDateTime(GeneralDateFormat::zeroDate(), QTime(15, 45, 12))), QStringLiteral("3:45:12 PM"));
}

} // namespace
