#include "player/mpris/MprisMetadata.h"

#include <gtest/gtest.h>

#include <QDBusObjectPath>

namespace
{

MprisMetadata with(const QString& key, const QVariant& value)
{
    return MprisMetadata(QVariantMap { { QStringLiteral("xesam:title"), QStringLiteral("T") }, { key, value } });
}

// Values the player tests do not send over the bus: every type players use, and malformed ones.
TEST(MprisMetadata, TagsReadWithEveryTypeAndMalformedOnesAsNoValueAndAFileNameTitleIsProvisional)
{
    for (const QVariant& length : { QVariant(qulonglong(61000000)), QVariant(int(61000000)), QVariant(61e6) })
        EXPECT_EQ(with("mpris:length", length).timeText(), "1:01") << length.typeName();
    EXPECT_EQ(with("xesam:artist", QStringList { "A", "B" }).artist(), "A, B");
    const QDateTime lastUsed = with("xesam:lastUsed", QStringLiteral("2024-03-05T10:20:30Z")).lastUsed();
    EXPECT_EQ(lastUsed, QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30), Qt::UTC));
    EXPECT_EQ(lastUsed.timeSpec(), Qt::LocalTime);

    EXPECT_EQ(with("mpris:length", qlonglong(-5)).lengthMicroseconds(), -1);
    EXPECT_EQ(with("xesam:useCount", -3).useCount(), 0);

    // No track, and a file name as the title without other tags.
    EXPECT_FALSE(
        with("mpris:trackid", QVariant::fromValue(QDBusObjectPath("/org/mpris/MediaPlayer2/TrackList/NoTrack")))
            .hasTrack());
    const QVariantMap base { { "xesam:url", QStringLiteral("file:///music/a%20b.ogg") },
        { "xesam:title", QStringLiteral("a b.ogg") } };
    EXPECT_TRUE(MprisMetadata(base).isProvisional());
    QVariantMap titled = base;
    titled["xesam:title"] = QStringLiteral("A Real Title");
    EXPECT_FALSE(MprisMetadata(titled).isProvisional());
}

} // namespace
