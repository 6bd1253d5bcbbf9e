#include "player/mpris/MprisMetadata.h"

#include <gtest/gtest.h>

#include <QDBusObjectPath>

namespace
{

MprisMetadata with(const QString& key, const QVariant& value)
{
    return MprisMetadata(QVariantMap { { QStringLiteral("xesam:title"), QStringLiteral("T") }, { key, value } });
}

TEST(MprisMetadata, LengthBecomesMinutesAndSeconds)
{
    // Players send the length as x, t, i or d.
    EXPECT_EQ(with("mpris:length", qulonglong(61000000)).timeText(), "1:01");
    EXPECT_EQ(with("mpris:length", int(2000000)).timeText(), "0:02");
    EXPECT_EQ(with("mpris:length", 5e6).timeText(), "0:05");
}

TEST(MprisMetadata, TagsReadWithTheirProperTypes)
{
    const MprisMetadata metadata(QVariantMap {
        { "mpris:trackid", QVariant::fromValue(QDBusObjectPath("/t/7")) },
        { "xesam:artist", QStringList { "A", "B" } },
        { "xesam:lastUsed", QStringLiteral("2024-03-05T10:20:30Z") },
    });
    EXPECT_EQ(metadata.trackId(), "/t/7");
    EXPECT_EQ(metadata.artist(), "A, B");
    EXPECT_EQ(metadata.lastUsed(), QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30), Qt::UTC).toLocalTime());
    EXPECT_EQ(metadata.lastUsed().timeSpec(), Qt::LocalTime);
}

// Malformed values that the player tests do not send over the bus.
TEST(MprisMetadata, MalformedTypesReadAsNoValue)
{
    EXPECT_EQ(with("xesam:artist", QStringLiteral("Solo")).artist(), "Solo");
    EXPECT_EQ(with("xesam:artist", 42).artist(), "");
    EXPECT_EQ(with("mpris:length", qlonglong(-5)).lengthMicroseconds(), -1);
    EXPECT_EQ(with("xesam:useCount", QStringLiteral("3")).useCount(), 0);
    EXPECT_EQ(with("xesam:useCount", -3).useCount(), 0);
    EXPECT_FALSE(with("xesam:lastUsed", QStringLiteral("yesterday")).lastUsed().isValid());
    EXPECT_TRUE(MprisMetadata::fromVariant(QStringLiteral("not a map")).title().isEmpty());
}

TEST(MprisMetadata, NoTrackIsRecognised)
{
    EXPECT_FALSE(MprisMetadata().hasTrack());
    EXPECT_FALSE(MprisMetadata(
        QVariantMap {
            { "mpris:trackid", QVariant::fromValue(QDBusObjectPath("/org/mpris/MediaPlayer2/TrackList/NoTrack")) } })
                     .hasTrack());
    EXPECT_TRUE(MprisMetadata(QVariantMap { { "xesam:url", QStringLiteral("file:///m/a.ogg") } }).hasTrack());
}

TEST(MprisMetadata, FileNameTitleWithoutTagsIsProvisional)
{
    const QVariantMap base { { "xesam:url", QStringLiteral("file:///music/a%20b.ogg") },
        { "xesam:title", QStringLiteral("a b.ogg") } };
    EXPECT_TRUE(MprisMetadata(base).isProvisional());
    QVariantMap tagged = base;
    tagged["xesam:artist"] = QStringList { "Someone" };
    EXPECT_FALSE(MprisMetadata(tagged).isProvisional());
    QVariantMap titled = base;
    titled["xesam:title"] = QStringLiteral("A Real Title");
    EXPECT_FALSE(MprisMetadata(titled).isProvisional());
    // The final tags differ from the provisional announcement: a new identity.
    EXPECT_NE(MprisMetadata(base).identity(), MprisMetadata(tagged).identity());
}

} // namespace
