#include "player/mpris/MprisMetadata.h"
#include "player/RatingScale.h"

#include <gtest/gtest.h>

#include <QDBusObjectPath>

#include <limits>
#include <utility>

namespace
{

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

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

TEST(RatingScaleTest, StarsFractionsAndUserRatingsLandOnTheStarGridOrStayOffItAndWriteClamped)
{
    for (const auto& [stars, rating] :
        { std::pair { 3.0, 60 }, { 2.5, 60 }, { 2.49, 40 }, { 7.0, 100 }, { -1.0, 0 }, { kNaN, 0 } })
        EXPECT_EQ(RatingScale::fromStars(stars), rating) << stars;
    // Strawberry keeps a float: 0.6 comes back as 0.60000002. Off the star grid stays off it.
    for (const auto& [unit, rating] : { std::pair { double(0.6F), 60 }, { 0.7, 70 }, { -1.0, 0 }, { 1.5, 100 } })
        EXPECT_EQ(RatingScale::fromUnit(unit), rating) << unit;
    for (const auto& [rating, stars] : { std::pair { 50, 2.5 }, { 140, 5.0 }, { -20, 0.0 } })
        EXPECT_DOUBLE_EQ(RatingScale::toStars(rating), stars) << rating;
    EXPECT_DOUBLE_EQ(RatingScale::toUnit(80), 0.8);
    EXPECT_DOUBLE_EQ(RatingScale::toUnitOrUnrated(0), -1.0);
    // A user rating keeps stars only when exactly on a step.
    const std::pair<double, int> cases[] = { { 0.0, 0 }, { 0.2, 20 }, { 4 / 5.0, 80 }, { 0.6, 60 }, { 1.0, 100 },
        // Off the grid stays off it, even where plain rounding would land on a step.
        { 0.5, 50 }, { 0.795, 79 }, { 0.999, 99 }, { 0.001, 1 }, { -0.4, 0 }, { 3.0, 100 }, { kNaN, 0 } };
    for (const auto& [unit, rating] : cases)
        EXPECT_EQ(RatingScale::fromUserRating(unit), rating) << unit;
}

} // namespace
