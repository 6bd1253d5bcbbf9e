#include "platform/tray/NotifyIconData.h"
#include "tray/NotifyIconText.h"

#include <gtest/gtest.h>

namespace {

QString repeated(QChar c, int n)
{
    return QString(n, c);
}

TEST(CopyStringToBytes, WritesUtf16LittleEndianAndZeroFillsTheRest)
{
    QByteArray field(16, '\x7f');
    CopyStringToBytes(field, QStringLiteral("A\u20AC"), 16);
    EXPECT_EQ(field.left(4), QByteArray("A\0\xAC\x20", 4));
    EXPECT_EQ(field.mid(4), QByteArray(12, '\0'));
}

TEST(CopyStringToBytes, TextOfExactlyTheCapacityFitsWithItsNul)
{
    QByteArray field(8, '\x7f');
    CopyStringToBytes(field, QStringLiteral("abc"), 8);
    EXPECT_EQ(field, QByteArray("a\0b\0c\0\0\0", 8));
}

TEST(CopyStringToBytes, EmptyTextLeavesTheFieldAsItWas)
{
    QByteArray field(8, '\0');
    CopyStringToBytes(field, QStringLiteral("hi"), 8);
    const QByteArray before = field;
    CopyStringToBytes(field, QString(), 8);
    CopyStringToBytes(field, QStringLiteral(""), 8);
    EXPECT_EQ(field, before);
}

TEST(CopyStringToBytes, ShorterTextClearsTheTailOfALongerOne)
{
    QByteArray field(16, '\0');
    CopyStringToBytes(field, QStringLiteral("abcdef"), 16);
    CopyStringToBytes(field, QStringLiteral("xy"), 16);
    EXPECT_EQ(NotifyIconData::wideRecord().fieldText(field), QStringLiteral("xy"));
    EXPECT_EQ(field.mid(4), QByteArray(12, '\0'));
}

TEST(CopyStringToBytes, TouchesNothingPastTheGivenSize)
{
    QByteArray field(256, '\x55');
    CopyStringToBytes(field, repeated(u'y', 200), 128);
    EXPECT_EQ(NotifyIconData::wideRecord().fieldText(field), repeated(u'y', 63));
    EXPECT_EQ(field.mid(128), QByteArray(128, '\x55'));
}

TEST(FieldByteSize, TipCharactersByRecordVersionAndWidth)
{
    EXPECT_EQ(FieldByteSize(true, true), 256);
    EXPECT_EQ(FieldByteSize(false, true), 128);
    EXPECT_EQ(FieldByteSize(true, false), 128);
    EXPECT_EQ(FieldByteSize(false, false), 64);
}

TEST(SetFixedString, PadsWithSpacesAndCutsAtTheCapacity)
{
    QByteArray field;
    SetFixedString(field, QStringLiteral("abc"), 8);
    EXPECT_EQ(field, QByteArray("abc     "));
    SetFixedString(field, QStringLiteral("abcdefghij"), 8);
    EXPECT_EQ(field, QByteArray("abcdefgh"));
    SetFixedString(field, QString(), 4);
    EXPECT_EQ(field, QByteArray("    "));
}

TEST(NotifyIconDataText, VersionOneRecordsShowOnlyTheShortTip)
{
    NotifyIconData record = NotifyIconData::narrowRecord();
    SetFixedString(record.szTip, repeated(u'z', 100), NotifyIcon::TipChars);
    record.cbSize = NotifyIcon::SizeNarrowV1;
    EXPECT_EQ(record.tipText(), repeated(u'z', 64));
    record.cbSize = NotifyIcon::SizeNarrow;
    EXPECT_EQ(record.tipText(), repeated(u'z', 100) + repeated(u' ', 28));
}

} // namespace
