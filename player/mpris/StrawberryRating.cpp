#include "StrawberryRating.h"

#include "DBusIntrospection.h"
#include "MprisConnection.h"
#include "player/RatingScale.h"

#include "player/PlayerError.h"

#include <QThread>

#include <cmath>

namespace
{
const QString kRating = QStringLiteral("Rating");
// Strawberry keeps a rating as a float; a double sent comes back a few ulps away.
constexpr double kSameRating = 1e-4;
}

const QString StrawberryRating::kBusName = QStringLiteral("org.mpris.MediaPlayer2.strawberry");

bool StrawberryRating::isStrawberry(const QString& service)
{
    return service == kBusName || service.startsWith(kBusName + QLatin1Char('.'));
}

StrawberryRating::StrawberryRating(std::shared_ptr<const MprisConnection> link, QObject* parent)
    : TrackWriter(parent)
    , m_link(std::move(link))
    , m_hasRating(probe())
{
}

bool StrawberryRating::probe() const
{
    const auto description
        = DBusIntrospection::read(m_link->bus(), m_link->service(), MprisConnection::kObjectPath, m_link->timeoutMs());
    if (description && description->hasInterface(MprisConnection::kPlayerInterface))
        return description->hasWritableProperty(MprisConnection::kPlayerInterface, kRating, QStringLiteral("d"));
    // No usable description: a readable number is the next best sign of the property.
    const auto value = m_link->optionalProperty(MprisConnection::kPlayerInterface, kRating);
    return value && value->metaType() == QMetaType::fromType<double>();
}

PlayerAbility StrawberryRating::rateAbility() const
{
    if (m_link->vanished())
        return PlayerAbility::no(QStringLiteral("%1 has quit.").arg(m_link->displayName()));
    if (!m_hasRating)
        return PlayerAbility::no(QStringLiteral("%1 1.0.19 or later is needed to rate tracks from other programs.")
                                     .arg(m_link->displayName()));
    return PlayerAbility::yes();
}

PlayerAbility StrawberryRating::playCountAbility() const
{
    return PlayerAbility::no(
        QStringLiteral("%1 does not let other programs change play counts.").arg(m_link->displayName()));
}

bool StrawberryRating::isCurrent(const MprisMetadata& track) const
{
    const MprisMetadata now
        = MprisMetadata::fromVariant(m_link->property(MprisConnection::kPlayerInterface, QStringLiteral("Metadata")));
    return now.hasTrack() && now.identity() == track.identity();
}

double StrawberryRating::liveRating() const
{
    const QVariant value = m_link->property(MprisConnection::kPlayerInterface, kRating);
    bool ok = false;
    const double rating = value.toDouble(&ok);
    if (!ok || value.metaType() == QMetaType::fromType<QString>() || !std::isfinite(rating))
        throw PlayerError(QStringLiteral("%1 sent an unreadable rating.").arg(m_link->displayName()));
    return rating;
}

void StrawberryRating::rate(const MprisMetadata& track, int rating)
{
    if (const PlayerAbility ability = rateAbility(); !ability)
        throw PlayerError(ability.reason);
    if (!isCurrent(track))
        throw PlayerError(QStringLiteral("%1 rates only the track it is playing, and this one has ended.")
                              .arg(m_link->displayName()));
    const double wanted = RatingScale::toUnit(rating);
    m_link->setProperty(MprisConnection::kPlayerInterface, kRating, wanted);
    for (int attempt = 0; attempt < kConfirmAttempts; ++attempt) {
        if (attempt > 0)
            QThread::msleep(kConfirmIntervalMs);
        // An unrated song reads as 0, whatever was sent to clear it.
        if (std::abs(std::max(liveRating(), 0.0) - wanted) < kSameRating) {
            emit written();
            return;
        }
    }
    throw PlayerError(QStringLiteral("%1 did not keep the rating; it rates only songs in its collection.")
                          .arg(m_link->displayName()));
}

void StrawberryRating::setPlayCount(const MprisMetadata&, int)
{
    throw PlayerError(playCountAbility().reason);
}

void StrawberryRating::setPlayedDate(const MprisMetadata&, const QDateTime&)
{
    throw PlayerError(playCountAbility().reason);
}

TrackStatistics StrawberryRating::readBack(const MprisMetadata& track) const
{
    if (!m_hasRating || !isCurrent(track))
        return {};
    return { RatingScale::fromUnit(liveRating()), std::nullopt, std::nullopt };
}
