#include "platform/tray/NotifyIconData.h"
#include "tray/NotifyIconText.h"

#include <gtest/gtest.h>

namespace {

TEST(CopyStringToBytes, WritesUtf16ZeroFillsAndKeepsThePreviousTextForEmpty)
{
    QByteArray field(16, '\x7f');
    CopyStringToBytes(field, QStringLiteral("A\u20AC"), 16);
    EXPECT_EQ(field, QByteArray("A\0\xAC\x20", 4) + QByteArray(12, '\0'));

    CopyStringToBytes(field, QString(), 16);
    EXPECT_EQ(field.left(4), QByteArray("A\0\xAC\x20", 4)) << "an empty text changes nothing";

    QByteArray small(8, '\x7f');
    CopyStringToBytes(small, QStringLiteral("abc"), 8);
    EXPECT_EQ(small, QByteArray("a\0b\0c\0\0\0", 8)) << "the capacity includes the NUL";

    QByteArray wide(256, '\x55');
    CopyStringToBytes(wide, QString(200, u'y'), 128);
    EXPECT_EQ(NotifyIconData::wideRecord().fieldText(wide), QString(63, u'y'));
    EXPECT_EQ(wide.mid(128), QByteArray(128, '\x55')) << "nothing past the given size";
}

TEST(FixedStrings, NarrowTextIsPaddedOrCutAndTheVersionOneTipIsShort)
{
    QByteArray field;
    SetFixedString(field, QStringLiteral("abc"), 8);
    EXPECT_EQ(field, QByteArray("abc     "));
    SetFixedString(field, QStringLiteral("abcdefghij"), 8);
    EXPECT_EQ(field, QByteArray("abcdefgh"));

    NotifyIconData record = NotifyIconData::narrowRecord();
    SetFixedString(record.szTip, QString(100, u'z'), NotifyIcon::TipChars);
    record.cbSize = NotifyIcon::SizeNarrowV1;
    EXPECT_EQ(record.tipText(), QString(64, u'z'));
    record.cbSize = NotifyIcon::SizeNarrow;
    EXPECT_EQ(record.tipText(), QString(100, u'z') + QString(28, u' '));
}

} // namespace
